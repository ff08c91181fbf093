// SPDX-License-Identifier: Zlib
// The trace lines of the Newton roots, each run in a process of its own so that the record of
// steps starts from zero as it does at program start.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.hpp"
#include "expected_trace.hpp"

namespace {

ChildResult probe(const std::vector<std::string>& args)
{
    std::vector<std::string> argv{ROOT_PROBE};
    argv.insert(argv.end(), args.begin(), args.end());
    return run_child(ROOT_PROBE, argv);
}

class AscendingSweep : public testing::TestWithParam<NewtonTrace> {};

TEST_P(AscendingSweep, PrintsTheDocumentedTraceAndPassTotal)
{
    const ChildResult result = probe({GetParam().routine, "all"});
    ASSERT_EQ(result.exit_code, 0);
    GetParam().expect_ascending_trace(result.out);
    EXPECT_EQ(result.err, "itotal=" + std::to_string(sweep_passes_of(GetParam().routine)) + "\n");
}

INSTANTIATE_TEST_SUITE_P(NewtonRoots, AscendingSweep, testing::ValuesIn(newton_traces),
                         [](const auto& info) { return std::string(info.param.routine); });

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
    std::vector<std::string> start_lines;
    std::istringstream stream(result.out);
    for (std::string line; std::getline(stream, line);) {
        if (line.starts_with("x=")) start_lines.push_back(line);
    }
    EXPECT_EQ(start_lines,
              (std::vector<std::string>{start_line(1000, 32), start_line(3000, 64),
                                        start_line(9000, 128), start_line(33000, 255)}));
}

} // namespace
