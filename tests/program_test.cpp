// SPDX-License-Identifier: Zlib
// The program as a user runs it: whole output, byte for byte, and exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "child_process.hpp"

namespace {

const std::string program = QUORVANTEL_PROGRAM;

// Written from the documented behaviour: the routine saturates at 255 where the rounded
// root is 256, and makes 434253 passes over the inputs 0 to 65284.
std::string expected_run_output()
{
    std::string text;
    for (int x = 65281; x <= 65284; ++x) {
        text += std::to_string(x) + ": sqrt_y16-->255  Korrekt: 256\n";
    }
    text += "\n";
    text += "itotal=434253 --> Durchschnittliche Iterationsschritte=6.677733\n";
    return text;
}

const std::string usage_text =
    "quorvantel  Version " QUORVANTEL_VERSION "\nAnwendung: quorvantel\n";
const std::string write_error = "quorvantel: Schreibfehler auf der Standardausgabe\n";

ChildResult run(std::vector<std::string> args, ChildStdout mode = ChildStdout::captured)
{
    args.insert(args.begin(), program);
    return run_child(program, args, mode);
}

TEST(Program, RunWithoutArgumentsPrintsMismatchesAndSummary)
{
    const ChildResult result = run({});
    EXPECT_EQ(result.out, expected_run_output());
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exit_code, 0);
}

struct CommandLine {
    std::vector<std::string> args;
    bool usage;
};

void PrintTo(const CommandLine& line, std::ostream* os)
{
    *os << "quorvantel";
    for (std::size_t i = 0; i < std::min<std::size_t>(line.args.size(), 3); ++i) {
        const std::string& arg = line.args[i];
        *os << " '" << arg.substr(0, 16) << (arg.size() > 16 ? "...'" : "'");
    }
    if (line.args.size() > 3) *os << " ... (" << line.args.size() << " arguments)";
}

class UsageDecision : public testing::TestWithParam<CommandLine> {};

TEST_P(UsageDecision, PrintsUsageOrRunsAsTheArgumentsSay)
{
    const ChildResult result = run(GetParam().args);
    EXPECT_EQ(result.out, GetParam().usage ? usage_text : expected_run_output());
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exit_code, 0);
}

INSTANTIATE_TEST_SUITE_P(
    HelpFlag, UsageDecision,
    testing::Values(CommandLine{{"?"}, true}, CommandLine{{"-?"}, true}, CommandLine{{"-x?"}, true},
                    CommandLine{{"??"}, true}, CommandLine{{"-h", "?"}, true},
                    CommandLine{{"eins", "-?"}, true},
                    // 0xBF, an inverted question mark in Latin-1, shares the help flag.
                    CommandLine{{"-\xBF"}, true}, CommandLine{{"-\xC2\xBF"}, true},
                    // A '?' that is not first in a positional is no option.
                    CommandLine{{"x?"}, false}));

INSTANTIATE_TEST_SUITE_P(OtherOptions, UsageDecision,
                         testing::Values(CommandLine{{"-h"}, false}, CommandLine{{"-H"}, false},
                                         CommandLine{{"--"}, false}, CommandLine{{"-v"}, false},
                                         CommandLine{{"-"}, false}, CommandLine{{"-\xE4"}, false}));

INSTANTIATE_TEST_SUITE_P(
    Positionals, UsageDecision,
    testing::Values(CommandLine{{"eins"}, false}, CommandLine{{""}, false},
                    CommandLine{{"eins", "zwei"}, true}, CommandLine{{"", ""}, true},
                    CommandLine{{"a", "b", "c"}, true}, CommandLine{{"-v", "eins"}, false},
                    CommandLine{{"eins", "-v"}, false}, CommandLine{{"-v", "eins", "zwei"}, true}));

TEST(Program, UsageIgnoresTheNameItWasCalledBy)
{
    const ChildResult result = run_child(program, {"anders", "?"});
    EXPECT_EQ(result.out, usage_text);
    EXPECT_EQ(result.exit_code, 0);
}

// Hostile command lines: each ends in the output and status the rules give.
std::string all_bytes_except(std::initializer_list<int> left_out)
{
    std::string bytes;
    for (int byte = 1; byte <= 255; ++byte) {
        if (std::find(left_out.begin(), left_out.end(), byte) == left_out.end()) {
            bytes.push_back(static_cast<char>(byte));
        }
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, UsageDecision,
    testing::Values(CommandLine{{std::string(100000, 'a')}, false},
                    CommandLine{{"-" + std::string(99999, 'v')}, false},
                    CommandLine{{"-" + std::string(99998, 'v') + "?"}, true},
                    CommandLine{std::vector<std::string>(5000, "-v"), false},
                    CommandLine{std::vector<std::string>(5000, "x"), true},
                    CommandLine{{"-" + all_bytes_except({})}, true},
                    CommandLine{{"-" + all_bytes_except({'?', 0xBF})}, false},
                    // Invalid UTF-8: stray continuation bytes, a cut sequence, overlong forms.
                    CommandLine{{"-\xFF\xFE\xC3"}, false}, CommandLine{{"\xC3\x28\xA0\xA1"}, false},
                    CommandLine{{"-\xC0\xAF\xE0\x80\xAF"}, false}));

TEST(Program, EmptyArgumentVectorRuns)
{
    const ChildResult result = run_child(program, {});
    EXPECT_EQ(result.out, expected_run_output());
    EXPECT_EQ(result.exit_code, 0);
}

// Lost output must not be reported as success.
struct WriteFault {
    ChildStdout mode;
    std::vector<std::string> args;
    const char* name;
};

void PrintTo(const WriteFault& fault, std::ostream* os)
{
    *os << fault.name;
}

class WriteFaults : public testing::TestWithParam<WriteFault> {};

TEST_P(WriteFaults, ReportAWriteErrorAndExitWithStatus1)
{
    const ChildResult result = run(GetParam().args, GetParam().mode);
    EXPECT_EQ(result.err, write_error);
    EXPECT_EQ(result.exit_code, 1);
}

INSTANTIATE_TEST_SUITE_P(
    StandardOutput, WriteFaults,
    testing::Values(WriteFault{ChildStdout::full_device, {}, "run_to_full_device"},
                    WriteFault{ChildStdout::full_device, {"?"}, "usage_to_full_device"},
                    WriteFault{ChildStdout::closed, {}, "run_to_closed_stdout"},
                    WriteFault{ChildStdout::closed, {"?"}, "usage_to_closed_stdout"}),
    [](const auto& info) { return std::string(info.param.name); });

// Unbuffered, every printf fails on its own and the final close has nothing left to flush:
// only the stream's error flag tells that the output was lost.
TEST(Program, UnbufferedOutputToAFullDeviceIsAWriteError)
{
    const std::string stdbuf = STDBUF;
    // Empty where the build found no stdbuf.
    // cppcheck-suppress knownConditionTrueFalse
    if (stdbuf.empty()) GTEST_SKIP() << "stdbuf not found (Debian package coreutils)";
    // A sanitizer runtime would object to stdbuf's preloaded library coming first.
    (void)setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 0);
    const ChildResult result =
        run_child(stdbuf, {stdbuf, "-o0", program}, ChildStdout::full_device);
    EXPECT_EQ(result.err, write_error);
    EXPECT_EQ(result.exit_code, 1);
}

TEST(Program, ClosedPipeEndsTheRunBySigpipe)
{
    const ChildResult result = run({}, ChildStdout::broken_pipe);
    EXPECT_EQ(result.term_signal, SIGPIPE);
    EXPECT_EQ(result.err, "");
}

} // namespace
