// SPDX-License-Identifier: Zlib
#include "expected_trace.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <sstream>
#include <vector>

#include "reference_root.hpp"
#include "routines.hpp"

namespace {

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// The step count in the line for a small input x (1 to 16), with everything else checked.
int small_input_steps(const std::string& line, int x, const std::string& suffix = "")
{
    int steps = 0;
    const std::string head = std::to_string(x) + "-->" + std::to_string(nearest_root_saturated(x)) +
                             " Iterationsschritte: ";
    EXPECT_EQ(line.substr(0, head.size()), head);
    std::istringstream(line.substr(head.size())) >> steps;
    EXPECT_EQ(line, head + std::to_string(steps) + suffix);
    EXPECT_GE(steps, 1);
    EXPECT_LE(steps, 4);
    return steps;
}

} // namespace

void PrintTo(const NewtonTrace& newton, std::ostream* os)
{
    *os << newton.routine;
}

long sweep_passes_of(const std::string& routine)
{
    // NOLINTNEXTLINE(cppcoreguidelines-macro-usage): expands the list of routines
#define PASSES_IF_NAMED(name, plain, counts, sweep_passes)                                         \
    if (routine == #name) return sweep_passes;
    QUORVANTEL_WIDE_ROUTINES(PASSES_IF_NAMED)
#undef PASSES_IF_NAMED
    ADD_FAILURE() << "no routine " << routine;
    return -1;
}

std::string record_line(int x, int steps)
{
    return std::to_string(x) + "-->" + std::to_string(nearest_root_saturated(x)) +
           " Iterationsschritte: " + std::to_string(steps);
}

std::string record_line(int x, int steps, int start)
{
    return record_line(x, steps) + " (startwert=" + std::to_string(start) + ")";
}

std::string start_line(int x, int start)
{
    return "x=" + std::to_string(x) + " Startwert=" + std::to_string(start);
}

int variante2_start_value(int x)
{
    if (x <= 511) return 16;
    if (x <= 2047) return 32;
    if (x <= 8191) return 64;
    if (x <= 32767) return 128;
    return 255;
}

void expect_sqrt_u16_ascending_trace(const std::string& trace)
{
    EXPECT_EQ(trace.back(), '\n');
    const auto lines = lines_of(trace);
    ASSERT_EQ(lines.size(), 23U) << trace;

    EXPECT_EQ(lines[0], "0-->0 Iterationsschritte: 4");
    for (int x = 1; x <= 16; ++x) small_input_steps(lines[static_cast<std::size_t>(x)], x);
    EXPECT_EQ(lines[1], record_line(1, 4));
    // After 16 the record is 3: only inputs that need 4 steps or more show up.
    EXPECT_EQ(lines[16], record_line(16, 3));
    const std::vector<std::string> records{record_line(1152, 4),  record_line(3243, 5),
                                           record_line(58080, 6), record_line(61503, 7),
                                           record_line(63503, 8), record_line(64515, 9)};
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 17, lines.end()), records);
}

void expect_variante2_ascending_trace(const std::string& trace)
{
    EXPECT_EQ(trace.back(), '\n');
    const auto lines = lines_of(trace);
    ASSERT_EQ(lines.size(), 82U) << trace;

    EXPECT_EQ(lines[0], start_line(0, 16));
    EXPECT_EQ(lines[1], "0-->0 Iterationsschritte: 4 (startwert=16)");
    for (std::size_t x = 1; x <= 16; ++x) {
        small_input_steps(lines[x + 1], static_cast<int>(x), " (startwert=16)");
    }
    EXPECT_EQ(lines[2], record_line(1, 4, 16));
    EXPECT_EQ(lines[8], record_line(7, 3, 16));
    for (int x = 1000; x <= 64000; x += 1000) {
        EXPECT_EQ(lines[static_cast<std::size_t>(17 + x / 1000)],
                  start_line(x, variante2_start_value(x)));
    }
}
