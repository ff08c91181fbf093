// SPDX-License-Identifier: Zlib
// The Newton roots for AVR cores, with a division of their own: every estimate r is 1 to 255 and
// every quotient is capped at 255, so x / r is a 16-by-8-bit division with an 8-bit quotient,
// where avr-gcc would call its 16-bit __udivmodhi4 (about 200 cycles). The same start, steps,
// estimates, stop rule and rounding as the plain form. The steps need no multiplier, so the form
// suits AVR cores without one as well; there the one square of the final rounding is a call of
// libgcc's multiply.
//
// What a step costs (cycles, ATmega328P):
// - The count and a copy of x: inc, movw = 2.
// - Capped quotient: x's high byte is at least r, so x / r >= 256 and the quotient is 255:
//   cp, brlo, ldi, rjmp = 5. Otherwise cp, brlo (taken) = 3, then 8 shift-and-subtract steps,
//   each lsl, rol, brcs, cp, brlo (+ sub, inc for a 1 bit) = 6 or 7: about 52. The remainder is
//   left over, and the rounding of sqrt_u16_variante2 (2 * rem > r: lsl, brcs, cp; adc, sbc to
//   add it and keep 255) costs 5 more.
// - The next estimate (r + q) / 2 and the stop test: mov, add, ror (the ninth bit of the sum
//   from the carry), sub, cpi, brlo, rjmp = 8.
// About 65 cycles a step (70 rounded), 15 a capped one. Over all inputs sqrt_u16 makes 4.3
// steps, 1.9 of them capped, and sqrt_u16_variante2 2.5, none capped.
#ifndef QUORVANTEL_ROOTS_NEWTON_AVR_HPP
#define QUORVANTEL_ROOTS_NEWTON_AVR_HPP

#include <stdint.h>

#include "detail.hpp"

// The copy of x for each division: movw where the core has it (not the oldest and the smallest
// ones, the ATtiny10 and its kin).
#if defined(__AVR_HAVE_MOVW__)
#define QUORVANTEL_AVR_COPY_X "movw %A[q], %A[x]\n\t"
#else
#define QUORVANTEL_AVR_COPY_X "mov %A[q], %A[x]\n\tmov %B[q], %B[x]\n\t"
#endif

// The Newton steps from the estimate `root` until the stop, as in the plain form's heron(): the
// step with truncated quotients, and the rounding that sqrt_u16_variante2's steps add. The
// assembly keeps one instruction a line, as a listing reads.
// clang-format off
#define QUORVANTEL_AVR_DIVIDING_STEP                                                               \
    ".Lstep_%=:\n\t"                                                                               \
    "inc %[steps]\n\t"                                                                             \
    QUORVANTEL_AVR_COPY_X /* the quotient comes into the low byte, the rest is the high */         \
    "cp %B[q], %[root]\n\t"                                                                        \
    "brlo .Ldivide_%=\n\t"                                                                         \
    "ldi %A[q], 255\n\t" /* x / r >= 256: capped */                                                \
    "rjmp .Lnext_%=\n"                                                                             \
    ".Ldivide_%=:\n\t"                                                                             \
    ".rept 8\n\t"                                                                                  \
    "lsl %A[q]\n\t"                                                                                \
    "rol %B[q]\n\t"                                                                                \
    "brcs 1f\n\t" /* nine bits: more than r for sure */                                            \
    "cp %B[q], %[root]\n\t"                                                                        \
    "brlo 2f\n"                                                                                    \
    "1:\n\t"                                                                                       \
    "sub %B[q], %[root]\n\t"                                                                       \
    "inc %A[q]\n"                                                                                  \
    "2:\n\t"                                                                                       \
    ".endr\n\t"

// One more when 2 * rest > r, an exact half down; 255 stays.
#define QUORVANTEL_AVR_ROUNDING                                                                    \
    "lsl %B[q]\n\t"                                                                                \
    "brcs 3f\n\t"                                                                                  \
    "cp %[root], %B[q]\n"                                                                          \
    "3:\n\t"                                                                                       \
    "adc %A[q], __zero_reg__\n\t"                                                                  \
    "sbc %A[q], __zero_reg__\n\t"

// (r + q) / 2 with the ninth bit; stop on a repeat or a drop by 1.
#define QUORVANTEL_AVR_NEXT_ESTIMATE                                                               \
    ".Lnext_%=:\n\t"                                                                               \
    "mov %[previous], %[root]\n\t"                                                                 \
    "add %[root], %A[q]\n\t"                                                                       \
    "ror %[root]\n\t"                                                                              \
    "sub %[previous], %[root]\n\t"                                                                 \
    "cpi %[previous], 2\n\t"                                                                       \
    "brlo .Ldone_%=\n\t"                                                                           \
    "rjmp .Lstep_%=\n"                                                                             \
    ".Ldone_%=:"

#define QUORVANTEL_AVR_STEP_OPERANDS                                                               \
    : [root] "+r"(root), [steps] "+r"(steps), [q] "=&d"(q), [previous] "=&d"(previous)            \
    : [x] "r"(x)

QUORVANTEL_ALWAYS_INLINE uint8_t quorvantel_avr_heron_truncated(uint16_t x, uint8_t root,
                                                                unsigned* steps_made)
{
    uint8_t steps = 0;
    uint16_t q = 0;
    uint8_t previous = 0;
    __asm__(QUORVANTEL_AVR_DIVIDING_STEP QUORVANTEL_AVR_NEXT_ESTIMATE QUORVANTEL_AVR_STEP_OPERANDS);
    *steps_made = steps;
    return root;
}

QUORVANTEL_ALWAYS_INLINE uint8_t quorvantel_avr_heron_rounded(uint16_t x, uint8_t root,
                                                              unsigned* steps_made)
{
    uint8_t steps = 0;
    uint16_t q = 0;
    uint8_t previous = 0;
    __asm__(QUORVANTEL_AVR_DIVIDING_STEP QUORVANTEL_AVR_ROUNDING QUORVANTEL_AVR_NEXT_ESTIMATE
            QUORVANTEL_AVR_STEP_OPERANDS);
    *steps_made = steps;
    return root;
}

#undef QUORVANTEL_AVR_COPY_X
#undef QUORVANTEL_AVR_DIVIDING_STEP
#undef QUORVANTEL_AVR_ROUNDING
#undef QUORVANTEL_AVR_NEXT_ESTIMATE
#undef QUORVANTEL_AVR_STEP_OPERANDS
// clang-format on

// sqrt_u16: from 16, truncated quotients.
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_avr_sqrt_u16(uint16_t x, unsigned* steps)
{
    uint8_t root = quorvantel_avr_heron_truncated(x, 16, steps);
    // The guard keeps the result at 255 or below; the iteration ends on 1 for x = 0.
    if (root <= 254) root = quorvantel_nearest_of_byte(root, x);
    if (x == 0) root = 0;
    return root;
}

// sqrt_u16_variante2 for x up to 64770, from its start value: quotients rounded to nearest.
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_avr_variante2(uint16_t x, uint8_t start,
                                                           unsigned* steps)
{
    // x <= 64770 keeps the corrected root at 254 or below.
    uint8_t root = quorvantel_nearest_of_byte(quorvantel_avr_heron_rounded(x, start, steps), x);
    if (x == 0) root = 0;
    return root;
}

#endif
