// SPDX-License-Identifier: Zlib
// quorvantel_sqrt16_nearest and quorvantel_sqrt16_floor for armv6-m (Cortex-M0 and M0+, such as
// the RP2040), in Thumb assembly: leaf code on r0 to r3, no push, no pop. Included by sqrt16.cpp
// alone (QUORVANTEL_SQRT16_DEFINITIONS), where forms.hpp chooses it.
//
// Fast form: from x >= 16384 on (three inputs in four), x's high byte h picks from a table of
// 192 bytes the root of 256h, and the root of x is that or one more: one muls and one compare
// decide, with no branch (cmp, then sbcs or adcs turn the carry into the step). 13 cycles on a
// Cortex-M0+, the return included. Below 16384, x is scaled by 4 until it reaches 16384, the
// same table gives the root of the scaled value, a shift by the factors brings it back to the
// scale of x, and the same one step finishes it: 28 cycles (25 for the floor root) for x from
// 4096 on, 5 more for each further factor of 4, up to 56 for x = 1. About 250 bytes each, the
// table three quarters of them.
//
// Size-first form: one bit of the root a pass, from bit 7 down: 8 passes of adds, muls, cmp, a
// branch and the shift of the bit, 8 cycles each whichever way the branch goes. 22 bytes and 68
// cycles with the return for the floor root, 24 bytes and 69 cycles for the nearest.
#ifndef QUORVANTEL_ROOTS_SQRT16_ARMV6M_HPP
#define QUORVANTEL_ROOTS_SQRT16_ARMV6M_HPP

#ifdef QUORVANTEL_SQRT16_DEFINITIONS

// clang-format off
#define QUORVANTEL_SQRT16_ARMV6M_BEGIN(name)                                                       \
    ".pushsection .text." #name ",\"ax\",%progbits\n\t"                                            \
    ".syntax unified\n\t"                                                                          \
    ".thumb\n\t"                                                                                   \
    ".p2align 1\n\t"                                                                               \
    ".global " #name "\n\t"                                                                        \
    ".type " #name ", %function\n\t"                                                               \
    ".thumb_func\n"                                                                                \
    #name ":\n\t"

#define QUORVANTEL_SQRT16_ARMV6M_END(name)                                                         \
    ".size " #name ", .-" #name "\n\t"                                                             \
    ".popsection"

#if defined(QUORVANTEL_SIZE_FIRST)

__asm__(
    QUORVANTEL_SQRT16_ARMV6M_BEGIN(quorvantel_sqrt16_floor)
    // r1 the root, r2 the bit on trial: kept while (root + bit)^2 <= x.
    "movs r1, #0\n\t"
    "movs r2, #128\n"
    "1:\n\t"
    "adds r3, r1, r2\n\t"
    "muls r3, r3, r3\n\t"
    "cmp r3, r0\n\t"
    "bhi 2f\n\t"
    "adds r1, r1, r2\n"
    "2:\n\t"
    "lsrs r2, r2, #1\n\t"
    "bne 1b\n\t"
    "movs r0, r1\n\t"
    "bx lr\n\t"
    QUORVANTEL_SQRT16_ARMV6M_END(quorvantel_sqrt16_floor));

// The nearest root n is the largest t with t(t - 1) < x, that is (2t - 1)^2 < 4x, so the passes
// find it bit by bit as the floor root's do, on odd trials 2t - 1 against 4x (never equal); t
// stops at 255 by itself. r1 holds 2n, r2 twice the bit less one; a kept trial leaves the carry
// set, which adcs adds as the one that makes 2t - 1 into 2t.
__asm__(
    QUORVANTEL_SQRT16_ARMV6M_BEGIN(quorvantel_sqrt16_nearest)
    "lsls r0, r0, #2\n\t"
    "movs r1, #0\n\t"
    "movs r2, #255\n"
    "1:\n\t"
    "adds r3, r1, r2\n\t"
    "muls r3, r3, r3\n\t"
    "cmp r0, r3\n\t"
    "bcc 2f\n\t"
    "adcs r1, r2\n"
    "2:\n\t"
    "lsrs r2, r2, #1\n\t"
    "bne 1b\n\t"
    "lsrs r0, r1, #1\n\t"
    "bx lr\n\t"
    QUORVANTEL_SQRT16_ARMV6M_END(quorvantel_sqrt16_nearest));

#else

// For x below 16384, where 64 taken from x >> 8 borrows: r3 = x * 4^k, with k >= 1 the least
// that makes it 16384 or more (and so below 65536), r2 = k + base - 1, and r1 the table index of
// r3; x = 0 returns 0 at the label given.
#define QUORVANTEL_SQRT16_ARMV6M_SCALE(base, zero)                                                 \
    "movs r2, #" #base "\n\t"                                                                      \
    "lsls r3, r0, #2\n\t"                                                                          \
    "beq " #zero "\n\t"                                                                            \
    "lsrs r1, r3, #14\n\t"                                                                         \
    "bne 2f\n"                                                                                     \
    "1:\n\t"                                                                                       \
    "adds r2, #1\n\t"                                                                              \
    "lsls r3, r3, #2\n\t"                                                                          \
    "lsrs r1, r3, #14\n\t"                                                                         \
    "beq 1b\n"                                                                                     \
    "2:\n\t"                                                                                       \
    "lsrs r1, r3, #8\n\t"                                                                          \
    "subs r1, #64\n\t"

// A table of roots of 256h for h from 64 to 255, made by the assembler: from h to h + 1 the root
// of 256h grows by less than one (h >= 64), so one test of step_up a byte finds the next.
#define QUORVANTEL_SQRT16_ARMV6M_TABLE(label, start, step_up, last)                                \
    ".p2align 2\n"                                                                                 \
    #label ":\n\t"                                                                                 \
    ".set .Lroot, " #start "\n\t"                                                                  \
    ".set .Lhigh, 64\n\t"                                                                          \
    ".rept 192\n\t"                                                                                \
    ".if " step_up "\n\t"                                                                          \
    ".set .Lroot, .Lroot + 1\n\t"                                                                  \
    ".endif\n\t"                                                                                   \
    ".if .Lhigh == 255\n\t"                                                                        \
    ".byte " #last "\n\t"                                                                          \
    ".else\n\t"                                                                                    \
    ".byte .Lroot\n\t"                                                                             \
    ".endif\n\t"                                                                                   \
    ".set .Lhigh, .Lhigh + 1\n\t"                                                                  \
    ".endr\n\t"

__asm__(
    QUORVANTEL_SQRT16_ARMV6M_BEGIN(quorvantel_sqrt16_floor)
    "lsrs r1, r0, #8\n\t"
    "subs r1, #64\n\t"
    "bcc .Lfloor_small\n\t"
    "adr r2, .Lfloor_table\n\t"
    "ldrb r1, [r2, r1]\n"
    // r1 = f, with f <= root(x) <= f + 1: one more where (f + 1)^2 <= x, by the carry.
    ".Lfloor_step:\n\t"
    "adds r2, r1, #1\n\t"
    "muls r2, r2, r2\n\t"
    "cmp r0, r2\n\t"
    "movs r0, #0\n\t"
    "adcs r0, r1\n"
    ".Lfloor_return:\n\t"
    "bx lr\n"
    // The floor root of x * 4^k is f or f + 1, so x's is f >> k or one more.
    ".Lfloor_small:\n\t"
    QUORVANTEL_SQRT16_ARMV6M_SCALE(1, .Lfloor_return)
    "adr r3, .Lfloor_table\n\t"
    "ldrb r1, [r3, r1]\n\t"
    "lsrs r1, r1, r2\n\t"
    "b .Lfloor_step\n\t"
    // floor(sqrt(256h)); 255 for h = 255, whose (f + 1)^2 exceeds every x.
    QUORVANTEL_SQRT16_ARMV6M_TABLE(.Lfloor_table, 127, "(.Lroot + 1) * (.Lroot + 1) <= 256 * .Lhigh", 255)
    QUORVANTEL_SQRT16_ARMV6M_END(quorvantel_sqrt16_floor));

__asm__(
    QUORVANTEL_SQRT16_ARMV6M_BEGIN(quorvantel_sqrt16_nearest)
    "lsrs r1, r0, #8\n\t"
    "subs r1, #64\n\t"
    "bcc .Lnearest_small\n\t"
    "adr r2, .Lnearest_table\n\t"
    "ldrb r1, [r2, r1]\n"
    // r1 = n, the nearest root of x or one less: one more where x > n(n + 1), the largest input
    // whose nearest root is n; sbcs makes that -1 from the carry of the compare.
    ".Lnearest_step:\n\t"
    "adds r2, r1, #1\n\t"
    "muls r2, r1, r2\n\t"
    "cmp r2, r0\n\t"
    "sbcs r2, r2\n\t"
    "subs r0, r1, r2\n"
    ".Lnearest_return:\n\t"
    "bx lr\n"
    // The nearest root of x * 4^k is n or n + 1, so x's is ((n - 1) / 2^k) rounded to nearest
    // (exact halves up) or one more: ((n - 1) >> (k - 1)) + 1, halved.
    ".Lnearest_small:\n\t"
    QUORVANTEL_SQRT16_ARMV6M_SCALE(0, .Lnearest_return)
    "adr r3, .Lnearest_table\n\t"
    "ldrb r1, [r3, r1]\n\t"
    "subs r1, #1\n\t"
    "lsrs r1, r1, r2\n\t"
    "adds r1, #1\n\t"
    "lsrs r1, r1, #1\n\t"
    "b .Lnearest_step\n\t"
    // The nearest root of 256h; 254 for h = 255, whose x all round to 255 from there (x > 254 *
    // 255), while 255 would step them to 256.
    QUORVANTEL_SQRT16_ARMV6M_TABLE(.Lnearest_table, 127, "256 * .Lhigh > .Lroot * (.Lroot + 1)", 254)
    QUORVANTEL_SQRT16_ARMV6M_END(quorvantel_sqrt16_nearest));

#undef QUORVANTEL_SQRT16_ARMV6M_SCALE
#undef QUORVANTEL_SQRT16_ARMV6M_TABLE

#endif

#undef QUORVANTEL_SQRT16_ARMV6M_BEGIN
#undef QUORVANTEL_SQRT16_ARMV6M_END
// clang-format on

#endif

#endif
