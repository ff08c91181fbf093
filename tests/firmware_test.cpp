// Runs the check firmware of each small target under its simulator. The firmware checks every
// result and the pass totals on the chip; here the host checks that it says so, and holds the
// Newton traces it printed to the host's own expectations, byte for byte.
#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.hpp"
#include "expected_trace.hpp"

namespace {

struct Board {
    const char* name;
    const char* missing; // why the firmware cannot run here, or empty
    std::vector<std::string> command;
    bool dot_for_line_feed; // simavr prints a '.' where the line feed was
};

void PrintTo(const Board& board, std::ostream* os)
{
    *os << board.name;
}

struct Section {
    std::string trace;
    std::string end;
};

// Splits the firmware's output into its "check begin" ... "check end" sections.
std::map<std::string, Section> sections_of(const std::string& output, std::string& last_line)
{
    std::map<std::string, Section> sections;
    std::istringstream stream(output);
    Section* open = nullptr;
    for (std::string line; std::getline(stream, line);) {
        if (line.starts_with("check begin ")) {
            open = &sections[line.substr(12)];
        } else if (line.starts_with("check end ")) {
            if (open != nullptr) open->end = line;
            open = nullptr;
        } else if (open != nullptr) {
            open->trace += line + "\n";
        }
        if (line.starts_with("check ")) last_line = line;
    }
    return sections;
}

// Drops terminal colour sequences (ESC [ ... m) and, where the simulator writes a '.' for each
// line feed, that dot.
std::string plain_text(const std::string& text, bool dot_for_line_feed)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\x1b' && i + 1 < text.size() && text[i + 1] == '[') {
            const std::size_t end = text.find('m', i);
            if (end == std::string::npos) break;
            i = end;
        } else if (dot_for_line_feed && text[i] == '.' && i + 1 < text.size() &&
                   text[i + 1] == '\n') {
            continue;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

std::string probe_trace(const std::string& routine)
{
    return run_child(ROOT_PROBE, {ROOT_PROBE, routine, "all"}).out;
}

class Firmware : public testing::TestWithParam<Board> {};

TEST_P(Firmware, ChecksEveryRoutineOnEveryInputAndPrintsTheHostsTraces)
{
    const Board& board = GetParam();
    if (*board.missing != '\0') GTEST_SKIP() << board.missing;

    const ChildResult run = run_child(board.command.front(), board.command);
    ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
    // simavr colours each line and writes it to standard error; QEMU passes it through.
    const std::string output = plain_text(run.out + run.err, board.dot_for_line_feed);

    std::string last_line;
    const auto sections = sections_of(output, last_line);
    EXPECT_EQ(last_line, "check passed") << output;
    for (const char* routine : {"sqrt_u8", "sqrt_u16_variante4", "sqrt_u16_variante3", "sqrt_u16",
                                "sqrt_u16_variante2", "float_root"}) {
        SCOPED_TRACE(routine);
        ASSERT_EQ(sections.count(routine), 1U) << output;
        EXPECT_TRUE(sections.at(routine).end.starts_with("check end " + std::string(routine) +
                                                         " ok passes="))
            << sections.at(routine).end;
    }
    EXPECT_EQ(sections.at("sqrt_u8").trace, "");
    EXPECT_EQ(sections.at("sqrt_u16_variante4").trace, "");
    EXPECT_EQ(sections.at("sqrt_u16_variante3").trace, "");
    EXPECT_EQ(sections.at("float_root").trace, "");

    for (const NewtonTrace& newton : newton_traces) {
        SCOPED_TRACE(newton.routine);
        const std::string& trace = sections.at(newton.routine).trace;
        newton.expect_ascending_trace(trace);
        EXPECT_EQ(trace, probe_trace(newton.routine));
    }
}

INSTANTIATE_TEST_SUITE_P(
    SmallTargets, Firmware,
    testing::Values(Board{"atmega328p", ATMEGA328P_MISSING, {SIMAVR, ATMEGA328P_FIRMWARE}, true},
                    Board{"cortex_m0",
                          CORTEX_M0_MISSING,
                          {QEMU_SYSTEM_ARM, "-M", "microbit", "-nographic", "-monitor", "none",
                           "-semihosting-config", "enable=on,target=native", "-kernel",
                           CORTEX_M0_FIRMWARE},
                          false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
