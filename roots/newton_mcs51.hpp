// SPDX-License-Identifier: Zlib
// The Newton steps for the 8051 (SDCC), in assembly, with a division of their own: every
// estimate r is 1 to 255 and every quotient is capped at 255, so x / r is a 16-by-8-bit division
// with an 8-bit quotient, where SDCC would call its 16-bit __divuint. The same start, steps,
// estimates, stop rule and rounding as the plain form. forms.hpp chooses this header; it defines
// the steps only where newton.cpp includes it (QUORVANTEL_NEWTON_DEFINITIONS).
//
// x comes in DPL (low byte) and DPH and stays there; r7 holds the estimate r, r6 the steps; the
// estimate and the steps go back packed, the estimate in DPL. A step, in machine cycles of a
// 12-clock core:
// - x's high byte at least r: x / r >= 256, capped at 255, no division (7 cycles).
// - Otherwise eight steps of shift and subtract, 9 to 12 cycles each: the rest (in A) and x's
//   low byte (in B) shift left as one 16-bit value (xch, rlc, xch, rlc), the quotient's bits
//   entering B as x's bits leave it; subb r7, and add r7 back where r did not fit. About 85
//   cycles in all.
// - The rounding of sqrt_u16_variante2: 2 * rem > r, 255 kept (10 cycles).
// - (r + q) / 2 from a 9-bit sum (add, rrc) and the stop test: 11.
// About 105 cycles a dividing step, 20 a capped one. The result's correction and the steps'
// record stay in C. The check firmware counts 635 machine cycles a call of sqrt_u16 and 754 of
// sqrt_u16_variante2 on average under ucsim (s51), against about 7800 and 7600 for the plain form.
#ifndef QUORVANTEL_ROOTS_NEWTON_MCS51_HPP
#define QUORVANTEL_ROOTS_NEWTON_MCS51_HPP

#include <stdint.h>

#include "detail.hpp"

#ifdef QUORVANTEL_NEWTON_DEFINITIONS

// One instruction a line, as a listing reads. quorvantel_mcs51_r6 and quorvantel_mcs51_r7 are
// the addresses of r6 and r7 in register bank 0, where SDCC's code runs, set once for the module.
// SDCC takes a naked function defined in the same file for one that touches no register, and
// keeps its own values in registers across the call: the steps save the two they use.
// clang-format off

// One bit of the quotient, with the rest in A and the next bits of x's low byte in B; `n` tells
// its labels apart. The quotient's bits go into B complemented: the carry after subb is clear
// when r fits, and set after the add that takes it back when it does not. After a ninth bit the
// subtraction always borrows, and the bit is cleared by hand.
#define QUORVANTEL_MCS51_QUOTIENT_BIT(n)                                                           \
    "xch a,b\n\t"                                                                                  \
    "rlc a\n\t"                                                                                    \
    "xch a,b\n\t"                                                                                  \
    "rlc a\n\t"                                                                                    \
    "jc quorvantel_mcs51_ninth_" n "\n\t"                                                          \
    "subb a,r7\n\t"                                                                                \
    "jnc quorvantel_mcs51_bit_done_" n "\n\t"                                                      \
    "add a,r7\n\t"                                                                                 \
    "sjmp quorvantel_mcs51_bit_done_" n "\n"                                                       \
    "quorvantel_mcs51_ninth_" n ":\n\t"                                                            \
    "clr c\n\t"                                                                                    \
    "subb a,r7\n\t"                                                                                \
    "clr c\n"                                                                                      \
    "quorvantel_mcs51_bit_done_" n ":\n\t"

// The step's quotient into A and the remainder into B, or 255 when x's high byte is at least r.
// `kind` tells the two routines' labels apart.
#define QUORVANTEL_MCS51_DIVIDE(kind)                                                              \
    "quorvantel_mcs51_step_" kind ":\n\t"                                                          \
    "inc r6\n\t"                                                                                   \
    "mov a,dph\n\t"                                                                                \
    "cjne a,quorvantel_mcs51_r7,.+3\n\t"                                                           \
    "jc quorvantel_mcs51_divide_" kind "\n\t"                                                      \
    "mov a,#255\n\t"                                                                               \
    "ljmp quorvantel_mcs51_next_" kind "\n"                                                        \
    "quorvantel_mcs51_divide_" kind ":\n\t"                                                        \
    "mov b,dpl\n\t"                                                                                \
    QUORVANTEL_MCS51_QUOTIENT_BIT(kind "1")                                                        \
    QUORVANTEL_MCS51_QUOTIENT_BIT(kind "2")                                                        \
    QUORVANTEL_MCS51_QUOTIENT_BIT(kind "3")                                                        \
    QUORVANTEL_MCS51_QUOTIENT_BIT(kind "4")                                                        \
    QUORVANTEL_MCS51_QUOTIENT_BIT(kind "5")                                                        \
    QUORVANTEL_MCS51_QUOTIENT_BIT(kind "6")                                                        \
    QUORVANTEL_MCS51_QUOTIENT_BIT(kind "7")                                                        \
    QUORVANTEL_MCS51_QUOTIENT_BIT(kind "8")                                                        \
    "xch a,b\n\t"                                                                                  \
    "rlc a\n\t"                                                                                    \
    "cpl a\n\t"

// (r + q) / 2 with q in A, and the stop when it repeats or drops by one; the estimate and the
// steps go back packed, the estimate in DPL.
#define QUORVANTEL_MCS51_NEXT(kind)                                                                \
    "quorvantel_mcs51_next_" kind ":\n\t"                                                          \
    "add a,r7\n\t"                                                                                 \
    "rrc a\n\t"                                                                                    \
    "xch a,r7\n\t"                                                                                 \
    "clr c\n\t"                                                                                    \
    "subb a,r7\n\t"                                                                                \
    "cjne a,#2,.+3\n\t"                                                                            \
    "jc quorvantel_mcs51_stop_" kind "\n\t"                                                        \
    "ljmp quorvantel_mcs51_step_" kind "\n"                                                        \
    "quorvantel_mcs51_stop_" kind ":\n\t"                                                          \
    "mov dpl,r7\n\t"                                                                               \
    "mov dph,r6\n\t"                                                                               \
    "pop quorvantel_mcs51_r7\n\t"                                                                  \
    "pop quorvantel_mcs51_r6\n\t"                                                                  \
    "ret"

// The steps of sqrt_u16 from 16: truncated quotients.
static uint16_t quorvantel_mcs51_truncated_steps(uint16_t x) __naked
{
    (void)x;
    __asm__(
        "quorvantel_mcs51_r6 = 0x06\n\t"
        "quorvantel_mcs51_r7 = 0x07\n\t"
        "push quorvantel_mcs51_r6\n\t"
        "push quorvantel_mcs51_r7\n\t"
        "mov r7,#16\n\t"
        "mov r6,#0\n"
        QUORVANTEL_MCS51_DIVIDE("truncated")
        QUORVANTEL_MCS51_NEXT("truncated"));
}

// The steps of sqrt_u16_variante2 from its start (16 below 512, doubled for every further factor
// of 4, capped at 255: x's high byte decides): rounded quotients.
static uint16_t quorvantel_mcs51_rounded_steps(uint16_t x) __naked
{
    (void)x;
    __asm__(
        "push quorvantel_mcs51_r6\n\t"
        "push quorvantel_mcs51_r7\n\t"
        "mov r6,#0\n\t"
        "mov a,dph\n\t"
        "mov r7,#255\n\t"
        "cjne a,#0x80,.+3\n\t"
        "jnc quorvantel_mcs51_step_rounded\n\t"
        "mov r7,#128\n\t"
        "cjne a,#0x20,.+3\n\t"
        "jnc quorvantel_mcs51_step_rounded\n\t"
        "mov r7,#64\n\t"
        "cjne a,#0x08,.+3\n\t"
        "jnc quorvantel_mcs51_step_rounded\n\t"
        "mov r7,#32\n\t"
        "cjne a,#0x02,.+3\n\t"
        "jnc quorvantel_mcs51_step_rounded\n\t"
        "mov r7,#16\n"
        QUORVANTEL_MCS51_DIVIDE("rounded")
        // 2 * rem > r rounds up, an exact half down: carry when it does. q + 1 wraps to 0 only
        // from 255, and subb turns that back.
        "xch a,b\n\t"
        "add a,acc\n\t"
        "jc quorvantel_mcs51_round_up\n\t"
        "setb c\n\t"
        "subb a,r7\n\t"
        "cpl c\n"
        "quorvantel_mcs51_round_up:\n\t"
        "mov a,b\n\t"
        "addc a,#0\n\t"
        "subb a,#0\n\t"
        QUORVANTEL_MCS51_NEXT("rounded"));
}

#undef QUORVANTEL_MCS51_QUOTIENT_BIT
#undef QUORVANTEL_MCS51_DIVIDE
#undef QUORVANTEL_MCS51_NEXT
// clang-format on

// sqrt_u16: the steps come back with the estimate, in the high byte.
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_mcs51_sqrt_u16(uint16_t x, unsigned* steps)
{
    const uint16_t outcome = quorvantel_mcs51_truncated_steps(x);
    uint8_t root = (uint8_t)outcome;
    *steps = outcome >> 8U;
    // The guard keeps the result at 255 or below; the iteration ends on 1 for x = 0.
    if (root != 255) root = quorvantel_nearest_of_byte(root, x);
    return x == 0 ? 0 : root;
}

// sqrt_u16_variante2 for x up to 64770. The assembly finds the start from x's high byte, where
// the 8051 would take a second parameter from memory; forms.hpp leaves the caller's start out.
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_mcs51_variante2(uint16_t x, unsigned* steps)
{
    const uint16_t outcome = quorvantel_mcs51_rounded_steps(x);
    // x <= 64770 keeps the corrected root at 254 or below.
    const uint8_t root = quorvantel_nearest_of_byte((uint8_t)outcome, x);
    *steps = outcome >> 8U;
    return x == 0 ? 0 : root;
}

#endif

#endif
