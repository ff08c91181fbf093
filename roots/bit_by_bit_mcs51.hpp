// SPDX-License-Identifier: Zlib
// sqrt_u16_variante4 and sqrt_u16_variante3 for the 8051 (SDCC), in assembly, the pass
// counter's update included. forms.hpp chooses this header; it defines the routines only where
// bit_by_bit.cpp includes it (QUORVANTEL_BIT_BY_BIT_DEFINITIONS). The same start, trials,
// passes, early-exit counts and rounding as the plain form.
//
// x comes in DPL (low byte) and DPH and stays there; r7 holds the root, r6 the passes. Machine
// cycles of a 12-clock core, for x >= 256:
// - The trials of bits 64, 32 and 16, with the start: the root so far is a multiple of 16, so
//   each trial square is a multiple of 256, and a compare of x's high byte with a constant
//   (cjne, jc: 4) decides it. A tree of them loads the root's top four bits and the passes:
//   16 to 20 cycles.
// - Bits 8, 4 and 2: the trial's square (mov, orl, mov, mul ab) and a 16-bit compare with x
//   (setb c, subb, mov, subb), 14 cycles on average.
// - Bit 1 and the rounding together: x - t^2 for the trial t. Kept, it is the rest x - r^2, and
//   r + 1 is nearer when it exceeds r. Not kept (r = t - 1), x > r^2 + r is x - t^2 + r >= 0.
//   About 25 cycles.
// - The passes run on after an exact trial, with the same root; where x is the square of the
//   root, the passes the plain form saves by stopping early are taken back: one per trailing
//   zero bit of the root, unless the root is the start, which no trial tries. An odd root is
//   hit at the last pass, which counts anyway; an even one shows as a rejected last trial with
//   x - r^2 = 0.
// - itotal, which the 8051 keeps in internal RAM in every memory model (roots.hpp): its low
//   byte plus the passes, and its upper bytes only when that carries (5 cycles), and the return
//   (5).
// The check firmware counts 98 machine cycles a call on average over all inputs under ucsim (s51),
// net of an empty call, 143 at most; the plain form takes 1627.
#ifndef QUORVANTEL_ROOTS_BIT_BY_BIT_MCS51_HPP
#define QUORVANTEL_ROOTS_BIT_BY_BIT_MCS51_HPP

#include "roots.hpp"

#ifdef QUORVANTEL_BIT_BY_BIT_DEFINITIONS

// One instruction a line, as a listing reads. quorvantel_mcs51_r7 and quorvantel_mcs51_r4 are the
// addresses of r7 and r4 in register bank 0, where SDCC's code runs.
// clang-format off

// The pass of trial bit `bit`, a power of two from 2 to 8: carry set when t^2 - x - 1 borrows,
// that is t^2 <= x, and the bit stays. Goes on at `next`.
#define QUORVANTEL_MCS51_PASS(bit, next)                                                           \
    "mov a,r7\n\t"                                                                                 \
    "orl a,#" #bit "\n\t"                                                                          \
    "mov b,a\n\t"                                                                                  \
    "mul ab\n\t"                                                                                   \
    "setb c\n\t"                                                                                   \
    "subb a,dpl\n\t"                                                                               \
    "mov a,b\n\t"                                                                                  \
    "subb a,dph\n\t"                                                                               \
    "jnc " next "\n\t"                                                                             \
    "orl quorvantel_mcs51_r7,#" #bit "\n"

// A leaf of the tree: the root's top bits, then the passes from bit 8.
#define QUORVANTEL_MCS51_START(root)                                                               \
    "mov r7,#" #root "\n\t"                                                                        \
    "sjmp quorvantel_mcs51_bit8\n"

// A compare of x's high byte, in A, with k^2: on to `below` when it is smaller.
#define QUORVANTEL_MCS51_BELOW(square, below)                                                      \
    "cjne a,#" #square ",.+3\n\t"                                                                  \
    "jc " below "\n\t"

unsigned short sqrt_u16_variante4(unsigned short x) QUORVANTEL_NOEXCEPT __naked
{
    (void)x;
    __asm__(
        "quorvantel_mcs51_r7 = 0x07\n\t"
        "quorvantel_mcs51_r4 = 0x04\n\t"
        "mov a,dph\n\t"
        "jnz quorvantel_mcs51_wide\n\t"
        // Below 256: sqrt_u8, no pass.
        "lcall _sqrt_u8\n\t"
        "mov dph,#0\n\t"
        "ret\n"

        // x >= 256, its high byte in A: the root's top four bits, the root of that byte, from
        // the squares 1 to 225, and the passes, 4 to 7.
        "quorvantel_mcs51_wide:\n\t"
        QUORVANTEL_MCS51_BELOW(0x40, "quorvantel_mcs51_below64")
        "mov r6,#7\n\t"
        QUORVANTEL_MCS51_BELOW(0x90, "quorvantel_mcs51_below144")
        QUORVANTEL_MCS51_BELOW(0xC4, "quorvantel_mcs51_below196")
        QUORVANTEL_MCS51_BELOW(0xE1, "quorvantel_mcs51_root224")
        QUORVANTEL_MCS51_START(240)
        "quorvantel_mcs51_root224:\n\t"
        QUORVANTEL_MCS51_START(224)
        "quorvantel_mcs51_below196:\n\t"
        QUORVANTEL_MCS51_BELOW(0xA9, "quorvantel_mcs51_root192")
        QUORVANTEL_MCS51_START(208)
        "quorvantel_mcs51_root192:\n\t"
        QUORVANTEL_MCS51_START(192)
        "quorvantel_mcs51_below144:\n\t"
        QUORVANTEL_MCS51_BELOW(0x64, "quorvantel_mcs51_below100")
        QUORVANTEL_MCS51_BELOW(0x79, "quorvantel_mcs51_root160")
        QUORVANTEL_MCS51_START(176)
        "quorvantel_mcs51_root160:\n\t"
        QUORVANTEL_MCS51_START(160)
        "quorvantel_mcs51_below100:\n\t"
        QUORVANTEL_MCS51_BELOW(0x51, "quorvantel_mcs51_root128")
        QUORVANTEL_MCS51_START(144)
        "quorvantel_mcs51_root128:\n\t"
        QUORVANTEL_MCS51_START(128)
        "quorvantel_mcs51_below64:\n\t"
        QUORVANTEL_MCS51_BELOW(0x10, "quorvantel_mcs51_below16")
        "mov r6,#6\n\t"
        QUORVANTEL_MCS51_BELOW(0x24, "quorvantel_mcs51_below36")
        QUORVANTEL_MCS51_BELOW(0x31, "quorvantel_mcs51_root96")
        QUORVANTEL_MCS51_START(112)
        "quorvantel_mcs51_root96:\n\t"
        QUORVANTEL_MCS51_START(96)
        "quorvantel_mcs51_below36:\n\t"
        QUORVANTEL_MCS51_BELOW(0x19, "quorvantel_mcs51_root64")
        QUORVANTEL_MCS51_START(80)
        "quorvantel_mcs51_root64:\n\t"
        QUORVANTEL_MCS51_START(64)
        "quorvantel_mcs51_below16:\n\t"
        "mov r6,#5\n\t"
        QUORVANTEL_MCS51_BELOW(0x04, "quorvantel_mcs51_root16")
        QUORVANTEL_MCS51_BELOW(0x09, "quorvantel_mcs51_root32")
        QUORVANTEL_MCS51_START(48)
        "quorvantel_mcs51_root32:\n\t"
        QUORVANTEL_MCS51_START(32)
        "quorvantel_mcs51_root16:\n\t"
        "mov r6,#4\n\t"
        "mov r7,#16\n"

        "quorvantel_mcs51_bit8:\n\t"
        QUORVANTEL_MCS51_PASS(8, "quorvantel_mcs51_bit4")
        "quorvantel_mcs51_bit4:\n\t"
        QUORVANTEL_MCS51_PASS(4, "quorvantel_mcs51_bit2")
        "quorvantel_mcs51_bit2:\n\t"
        QUORVANTEL_MCS51_PASS(2, "quorvantel_mcs51_bit1")

        // Bit 1 and the rounding. d = x - t^2 for t = r + 1 (r7 | 1, in r5): d_hi in A, d_lo in
        // r4, carry when t^2 > x.
        "quorvantel_mcs51_bit1:\n\t"
        "mov a,r7\n\t"
        "orl a,#1\n\t"
        "mov r5,a\n\t"
        "mov b,a\n\t"
        "mul ab\n\t"       // carry clear
        "xch a,dpl\n\t"    // x's low byte is needed no more
        "subb a,dpl\n\t"
        "mov r4,a\n\t"
        "mov a,dph\n\t"
        "subb a,b\n\t"
        "jc quorvantel_mcs51_above\n\t"
        // Kept: the rest d is at most 2t. 256 or more exceeds t for sure; t + 1 unless t is
        // 255 (cjne leaves the carry set when A is below 255).
        "jnz quorvantel_mcs51_up\n\t"
        "mov a,r5\n\t"
        "cjne a,quorvantel_mcs51_r4,.+3\n\t" // carry when t < d
        "addc a,#0\n\t"
        "sjmp quorvantel_mcs51_count\n"
        "quorvantel_mcs51_up:\n\t"
        "mov a,r5\n\t"
        "cjne a,#0xFF,.+3\n\t"
        "addc a,#0\n\t"
        "sjmp quorvantel_mcs51_count\n"
        // Not kept: r = r7, d from -(2r + 1) to -1; t when d + r >= 0, with no high byte.
        "quorvantel_mcs51_above:\n\t"
        "xch a,r4\n\t"
        "add a,r7\n\t"
        "mov r3,a\n\t"
        "clr a\n\t"
        "addc a,r4\n\t"
        "jz quorvantel_mcs51_root_t\n\t"
        // r, and x = r^2 when d + r = -(r + 1), whose low byte plus r is 255.
        "mov a,r3\n\t"
        "add a,r7\n\t"
        "cpl a\n\t"
        "jz quorvantel_mcs51_exact\n\t"
        "mov a,r7\n\t"
        "sjmp quorvantel_mcs51_count\n"
        "quorvantel_mcs51_root_t:\n\t"
        "mov a,r5\n\t"
        "sjmp quorvantel_mcs51_count\n"
        // x = r^2, r even: the plain form's passes stopped at the trial of r's lowest set bit,
        // unless r is the start, a power of two.
        "quorvantel_mcs51_exact:\n\t"
        "mov a,r7\n\t"
        "dec a\n\t"
        "anl a,r7\n\t"
        "jz quorvantel_mcs51_exact_done\n\t"
        "mov a,r7\n"
        "quorvantel_mcs51_trailing_zero:\n\t"
        "rrc a\n\t"
        "jc quorvantel_mcs51_exact_done\n\t"
        "dec r6\n\t"
        "sjmp quorvantel_mcs51_trailing_zero\n"
        "quorvantel_mcs51_exact_done:\n\t"
        "mov a,r7\n"

        // The root in A, the passes in r6: itotal grows by them, carrying into its upper bytes
        // only when its low byte overflows.
        "quorvantel_mcs51_count:\n\t"
        "mov dpl,a\n\t"
        "mov dph,#0\n\t"
        "mov a,r6\n\t"
        "add a,_itotal\n\t"
        "mov _itotal,a\n\t"
        "jnc quorvantel_mcs51_counted\n\t"
        "clr a\n\t"
        "addc a,(_itotal + 1)\n\t"
        "mov (_itotal + 1),a\n\t"
        "clr a\n\t"
        "addc a,(_itotal + 2)\n\t"
        "mov (_itotal + 2),a\n\t"
        "clr a\n\t"
        "addc a,(_itotal + 3)\n\t"
        "mov (_itotal + 3),a\n"
        "quorvantel_mcs51_counted:\n\t"
        "ret");
}

// Below 256 the start is 1, 2, 4 or 8 (0 for 0), found from x's low byte; the passes enter the
// chain above at the start's next lower bit, 0 to 3 of them.
unsigned short sqrt_u16_variante3(unsigned short x) QUORVANTEL_NOEXCEPT __naked
{
    (void)x;
    __asm__(
        "mov a,dph\n\t"
        "jz quorvantel_mcs51_narrow\n\t"
        "ljmp quorvantel_mcs51_wide\n"
        "quorvantel_mcs51_narrow:\n\t"
        "mov a,dpl\n\t"
        QUORVANTEL_MCS51_BELOW(0x10, "quorvantel_mcs51_below_16")
        "mov r6,#3\n\t"
        "mov r7,#8\n\t"
        QUORVANTEL_MCS51_BELOW(0x40, "quorvantel_mcs51_start4")
        "ljmp quorvantel_mcs51_bit4\n"
        "quorvantel_mcs51_start4:\n\t"
        "mov r6,#2\n\t"
        "mov r7,#4\n\t"
        "ljmp quorvantel_mcs51_bit2\n"
        "quorvantel_mcs51_below_16:\n\t"
        "mov r6,#1\n\t"
        "mov r7,#2\n\t"
        QUORVANTEL_MCS51_BELOW(0x04, "quorvantel_mcs51_start1")
        "ljmp quorvantel_mcs51_bit1\n"
        // 0 to 3: no pass; the start 1 (0 for 0) rounds to (x + 1) / 2.
        "quorvantel_mcs51_start1:\n\t"
        "inc a\n\t"
        "clr c\n\t"
        "rrc a\n\t"
        "mov dpl,a\n\t"
        "ret");
}

#undef QUORVANTEL_MCS51_PASS
#undef QUORVANTEL_MCS51_START
#undef QUORVANTEL_MCS51_BELOW
// clang-format on

#endif

#endif
