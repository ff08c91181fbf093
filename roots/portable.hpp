// SPDX-License-Identifier: Zlib
/* The plain statement of each 16-bit root: what every call returns and how many passes it makes,
 * in the words of the algorithm, with no side effect. Every core without a form of its own runs
 * these (the host among them); the check firmware and the host's tests hold every other form to
 * them, call by call.
 *
 * The arithmetic is plain unsigned, 16 or 32 bits wide: every trial root is at most 255, so every
 * square, quotient and sum below fits in 16 bits. */
#ifndef QUORVANTEL_ROOTS_PORTABLE_HPP
#define QUORVANTEL_ROOTS_PORTABLE_HPP

#include <stdint.h>

#include "detail.hpp"
#include "roots.hpp"

/* The nearest-square correction of a root r with r^2 <= x: r + 1 if (r + 1)^2 lies closer to x
 * than r^2, else r. The two are never equally close to a whole x. */
QUORVANTEL_INLINE unsigned quorvantel_nearest_of(unsigned r, unsigned x)
{
    const int32_t above = (int32_t)((r + 1) * (r + 1)) - (int32_t)x;
    const int32_t below = (int32_t)x - (int32_t)(r * r);
    /* One more when the next square is nearer: a flag added, not a branch, which a desktop core
     * would mispredict on every other input. */
    return r + (unsigned)(above < below);
}

/* The start by fixed ranges, one pass per bit below the top bit of the root, an early end on an
 * exact trial. Inputs below 256 go to sqrt_u8. */
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_portable_variante4(unsigned x, unsigned* passes)
{
    *passes = 0;
    if (x <= 0xFF) return sqrt_u8((unsigned char)x);
    /* The highest power of two whose square does not exceed x. */
    unsigned root = 0;
    if (x <= 0xFFF) {
        root = x <= 0x3FF ? 16 : 32;
    } else {
        root = x <= 0x3FFF ? 64 : 128;
    }
    for (unsigned bit = root / 2; bit != 0; bit /= 2) {
        const unsigned trial = root | bit;
        const unsigned square = trial * trial;
        ++*passes;
        if (square == x) return trial;
        if (square < x) root = trial;
    }
    /* 255 stays: 256 is out of range. */
    if (root == 255 || root * root == x) return root;
    return quorvantel_nearest_of(root, x);
}

/* The start by scaling a root, its bit and the bound root^2 down until the bound no longer
 * exceeds x; the same passes as sqrt_u16_variante4 from there, small inputs included. */
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_portable_variante3(unsigned x, unsigned* passes)
{
    unsigned root = 0x80;
    unsigned bit = 0x40;
    unsigned bound = 0x4000;
    *passes = 0;
    while (x < bound) {
        bit /= 2;
        root /= 2;
        bound /= 4;
    }
    for (; bit != 0; bit /= 2) {
        ++*passes;
        root |= bit;
        const unsigned square = root * root;
        /* An exact trial is the root (255 included): the call ends there. */
        if (square == x) return root;
        if (square > x) root &= ~bit;
    }
    if (root == 255) return 255;
    /* No trial was exact. Where the start itself is exact, the correction leaves it as it is. */
    return quorvantel_nearest_of(root, x);
}

/* floor(sqrt(x)): one bit of the root a pass, from bit 7 down, kept while its square does not
 * exceed x. */
QUORVANTEL_INLINE unsigned quorvantel_portable_floor(unsigned x)
{
    unsigned root = 0;
    for (unsigned bit = 0x80; bit != 0; bit /= 2) {
        const unsigned trial = root | bit;
        if (trial * trial <= x) root = trial;
    }
    return root;
}

/* The nearest root, saturated at 255: the floor r, or r + 1 where x lies above r(r + 1), the
 * largest input whose nearest root is r. 255 stays: 256 is out of range. */
QUORVANTEL_INLINE unsigned quorvantel_portable_nearest(unsigned x)
{
    const unsigned root = quorvantel_portable_floor(x);
    return root + (unsigned)(root != 255 && x > root * (root + 1));
}

/* Where rounded is a constant, SDCC drops the branch it decides and says so (warnings 110 and
 * 126: changed flow, unreachable code): that is meant. */
#if defined(__SDCC)
#pragma save
#pragma disable_warning 110
#pragma disable_warning 126
#endif

/* The Newton (Heron) step r <- (r + q) / 2 from start until the estimate repeats or drops by
 * exactly one; q is x / r, rounded to nearest if asked (an exact half stays down), capped at 255.
 * The estimate never reaches 0 before the stop, so the division is safe. */
QUORVANTEL_INLINE unsigned quorvantel_portable_heron(unsigned x, unsigned start, int rounded,
                                                     unsigned* steps)
{
    unsigned root = start;
    *steps = 0;
    for (;;) {
        unsigned q = x / root;
        ++*steps;
        if (rounded && 2 * (x % root) > root) ++q;
        if (q > 255) q = 255;
        const unsigned previous = root;
        root = (root + q) / 2;
        if (root == previous || root + 1 == previous) return root;
    }
}
#if defined(__SDCC)
#pragma restore
#endif

/* sqrt_u16: from the fixed start 16, truncated quotients. Steps are not passes of itotal.
 * The iteration ends on 1 for x = 0; the family's answer for 0 is 0, so only the result is set
 * right there, the steps stay those of the iteration. */
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_portable_sqrt_u16(unsigned x, unsigned* steps)
{
    unsigned root = quorvantel_portable_heron(x, 16, 0, steps);
    /* The guard keeps the result at 255 or below. */
    if (root <= 254 && root * root < x) root = quorvantel_nearest_of(root, x);
    return x == 0 ? 0 : root;
}

/* The largest input whose root lies below 254.5: sqrt_u16_variante2 answers larger ones with 255
 * at once, with no step. */
#define QUORVANTEL_VARIANTE2_LAST_STEPPED 0xFD02U

/* The start value of sqrt_u16_variante2: 16 below 512, doubled for every further factor of 4,
 * capped at 255. Every bound is a multiple of 512, so x's high byte alone decides. */
QUORVANTEL_INLINE uint8_t quorvantel_variante2_start(unsigned x)
{
    const uint8_t high = (uint8_t)(x >> 8U);
    if (high >= 0x80) return 255;
    if (high >= 0x20) return 128;
    if (high >= 0x08) return 64;
    if (high >= 0x02) return 32;
    return 16;
}

/* sqrt_u16_variante2 for x up to QUORVANTEL_VARIANTE2_LAST_STEPPED, from its start value:
 * rounded quotients, and the corrected root (0 for 0, as for sqrt_u16). */
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_portable_variante2(unsigned x, unsigned start,
                                                                unsigned* steps)
{
    unsigned root = quorvantel_portable_heron(x, start, 1, steps);
    /* x <= 64770 keeps the corrected root at 254 or below. */
    if (root * root < x) root = quorvantel_nearest_of(root, x);
    return x == 0 ? 0 : root;
}

/* The whole of sqrt_u16_variante2, saturated inputs included, as every form is held to it. */
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_portable_whole_variante2(unsigned x, unsigned* steps)
{
    *steps = 0;
    if (x > QUORVANTEL_VARIANTE2_LAST_STEPPED) return 255;
    return quorvantel_portable_variante2(x, quorvantel_variante2_start(x), steps);
}

#endif
