// SPDX-License-Identifier: Zlib
// quorvantel_sqrt16_nearest and quorvantel_sqrt16_floor for the 8051 (SDCC), in assembly: a lower
// bound read from a table of 48 bytes, then a search up on mul ab. forms.hpp chooses this header;
// it defines the routines only where sqrt16.cpp includes it (QUORVANTEL_SQRT16_DEFINITIONS).
//
// x comes in DPL (low byte) and DPH and stays there; the root goes back in DPL. All else lives in
// A, B, r2, r5 to r7 and PSW's F0 (which SDCC's own helpers clobber as well): no RAM, no stack, so
// both routines are reentrant. The floor root is the largest r with r^2 <= x, the nearest root
// the largest r with r(r - 1) < x, which needs no rounding step; the search stops at 255, which
// saturates the nearest root. Machine cycles of a 12-clock core:
// - x >= 0x4000, three inputs in four: bits 15 to 10 pick floor(sqrt(1024 j)), j = 16 to 63, a
//   bound from below; 17 to 19 cycles with the entry and the range test, 2 more for the floor
//   root, which jumps to the shared code.
// - Smaller x is first scaled by 4 until bit 15 or 14 is set, 17 cycles a factor, with ones
//   shifted in from below so that 0 stops too. The scaled x's bound, shifted right once per factor
//   (6 cycles each), is a bound from below for x itself, and a closer one.
// - Each trial of r + 1 is 18 cycles, 15 for the last, which fails: its product (mul ab) and a
//   16-bit compare with x. From the large inputs' bounds the floor root makes 2.3 trials on
//   average (5 at most), the nearest root 2.8 (6); from the scaled ones' 1.6 and 2.1.
// - The return, 4.
// The check firmware counts 71.6 machine cycles a call of the nearest root and 64.7 of the floor
// root on average under ucsim (s51), net of an empty call; 218 and 220 at most, for x below 4,
// which takes seven or eight factors. The plain forms take 1099 and 982.
#ifndef QUORVANTEL_ROOTS_SQRT16_MCS51_HPP
#define QUORVANTEL_ROOTS_SQRT16_MCS51_HPP

#include <stdint.h>

#include "roots.hpp"

#ifdef QUORVANTEL_SQRT16_DEFINITIONS
// One instruction a line, as a listing reads.
// clang-format off

// r5 and F0 (psw.5) tell the searches apart: 1 for the floor root, whose trial squares r + 1 and
// stays where that is at most x; 0 for the nearest root, whose trial multiplies r + 1 by r and
// stays where that is below x. The floor root comes first, so that sjmp reaches the shared code.
uint8_t quorvantel_sqrt16_floor(uint16_t x) QUORVANTEL_NOEXCEPT QUORVANTEL_REENTRANT __naked
{
    (void)x;
    __asm__(
        "mov r5,#1\n\t"
        "setb psw.5\n\t"
        "sjmp quorvantel_sqrt16_mcs51_range");
}

uint8_t quorvantel_sqrt16_nearest(uint16_t x) QUORVANTEL_NOEXCEPT QUORVANTEL_REENTRANT __naked
{
    (void)x;
    __asm__(
        "mov r5,#0\n\t"
        "clr psw.5\n"

        // The scaled x in A (high byte) and r2, DPTR kept for the trials; r6 counts the factors
        // of 4, plus one.
        "quorvantel_sqrt16_mcs51_range:\n\t"
        "mov a,dph\n\t"
        "mov r2,dpl\n\t"
        "mov r6,#1\n"
        "quorvantel_sqrt16_mcs51_scale:\n\t"
        "jb acc.7,quorvantel_sqrt16_mcs51_bound\n\t"
        "jb acc.6,quorvantel_sqrt16_mcs51_bound\n\t"
        "inc r6\n\t"
        "xch a,r2\n\t"
        "setb c\n\t"
        "rlc a\n\t"
        "xch a,r2\n\t"
        "rlc a\n\t"
        "xch a,r2\n\t"
        "setb c\n\t"
        "rlc a\n\t"
        "xch a,r2\n\t"
        "rlc a\n\t"
        "sjmp quorvantel_sqrt16_mcs51_scale\n"

        // The bound of the top six bits, then one shift right per factor of 4.
        "quorvantel_sqrt16_mcs51_bound:\n\t"
        "rr a\n\t"
        "rr a\n\t"
        "anl a,#0x3F\n\t"
        "add a,#(quorvantel_sqrt16_mcs51_table - quorvantel_sqrt16_mcs51_read - 16)\n\t"
        "movc a,@a+pc\n"
        "quorvantel_sqrt16_mcs51_read:\n\t"
        "djnz r6,quorvantel_sqrt16_mcs51_halve\n\t"
        "mov r7,a\n"

        // The trial r + 1: its product with r + r5, less x, less F0 borrows where it stays.
        // After 255 none is tried: 256 does not fit, and the nearest root saturates there.
        "quorvantel_sqrt16_mcs51_trial:\n\t"
        "mov a,r7\n\t"
        "add a,r5\n\t"
        "mov b,a\n\t"
        "mov a,r7\n\t"
        "inc a\n\t"
        "mul ab\n\t"
        "mov c,psw.5\n\t"
        "subb a,dpl\n\t"
        "mov a,b\n\t"
        "subb a,dph\n\t"
        "jnc quorvantel_sqrt16_mcs51_done\n\t"
        "inc r7\n\t"
        "cjne r7,#255,quorvantel_sqrt16_mcs51_trial\n"
        "quorvantel_sqrt16_mcs51_done:\n\t"
        "mov dpl,r7\n\t"
        "ret\n"

        "quorvantel_sqrt16_mcs51_halve:\n\t"
        "clr c\n\t"
        "rrc a\n\t"
        "sjmp quorvantel_sqrt16_mcs51_read\n"

        // floor(sqrt(1024 j)) for j = 16 to 63.
        "quorvantel_sqrt16_mcs51_table:\n\t"
        ".db 128,131,135,139,143,146,150,153,156,160,163,166\n\t"
        ".db 169,172,175,178,181,183,186,189,192,194,197,199\n\t"
        ".db 202,204,207,209,212,214,217,219,221,224,226,228\n\t"
        ".db 230,232,235,237,239,241,243,245,247,249,251,253");
}
// clang-format on
#endif

#endif
