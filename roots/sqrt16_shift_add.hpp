// SPDX-License-Identifier: Zlib
// The roots to ship for a 32-bit core without a multiplier (RISC-V without M), where a square
// would be a call of libgcc's __mulsi3: the passes of the counting shift-and-add form
// (bit_by_bit_shift_add.hpp), all eight unrolled, with no early exit and no count. Each pass is
// an addition, a shift and a compare, and a subtraction and an addition where the bit stays: about
// 4 instructions, all immediates but the top two bits' fitting in 12 bits.
#ifndef QUORVANTEL_ROOTS_SQRT16_SHIFT_ADD_HPP
#define QUORVANTEL_ROOTS_SQRT16_SHIFT_ADD_HPP

#include "detail.hpp"

// The pass of the root's bit b = 2^k, whose square is square_of_bit. Before it, twice_rb is 2rb
// for the root r found so far and rest is x - r^2; (r + b)^2 - r^2 = 2rb + b^2. After it,
// twice_rb is the same for the next bit b / 2: rb, plus b^2 where b stays. After the pass of bit
// 1, twice_rb is the root itself.
#define QUORVANTEL_SHIFT_ADD_SQRT16_PASS(square_of_bit)                                            \
    {                                                                                              \
        const unsigned growth = twice_rb + (square_of_bit);                                        \
        twice_rb >>= 1;                                                                            \
        if (rest >= growth) {                                                                      \
            rest -= growth;                                                                        \
            twice_rb += (square_of_bit);                                                           \
        }                                                                                          \
    }

// The floor root, or with nearest set the nearest root saturated at 255; nearest is a constant
// wherever this is inlined.
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_shift_add_sqrt16(unsigned x, int nearest)
{
    unsigned rest = x;
    unsigned twice_rb = 0;
    QUORVANTEL_SHIFT_ADD_SQRT16_PASS(0x4000U)
    QUORVANTEL_SHIFT_ADD_SQRT16_PASS(0x1000U)
    QUORVANTEL_SHIFT_ADD_SQRT16_PASS(0x400U)
    QUORVANTEL_SHIFT_ADD_SQRT16_PASS(0x100U)
    QUORVANTEL_SHIFT_ADD_SQRT16_PASS(0x40U)
    QUORVANTEL_SHIFT_ADD_SQRT16_PASS(0x10U)
    QUORVANTEL_SHIFT_ADD_SQRT16_PASS(0x4U)
    QUORVANTEL_SHIFT_ADD_SQRT16_PASS(0x1U)
    // x > r(r + 1), that is x - r^2 > r, makes the nearest root r + 1; 256 is out of range.
    if (nearest && rest > twice_rb && twice_rb != 255) ++twice_rb;
    return twice_rb;
}

#undef QUORVANTEL_SHIFT_ADD_SQRT16_PASS

QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_shift_add_sqrt16_nearest(unsigned x)
{
    return quorvantel_shift_add_sqrt16(x, 1);
}

QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_shift_add_sqrt16_floor(unsigned x)
{
    return quorvantel_shift_add_sqrt16(x, 0);
}

#endif
