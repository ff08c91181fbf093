// Roots that decide one bit of the result per pass, from the top bit of the root down. Each
// core whose compiler gives it a faster form of the passes gets that form; the others run the
// plain one. All forms make the same trials, passes and results.
#include <stdint.h>

#include "detail.hpp"
#include "portable.hpp"
#include "roots.hpp"

// Per core, the form of the passes: AVR cores with the 8x8 multiplier run passes scheduled by
// hand; cores without a multiplier build each trial square from the last one by shifts and
// additions; armv6-m cores run both routines in assembly, counter included. Every other core
// runs the plain form.
#if defined(__AVR__) && defined(__AVR_HAVE_MUL__)
#include "bit_by_bit_avr.hpp"
namespace form = quorvantel::avr;
#elif defined(__AVR__) || (defined(__riscv) && !defined(__riscv_mul))
#include "bit_by_bit_shift_add.hpp"
namespace form = quorvantel::shift_add;
#elif defined(__ARM_ARCH_6M__)
#include "bit_by_bit_armv6m.hpp"
#define QUORVANTEL_ROUTINES_IN_ASSEMBLY 1
#else
namespace form = quorvantel::portable;
#endif

using quorvantel::detail::add_passes;

int32_t itotal = 0;

static_assert(sizeof(itotal) == 4, "itotal is a 32-bit counter on every target");

#ifndef QUORVANTEL_ROUTINES_IN_ASSEMBLY
unsigned short sqrt_u16_variante4(unsigned short x) noexcept
{
    const auto outcome = form::sqrt_u16_variante4(x);
    add_passes(outcome.passes);
    return static_cast<unsigned short>(outcome.root);
}

unsigned short sqrt_u16_variante3(unsigned short x) noexcept
{
    const auto outcome = form::sqrt_u16_variante3(x);
    add_passes(outcome.passes);
    return static_cast<unsigned short>(outcome.root);
}
#endif
