// SPDX-License-Identifier: Zlib
// sqrt_u16_variante4 and sqrt_u16_variante3 for armv6-m (Cortex-M0 and M0+, such as the RP2040),
// in assembly, the pass counter's update included. forms.hpp chooses this header; it defines the
// routines only where bit_by_bit.cpp includes it (QUORVANTEL_BIT_BY_BIT_DEFINITIONS).
//
// Both routines share one chain of unrolled passes, entered at the pass of the start value's
// next lower bit; from 256 on their start values and passes are the same. r0 holds x, r1 the
// root, r3 the bit number of the start (top); the chain runs to bit 1, so a call makes top
// passes, and top - K when the trial of bit 2^K is the exact root.
//
// One pass: the trial bit and the root into a scratch register (movs, adds), its square (muls:
// one cycle on the Cortex-M0+ and most M0s), cmp with x, then a taken bhi when the trial square
// is larger (6 cycles on a Cortex-M0+), or bhi and beq not taken and adds to keep the bit (7).
// A call: 9 to 12 cycles to pick the start, 6.5 a pass, about 7 for the nearest-square
// correction (one more muls), 9 for the counter and the return.
#ifndef QUORVANTEL_ROOTS_BIT_BY_BIT_ARMV6M_HPP
#define QUORVANTEL_ROOTS_BIT_BY_BIT_ARMV6M_HPP

#ifdef QUORVANTEL_BIT_BY_BIT_DEFINITIONS

// clang-format off
#define QUORVANTEL_ARMV6M_PASS(bit, k)                                                             \
    ".Lpass" #k ":\n\t"                                                                            \
    "movs r2, #" #bit "\n\t"                                                                       \
    "adds r2, r2, r1\n\t"                                                                          \
    "muls r2, r2, r2\n\t"                                                                          \
    "cmp r2, r0\n\t"                                                                               \
    "bhi 1f\n\t"                                                                                   \
    "beq .Lexact" #k "\n\t"                                                                        \
    "adds r1, #" #bit "\n"                                                                         \
    "1:\n\t"

// The exact trial of bit 2^k: the root is r1 + bit after top - k passes.
#define QUORVANTEL_ARMV6M_EXACT(bit, k)                                                            \
    ".Lexact" #k ":\n\t"                                                                           \
    "adds r1, #" #bit "\n\t"                                                                       \
    "subs r3, #" #k "\n\t"                                                                         \
    "b .Ldone\n\t"

__asm__(
    ".pushsection .text.quorvantel_bit_by_bit,\"ax\",%progbits\n\t"
    ".syntax unified\n\t"
    ".thumb\n\t"
    ".p2align 1\n\t"

    ".global sqrt_u16_variante3\n\t"
    ".type sqrt_u16_variante3, %function\n\t"
    ".thumb_func\n"
    "sqrt_u16_variante3:\n\t"
    "cmp r0, #255\n\t"
    "bhi .Lranges\n\t"
    // Below 256: the top bit by the bounds 4^top, from 16 on and below it.
    "cmp r0, #16\n\t"
    "bhs .Lsixteen\n\t"
    "cmp r0, #4\n\t"
    "bhs .Ltop1\n\t"
    // 0 to 3: no pass, the start 0 or 1 corrected.
    "movs r3, #0\n\t"
    "movs r1, #0\n\t"
    "cmp r0, #0\n\t"
    "beq .Ldone\n\t"
    "movs r1, #1\n\t"
    "b .Lcorrect\n"
    ".Ltop1:\n\t"
    "movs r1, #2\n\t"
    "movs r3, #1\n\t"
    "b .Lpass0\n"
    ".Lsixteen:\n\t"
    "cmp r0, #64\n\t"
    "bhs .Ltop3\n\t"
    "movs r1, #4\n\t"
    "movs r3, #2\n\t"
    "b .Lpass1\n"
    ".Ltop3:\n\t"
    "movs r1, #8\n\t"
    "movs r3, #3\n\t"
    "b .Lpass2\n\t"
    ".size sqrt_u16_variante3, .-sqrt_u16_variante3\n\t"

    ".global sqrt_u16_variante4\n\t"
    ".type sqrt_u16_variante4, %function\n\t"
    ".thumb_func\n"
    "sqrt_u16_variante4:\n\t"
    "cmp r0, #255\n\t"
    "bls .Lsmall\n"
    // From 256 on: the start by the high byte against 4, 16 and 64 (x against 1024, 4096, 16384).
    ".Lranges:\n\t"
    "lsrs r2, r0, #8\n\t"
    "cmp r2, #16\n\t"
    "bhs .Lhigh\n\t"
    "cmp r2, #4\n\t"
    "bhs .Ltop5\n\t"
    "movs r1, #16\n\t"
    "movs r3, #4\n\t"
    "b .Lpass3\n"
    ".Ltop5:\n\t"
    "movs r1, #32\n\t"
    "movs r3, #5\n\t"
    "b .Lpass4\n"
    ".Lhigh:\n\t"
    "cmp r2, #64\n\t"
    "bhs .Ltop7\n\t"
    "movs r1, #64\n\t"
    "movs r3, #6\n\t"
    "b .Lpass5\n"
    ".Ltop7:\n\t"
    "movs r1, #128\n\t"
    "movs r3, #7\n\t"
    QUORVANTEL_ARMV6M_PASS(64, 6)
    QUORVANTEL_ARMV6M_PASS(32, 5)
    QUORVANTEL_ARMV6M_PASS(16, 4)
    QUORVANTEL_ARMV6M_PASS(8, 3)
    QUORVANTEL_ARMV6M_PASS(4, 2)
    QUORVANTEL_ARMV6M_PASS(2, 1)
    QUORVANTEL_ARMV6M_PASS(1, 0)
    // The nearest-square correction: x > r(r + 1) makes it r + 1; 255 stays, 256 is out of range.
    ".Lcorrect:\n\t"
    "cmp r1, #255\n\t"
    "beq .Ldone\n\t"
    "adds r2, r1, #1\n\t"
    "muls r2, r1, r2\n\t"
    "cmp r0, r2\n\t"
    "bls .Ldone\n\t"
    "adds r1, #1\n"
    // itotal += passes; return the root.
    ".Ldone:\n\t"
    "ldr r2, =itotal\n\t"
    "ldr r0, [r2]\n\t"
    "adds r0, r0, r3\n\t"
    "str r0, [r2]\n\t"
    "movs r0, r1\n\t"
    "bx lr\n\t"
    QUORVANTEL_ARMV6M_EXACT(64, 6)
    QUORVANTEL_ARMV6M_EXACT(32, 5)
    QUORVANTEL_ARMV6M_EXACT(16, 4)
    QUORVANTEL_ARMV6M_EXACT(8, 3)
    QUORVANTEL_ARMV6M_EXACT(4, 2)
    QUORVANTEL_ARMV6M_EXACT(2, 1)
    QUORVANTEL_ARMV6M_EXACT(1, 0)
    // Below 256: sqrt_u8, which counts no pass, answers for sqrt_u16_variante4.
    ".Lsmall:\n\t"
    "ldr r1, =sqrt_u8\n\t"
    "bx r1\n\t"
    ".ltorg\n\t"
    ".size sqrt_u16_variante4, .-sqrt_u16_variante4\n\t"
    ".popsection");
// clang-format on

#undef QUORVANTEL_ARMV6M_PASS
#undef QUORVANTEL_ARMV6M_EXACT

#endif

#endif
