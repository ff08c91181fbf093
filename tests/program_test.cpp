// The program as a user runs it: whole output, byte for byte, and exit status.
#include <gtest/gtest.h>

#include <csignal>
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

const std::string usage_text = "quorvantel  Version 0.0\nAnwendung: quorvantel\n";
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
    for (const auto& arg : line.args) *os << " '" << arg << "'";
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
    testing::Values(CommandLine{{"?"}, true}, CommandLine{{"-?"}, true},
                    CommandLine{{"-x?"}, true}, CommandLine{{"??"}, true},
                    CommandLine{{"-h", "?"}, true}, CommandLine{{"eins", "-?"}, true},
                    // 0xBF, an inverted question mark in Latin-1, shares the help flag.
                    CommandLine{{"-\xBF"}, true}, CommandLine{{"-\xC2\xBF"}, true},
                    // A '?' that is not first in a positional is no option.
                    CommandLine{{"x?"}, false}));

INSTANTIATE_TEST_SUITE_P(
    OtherOptions, UsageDecision,
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

TEST(Program, ClosedPipeEndsTheRunBySigpipe)
{
    const ChildResult result = run({}, ChildStdout::broken_pipe);
    EXPECT_EQ(result.term_signal, SIGPIPE);
    EXPECT_EQ(result.err, "");
}

} // namespace
