// SPDX-License-Identifier: Zlib
// Roots that decide one bit of the result per pass, from the top bit of the root down, in the
// form forms.hpp chooses for the core; and the shared pass counter.
#include <stdint.h>

#define QUORVANTEL_BIT_BY_BIT_DEFINITIONS
#include "detail.hpp"
#include "forms.hpp"
#include "roots.hpp"

QUORVANTEL_COUNTER_STORAGE int32_t itotal = 0;

QUORVANTEL_STATIC_ASSERT(sizeof(itotal) == 4, itotal_is_a_32_bit_counter_on_every_target);

QUORVANTEL_NAME_FORM(bit_by_bit, QUORVANTEL_BIT_BY_BIT_FORM_NAME)

#ifndef QUORVANTEL_BIT_BY_BIT_IN_ASSEMBLY
unsigned short sqrt_u16_variante4(unsigned short x) QUORVANTEL_NOEXCEPT
{
    unsigned passes = 0;
    const unsigned root = quorvantel_bit_by_bit_variante4(x, &passes);
    quorvantel_add_passes(passes);
    return (unsigned short)root;
}

unsigned short sqrt_u16_variante3(unsigned short x) QUORVANTEL_NOEXCEPT
{
    unsigned passes = 0;
    const unsigned root = quorvantel_bit_by_bit_variante3(x, &passes);
    quorvantel_add_passes(passes);
    return (unsigned short)root;
}
#endif
