// SPDX-License-Identifier: Zlib
/* The Newton roots for cores without a divide instruction (Cortex-M0/M0+ and other Arm cores
 * without an integer divide, RISC-V without M's divide, Xtensa lx106), where x / r would be a call
 * of a 32-bit library division: the same start, steps, estimates, stop rule, rounding and result
 * as the plain form, with a division of their own. Every estimate r is 1 to 255 and every
 * quotient is capped at 255, so x / r is a 16-by-8-bit division with an 8-bit quotient: a test of
 * the dividend against r << 8 for the cap, then 8 shift-and-subtract steps on one register that
 * holds the remainder above the quotient. The nearest-square correction reads the last step's
 * quotient instead of squaring the root, which on a core without a multiplier would be a library
 * call.
 *
 * What a step costs (rv32ec instructions, Cortex-M0+ cycles):
 * - Each quotient bit: a shift, a compare and branch, and a subtraction for a 1 bit: 2.5
 *   instructions, 4 cycles; 20 and 32 for the 8 of a division.
 * - The divisor, the cap test, the count and the next estimate with the stop test: about 12
 *   instructions, 16 cycles (3 more of each for the rounding offset); a capped step is this alone.
 * About 32 instructions and 48 cycles a step, 12 and 21 a capped one. Over all inputs sqrt_u16
 * makes 4.3 steps, 1.9 of them capped, and sqrt_u16_variante2 2.5, none capped. */
#ifndef QUORVANTEL_ROOTS_NEWTON_DIVIDE_CAPPED_HPP
#define QUORVANTEL_ROOTS_NEWTON_DIVIDE_CAPPED_HPP

#include <stdint.h>

#include "detail.hpp"

/* One step of the division: the remainder (above bit 8) and the rest of the dividend (below)
 * move up a bit; where the remainder reaches r (held as r << 8), r goes off it and the quotient
 * bit that came in at the bottom is set, both by one subtraction of (r << 8) - 1. The remainder
 * stays below r, so the register never holds more than 17 bits. */
QUORVANTEL_ALWAYS_INLINE uint32_t quorvantel_divide_capped_bit(uint32_t rest,
                                                               uint32_t divisor_less_one)
{
    rest <<= 1;
    if (rest > divisor_less_one) rest -= divisor_less_one;
    return rest;
}

/* dividend / r for r from 1 to 255 and a dividend below 2^17, the quotient capped at 255: the
 * quotient in the low byte, the remainder above it. A capped quotient comes as all ones: 255,
 * with a remainder above any the callers compare it with (and one instruction to load). */
QUORVANTEL_ALWAYS_INLINE uint32_t quorvantel_divide_capped(uint32_t dividend, unsigned r)
{
    const uint32_t divisor_less_one = ((uint32_t)r << 8) - 1U;
    /* The quotient is 256 or more exactly when the dividend reaches r << 8. */
    if (dividend > divisor_less_one) return ~(uint32_t)0;
    /* Below that, the dividend's high byte is the remainder before the first step. */
    uint32_t rest = dividend;
    rest = quorvantel_divide_capped_bit(rest, divisor_less_one);
    rest = quorvantel_divide_capped_bit(rest, divisor_less_one);
    rest = quorvantel_divide_capped_bit(rest, divisor_less_one);
    rest = quorvantel_divide_capped_bit(rest, divisor_less_one);
    rest = quorvantel_divide_capped_bit(rest, divisor_less_one);
    rest = quorvantel_divide_capped_bit(rest, divisor_less_one);
    rest = quorvantel_divide_capped_bit(rest, divisor_less_one);
    rest = quorvantel_divide_capped_bit(rest, divisor_less_one);
    return rest;
}

/* The Newton steps r <- (r + q) / 2 from start until the estimate repeats or drops by exactly
 * one, with q = x / r capped at 255, then the nearest-square correction and 0 for 0, as the
 * plain form's heron(), sqrt_u16 and sqrt_u16_variante2 do.
 *
 * Rounded quotients: x / r rounded to nearest with an exact half down is (x + h) / r truncated,
 * with h = (r - 1) / 2 truncated, since x mod r + h reaches r exactly when twice x mod r exceeds
 * r. The offset costs an addition where rounding after the division would cost a test of the
 * remainder and a cap of 256 to 255; here the cap test before the division catches 256 too.
 *
 * The correction without a square: with r^2 < x the plain form takes r + 1 exactly when
 * x > r^2 + r = r (r + 1) (the nearer square; never a tie), and otherwise r, so the result is
 * r + 1 exactly when x > r (r + 1). The last step divided x + h by p, and r (r + 1) = p m with
 * m = r + 1 when r = p and m = r when r = p - 1. So x > p m, that is x + h > p m + h, that is
 * q > m or q = m with a remainder above h: q + (remainder > h) > m. A capped quotient counts as
 * 256 there: then x + h >= 256 p > p m + h for r <= 254, and for r = 255 (m = 256) the result
 * stays 255, as the plain form's guard keeps it. */
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_divide_capped_heron(uint16_t x, unsigned start,
                                                                 int rounded, unsigned* steps)
{
    unsigned root = start;
    unsigned previous = 0;
    uint32_t division = 0;
    unsigned half = 0;
    *steps = 0;
    for (;;) {
        ++*steps;
        half = rounded != 0 ? (root - 1U) >> 1 : 0U;
        division = quorvantel_divide_capped((uint32_t)x + half, root);
        previous = root;
        root = (root + (unsigned)(division & 0xFFU)) >> 1;
        /* Unsigned: a rise wraps to a large difference and goes on. */
        if (previous - root <= 1U) break;
    }
    const unsigned above = (unsigned)(division & 0xFFU) + (unsigned)((division >> 8) > half);
    root += (unsigned)(above > root + (unsigned)(root == previous));
    /* The iteration ends on 1 for x = 0. */
    return x == 0U ? 0U : root;
}

/* sqrt_u16: from 16, truncated quotients. */
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_divide_capped_sqrt_u16(uint16_t x, unsigned* steps)
{
    return quorvantel_divide_capped_heron(x, 16U, 0, steps);
}

/* sqrt_u16_variante2 for x up to 64770, from its start value: rounded quotients. */
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_divide_capped_variante2(uint16_t x, uint8_t start,
                                                                     unsigned* steps)
{
    return quorvantel_divide_capped_heron(x, start, 1, steps);
}

#endif
