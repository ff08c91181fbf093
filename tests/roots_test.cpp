#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include <quorvantel/roots.hpp>

#include "reference_root.hpp"

namespace {

constexpr int last_u16 = 65535;

TEST(ReferenceRoot, AgreesWithRoundedDoubleRootOnEveryInput)
{
    for (int x = 0; x <= last_u16; ++x) {
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

// Every 16-bit routine of the family runs through the same cases.
struct Routine {
    const char* name;
    unsigned short (*root)(unsigned short);
    int sweep_passes; // itotal after one call per input 0 to 65535, from 0
};

void PrintTo(const Routine& routine, std::ostream* os)
{
    *os << routine.name;
}

class EveryRoutine : public testing::TestWithParam<Routine> {};

TEST_P(EveryRoutine, GivesNearestRootSaturatedAt255OnEveryInput)
{
    const auto root = GetParam().root;
    for (int x = 0; x <= last_u16; ++x) {
        ASSERT_EQ(root(static_cast<unsigned short>(x)), nearest_root_saturated(x)) << "x=" << x;
    }
}

TEST_P(EveryRoutine, CountsItsPassesOverAFullSweep)
{
    const auto root = GetParam().root;
    itotal = 0;
    for (int x = 0; x <= last_u16; ++x) root(static_cast<unsigned short>(x));
    EXPECT_EQ(itotal, GetParam().sweep_passes);
}

INSTANTIATE_TEST_SUITE_P(Roots, EveryRoutine,
                         testing::Values(Routine{"sqrt_u16_variante4", sqrt_u16_variante4, 436010}),
                         [](const auto& info) { return std::string(info.param.name); });

// Result and passes of one call, for the inputs where a routine changes course.
struct Call {
    unsigned short x;
    unsigned short root;
    int passes;
};

void PrintTo(const Call& call, std::ostream* os)
{
    *os << "x=" << call.x;
}

int passes_of(unsigned short (*routine)(unsigned short), unsigned short x, unsigned short& result)
{
    itotal = 0;
    result = routine(x);
    return itotal;
}

class Variante4Call : public testing::TestWithParam<Call> {};

TEST_P(Variante4Call, GivesRootAfterExpectedPasses)
{
    const Call call = GetParam();
    unsigned short result = 0;
    const int passes = passes_of(sqrt_u16_variante4, call.x, result);
    EXPECT_EQ(result, call.root);
    EXPECT_EQ(passes, call.passes);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, Variante4Call,
    testing::Values(Call{0, 0, 0}, Call{2, 1, 0}, Call{3, 2, 0}, Call{240, 15, 0},
                    Call{241, 16, 0}, Call{255, 16, 0},
                    // Start value is the exact root: found only after the loop.
                    Call{256, 16, 4}, Call{1024, 32, 5}, Call{4096, 64, 6}, Call{16384, 128, 7},
                    Call{272, 16, 4}, Call{273, 17, 4}, Call{1023, 32, 4},
                    // A trial hits the exact root and ends the call early.
                    Call{576, 24, 1}, Call{65025, 255, 7},
                    Call{64770, 254, 7}, Call{64771, 255, 7}, Call{65280, 255, 7},
                    // Nearest root 256 is out of range.
                    Call{65281, 255, 7}, Call{65535, 255, 7}));

TEST(PassCounter, WrapsInsteadOfOverflowing)
{
    itotal = std::numeric_limits<int>::max();
    sqrt_u16_variante4(256); // 4 passes
    EXPECT_EQ(itotal, std::numeric_limits<int>::min() + 3);
}

} // namespace
