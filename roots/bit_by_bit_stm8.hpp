// SPDX-License-Identifier: Zlib
// sqrt_u16_variante4 and sqrt_u16_variante3 for the STM8 (SDCC), in assembly, the pass
// counter's update included. forms.hpp chooses this header; it defines the routines only where
// bit_by_bit.cpp includes it (QUORVANTEL_BIT_BY_BIT_DEFINITIONS). The same start, trials,
// passes, early-exit counts and rounding as the plain form.
//
// x comes in X and goes onto the stack, where cpw compares with it (the STM8 compares no two
// 16-bit registers); above it the passes, pushed as a constant where the start is chosen. A holds
// the root. Cycles by the STM8's instruction table, for x >= 256:
// - The trials of bits 64, 32 and 16, with the start: the root so far is a multiple of 16, so
//   each trial square is a multiple of 256, and a compare of x's high byte with a constant
//   (cp, jrult: 2 or 3) decides it. A tree of them loads the root's top four bits and the
//   passes.
// - Bits 8, 4 and 2: the trial (or), its square (ld xl, mul x,a), cpw with x, and the bit taken
//   back when its square exceeds x: 10 cycles a pass.
// - Bit 1 and the rounding together. With s the root so far (bit 1 undecided), the nearest root
//   is s, s + 1 or s + 2, where x passes s(s + 1) and (s + 1)(s + 2): two products and two
//   compares, no rest. Where the result is s, a third product tells whether x is s^2.
// - The passes run on after an exact trial, with the same root; where x is the square of an
//   even root, the passes the plain form saves by stopping early are taken back: one per
//   trailing zero bit of the root, unless the root is the start, which no trial tries. An odd
//   root is hit at the last pass, which counts anyway.
// - itotal: its low byte plus the passes, and its upper bytes only when that carries.
// The check firmware counts about 81 cycles a call on average over all inputs under ucsim
// (sstm8, whose timing models the STM8's instruction fetch, so that a build that moves the code
// moves the figure by a cycle or so), net of an empty call, 124 at most; the plain form takes 839.
#ifndef QUORVANTEL_ROOTS_BIT_BY_BIT_STM8_HPP
#define QUORVANTEL_ROOTS_BIT_BY_BIT_STM8_HPP

#include "roots.hpp"

#ifdef QUORVANTEL_BIT_BY_BIT_DEFINITIONS

// One instruction a line, as a listing reads. The stack during the passes: (1,sp) the passes,
// (2,sp) x.
// clang-format off

// The pass of trial bit `bit`, 2 to 8: kept when its square does not exceed x.
#define QUORVANTEL_STM8_PASS(bit, next)                                                            \
    "or a,#" #bit "\n\t"                                                                           \
    "ld xl,a\n\t"                                                                                  \
    "mul x,a\n\t"                                                                                  \
    "cpw x,(2,sp)\n\t"                                                                             \
    "jrule " next "\n\t"                                                                           \
    "xor a,#" #bit "\n"

// A leaf of the tree: the passes and the root's top bits, then the passes from bit 8.
#define QUORVANTEL_STM8_START(root)                                                                \
    "ld a,#" #root "\n\t"                                                                          \
    "jra quorvantel_stm8_bit8\n"

// A compare of x's high byte, in A, with k^2: on to `below` when it is smaller.
#define QUORVANTEL_STM8_BELOW(square, below)                                                       \
    "cp a,#" #square "\n\t"                                                                        \
    "jrult " below "\n\t"

unsigned short sqrt_u16_variante4(unsigned short x) QUORVANTEL_NOEXCEPT __naked
{
    (void)x;
    __asm__(
        "ld a,xh\n\t" // a move between registers sets no flag
        "tnz a\n\t"
        "jrne quorvantel_stm8_wide\n\t"
        // Below 256: sqrt_u8, no pass.
        "ld a,xl\n\t"
        "call _sqrt_u8\n\t"
        "clrw x\n\t"
        "ld xl,a\n\t"
        "ret\n"

        // x >= 256, its high byte in A: the root's top four bits, the root of that byte, from
        // the squares 1 to 225, and the passes, 4 to 7.
        "quorvantel_stm8_wide:\n\t"
        "pushw x\n\t"
        QUORVANTEL_STM8_BELOW(0x40, "quorvantel_stm8_below64")
        "push #7\n\t"
        QUORVANTEL_STM8_BELOW(0x90, "quorvantel_stm8_below144")
        QUORVANTEL_STM8_BELOW(0xC4, "quorvantel_stm8_below196")
        QUORVANTEL_STM8_BELOW(0xE1, "quorvantel_stm8_root224")
        QUORVANTEL_STM8_START(240)
        "quorvantel_stm8_root224:\n\t"
        QUORVANTEL_STM8_START(224)
        "quorvantel_stm8_below196:\n\t"
        QUORVANTEL_STM8_BELOW(0xA9, "quorvantel_stm8_root192")
        QUORVANTEL_STM8_START(208)
        "quorvantel_stm8_root192:\n\t"
        QUORVANTEL_STM8_START(192)
        "quorvantel_stm8_below144:\n\t"
        QUORVANTEL_STM8_BELOW(0x64, "quorvantel_stm8_below100")
        QUORVANTEL_STM8_BELOW(0x79, "quorvantel_stm8_root160")
        QUORVANTEL_STM8_START(176)
        "quorvantel_stm8_root160:\n\t"
        QUORVANTEL_STM8_START(160)
        "quorvantel_stm8_below100:\n\t"
        QUORVANTEL_STM8_BELOW(0x51, "quorvantel_stm8_root128")
        QUORVANTEL_STM8_START(144)
        "quorvantel_stm8_root128:\n\t"
        QUORVANTEL_STM8_START(128)
        "quorvantel_stm8_below64:\n\t"
        QUORVANTEL_STM8_BELOW(0x10, "quorvantel_stm8_below16")
        "push #6\n\t"
        QUORVANTEL_STM8_BELOW(0x24, "quorvantel_stm8_below36")
        QUORVANTEL_STM8_BELOW(0x31, "quorvantel_stm8_root96")
        QUORVANTEL_STM8_START(112)
        "quorvantel_stm8_root96:\n\t"
        QUORVANTEL_STM8_START(96)
        "quorvantel_stm8_below36:\n\t"
        QUORVANTEL_STM8_BELOW(0x19, "quorvantel_stm8_root64")
        QUORVANTEL_STM8_START(80)
        "quorvantel_stm8_root64:\n\t"
        QUORVANTEL_STM8_START(64)
        "quorvantel_stm8_below16:\n\t"
        QUORVANTEL_STM8_BELOW(0x04, "quorvantel_stm8_root16")
        "push #5\n\t"
        QUORVANTEL_STM8_BELOW(0x09, "quorvantel_stm8_root32")
        QUORVANTEL_STM8_START(48)
        "quorvantel_stm8_root32:\n\t"
        QUORVANTEL_STM8_START(32)
        "quorvantel_stm8_root16:\n\t"
        "push #4\n\t"
        "ld a,#16\n"

        "quorvantel_stm8_bit8:\n\t"
        QUORVANTEL_STM8_PASS(8, "quorvantel_stm8_bit4")
        "quorvantel_stm8_bit4:\n\t"
        QUORVANTEL_STM8_PASS(4, "quorvantel_stm8_bit2")
        "quorvantel_stm8_bit2:\n\t"
        QUORVANTEL_STM8_PASS(2, "quorvantel_stm8_bit1")

        // Bit 1 and the rounding: s in A, even. s + 1 when x > s(s + 1), s + 2 when also
        // x > (s + 1)(s + 2); 255 at most.
        "quorvantel_stm8_bit1:\n\t"
        "ld xl,a\n\t"
        "inc a\n\t"
        "mul x,a\n\t"
        "cpw x,(2,sp)\n\t"
        "jrult quorvantel_stm8_above\n\t"
        // s, and x = s^2 when a trial hit it.
        "dec a\n\t"
        "ld xl,a\n\t"
        "mul x,a\n\t"
        "cpw x,(2,sp)\n\t"
        "jreq quorvantel_stm8_exact\n\t"
        "jra quorvantel_stm8_count\n"
        "quorvantel_stm8_above:\n\t"
        "ld xl,a\n\t"
        "inc a\n\t"
        "jreq quorvantel_stm8_up\n\t" // s + 1 = 255
        "mul x,a\n\t"
        "cpw x,(2,sp)\n\t"
        "jrult quorvantel_stm8_count\n"
        "quorvantel_stm8_up:\n\t"
        "dec a\n\t"
        "jra quorvantel_stm8_count\n"
        // x = s^2, s even: the plain form's passes stopped at the trial of s's lowest set bit,
        // unless s is the start, a power of two. Y counts s's trailing zero bits.
        "quorvantel_stm8_exact:\n\t"
        "ld xl,a\n\t"
        "clrw y\n"
        "quorvantel_stm8_trailing_zero:\n\t"
        "srl a\n\t"
        "jrc quorvantel_stm8_lowest_bit\n\t"
        "incw y\n\t"
        "jra quorvantel_stm8_trailing_zero\n"
        "quorvantel_stm8_lowest_bit:\n\t"
        "tnz a\n\t"
        "jreq quorvantel_stm8_exact_done\n\t"
        "ld a,yl\n\t"
        "neg a\n\t"
        "add a,(1,sp)\n\t"
        "ld (1,sp),a\n"
        "quorvantel_stm8_exact_done:\n\t"
        "ld a,xl\n"

        // The root in A, the passes at (1,sp): itotal grows by them, carrying into its upper
        // bytes (big-endian) only when its low byte overflows.
        "quorvantel_stm8_count:\n\t"
        "clrw x\n\t"
        "ld xl,a\n\t"
        "ld a,(1,sp)\n\t"
        "add a,_itotal+3\n\t"
        "ld _itotal+3,a\n\t"
        "jrnc quorvantel_stm8_counted\n\t"
        "ld a,_itotal+2\n\t"
        "adc a,#0\n\t"
        "ld _itotal+2,a\n\t"
        "ld a,_itotal+1\n\t"
        "adc a,#0\n\t"
        "ld _itotal+1,a\n\t"
        "ld a,_itotal+0\n\t"
        "adc a,#0\n\t"
        "ld _itotal+0,a\n"
        "quorvantel_stm8_counted:\n\t"
        "addw sp,#3\n\t"
        "ret");
}

// Below 256 the start is 1, 2, 4 or 8 (0 for 0), found from x's low byte; the passes enter the
// chain above at the start's next lower bit, 0 to 3 of them.
unsigned short sqrt_u16_variante3(unsigned short x) QUORVANTEL_NOEXCEPT __naked
{
    (void)x;
    __asm__(
        "ld a,xh\n\t"
        "tnz a\n\t"
        "jreq quorvantel_stm8_narrow\n\t"
        "jp quorvantel_stm8_wide\n"
        "quorvantel_stm8_narrow:\n\t"
        "ld a,xl\n\t"
        "cp a,#4\n\t"
        "jrult quorvantel_stm8_start1\n\t"
        "pushw x\n\t"
        "cp a,#0x10\n\t"
        "jrult quorvantel_stm8_start2\n\t"
        "cp a,#0x40\n\t"
        "jrult quorvantel_stm8_start4\n\t"
        "push #3\n\t"
        "ld a,#8\n\t"
        "jp quorvantel_stm8_bit4\n"
        "quorvantel_stm8_start4:\n\t"
        "push #2\n\t"
        "ld a,#4\n\t"
        "jp quorvantel_stm8_bit2\n"
        "quorvantel_stm8_start2:\n\t"
        "push #1\n\t"
        "ld a,#2\n\t"
        "jp quorvantel_stm8_bit1\n"
        // 0 to 3: no pass; the start 1 (0 for 0) rounds to (x + 1) / 2.
        "quorvantel_stm8_start1:\n\t"
        "inc a\n\t"
        "srl a\n\t"
        "ld xl,a\n\t"
        "ret");
}

#undef QUORVANTEL_STM8_PASS
#undef QUORVANTEL_STM8_START
#undef QUORVANTEL_STM8_BELOW
// clang-format on

#endif

#endif
