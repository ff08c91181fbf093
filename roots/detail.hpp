// Internal to the roots library: the update of the shared pass counter.
#ifndef QUORVANTEL_ROOTS_DETAIL_HPP
#define QUORVANTEL_ROOTS_DETAIL_HPP

#include <stdint.h>

#include "roots.hpp"

// At -Os, GCC would rather call a helper than repeat it; the counter update is worth inlining.
// And a rarely taken path kept out of line keeps its register saves out of the common one.
#if defined(__GNUC__)
#define QUORVANTEL_ALWAYS_INLINE inline __attribute__((always_inline))
#define QUORVANTEL_NOINLINE __attribute__((noinline))
#else
#define QUORVANTEL_ALWAYS_INLINE inline
#define QUORVANTEL_NOINLINE
#endif

namespace quorvantel {
namespace detail {

// The counting routines keep their passes in a register and add them here once per call,
// which gives the same total as one increment per pass at a fraction of the cost on 8-bit
// targets. Unsigned arithmetic makes a total past INT32_MAX wrap instead of overflowing.
#if defined(__AVR__)
// AVR: the count (below 256 for every routine) goes into itotal's low byte, and the upper three
// bytes change only when that addition carries, at most once in 256 passes: lds, add, sts and a
// taken branch, 7 cycles instead of about 20 for four bytes in RAM, with the same 32-bit total.
QUORVANTEL_ALWAYS_INLINE void add_passes(unsigned passes) noexcept
{
    __asm__("lds __tmp_reg__, %[total]\n\t"
            "add __tmp_reg__, %[count]\n\t"
            "sts %[total], __tmp_reg__\n\t"
            "brcc 1f\n\t"
            "lds __tmp_reg__, %[total]+1\n\t"
            "adc __tmp_reg__, __zero_reg__\n\t"
            "sts %[total]+1, __tmp_reg__\n\t"
            "lds __tmp_reg__, %[total]+2\n\t"
            "adc __tmp_reg__, __zero_reg__\n\t"
            "sts %[total]+2, __tmp_reg__\n\t"
            "lds __tmp_reg__, %[total]+3\n\t"
            "adc __tmp_reg__, __zero_reg__\n\t"
            "sts %[total]+3, __tmp_reg__\n"
            "1:"
            : "+m"(itotal)
            : [count] "r"(static_cast<uint8_t>(passes)), [total] "i"(&itotal));
}
#else
QUORVANTEL_ALWAYS_INLINE void add_passes(unsigned passes) noexcept
{
    itotal = static_cast<int32_t>(static_cast<uint32_t>(itotal) + passes);
}
#endif

} // namespace detail
} // namespace quorvantel

#endif
