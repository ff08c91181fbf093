// SPDX-License-Identifier: Zlib
// Every form of the roots that is plain C runs here too, on every input, against the plain form:
// a wrong form fails in seconds on the host, before any simulator runs it on its core.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "bit_by_bit_shift_add.hpp"
#include "bit_by_bit_unrolled.hpp"
#include "newton_byte_quotient.hpp"
#include "newton_divide_capped.hpp"
#include "portable.hpp"
#include "sqrt16_lines.hpp"
#include "sqrt16_shift_add.hpp"

namespace {

// One routine's form: its root of x, its count stored through the pointer.
using Form = unsigned (*)(uint16_t, unsigned*);

// A routine's form as Form: the plain and unrolled forms take their input as unsigned, which
// holds every 16-bit value.
template <auto form> unsigned widened(uint16_t x, unsigned* count)
{
    return form(x, count);
}

// A root to ship, which counts nothing.
template <auto form> unsigned uncounted(uint16_t x, unsigned* count)
{
    *count = 0;
    return form(x);
}

// sqrt_u16_variante2's steps, from the start value the routine gives them.
template <auto form> unsigned from_start(uint16_t x, unsigned* count)
{
    return form(x, quorvantel_variante2_start(x), count);
}

struct FormCase {
    const char* name;
    Form form;
    Form plain;
    unsigned last_input; // the steps of sqrt_u16_variante2 end at QUORVANTEL_VARIANTE2_LAST_STEPPED
};

void PrintTo(const FormCase& form, std::ostream* os)
{
    *os << form.name;
}

class EveryForm : public testing::TestWithParam<FormCase> {};

TEST_P(EveryForm, GivesThePlainFormsRootAndCountOnEveryInput)
{
    const FormCase& form = GetParam();
    for (unsigned x = 0; x <= form.last_input; ++x) {
        const auto input = static_cast<uint16_t>(x);
        unsigned count = 0;
        unsigned plain_count = 0;
        ASSERT_EQ(form.form(input, &count), form.plain(input, &plain_count)) << "x = " << x;
        ASSERT_EQ(count, plain_count) << "x = " << x;
    }
}

constexpr unsigned every_input = 0xFFFF;

INSTANTIATE_TEST_SUITE_P(
    Forms, EveryForm,
    testing::Values(
        FormCase{"shift_add_variante4", quorvantel_shift_add_variante4,
                 widened<quorvantel_portable_variante4>, every_input},
        FormCase{"shift_add_variante3", quorvantel_shift_add_variante3,
                 widened<quorvantel_portable_variante3>, every_input},
        FormCase{"unrolled_variante4", widened<quorvantel_unrolled_variante4>,
                 widened<quorvantel_portable_variante4>, every_input},
        FormCase{"unrolled_variante3", widened<quorvantel_unrolled_variante3>,
                 widened<quorvantel_portable_variante3>, every_input},
        FormCase{"divide_capped_sqrt_u16", quorvantel_divide_capped_sqrt_u16,
                 widened<quorvantel_portable_sqrt_u16>, every_input},
        FormCase{"divide_capped_variante2", from_start<quorvantel_divide_capped_variante2>,
                 from_start<quorvantel_portable_variante2>, QUORVANTEL_VARIANTE2_LAST_STEPPED},
        FormCase{"byte_quotient_sqrt_u16", quorvantel_byte_quotient_sqrt_u16,
                 widened<quorvantel_portable_sqrt_u16>, every_input},
        FormCase{"byte_quotient_variante2", from_start<quorvantel_byte_quotient_variante2>,
                 from_start<quorvantel_portable_variante2>, QUORVANTEL_VARIANTE2_LAST_STEPPED},
        FormCase{"lines_sqrt16_nearest", uncounted<quorvantel_lines_sqrt16_nearest>,
                 uncounted<quorvantel_portable_nearest>, every_input},
        FormCase{"lines_sqrt16_floor", uncounted<quorvantel_lines_sqrt16_floor>,
                 uncounted<quorvantel_portable_floor>, every_input},
        FormCase{"shift_add_sqrt16_nearest", uncounted<quorvantel_shift_add_sqrt16_nearest>,
                 uncounted<quorvantel_portable_nearest>, every_input},
        FormCase{"shift_add_sqrt16_floor", uncounted<quorvantel_shift_add_sqrt16_floor>,
                 uncounted<quorvantel_portable_floor>, every_input}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
