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

namespace quorvantel {
namespace shift_add {

struct Outcome {
    uint8_t root;
    uint8_t passes;
};

// The refinement state of one call.
struct Refinement {
    uint16_t rest;     // x - r^2
    uint16_t twice_rb; // 2rb for the next trial bit b; after the last pass, r
};

// The pass of trial bit 2^K. True when the trial is the exact root; twice_rb then holds it
// times 2^K.
template <unsigned K> QUORVANTEL_ALWAYS_INLINE bool exact_after_pass(Refinement& state) noexcept
{
    const uint16_t square_of_bit = static_cast<uint16_t>(1U << (2 * K));
    // (r + b)^2 - r^2
    const auto growth = static_cast<uint16_t>(state.twice_rb + square_of_bit);
    state.twice_rb = static_cast<uint16_t>(state.twice_rb >> 1U);
    if (state.rest < growth) return false;
    // The bit stays: r grows by b, and 2(r + b)(b / 2) = rb + b^2. An exact trial ends the
    // passes, so its rest is never needed.
    state.twice_rb = static_cast<uint16_t>(state.twice_rb + square_of_bit);
    if (state.rest == growth) return true;
    state.rest = static_cast<uint16_t>(state.rest - growth);
    return false;
}

// The outcome of an exact trial at bit 2^K, the pass top - K.
template <unsigned K>
QUORVANTEL_ALWAYS_INLINE Outcome exact_root(const Refinement& state, uint8_t top) noexcept
{
    return Outcome{static_cast<uint8_t>(state.twice_rb >> K), static_cast<uint8_t>(top - K)};
}

// The passes from the start root 2^top down to bit 1, one pass per bit below the top; top is 0
// to 7, and x is at least 4^top, the start root's square. Returns the integer part of the root
// of x with its passes, or the exact root as soon as a trial hits it.
inline Outcome refine(uint16_t x, uint8_t top, uint16_t start_square) noexcept
{
    // r = 2^top, and 2rb = r^2 for b = r / 2.
    Refinement state = {static_cast<uint16_t>(x - start_square), start_square};
    // Each case is one pass and falls through to the next lower bit. An exact trial at bit 2^K
    // ends the call after top - K passes.
    switch (top) {
    case 7:
        if (exact_after_pass<6>(state)) return exact_root<6>(state, top);
        // fall through
    case 6:
        if (exact_after_pass<5>(state)) return exact_root<5>(state, top);
        // fall through
    case 5:
        if (exact_after_pass<4>(state)) return exact_root<4>(state, top);
        // fall through
    case 4:
        if (exact_after_pass<3>(state)) return exact_root<3>(state, top);
        // fall through
    case 3:
        if (exact_after_pass<2>(state)) return exact_root<2>(state, top);
        // fall through
    case 2:
        if (exact_after_pass<1>(state)) return exact_root<1>(state, top);
        // fall through
    case 1:
        if (exact_after_pass<0>(state)) return exact_root<0>(state, top);
        // fall through
    default: // top 0: no pass
        break;
    }
    const auto root = static_cast<uint8_t>(state.twice_rb);
    // The nearest-square correction: x > r(r + 1), that is x - r^2 > r, makes it r + 1. An
    // exact root (rest 0) stays, and so does 255, since 256 is out of range.
    if (root != 255 && state.rest > root) return Outcome{static_cast<uint8_t>(root + 1), top};
    return Outcome{root, top};
}

// The start values' bounds 4^top are 256 and above for the 16-bit inputs, multiples of 256: the
// high byte of x alone decides them (one compare of a register on AVR).
inline Outcome sqrt_u16_variante4(uint16_t x) noexcept
{
    const auto high = static_cast<uint8_t>(x >> 8U);
    if (high == 0) return Outcome{sqrt_u8(static_cast<unsigned char>(x)), 0};
    if (high < 0x10) return high < 0x04 ? refine(x, 4, 0x100) : refine(x, 5, 0x400);
    return high < 0x40 ? refine(x, 6, 0x1000) : refine(x, 7, 0x4000);
}

inline Outcome sqrt_u16_variante3(uint16_t x) noexcept
{
    // The top bit of the root: the largest top with 4^top <= x, at most 7.
    const auto high = static_cast<uint8_t>(x >> 8U);
    if (high != 0) {
        if (high >= 0x10) return high >= 0x40 ? refine(x, 7, 0x4000) : refine(x, 6, 0x1000);
        return high >= 0x04 ? refine(x, 5, 0x400) : refine(x, 4, 0x100);
    }
    if (x == 0) return Outcome{0, 0};
    if (x >= 0x10) return x >= 0x40 ? refine(x, 3, 0x40) : refine(x, 2, 0x10);
    return x >= 0x4 ? refine(x, 1, 0x4) : refine(x, 0, 0x1);
}

} // namespace shift_add
} // namespace quorvantel

#endif
