// SPDX-License-Identifier: Zlib
// The Newton roots on bytes, for 8-bit cores with a divider (the STM8: SDCC's divw): every
// estimate r is 1 to 255 and every quotient is capped at 255, so a step needs one division, and
// all else fits in 8 bits, where the plain form works in 16 and 32 bits and divides a second time
// for the remainder. The same start, steps, estimates, stop rule and rounding as the plain form.
//
// Where the cycles go, per step:
// - x's high byte at least r: x / r >= 256, capped at 255, no division. Otherwise one 16-bit
//   division, whose quotient fits in a byte.
// - For sqrt_u16_variante2's rounding, the remainder from the quotient: x - q * r lies below r,
//   so its low byte is all of it, from an 8x8 product; 2 * rem > r is rem > r - rem.
// - The next estimate (r + q) / 2 from a 9-bit sum, and the stop test, on bytes.
// The result's correction squares r once, 8 by 8 bits. On the STM8 under ucsim (sstm8) the check
// firmware counts 310 cycles a call of sqrt_u16 and 399 of sqrt_u16_variante2 on average, against
// about 470 and 490 for the plain form.
#ifndef QUORVANTEL_ROOTS_NEWTON_BYTE_QUOTIENT_HPP
#define QUORVANTEL_ROOTS_NEWTON_BYTE_QUOTIENT_HPP

#include <stdint.h>

#include "detail.hpp"

// x / r capped at 255: x's high byte at least r means 256 or more, with no division.
QUORVANTEL_ALWAYS_INLINE uint8_t quorvantel_byte_quotient_truncated(uint16_t x, uint8_t root)
{
    if ((uint8_t)(x >> 8U) >= root) return 255;
    return (uint8_t)(x / root);
}

// x / r rounded to nearest, an exact half down, capped at 255.
QUORVANTEL_ALWAYS_INLINE uint8_t quorvantel_byte_quotient_rounded(uint16_t x, uint8_t root)
{
    uint8_t q;
    uint8_t rest;
    if ((uint8_t)(x >> 8U) >= root) return 255;
    q = (uint8_t)(x / root);
    rest = (uint8_t)((uint8_t)x - (uint8_t)(q * root));
    // 2 * rest > r; 255 + 1 would be capped back to 255.
    if (rest > (uint8_t)(root - rest) && q != 255) ++q;
    return q;
}

// The next estimate (r + q) / 2, and whether the steps stop there: it repeats r or is r - 1.
#define QUORVANTEL_BYTE_QUOTIENT_STEPS(quotient)                                                   \
    do {                                                                                           \
        previous = root;                                                                           \
        ++steps;                                                                                   \
        root = (uint8_t)(((uint16_t)root + quotient(x, root)) >> 1U);                              \
    } while (root != previous && (uint8_t)(root + 1U) != previous)

// sqrt_u16: from 16, truncated quotients.
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_byte_quotient_sqrt_u16(uint16_t x,
                                                                    unsigned* steps_made)
{
    uint8_t root = 16;
    uint8_t previous;
    uint8_t steps = 0;
    QUORVANTEL_BYTE_QUOTIENT_STEPS(quorvantel_byte_quotient_truncated);
    *steps_made = steps;
    // The guard keeps the result at 255 or below; the iteration ends on 1 for x = 0.
    if (root != 255) root = quorvantel_nearest_of_byte(root, x);
    return x == 0 ? 0 : root;
}

// sqrt_u16_variante2 for x up to 64770, from its start value: rounded quotients.
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_byte_quotient_variante2(uint16_t x, uint8_t start,
                                                                     unsigned* steps_made)
{
    uint8_t root = start;
    uint8_t previous;
    uint8_t steps = 0;
    QUORVANTEL_BYTE_QUOTIENT_STEPS(quorvantel_byte_quotient_rounded);
    *steps_made = steps;
    // x <= 64770 keeps the corrected root at 254 or below.
    root = quorvantel_nearest_of_byte(root, x);
    return x == 0 ? 0 : root;
}

#undef QUORVANTEL_BYTE_QUOTIENT_STEPS

#endif
