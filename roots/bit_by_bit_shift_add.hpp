// SPDX-License-Identifier: Zlib
// The bit-by-bit roots for cores without a hardware multiplier (AVR without MUL, such as the
// ATtiny85; RISC-V without the M extension), where every trial square r * r would be a call of a
// software multiply (50 to 250 cycles). They make the same trials, passes and early exits.
//
// With the decided root r and the trial bit b = 2^K (r has no bit at or below K), the trial
// square is (r + b)^2 = r^2 + 2rb + b^2. So the passes keep rest = x - r^2 and twice_rb = 2rb, and
// compare the growth 2rb + b^2 with rest: larger means the trial square exceeds x, equal means
// the trial is the exact root. Going down to the next bit halves 2rb, and a kept bit adds b^2 to
// it: every step is an addition, a subtraction or a shift by one. After the pass of bit 2^K,
// twice_rb holds r * 2^K, so after the last pass it is the root itself.
//
// One pass on AVR: add b^2 (a constant: one or two instructions), compare with rest (2), branch,
// subtract (2), shift (2), add b^2 (1 or 2): about 11 cycles, against over 150 for a software
// 8x8 multiply. The passes are unrolled, entered at the start value's bit.
#ifndef QUORVANTEL_ROOTS_BIT_BY_BIT_SHIFT_ADD_HPP
#define QUORVANTEL_ROOTS_BIT_BY_BIT_SHIFT_ADD_HPP

#include <stdint.h>

#include "detail.hpp"
#include "roots.hpp"

// The refinement state of one call.
typedef struct quorvantel_refinement {
    uint16_t rest;     // x - r^2
    uint16_t twice_rb; // 2rb for the next trial bit b; after the last pass, r
} quorvantel_refinement;

// The pass of trial bit 2^k. True when the trial is the exact root; twice_rb then holds it
// times 2^k. k is a constant wherever this is inlined.
QUORVANTEL_ALWAYS_INLINE int quorvantel_shift_add_exact_after_pass(quorvantel_refinement* state,
                                                                   unsigned k)
{
    const uint16_t square_of_bit = (uint16_t)(1U << (2 * k));
    // (r + b)^2 - r^2
    const uint16_t growth = (uint16_t)(state->twice_rb + square_of_bit);
    state->twice_rb = (uint16_t)(state->twice_rb >> 1U);
    if (state->rest < growth) return 0;
    // The bit stays: r grows by b, and 2(r + b)(b / 2) = rb + b^2. An exact trial ends the
    // passes, so its rest is never needed.
    state->twice_rb = (uint16_t)(state->twice_rb + square_of_bit);
    if (state->rest == growth) return 1;
    state->rest = (uint16_t)(state->rest - growth);
    return 0;
}

// The refinement's result, the root in the low byte and the passes in the high byte: 16 bits in
// registers, where a count stored through a pointer would go through memory when the refinement
// is not inlined.
#define QUORVANTEL_SHIFT_ADD_REFINED(root, passes)                                                 \
    ((uint16_t)((unsigned)(uint8_t)(passes) << 8U | (uint8_t)(root)))

// The pass of bit 2^k, the pass top - k: an exact trial returns its root from the caller.
#define QUORVANTEL_SHIFT_ADD_PASS(k)                                                               \
    if (quorvantel_shift_add_exact_after_pass(&state, k))                                          \
        return QUORVANTEL_SHIFT_ADD_REFINED(state.twice_rb >> (k), top - (k));

// The passes from the start root 2^top down to bit 1, one pass per bit below the top; top is 0
// to 7, and x is at least 4^top, the start root's square. Returns the integer part of the root
// of x with its passes, or the exact root as soon as a trial hits it.
static inline uint16_t quorvantel_shift_add_refine(uint16_t x, uint8_t top, uint16_t start_square)
{
    // r = 2^top, and 2rb = r^2 for b = r / 2.
    quorvantel_refinement state = {(uint16_t)(x - start_square), start_square};
    // Each case is one pass and falls through to the next lower bit.
    switch (top) {
    case 7:
        QUORVANTEL_SHIFT_ADD_PASS(6)
        // fall through
    case 6:
        QUORVANTEL_SHIFT_ADD_PASS(5)
        // fall through
    case 5:
        QUORVANTEL_SHIFT_ADD_PASS(4)
        // fall through
    case 4:
        QUORVANTEL_SHIFT_ADD_PASS(3)
        // fall through
    case 3:
        QUORVANTEL_SHIFT_ADD_PASS(2)
        // fall through
    case 2:
        QUORVANTEL_SHIFT_ADD_PASS(1)
        // fall through
    case 1:
        QUORVANTEL_SHIFT_ADD_PASS(0)
        // fall through
    default: // top 0: no pass
        break;
    }
    uint8_t root = (uint8_t)state.twice_rb;
    // The nearest-square correction: x > r(r + 1), that is x - r^2 > r, makes it r + 1. An
    // exact root (rest 0) stays, and so does 255, since 256 is out of range.
    if (root != 255 && state.rest > root) ++root;
    return QUORVANTEL_SHIFT_ADD_REFINED(root, top);
}

#undef QUORVANTEL_SHIFT_ADD_PASS
#undef QUORVANTEL_SHIFT_ADD_REFINED

// The root of a refinement's result, its passes through the pointer.
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_shift_add_root(uint16_t refined, unsigned* passes)
{
    *passes = refined >> 8U;
    return (uint8_t)refined;
}

// The start values' bounds 4^top are 256 and above for the 16-bit inputs, multiples of 256: the
// high byte of x alone decides them (one compare of a register on AVR).
QUORVANTEL_ALWAYS_INLINE uint16_t quorvantel_shift_add_refined_variante4(uint16_t x)
{
    const uint8_t high = (uint8_t)(x >> 8U);
    if (high == 0) return sqrt_u8((unsigned char)x); // and no pass
    if (high < 0x10) {
        return high < 0x04 ? quorvantel_shift_add_refine(x, 4, 0x100)
                           : quorvantel_shift_add_refine(x, 5, 0x400);
    }
    return high < 0x40 ? quorvantel_shift_add_refine(x, 6, 0x1000)
                       : quorvantel_shift_add_refine(x, 7, 0x4000);
}

QUORVANTEL_ALWAYS_INLINE uint16_t quorvantel_shift_add_refined_variante3(uint16_t x)
{
    // The top bit of the root: the largest top with 4^top <= x, at most 7.
    const uint8_t high = (uint8_t)(x >> 8U);
    if (high != 0) {
        if (high >= 0x10) {
            return high >= 0x40 ? quorvantel_shift_add_refine(x, 7, 0x4000)
                                : quorvantel_shift_add_refine(x, 6, 0x1000);
        }
        return high >= 0x04 ? quorvantel_shift_add_refine(x, 5, 0x400)
                            : quorvantel_shift_add_refine(x, 4, 0x100);
    }
    if (x == 0) return 0;
    if (x >= 0x10) {
        return x >= 0x40 ? quorvantel_shift_add_refine(x, 3, 0x40)
                         : quorvantel_shift_add_refine(x, 2, 0x10);
    }
    return x >= 0x4 ? quorvantel_shift_add_refine(x, 1, 0x4)
                    : quorvantel_shift_add_refine(x, 0, 0x1);
}

QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_shift_add_variante4(uint16_t x, unsigned* passes)
{
    return quorvantel_shift_add_root(quorvantel_shift_add_refined_variante4(x), passes);
}

QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_shift_add_variante3(uint16_t x, unsigned* passes)
{
    return quorvantel_shift_add_root(quorvantel_shift_add_refined_variante3(x), passes);
}

#endif
