// The trace lines of the Newton roots, each run in a process of its own so that the record of
// steps starts from zero as it does at program start.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.hpp"
#include "reference_root.hpp"

namespace {

ChildResult probe(const std::vector<std::string>& args)
{
    std::vector<std::string> argv{ROOT_PROBE};
    argv.insert(argv.end(), args.begin(), args.end());
    return run_child(ROOT_PROBE, argv);
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
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

TEST(SqrtU16Trace, AscendingSweepPrintsSmallInputsThenRecords)
{
    const ChildResult result = probe({"sqrt_u16", "all"});
    ASSERT_EQ(result.exit_code, 0);
    const auto lines = lines_of(result.out);
    ASSERT_EQ(lines.size(), 23U) << result.out;

    EXPECT_EQ(lines[0], "0-->0 Iterationsschritte: 4");
    for (int x = 1; x <= 16; ++x) small_input_steps(lines[static_cast<std::size_t>(x)], x);
    EXPECT_EQ(lines[1], record_line(1, 4));
    // After 16 the record is 3: only inputs that need 4 steps or more show up.
    EXPECT_EQ(lines[16], record_line(16, 3));
    const std::vector<std::string> records{record_line(1152, 4),  record_line(3243, 5),
                                           record_line(58080, 6), record_line(61503, 7),
                                           record_line(63503, 8), record_line(64515, 9)};
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 17, lines.end()), records);
    EXPECT_EQ(result.err, "itotal=0\n");
}

TEST(SqrtU16Trace, RecordIsSetToTheCountOfEveryPrintedCall)
{
    const ChildResult result = probe({"sqrt_u16", "64515", "1", "1152", "3243", "16", "1152"});
    ASSERT_EQ(result.exit_code, 0);
    // 1152 stays silent after 1 (4 steps each), and prints after 16 has set the record to 3.
    EXPECT_EQ(result.out, record_line(64515, 9) + "\n" + record_line(1, 4) + "\n" +
                              record_line(3243, 5) + "\n" + record_line(16, 3) + "\n" +
                              record_line(1152, 4) + "\n");
}

TEST(SqrtU16Trace, EdgeCallsShowTheirSteps)
{
    // 256: the start value is the exact root. 65535: the estimate stops at 254 and the
    // correction raises it to 255. 2 and 3: halved down to 1, then corrected for 3.
    const ChildResult result = probe({"sqrt_u16", "256", "65535", "2", "3"});
    ASSERT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, record_line(256, 1) + "\n" + record_line(65535, 9) + "\n" +
                              record_line(2, 4) + "\n" + record_line(3, 4) + "\n");
}

// The start value of sqrt_u16_variante2, from its documented table.
int start_value(int x)
{
    if (x <= 511) return 16;
    if (x <= 2047) return 32;
    if (x <= 8191) return 64;
    if (x <= 32767) return 128;
    return 255;
}

TEST(Variante2Trace, AscendingSweepPrintsStartValuesAndSmallInputs)
{
    const ChildResult result = probe({"sqrt_u16_variante2", "all"});
    ASSERT_EQ(result.exit_code, 0);
    const auto lines = lines_of(result.out);
    ASSERT_EQ(lines.size(), 82U) << result.out;

    EXPECT_EQ(lines[0], start_line(0, 16));
    EXPECT_EQ(lines[1], "0-->0 Iterationsschritte: 4 (startwert=16)");
    for (std::size_t x = 1; x <= 16; ++x) {
        small_input_steps(lines[x + 1], static_cast<int>(x), " (startwert=16)");
    }
    EXPECT_EQ(lines[2], record_line(1, 4, 16));
    EXPECT_EQ(lines[8], record_line(7, 3, 16));
    for (int x = 1000; x <= 64000; x += 1000) {
        EXPECT_EQ(lines[static_cast<std::size_t>(17 + x / 1000)], start_line(x, start_value(x)));
    }
    EXPECT_EQ(result.err, "itotal=164732\n");
}

TEST(Variante2Trace, SaturatedInputsAreSilentAndRecordFollowsPrintedCalls)
{
    const ChildResult result =
        probe({"sqrt_u16_variante2", "64770", "7", "64770", "1", "64771", "65000", "2000", "7"});
    ASSERT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, record_line(64770, 1, 255) + "\n" + record_line(7, 3, 16) + "\n" +
                              record_line(1, 4, 16) + "\n" + start_line(2000, 32) + "\n" +
                              record_line(7, 3, 16) + "\n");
}

TEST(Variante2Trace, StartValueLinesFollowTheTable)
{
    const ChildResult result = probe({"sqrt_u16_variante2", "1000", "3000", "9000", "33000"});
    ASSERT_EQ(result.exit_code, 0);
    const auto lines = lines_of(result.out);
    std::vector<std::string> start_lines;
    for (const auto& line : lines) {
        if (line.starts_with("x=")) start_lines.push_back(line);
    }
    EXPECT_EQ(start_lines,
              (std::vector<std::string>{start_line(1000, 32), start_line(3000, 64),
                                        start_line(9000, 128), start_line(33000, 255)}));
}

} // namespace
