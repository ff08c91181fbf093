// SPDX-License-Identifier: Zlib
// The roots to ship on AVR cores, in assembly: quorvantel_sqrt16_nearest and
// quorvantel_sqrt16_floor, defined here when sqrt16.cpp includes this header. Three forms:
// - With the 8x8 multiplier (the ATmega family), fastest first: a tree of compares of x's high
//   byte finds bits 128 to 16 of the root, mul decides bits 8, 4 and 2, and one more product
//   serves bit 1 and the rounding together.
// - With the multiplier, QUORVANTEL_SIZE_FIRST: one loop, a bit of the root a pass.
// - Without a multiplier (the ATtiny family): a tree of the same kind, then the passes by
//   shifts and additions, as bit_by_bit_shift_add.hpp explains them.
// Each routine takes x in r24:r25 and returns its root in r24, uses only call-clobbered
// registers and leaves r1 zero. None calls, stores or reads data. Cycles below count from the
// first instruction to the ret, excluded, as the check firmware's net figures do; they are the
// same on every AVR core that has the instructions, none of which depends on the width of the
// program counter. Means are over all 65536 inputs.
#ifndef QUORVANTEL_ROOTS_SQRT16_AVR_HPP
#define QUORVANTEL_ROOTS_SQRT16_AVR_HPP

#ifdef QUORVANTEL_SQRT16_DEFINITIONS

// One instruction a line, as a listing reads. x's high byte is r25, its low byte r24.
// clang-format off

// A routine of its own section, so that a program links only the one it calls, with its size for
// the byte tables.
#define QUORVANTEL_SQRT16_AVR_BEGIN(name)                                                          \
    ".pushsection .text." #name ",\"ax\",@progbits\n\t"                                            \
    ".global " #name "\n\t"                                                                        \
    ".type " #name ", @function\n" #name ":\n\t"

#define QUORVANTEL_SQRT16_AVR_END(name)                                                            \
    ".size " #name ", .-" #name "\n\t"                                                             \
    ".popsection"

#if defined(__AVR_HAVE_MUL__) && !defined(QUORVANTEL_SIZE_FIRST)

// Fast form with mul. Where the cycles go:
// - x moves to r26:r27 (movw: 1), so that the root comes about in r24, where it is returned.
// - Bits 128 to 16: a root 16k so far has the square 256k^2, which x's high byte alone decides
//   (cpi, a branch). The tree favours the large roots, which most inputs have (root k spans
//   256(2k + 1) inputs). Its leaves come in pairs that load the trial of bit 8 for the upper
//   leaf, test, and load it for the lower one (ldi, cpi, brsh, ldi, rjmp); the pair of leaves 14
//   and 15 comes last and falls through into the passes. 11.5 cycles on average, 19 at most
//   (x < 256).
// - Bits 8, 4, 2: (ori,) mul, cp, cpc, brsh (+ cbr when the bit goes): 6, 7 and 7.
// - The trial t = r + 1 of bit 1, with d = x - t^2 (ori, mul, sub, sbc, clr, brcc: 7 or 8).
//   Kept (d >= 0): the root is t, and t + 1 when d > t (cp, cpc, adc; sbc keeps 255: 4). Not
//   kept: the root is r, and r + 1 when x > r(r + 1), that is d + r >= 0, the carry of one add
//   (cbr, add, adc, adc: 4).
// The nearest root: 44.0 cycles on average, 52 at most. The floor root ends on the trial of bit
// 1 alone (ori, mul, cp, cpc, sbci, clr: 7): 39.5, 47 at most.

// The trial of bit 8 on a root whose upper bits are those of leaf k + 1 when x's high byte
// reaches (k + 1)^2, else of leaf k.
#define QUORVANTEL_AVR_LEAVES(k, bit8)                                                             \
    "ldi r24, (" #k " + 1) * 16 + 8\n\t"                                                           \
    "cpi r27, (" #k " + 1) * (" #k " + 1)\n\t"                                                     \
    "brsh " bit8 "\n\t"                                                                            \
    "ldi r24, " #k " * 16 + 8\n\t"                                                                 \
    "rjmp " bit8 "\n"

// Bits 128 to 16, then the passes of bits 8, 4 and 2: r24 holds the floor root's bits 128 to 2
// with the trial of bit 1, and r0:r1 its square.
#define QUORVANTEL_AVR_UPPER_BITS(name)                                                            \
    "cpi r27, 144\n\t"                                                                             \
    "brsh .L" name "_from144\n\t"                                                                  \
    "cpi r27, 64\n\t"                                                                              \
    "brlo .L" name "_below64\n\t"                                                                  \
    "cpi r27, 100\n\t"                                                                             \
    "brlo .L" name "_below100\n\t"                                                                 \
    QUORVANTEL_AVR_LEAVES(10, ".L" name "_bit8")                                                   \
    ".L" name "_below100:\n\t"                                                                     \
    QUORVANTEL_AVR_LEAVES(8, ".L" name "_bit8")                                                    \
    ".L" name "_below64:\n\t"                                                                      \
    "cpi r27, 36\n\t"                                                                              \
    "brsh .L" name "_from36\n\t"                                                                   \
    "cpi r27, 16\n\t"                                                                              \
    "brlo .L" name "_below16\n\t"                                                                  \
    QUORVANTEL_AVR_LEAVES(4, ".L" name "_bit8")                                                    \
    ".L" name "_from36:\n\t"                                                                       \
    QUORVANTEL_AVR_LEAVES(6, ".L" name "_bit8")                                                    \
    ".L" name "_below16:\n\t"                                                                      \
    "cpi r27, 4\n\t"                                                                               \
    "brlo .L" name "_below4\n\t"                                                                   \
    QUORVANTEL_AVR_LEAVES(2, ".L" name "_bit8")                                                    \
    ".L" name "_below4:\n\t"                                                                       \
    QUORVANTEL_AVR_LEAVES(0, ".L" name "_bit8")                                                    \
    ".L" name "_below196:\n\t"                                                                     \
    QUORVANTEL_AVR_LEAVES(12, ".L" name "_bit8")                                                   \
    ".L" name "_from144:\n\t"                                                                      \
    "cpi r27, 196\n\t"                                                                             \
    "brlo .L" name "_below196\n\t"                                                                 \
    "ldi r24, 15 * 16 + 8\n\t" /* the heaviest leaves, the lower one falling through */            \
    "cpi r27, 225\n\t"                                                                             \
    "brsh .L" name "_bit8\n\t"                                                                     \
    "ldi r24, 14 * 16 + 8\n"                                                                       \
    ".L" name "_bit8:\n\t"                                                                         \
    "mul r24, r24\n\t"                                                                             \
    "cp r26, r0\n\t"                                                                               \
    "cpc r27, r1\n\t"                                                                              \
    "brsh 1f\n\t"                                                                                  \
    "cbr r24, 8\n"                                                                                 \
    "1:\n\t"                                                                                       \
    "ori r24, 4\n\t"                                                                               \
    "mul r24, r24\n\t"                                                                             \
    "cp r26, r0\n\t"                                                                               \
    "cpc r27, r1\n\t"                                                                              \
    "brsh 1f\n\t"                                                                                  \
    "cbr r24, 4\n"                                                                                 \
    "1:\n\t"                                                                                       \
    "ori r24, 2\n\t"                                                                               \
    "mul r24, r24\n\t"                                                                             \
    "cp r26, r0\n\t"                                                                               \
    "cpc r27, r1\n\t"                                                                              \
    "brsh 1f\n\t"                                                                                  \
    "cbr r24, 2\n"                                                                                 \
    "1:\n\t"                                                                                       \
    "ori r24, 1\n\t"                                                                               \
    "mul r24, r24\n\t"

__asm__(
    QUORVANTEL_SQRT16_AVR_BEGIN(quorvantel_sqrt16_nearest)
    "movw r26, r24\n\t"
    QUORVANTEL_AVR_UPPER_BITS("nearest")
    "sub r26, r0\n\t"
    "sbc r27, r1\n\t"
    "clr r1\n\t"
    "brcc .Lnearest_kept\n\t"
    "cbr r24, 1\n\t" /* d from -(2r + 1) to -1: up when d + r >= 0 */
    "add r26, r24\n\t"
    "adc r27, r1\n\t"
    "adc r24, r1\n\t"
    "ret\n"
    ".Lnearest_kept:\n\t" /* d from 0 to 2t: up when d > t, 255 stays */
    "cp r24, r26\n\t"
    "cpc r1, r27\n\t"
    "adc r24, r1\n\t"
    "sbc r24, r1\n\t"
    "ret\n\t"
    QUORVANTEL_SQRT16_AVR_END(quorvantel_sqrt16_nearest));

__asm__(
    QUORVANTEL_SQRT16_AVR_BEGIN(quorvantel_sqrt16_floor)
    "movw r26, r24\n\t"
    QUORVANTEL_AVR_UPPER_BITS("floor")
    "cp r26, r0\n\t"
    "cpc r27, r1\n\t"
    "sbci r24, 0\n\t" /* the trial goes when its square exceeds x */
    "clr r1\n\t"
    "ret\n\t"
    QUORVANTEL_SQRT16_AVR_END(quorvantel_sqrt16_floor));

#undef QUORVANTEL_AVR_LEAVES
#undef QUORVANTEL_AVR_UPPER_BITS

#elif defined(__AVR_HAVE_MUL__)

// Size first, with mul: one loop, from bit 128 down, r19 the bit and r18 the root.
// - The floor root keeps the trial t when t^2 <= x (or, mul, cp, cpc, brsh or eor, lsr, brne):
//   10 cycles a pass, 83 a call in 26 bytes.
// - The nearest root is the largest n with n(n - 1) < x, x > n(n - 1) being x > (n - 1/2)^2 for
//   a whole x; 255 at most by its width, which saturates it. Each trial takes t - 1 into r20
//   (mov, dec) for the product t(t - 1): 12 cycles a pass, 99 a call in 30 bytes.

__asm__(
    QUORVANTEL_SQRT16_AVR_BEGIN(quorvantel_sqrt16_nearest)
    "ldi r19, 0x80\n\t"
    "ldi r18, 0\n"
    "1:\n\t"
    "or r18, r19\n\t"
    "mov r20, r18\n\t"
    "dec r20\n\t"
    "mul r18, r20\n\t"
    "cp r0, r24\n\t"
    "cpc r1, r25\n\t"
    "brlo 2f\n\t"
    "eor r18, r19\n"
    "2:\n\t"
    "lsr r19\n\t"
    "brne 1b\n\t"
    "clr r1\n\t"
    "mov r24, r18\n\t"
    "ret\n\t"
    QUORVANTEL_SQRT16_AVR_END(quorvantel_sqrt16_nearest));

__asm__(
    QUORVANTEL_SQRT16_AVR_BEGIN(quorvantel_sqrt16_floor)
    "ldi r19, 0x80\n\t"
    "ldi r18, 0\n"
    "1:\n\t"
    "or r18, r19\n\t"
    "mul r18, r18\n\t"
    "cp r24, r0\n\t"
    "cpc r25, r1\n\t"
    "brsh 2f\n\t"
    "eor r18, r19\n"
    "2:\n\t"
    "lsr r19\n\t"
    "brne 1b\n\t"
    "clr r1\n\t"
    "mov r24, r18\n\t"
    "ret\n\t"
    QUORVANTEL_SQRT16_AVR_END(quorvantel_sqrt16_floor));

#else

// Without mul. x becomes the rest R = x - r^2 of the root r decided so far, and r22:r23 holds
// G = 2rb + b^2 for the next trial bit b: the trial square (r + b)^2 is r^2 + G, so the bit
// stays when R >= G. Where the cycles go:
// - G's low byte starts at 64 (ldi: 1).
// - Bits 128 to 16 by x's high byte, as in the form with mul; leaf k (the root so far 16k) takes
//   k^2 from R's high byte and sets G = 256k + 64 for b = 8 (subi, ldi, rjmp). 13.4 cycles on
//   average, 17 at most.
// - Bits 8, 4, 2: cp, cpc, brlo, and when the bit stays, R -= G (sub, sbc); the next G comes
//   from this one, (G + 3b^2 / 2) / 2 when the bit stays, (G - b^2 / 2) / 2 when it goes (subi,
//   lsr, ror). G is a multiple of 4b^2 plus b^2, so no addition carries out of its low byte.
//   10 cycles when the bit stays, 7 when it goes.
// - Bit 1, with G = 2r + 1 (cp, cpc, a branch). Nearest root: when the bit goes (R <= 2r), r,
//   or r + 1 when R > r (lsr, ror, cp, cpc, adc, mov: 9 in all); when it stays, t = r + 1 with
//   the rest R - (2r + 1), and t + 1 when that exceeds t, 255 staying (sub, sbc, lsr, ror, adc
//   of the carry out of the odd G, cp, cpc, adc, sbc, mov: 14). Floor root: (G + 1 - C) / 2, C
//   the compare's borrow, by sbci, sbci (the first's borrow is set exactly when no carry leaves
//   the low byte), lsr, ror, mov: 7.
// The nearest root: 51.5 cycles on average, 62 at most; the floor root 47.0, 55 at most.
// Only r22 to r25 and __zero_reg__, which every AVR ABI lets a routine clobber (the reduced
// cores, such as the ATtiny10, keep r18 to r21), and no movw: it suits those cores too.

// Leaf k: the root so far is 16k.
#define QUORVANTEL_AVR_TINY_LEAF(k, bit8)                                                          \
    "subi r25, (" #k ") * (" #k ")\n\t"                                                            \
    "ldi r23, " #k "\n\t"                                                                          \
    "rjmp " bit8 "\n"

// Leaves k + 1 and k, by x's high byte against (k + 1)^2.
#define QUORVANTEL_AVR_TINY_LEAVES(k, bit8)                                                        \
    "cpi r25, (" #k " + 1) * (" #k " + 1)\n\t"                                                     \
    "brlo 1f\n\t"                                                                                  \
    QUORVANTEL_AVR_TINY_LEAF((k) + 1, bit8)                                                        \
    "1:\n\t"                                                                                       \
    QUORVANTEL_AVR_TINY_LEAF(k, bit8)

// The pass of bit b.
#define QUORVANTEL_AVR_TINY_PASS(b)                                                                \
    "cp r24, r22\n\t"                                                                              \
    "cpc r25, r23\n\t"                                                                             \
    "brlo 1f\n\t"                                                                                  \
    "sub r24, r22\n\t"                                                                             \
    "sbc r25, r23\n\t"                                                                             \
    "subi r22, -(3 * " #b " * " #b " / 2)\n\t"                                                     \
    "rjmp 2f\n"                                                                                    \
    "1:\n\t"                                                                                       \
    "subi r22, " #b " * " #b " / 2\n"                                                              \
    "2:\n\t"                                                                                       \
    "lsr r23\n\t"                                                                                  \
    "ror r22\n\t"

// Bits 128 to 2: r24:r25 holds R, r22:r23 holds 2r + 1.
#define QUORVANTEL_AVR_TINY_UPPER_BITS(name)                                                       \
    "ldi r22, 64\n\t"                                                                              \
    "cpi r25, 64\n\t"                                                                              \
    "brlo .L" name "_below64\n\t"                                                                  \
    "cpi r25, 144\n\t"                                                                             \
    "brlo .L" name "_below144\n\t"                                                                 \
    "cpi r25, 196\n\t"                                                                             \
    "brlo .L" name "_below196\n\t"                                                                 \
    QUORVANTEL_AVR_TINY_LEAVES(14, ".L" name "_bit8")                                              \
    ".L" name "_below196:\n\t"                                                                     \
    QUORVANTEL_AVR_TINY_LEAVES(12, ".L" name "_bit8")                                              \
    ".L" name "_below144:\n\t"                                                                     \
    "cpi r25, 100\n\t"                                                                             \
    "brlo .L" name "_below100\n\t"                                                                 \
    QUORVANTEL_AVR_TINY_LEAVES(10, ".L" name "_bit8")                                              \
    ".L" name "_below100:\n\t"                                                                     \
    QUORVANTEL_AVR_TINY_LEAVES(8, ".L" name "_bit8")                                               \
    ".L" name "_below64:\n\t"                                                                      \
    "cpi r25, 36\n\t"                                                                              \
    "brsh .L" name "_from36\n\t"                                                                   \
    "cpi r25, 16\n\t"                                                                              \
    "brlo .L" name "_below16\n\t"                                                                  \
    QUORVANTEL_AVR_TINY_LEAVES(4, ".L" name "_bit8")                                               \
    ".L" name "_from36:\n\t"                                                                       \
    QUORVANTEL_AVR_TINY_LEAVES(6, ".L" name "_bit8")                                               \
    ".L" name "_below16:\n\t"                                                                      \
    "cpi r25, 4\n\t"                                                                               \
    "brlo .L" name "_below4\n\t"                                                                   \
    QUORVANTEL_AVR_TINY_LEAVES(2, ".L" name "_bit8")                                               \
    ".L" name "_below4:\n\t"                                                                       \
    "ldi r23, 0\n\t" /* leaf 0, falling through; leaf 1 takes 1 from R's high byte */              \
    "cpi r25, 1\n\t"                                                                               \
    "brlo .L" name "_bit8\n\t"                                                                     \
    "subi r25, 1\n\t"                                                                              \
    "ldi r23, 1\n"                                                                                 \
    ".L" name "_bit8:\n\t"                                                                         \
    QUORVANTEL_AVR_TINY_PASS(8)                                                                    \
    QUORVANTEL_AVR_TINY_PASS(4)                                                                    \
    QUORVANTEL_AVR_TINY_PASS(2)

__asm__(
    QUORVANTEL_SQRT16_AVR_BEGIN(quorvantel_sqrt16_nearest)
    QUORVANTEL_AVR_TINY_UPPER_BITS("nearest")
    "cp r24, r22\n\t"
    "cpc r25, r23\n\t"
    "brsh .Lnearest_kept\n\t"
    "lsr r23\n\t"
    "ror r22\n\t"
    "cp r22, r24\n\t"
    "cpc __zero_reg__, r25\n\t"
    "adc r22, __zero_reg__\n\t"
    "mov r24, r22\n\t"
    "ret\n"
    ".Lnearest_kept:\n\t"
    "sub r24, r22\n\t"
    "sbc r25, r23\n\t"
    "lsr r23\n\t"
    "ror r22\n\t"
    "adc r22, __zero_reg__\n\t" /* G is odd: r + 1 */
    "cp r22, r24\n\t"
    "cpc __zero_reg__, r25\n\t"
    "adc r22, __zero_reg__\n\t"
    "sbc r22, __zero_reg__\n\t"
    "mov r24, r22\n\t"
    "ret\n\t"
    QUORVANTEL_SQRT16_AVR_END(quorvantel_sqrt16_nearest));

__asm__(
    QUORVANTEL_SQRT16_AVR_BEGIN(quorvantel_sqrt16_floor)
    QUORVANTEL_AVR_TINY_UPPER_BITS("floor")
    "cp r24, r22\n\t"
    "cpc r25, r23\n\t"
    "sbci r22, -1\n\t"
    "sbci r23, -1\n\t"
    "lsr r23\n\t"
    "ror r22\n\t"
    "mov r24, r22\n\t"
    "ret\n\t"
    QUORVANTEL_SQRT16_AVR_END(quorvantel_sqrt16_floor));

#undef QUORVANTEL_AVR_TINY_LEAF
#undef QUORVANTEL_AVR_TINY_LEAVES
#undef QUORVANTEL_AVR_TINY_PASS
#undef QUORVANTEL_AVR_TINY_UPPER_BITS

#endif
#undef QUORVANTEL_SQRT16_AVR_BEGIN
#undef QUORVANTEL_SQRT16_AVR_END
// clang-format on

#endif

#endif
