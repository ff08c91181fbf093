// Runs the check firmware of each small core under its simulator. The firmware checks every
// call of every routine on the chip; here the host checks that it says so, and holds the Newton
// traces it printed to the host's own expectations, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.hpp"
#include "expected_trace.hpp"

namespace {

// A core's check firmware and the script that runs it under its simulator and prints its output
// as plain text.
struct Core {
    const char* name;
    const char* missing; // why the firmware cannot run here, or empty
    const char* run;
    const char* firmware;
    const char* library;
    const char* nm; // for a core without a hardware multiplier, the nm that reads its library
};

void PrintTo(const Core& core, std::ostream* os)
{
    *os << core.name;
}

constexpr auto cores = std::to_array<Core>({
#include "firmware_table.inc"
});

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

std::string probe_trace(const std::string& routine)
{
    return run_child(ROOT_PROBE, {ROOT_PROBE, routine, "all"}).out;
}

class Firmware : public testing::TestWithParam<Core> {};

TEST_P(Firmware, ChecksEveryCallOfEveryRoutineAndPrintsTheHostsTraces)
{
    const Core& core = GetParam();
    if (*core.missing != '\0') GTEST_SKIP() << core.missing;

    const ChildResult run = run_child("/bin/bash", {"bash", core.run, core.firmware});
    ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
    const std::string& output = run.out;

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

// On a core without a multiplier every product is a call of a software multiply (__mulhi3,
// __mulsi3, ...); the bit-by-bit roots make their trial squares without one. What the object
// asks the linker for shows it.
class WithoutMultiplier : public testing::TestWithParam<Core> {};

TEST_P(WithoutMultiplier, BitByBitRootsCallNoSoftwareMultiply)
{
    const Core& core = GetParam();
    if (*core.missing != '\0') GTEST_SKIP() << core.missing;

    const ChildResult symbols =
        run_child("/bin/bash", {"bash", "-c", std::string(core.nm) + " -u \"$0\"", core.library});
    ASSERT_EQ(symbols.exit_code, 0) << symbols.err;
    std::istringstream lines(symbols.out);
    std::string member;
    std::vector<std::string> undefined;
    for (std::string line; std::getline(lines, line);) {
        if (line.ends_with(":")) member = line.substr(0, line.size() - 1);
        // bit_by_bit.cpp.o, or .obj as CMake names objects on a bare-metal system
        if (member.starts_with("bit_by_bit.cpp.o") && line.find(" U ") != std::string::npos) {
            undefined.push_back(line.substr(line.find(" U ") + 3));
        }
    }
    // sqrt_u16_variante4 hands small inputs to sqrt_u8: proof that the right object was read.
    EXPECT_NE(std::find(undefined.begin(), undefined.end(), "sqrt_u8"), undefined.end())
        << symbols.out;
    for (const std::string& symbol : undefined) {
        EXPECT_FALSE(symbol.starts_with("__mul")) << symbol;
    }
}

std::string test_name(const testing::TestParamInfo<Core>& info)
{
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

std::vector<Core> cores_without_multiplier()
{
    std::vector<Core> found;
    std::copy_if(cores.begin(), cores.end(), std::back_inserter(found),
                 [](const Core& core) { return *core.nm != '\0'; });
    return found;
}

INSTANTIATE_TEST_SUITE_P(SmallTargets, Firmware, testing::ValuesIn(cores), test_name);
INSTANTIATE_TEST_SUITE_P(SmallTargets, WithoutMultiplier,
                         testing::ValuesIn(cores_without_multiplier()), test_name);

} // namespace
