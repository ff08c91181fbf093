// Every form of the roots that is plain C runs here too, on every input, against the plain form:
// a wrong form fails in seconds on the host, before any simulator runs it on its core.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

#include "bit_by_bit_shift_add.hpp"
#include "portable.hpp"

namespace {

using BitByBit = unsigned (*)(uint16_t, unsigned*);

struct BitByBitForm {
    const char* name;
    BitByBit variante4;
    BitByBit variante3;
};

void PrintTo(const BitByBitForm& form, std::ostream* os)
{
    *os << form.name;
}

class BitByBitForms : public testing::TestWithParam<BitByBitForm> {};

TEST_P(BitByBitForms, GiveThePlainFormsRootsAndPassesOnEveryInput)
{
    const BitByBitForm& form = GetParam();
    for (unsigned x = 0; x <= 0xFFFF; ++x) {
        const auto input = static_cast<uint16_t>(x);
        unsigned passes = 0;
        unsigned plain_passes = 0;
        ASSERT_EQ(form.variante4(input, &passes), quorvantel_portable_variante4(x, &plain_passes))
            << "sqrt_u16_variante4(" << x << ")";
        ASSERT_EQ(passes, plain_passes) << "sqrt_u16_variante4(" << x << ")";
        ASSERT_EQ(form.variante3(input, &passes), quorvantel_portable_variante3(x, &plain_passes))
            << "sqrt_u16_variante3(" << x << ")";
        ASSERT_EQ(passes, plain_passes) << "sqrt_u16_variante3(" << x << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, BitByBitForms,
                         testing::Values(BitByBitForm{"shift_add", quorvantel_shift_add_variante4,
                                                      quorvantel_shift_add_variante3}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
