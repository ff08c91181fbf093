// SPDX-License-Identifier: Zlib
// The bit-by-bit roots for AVR cores with the 8x8 multiplier (the ATmega family), in assembly
// scheduled by hand: the same start, trials, passes, early-exit counts and rounding as the plain
// form, in a fifth of the cycles GCC makes of that.
//
// What a call costs (cycles, ATmega328P, from the top of the assembly to its end):
// - Start and the trials of bits 64, 32 and 16: the root so far and the trial are multiples of
//   16, so the trial square has a zero low byte, and a compare of x's high byte with that
//   square, a constant, decides the trial. The trials hang in a tree of cpi and branches below
//   the choice of the start, which also loads the count of passes: 12 to 16 cycles for
//   x >= 16384 (three inputs in four) to reach the trial of bit 8.
// - Trials of bits 8, 4 and 2: ori, mul, cp, cpc, brsh (+ cbr when the bit goes) = 7.
// - Trial of bit 1 and the rounding together, 12 to 15: ori, mul, then sub, sbc leave x - t^2
//   for the trial t. Kept: that is the rest x - r^2, and r + 1 is nearer when the rest exceeds
//   r (cp, cpc, adc; sbc keeps 255). Not kept: r = t - 1, and x > r^2 + r (round up) is
//   x - t^2 + r >= 0, the carry of one 16-bit add.
// For x >= 16384: 12..16 + 3 * 7 + 12..15 = 45 to 52 cycles. Around it the public functions
// add the pass counter and the return value (9 cycles), and sqrt_u16_variante4 its test for
// x < 256 and GCC's jump past the call of sqrt_u8 (5 more).
//
// The early exit: a trial hits x exactly only when x is the square of the root r, and then at
// the pass of r's lowest set bit, unless r is the start itself, which no trial tries. The
// passes here always run to the end (the result is the same), and an exact square takes back
// the passes that stopping would have saved: one per trailing zero bit of r. An odd r is hit at
// the last pass, which counts anyway; an even r shows as a rejected last trial with
// x - r^2 = 0, and its lowest set bit (r & -r) says how many passes to take back (sbrc, subi
// for each of bits 1 to 6: 18 cycles more, on 116 inputs, 120 for sqrt_u16_variante3).
#ifndef QUORVANTEL_ROOTS_BIT_BY_BIT_AVR_HPP
#define QUORVANTEL_ROOTS_BIT_BY_BIT_AVR_HPP

#include <stdint.h>

#include "detail.hpp"
#include "roots.hpp"

// The assembly keeps one instruction a line, as a listing reads. Operands: x (a copy, becomes
// the rest), root and passes, all in registers r16 to r31 for cpi, ldi, ori and cbr. r0 and r1
// hold the products; r1 is zero again at the end.
// clang-format off

// The trial of bit 16 on a root `low` whose bits above are decided: (low + 16)^2 is
// `square` * 256. Goes on to the trial of bit 8 when kept, falls through otherwise.
#define QUORVANTEL_AVR_TRIAL16(low, square)                                                        \
    "ldi %[root], " #low " + 16\n\t"                                                               \
    "cpi %B[x], " #square "\n\t"                                                                   \
    "brsh .Lbit8_%=\n\t"                                                                           \
    "ldi %[root], " #low "\n\t"

#define QUORVANTEL_AVR_PASS(bit)                                                                   \
    "ori %[root], " #bit "\n\t"                                                                    \
    "mul %[root], %[root]\n\t"                                                                     \
    "cp %A[x], r0\n\t"                                                                             \
    "cpc %B[x], r1\n\t"                                                                            \
    "brsh 1f\n\t"                                                                                  \
    "cbr %[root], " #bit "\n"                                                                      \
    "1:\n\t"

// The root of every input with its passes, as sqrt_u16_variante3 makes them; from 256 up that
// is also what sqrt_u16_variante4 makes.
QUORVANTEL_ALWAYS_INLINE uint8_t quorvantel_avr_bit_by_bit(uint16_t x, uint8_t* passes_made)
{
    uint8_t root = 0;
    uint8_t passes = 0;
    __asm__("cpi %B[x], 0x40\n\t"
            "brsh .Lstart128_%=\n\t"
            "cpi %B[x], 0x04\n\t"
            "brlo .Lbelow1024_%=\n\t"
            "cpi %B[x], 0x10\n\t"
            "brsh .Lstart64_%=\n\t"
            "ldi %[passes], 5\n\t"
            QUORVANTEL_AVR_TRIAL16(32, 0x09)
            "rjmp .Lbit8_%=\n"
            ".Lstart64_%=:\n\t"
            "ldi %[passes], 6\n\t"
            "cpi %B[x], 0x24\n\t" /* 96^2 */
            "brsh 1f\n\t"
            QUORVANTEL_AVR_TRIAL16(64, 0x19)
            "rjmp .Lbit8_%=\n"
            "1:\n\t"
            QUORVANTEL_AVR_TRIAL16(96, 0x31)
            "rjmp .Lbit8_%=\n"
            ".Lbelow1024_%=:\n\t"
            "ldi %[passes], 4\n\t"
            "ldi %[root], 16\n\t"
            "cpse %B[x], r1\n\t"
            "rjmp .Lbit8_%=\n\t"
            "ldi %[passes], 3\n\t" /* below 256 */
            "ldi %[root], 8\n\t"
            "cpi %A[x], 64\n\t"
            "brsh .Lbit4_%=\n\t"
            "ldi %[passes], 2\n\t"
            "ldi %[root], 4\n\t"
            "cpi %A[x], 16\n\t"
            "brsh .Lbit2_%=\n\t"
            "ldi %[passes], 1\n\t"
            "ldi %[root], 2\n\t"
            "cpi %A[x], 4\n\t"
            "brsh .Lbit1_%=\n\t"
            "ldi %[passes], 0\n\t" /* 0 to 3: no pass; start 1 (0 for 0) rounds to (x + 1) / 2 */
            "mov %[root], %A[x]\n\t"
            "subi %[root], -1\n\t"
            "lsr %[root]\n\t"
            "rjmp .Ldone_%=\n"
            ".Lstart128_%=:\n\t"
            "ldi %[passes], 7\n\t"
            "cpi %B[x], 0x90\n\t" /* 192^2 */
            "brsh 2f\n\t"
            "cpi %B[x], 0x64\n\t" /* 160^2 */
            "brsh 1f\n\t"
            QUORVANTEL_AVR_TRIAL16(128, 0x51)
            "rjmp .Lbit8_%=\n"
            "1:\n\t"
            QUORVANTEL_AVR_TRIAL16(160, 0x79)
            "rjmp .Lbit8_%=\n"
            "2:\n\t"
            "cpi %B[x], 0xC4\n\t" /* 224^2 */
            "brsh 3f\n\t"
            QUORVANTEL_AVR_TRIAL16(192, 0xA9)
            "rjmp .Lbit8_%=\n"
            "3:\n\t"
            QUORVANTEL_AVR_TRIAL16(224, 0xE1)
            ".Lbit8_%=:\n\t"
            QUORVANTEL_AVR_PASS(8)
            ".Lbit4_%=:\n\t"
            QUORVANTEL_AVR_PASS(4)
            ".Lbit2_%=:\n\t"
            QUORVANTEL_AVR_PASS(2)
            ".Lbit1_%=:\n\t"
            "ori %[root], 1\n\t"
            "mul %[root], %[root]\n\t"
            "sub %A[x], r0\n\t"
            "sbc %B[x], r1\n\t"
            "clr r1\n\t"
            "brcc .Lkept_%=\n\t" /* t = r + 1 goes; x becomes d = x - t^2, from -(2r + 1) to -1 */
            "cbr %[root], 1\n\t"
            "add %A[x], %[root]\n\t"
            "adc %B[x], r1\n\t"
            "brcs .Lup_%=\n\t" /* d + r >= 0: x > r^2 + r */
            "sec\n\t"
            "adc %A[x], %[root]\n\t"
            "brne .Ldone_%=\n\t" /* d + 2r + 1 = x - r^2 is zero: exact */
            "mov %A[x], %[root]\n\t" /* r is even: its lowest set bit b is 2 to 64, or r itself */
            "neg %A[x]\n\t"
            "and %A[x], %[root]\n\t"
            "cp %A[x], %[root]\n\t"
            "breq .Ldone_%=\n\t" /* a power of two: the start, no trial hit it */
            "sbrc %A[x], 1\n\t"
            "subi %[passes], 1\n\t"
            "sbrc %A[x], 2\n\t"
            "subi %[passes], 2\n\t"
            "sbrc %A[x], 3\n\t"
            "subi %[passes], 3\n\t"
            "sbrc %A[x], 4\n\t"
            "subi %[passes], 4\n\t"
            "sbrc %A[x], 5\n\t"
            "subi %[passes], 5\n\t"
            "sbrc %A[x], 6\n\t"
            "subi %[passes], 6\n\t"
            "rjmp .Ldone_%=\n"
            ".Lup_%=:\n\t"
            "inc %[root]\n\t"
            "rjmp .Ldone_%=\n"
            ".Lkept_%=:\n\t" /* x is now the rest, at most 2r: r + 1 when it exceeds r, 255 stays */
            "cp %[root], %A[x]\n\t"
            "cpc r1, %B[x]\n\t"
            "adc %[root], r1\n\t"
            "sbc %[root], r1\n"
            ".Ldone_%=:"
            : [root] "=&d"(root), [passes] "=&d"(passes), [x] "+d"(x));
    *passes_made = passes;
    return root;
}

#undef QUORVANTEL_AVR_TRIAL16
#undef QUORVANTEL_AVR_PASS
// clang-format on

// Inputs below 256 go to sqrt_u8 at no pass, the others through the passes.
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_avr_variante4(uint16_t x, unsigned* passes)
{
    // Written so that GCC 5.4 tests the high byte alone (tst, breq), not all 16 bits.
    const uint8_t high = (uint8_t)(x >> 8U);
    // The passes as a byte on both paths, so that the count's high byte is set once.
    uint8_t made = 0;
    uint8_t root;
    if (high != 0) {
        root = quorvantel_avr_bit_by_bit(x, &made);
    } else {
        root = sqrt_u8((uint8_t)x);
    }
    *passes = made;
    return root;
}

QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_avr_variante3(uint16_t x, unsigned* passes)
{
    uint8_t made;
    const uint8_t root = quorvantel_avr_bit_by_bit(x, &made);
    *passes = made;
    return root;
}

#endif
