// Every form of the roots that is plain C runs here too, on every input, against the plain form:
// a wrong form fails in seconds on the host, before any simulator runs it on its core.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

#include "bit_by_bit_shift_add.hpp"
#include "bit_by_bit_unrolled.hpp"
#include "newton_byte_quotient.hpp"
#include "newton_divide_capped.hpp"
#include "portable.hpp"

namespace {

using BitByBit = unsigned (*)(uint16_t, unsigned*);

// The unrolled form takes its input as unsigned, which holds every 16-bit value.
unsigned unrolled_variante4(uint16_t x, unsigned* passes)
{
    return quorvantel_unrolled_variante4(x, passes);
}

unsigned unrolled_variante3(uint16_t x, unsigned* passes)
{
    return quorvantel_unrolled_variante3(x, passes);
}

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
                                                      quorvantel_shift_add_variante3},
                                         BitByBitForm{"unrolled", unrolled_variante4,
                                                      unrolled_variante3}),
                         [](const auto& info) { return std::string(info.param.name); });

using SqrtU16 = unsigned (*)(uint16_t, unsigned*);
using Variante2 = unsigned (*)(uint16_t, uint8_t, unsigned*);

struct NewtonForm {
    const char* name;
    SqrtU16 sqrt_u16;
    Variante2 variante2; // for x up to QUORVANTEL_VARIANTE2_LAST_STEPPED, from its start value
};

void PrintTo(const NewtonForm& form, std::ostream* os)
{
    *os << form.name;
}

class NewtonForms : public testing::TestWithParam<NewtonForm> {};

TEST_P(NewtonForms, GiveThePlainFormsRootsAndStepsOnEveryInput)
{
    const NewtonForm& form = GetParam();
    for (unsigned x = 0; x <= 0xFFFF; ++x) {
        const auto input = static_cast<uint16_t>(x);
        unsigned steps = 0;
        unsigned plain_steps = 0;
        ASSERT_EQ(form.sqrt_u16(input, &steps), quorvantel_portable_sqrt_u16(x, &plain_steps))
            << "sqrt_u16(" << x << ")";
        ASSERT_EQ(steps, plain_steps) << "sqrt_u16(" << x << ")";
        if (x > QUORVANTEL_VARIANTE2_LAST_STEPPED) continue;
        const uint8_t start = quorvantel_variante2_start(x);
        ASSERT_EQ(form.variante2(input, start, &steps),
                  quorvantel_portable_variante2(x, start, &plain_steps))
            << "sqrt_u16_variante2(" << x << ")";
        ASSERT_EQ(steps, plain_steps) << "sqrt_u16_variante2(" << x << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, NewtonForms,
    testing::Values(NewtonForm{"divide_capped", quorvantel_divide_capped_sqrt_u16,
                               quorvantel_divide_capped_variante2},
                    NewtonForm{"byte_quotient", quorvantel_byte_quotient_sqrt_u16,
                               quorvantel_byte_quotient_variante2}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
