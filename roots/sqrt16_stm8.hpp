// SPDX-License-Identifier: Zlib
// quorvantel_sqrt16_nearest and quorvantel_sqrt16_floor for the STM8 (SDCC), in assembly: a
// bound read from a table, then a search down from it on the multiplier. forms.hpp chooses this
// header; it defines the routines only where sqrt16.cpp includes it
// (QUORVANTEL_SQRT16_DEFINITIONS).
//
// x comes in X and goes onto the stack, where cpw compares with it; the root comes back in A.
// Nothing but A, X, Y and 3 bytes of stack at most, no call and no div. Cycles by the STM8's
// instruction table:
// - x >= 0x4000, three inputs in four: x >> 10 picks b, 1 + the floor root of the last x of its
//   slot of 1024, from a table of 48 bytes (256, in the last slot, as 0). 10 cycles with the
//   test for the range, 2 more to drop x.
// - The floor root counts down from b - 1 while the square (ld xl,a, mul x,a, cpw) exceeds x:
//   10 cycles a step, 2.3 steps on average, 5 at most.
// - The nearest root is the largest k with k(k - 1) < x, so it needs no rounding step of its
//   own: the same search on k(k - 1), from b (255 where b is 256), 2.7 steps on average.
// - Below 0x4000, x is first scaled by 4 until it is not (9 cycles a factor; x < 256 takes four
//   at once with swapw), then searched as above. With k factors and R the floor root of the
//   scaled x, floor(sqrt(x)) = R >> k and the nearest root is (R + 2^(k - 1)) >> k, that is
//   (R >> (k - 1)) + 1 halved, the carry of the sum shifted back in by rrc. Both routines share
//   this path, with the rounding to add (0 or 1) pushed at entry.
// The check firmware counts 45.3 cycles a call on average over all inputs for the nearest root
// and 39.1 for the floor root under ucsim (sstm8, whose timing models the STM8's instruction
// fetch, so that a build that moves the code moves the figure by a cycle or so), net of an empty
// call; 124 and 120 at most. The module is 160 bytes, the table included.
#ifndef QUORVANTEL_ROOTS_SQRT16_STM8_HPP
#define QUORVANTEL_ROOTS_SQRT16_STM8_HPP

#include <stdint.h>

#include "roots.hpp"

#ifdef QUORVANTEL_SQRT16_DEFINITIONS
// One instruction a line, as a listing reads.
// clang-format off

// b for x (>= 0x4000, its high byte in A, X free) into A; it sets Z where b is 256.
#define QUORVANTEL_SQRT16_STM8_BOUND                                                               \
    "srl a\n\t"                                                                                    \
    "srl a\n\t"                                                                                    \
    "clrw x\n\t"                                                                                   \
    "ld xl,a\n\t"                                                                                  \
    "ld a,(quorvantel_sqrt16_stm8_bounds-16,x)\n\t"

// The floor root of the x at (1,sp) into A, from b in A: down while the square exceeds x.
#define QUORVANTEL_SQRT16_STM8_FLOOR(label)                                                        \
    label ":\n\t"                                                                                  \
    "dec a\n\t"                                                                                    \
    "ld xl,a\n\t"                                                                                  \
    "mul x,a\n\t"                                                                                  \
    "cpw x,(1,sp)\n\t"                                                                             \
    "jrugt " label "\n\t"

uint8_t quorvantel_sqrt16_nearest(uint16_t x) QUORVANTEL_NOEXCEPT QUORVANTEL_REENTRANT __naked
{
    (void)x;
    __asm__(
        "ld a,xh\n\t"
        "cp a,#0x40\n\t"
        "jrult quorvantel_sqrt16_stm8_nearest_small\n\t"
        "pushw x\n\t"
        QUORVANTEL_SQRT16_STM8_BOUND
        "jreq quorvantel_sqrt16_stm8_nearest_top\n"
        // k in A: on to k - 1 while k(k - 1) >= x.
        "quorvantel_sqrt16_stm8_nearest_down:\n\t"
        "ld xl,a\n\t"
        "dec a\n\t"
        "mul x,a\n\t"
        "cpw x,(1,sp)\n\t"
        "jruge quorvantel_sqrt16_stm8_nearest_down\n\t"
        "inc a\n\t"
        "popw x\n\t"
        "ret\n"
        // b = 256: the nearest root saturates at 255.
        "quorvantel_sqrt16_stm8_nearest_top:\n\t"
        "dec a\n\t"
        "jra quorvantel_sqrt16_stm8_nearest_down\n"
        "quorvantel_sqrt16_stm8_nearest_small:\n\t"
        "push #1\n\t"
        "jra quorvantel_sqrt16_stm8_small");
}

uint8_t quorvantel_sqrt16_floor(uint16_t x) QUORVANTEL_NOEXCEPT QUORVANTEL_REENTRANT __naked
{
    (void)x;
    __asm__(
        "ld a,xh\n\t"
        "cp a,#0x40\n\t"
        "jrult quorvantel_sqrt16_stm8_floor_small\n\t"
        "pushw x\n\t"
        QUORVANTEL_SQRT16_STM8_BOUND
        QUORVANTEL_SQRT16_STM8_FLOOR("quorvantel_sqrt16_stm8_floor_down")
        "popw x\n\t"
        "ret\n"
        "quorvantel_sqrt16_stm8_floor_small:\n\t"
        "push #0\n"
        // x below 0x4000, its high byte in A, and on the stack the rounding to add: 0 for the
        // floor root, 1 for the nearest (at (3,sp) once x is pushed). Y counts the factors of 4.
        "quorvantel_sqrt16_stm8_small:\n\t"
        "clrw y\n\t"
        "tnz a\n\t"
        "jreq quorvantel_sqrt16_stm8_byte\n"
        "quorvantel_sqrt16_stm8_scale:\n\t"
        "incw y\n\t"
        "sllw x\n\t"
        "sllw x\n"
        "quorvantel_sqrt16_stm8_scaled:\n\t"
        "ld a,xh\n\t"
        "cp a,#0x40\n\t"
        "jrult quorvantel_sqrt16_stm8_scale\n\t"
        "pushw x\n\t"
        QUORVANTEL_SQRT16_STM8_BOUND
        QUORVANTEL_SQRT16_STM8_FLOOR("quorvantel_sqrt16_stm8_small_down")
        // R >> (k - 1), then plus the rounding, and the last shift with its carry.
        "decw y\n\t"
        "jreq quorvantel_sqrt16_stm8_halve\n"
        "quorvantel_sqrt16_stm8_unscale:\n\t"
        "srl a\n\t"
        "decw y\n\t"
        "jrne quorvantel_sqrt16_stm8_unscale\n"
        "quorvantel_sqrt16_stm8_halve:\n\t"
        "add a,(3,sp)\n\t"
        "rrc a\n\t"
        "addw sp,#3\n\t"
        "ret\n"
        // x below 256: swapw scales it by four factors at once, and tells 0, whose root (in A)
        // is 0.
        "quorvantel_sqrt16_stm8_byte:\n\t"
        "swapw x\n\t"
        "jreq quorvantel_sqrt16_stm8_zero\n\t"
        "ldw y,#4\n\t"
        "jra quorvantel_sqrt16_stm8_scaled\n"
        "quorvantel_sqrt16_stm8_zero:\n\t"
        "addw sp,#1\n\t"
        "ret\n"
        // b for the slots 16 to 31, 32 to 47 and 48 to 63.
        "quorvantel_sqrt16_stm8_bounds:\n\t"
        ".db 132, 136, 140, 144, 147, 151, 154, 157, 160, 164, 167, 170, 173, 176, 179, 182\n\t"
        ".db 184, 187, 190, 192, 195, 198, 200, 203, 205, 208, 210, 213, 215, 218, 220, 222\n\t"
        ".db 224, 227, 229, 231, 233, 236, 238, 240, 242, 244, 246, 248, 250, 252, 254, 0");
}

#undef QUORVANTEL_SQRT16_STM8_BOUND
#undef QUORVANTEL_SQRT16_STM8_FLOOR
// clang-format on
#endif

#endif
