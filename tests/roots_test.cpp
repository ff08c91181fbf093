// SPDX-License-Identifier: Zlib
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <ostream>

#include <quorvantel/roots.hpp>

#include "portable.hpp"
#include "reference_root.hpp"
#include "routines.hpp"
#include "silenced_stdout.hpp"

namespace {

constexpr int last_u16 = 65535;

TEST(ReferenceRoot, AgreesWithRoundedDoubleRootOnEveryInput)
{
    for (int x = 0; x <= last_u16; ++x) {
        // NOLINTNEXTLINE(bugprone-incorrect-roundings): x is never negative
        const auto rounded = static_cast<int>(std::sqrt(static_cast<double>(x)) + 0.5);
        ASSERT_EQ(nearest_root(x), rounded) << "x=" << x;
    }
}

TEST(SqrtU8, EveryInputGivesItsNearestRoot)
{
    const int before = itotal;
    for (int x = 0; x <= 255; ++x) {
        ASSERT_EQ(sqrt_u8(static_cast<unsigned char>(x)), nearest_root(x)) << "x=" << x;
    }
    EXPECT_EQ(itotal, before);
}

// Every 16-bit routine of the family, and the roots to ship, run through the same cases.
struct Routine {
    const char* name;
    unsigned short (*root)(unsigned short);
    int sweep_passes;            // itotal after one call per input 0 to 65535, from 0
    int (*expected)(int);        // the routine's contract
    unsigned (*plain)(unsigned); // the plain form of a root to ship, or none
};

void PrintTo(const Routine& routine, std::ostream* os)
{
    *os << routine.name;
}

class EveryRoutine : public testing::TestWithParam<Routine> {};

TEST_P(EveryRoutine, KeepsItsContractOnEveryInput)
{
    const Routine& routine = GetParam();
    const SilencedStdout quiet;
    for (int x = 0; x <= last_u16; ++x) {
        const unsigned short root = routine.root(static_cast<unsigned short>(x));
        ASSERT_EQ(root, routine.expected(x)) << "x=" << x;
        if (routine.plain != nullptr) {
            ASSERT_EQ(root, routine.plain(static_cast<unsigned>(x))) << "x=" << x;
        }
    }
}

TEST_P(EveryRoutine, CountsItsPassesOverAFullSweep)
{
    const auto root = GetParam().root;
    itotal = 0;
    const SilencedStdout quiet;
    for (int x = 0; x <= last_u16; ++x) root(static_cast<unsigned short>(x));
    EXPECT_EQ(itotal, GetParam().sweep_passes);
}

// A root to ship as the bench's routines are called.
template <uint8_t (*root)(uint16_t)> unsigned short widened(unsigned short x)
{
    return root(x);
}

// NOLINTBEGIN(cppcoreguidelines-macro-usage): expand the lists of routines
#define AS_ROUTINE(name, plain, counts, sweep_passes)                                              \
    Routine{#name, name, sweep_passes, nearest_root_saturated, nullptr},
#define AS_PURE_ROOT(name, plain, floor)                                                           \
    Routine{#name, widened<name>, 0, (floor) ? floor_root : nearest_root_saturated, plain},
constexpr std::array routines{QUORVANTEL_WIDE_ROUTINES(AS_ROUTINE)
                                  QUORVANTEL_PURE_ROOTS(AS_PURE_ROOT)};
#undef AS_ROUTINE
#undef AS_PURE_ROOT
// NOLINTEND(cppcoreguidelines-macro-usage)

INSTANTIATE_TEST_SUITE_P(Roots, EveryRoutine, testing::ValuesIn(routines),
                         [](const auto& info) { return std::string(info.param.name); });

// Result and passes of one call, for the inputs where a routine changes course.
struct Call {
    const char* routine_name;
    unsigned short (*routine)(unsigned short);
    unsigned short x;
    unsigned short root;
    int passes;
};

void PrintTo(const Call& call, std::ostream* os)
{
    *os << call.routine_name << "(" << call.x << ")";
}

class PassesPerCall : public testing::TestWithParam<Call> {};

TEST_P(PassesPerCall, GivesRootAfterExpectedPasses)
{
    const Call call = GetParam();
    itotal = 0;
    const SilencedStdout quiet;
    EXPECT_EQ(call.routine(call.x), call.root);
    EXPECT_EQ(itotal, call.passes);
}

Call v4(unsigned short x, unsigned short root, int passes)
{
    return {"sqrt_u16_variante4", sqrt_u16_variante4, x, root, passes};
}

INSTANTIATE_TEST_SUITE_P(
    Variante4, PassesPerCall,
    testing::Values(v4(0, 0, 0), v4(2, 1, 0), v4(3, 2, 0), v4(240, 15, 0), v4(241, 16, 0),
                    v4(255, 16, 0),
                    // The start value is the exact root: found only after the loop.
                    v4(256, 16, 4), v4(1024, 32, 5), v4(4096, 64, 6), v4(16384, 128, 7),
                    v4(272, 16, 4), v4(273, 17, 4), v4(1023, 32, 4),
                    // A trial hits the exact root and ends the call early.
                    v4(576, 24, 1), v4(65025, 255, 7), v4(64770, 254, 7), v4(64771, 255, 7),
                    v4(65280, 255, 7),
                    // The nearest root 256 is out of range.
                    v4(65281, 255, 7), v4(65535, 255, 7)));

Call v3(unsigned short x, unsigned short root, int passes)
{
    return {"sqrt_u16_variante3", sqrt_u16_variante3, x, root, passes};
}

INSTANTIATE_TEST_SUITE_P(
    Variante3, PassesPerCall,
    testing::Values(v3(0, 0, 0), v3(1, 1, 0), v3(2, 1, 0), v3(3, 2, 0), v3(4, 2, 1), v3(255, 16, 3),
                    // Start value exact, every trial too large: the correction keeps it.
                    v3(64, 8, 3), v3(256, 16, 4), v3(16384, 128, 7), v3(576, 24, 1),
                    v3(65025, 255, 7), v3(65535, 255, 7)));

Call v2(unsigned short x, unsigned short root, int passes)
{
    return {"sqrt_u16_variante2", sqrt_u16_variante2, x, root, passes};
}

INSTANTIATE_TEST_SUITE_P(Variante2, PassesPerCall,
                         testing::Values(v2(0, 0, 4), v2(1, 1, 4), v2(7, 3, 3), v2(64770, 254, 1),
                                         // Saturated at once: no step, no count.
                                         v2(64771, 255, 0), v2(65000, 255, 0), v2(65535, 255, 0)));

TEST(SqrtU16, LeavesThePassCounterAlone)
{
    itotal = 17;
    const SilencedStdout quiet;
    EXPECT_EQ(sqrt_u16(0), 0);
    EXPECT_EQ(sqrt_u16(65535), 255);
    EXPECT_EQ(itotal, 17);
}

TEST(PassCounter, WrapsInsteadOfOverflowing)
{
    itotal = std::numeric_limits<int32_t>::max();
    sqrt_u16_variante4(256); // 4 passes
    EXPECT_EQ(itotal, std::numeric_limits<int32_t>::min() + 3);
}

} // namespace
