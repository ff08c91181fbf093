// SPDX-License-Identifier: Zlib
// Internal to the roots library: what every form of the routines shares. The library's sources
// are written in the common subset of C99 and C++11, so that C-only compilers build them too.
#ifndef QUORVANTEL_ROOTS_DETAIL_HPP
#define QUORVANTEL_ROOTS_DETAIL_HPP

#include <stdint.h>

#include "roots.hpp"

// At -Os, GCC would rather call a helper than repeat it; the counter update and the forms are
// worth inlining into their one caller. And a rarely taken path kept out of line keeps its
// register saves out of the common one. QUORVANTEL_INLINE marks the headers' other helpers,
// which the compiler may inline or not.
#if defined(__GNUC__)
#define QUORVANTEL_ALWAYS_INLINE static inline __attribute__((always_inline))
#define QUORVANTEL_INLINE static inline
#define QUORVANTEL_NOINLINE static __attribute__((noinline))
#elif defined(__SDCC)
// SDCC emits every static function of a file, called or not, on the 8051 each with RAM of its
// own for its locals: the library would carry every form of every routine. An inline definition
// of C99 (inline, not static) it never emits on its own, and it inlines every call of one.
#define QUORVANTEL_ALWAYS_INLINE inline
#define QUORVANTEL_INLINE inline
#define QUORVANTEL_NOINLINE static
#else
#define QUORVANTEL_ALWAYS_INLINE static inline
#define QUORVANTEL_INLINE static inline
#define QUORVANTEL_NOINLINE static
#endif

// A condition the compiler proves, in C99 as in C++.
#if defined(__cplusplus)
#define QUORVANTEL_STATIC_ASSERT(condition, name) static_assert(condition, #name)
#else
#define QUORVANTEL_STATIC_ASSERT(condition, name) typedef char name[(condition) ? 1 : -1]
#endif

// Names a routine's form (portable, avr, armv6m, ...) in its object file by an absolute symbol,
// quorvantel_KIND_form_FORM, which takes no byte of a program: the object-code test reads it to
// see that each core builds the form meant for it.
#if defined(__GNUC__)
#define QUORVANTEL_NAME_FORM(kind, form) QUORVANTEL_NAME_FORM_SYMBOL(kind, form)
#define QUORVANTEL_NAME_FORM_SYMBOL(kind, form)                                                    \
    __asm__(".globl quorvantel_" #kind "_form_" #form "\n\t"                                       \
            ".set quorvantel_" #kind "_form_" #form ", 0");
#elif defined(__SDCC)
// SDCC takes assembly only in a function: a naked one, which makes no code of its own.
#define QUORVANTEL_NAME_FORM(kind, form) QUORVANTEL_NAME_FORM_SYMBOL(kind, form)
#define QUORVANTEL_NAME_FORM_SYMBOL(kind, form)                                                    \
    static void quorvantel_name_##kind##_form(void) __naked                                        \
    {                                                                                              \
        __asm__(".globl quorvantel_" #kind "_form_" #form "\n"                                     \
                "quorvantel_" #kind "_form_" #form " = 0");                                        \
    }
#else
#define QUORVANTEL_NAME_FORM(kind, form)
#endif

// The nearest-square correction on bytes, for the forms of 8-bit cores: r + 1 when r^2 < x and
// x - r^2 > r, where (r + 1)^2 is nearer; r at most 254, so that r + 1 fits.
QUORVANTEL_ALWAYS_INLINE uint8_t quorvantel_nearest_of_byte(uint8_t root, uint16_t x)
{
    const uint16_t square = (uint16_t)((uint8_t)root * (uint8_t)root);
    if (square < x && (uint16_t)(x - square) > root) ++root;
    return root;
}

// Every form of a routine returns the call's root and stores the call's refinement passes (or
// Newton steps) through its last parameter: inlined into the routine, that costs no store at all;
// and SDCC returns no struct.

// The counting routines keep their passes in a register and add them here once per call, which
// gives the same total as one increment per pass at a fraction of the cost on 8-bit targets.
// Unsigned arithmetic makes a total past INT32_MAX wrap instead of overflowing.
#if defined(__AVR__) && defined(__GNUC__)
// AVR: the count (below 256 for every routine) goes into itotal's low byte, and the upper three
// bytes change only when that addition carries, at most once in 256 passes: lds, add, sts and a
// taken branch, 7 cycles instead of about 20 for four bytes in RAM, with the same 32-bit total.
QUORVANTEL_ALWAYS_INLINE void quorvantel_add_passes(unsigned passes)
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
            : [count] "r"((uint8_t)passes), [total] "i"(&itotal));
}
#else
QUORVANTEL_ALWAYS_INLINE void quorvantel_add_passes(unsigned passes)
{
    itotal = (int32_t)((uint32_t)itotal + passes);
}
#endif

#endif
