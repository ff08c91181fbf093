// The plain statement of each 16-bit root: what every call returns and how many passes it makes,
// in the words of the algorithm, with no side effect. Every core without a form of its own runs
// these (the host among them); the check firmware holds each per-core form to them, call by call.
// Each routine is inlined into its one caller, whatever the optimisation level: at -Os GCC would
// rather call it, at a dozen instructions a call on a 32-bit core.
//
// The arithmetic is plain unsigned (16 or 32 bits wide): every trial root is at most 255, so
// every square, quotient and sum below fits in 16 bits.
#ifndef QUORVANTEL_ROOTS_PORTABLE_HPP
#define QUORVANTEL_ROOTS_PORTABLE_HPP

#include <stdint.h>

#include "detail.hpp"
#include "roots.hpp"

namespace quorvantel {
namespace portable {

// One call: its result, and its refinement passes (the bit-by-bit roots) or Newton steps.
struct Outcome {
    unsigned root;
    unsigned passes;
};

// The nearest-square correction of a root r with r^2 <= x: r + 1 if (r + 1)^2 lies closer to x
// than r^2, else r. The two are never equally close to a whole x.
inline unsigned nearest_of(unsigned r, unsigned x) noexcept
{
    const int32_t above = static_cast<int32_t>((r + 1) * (r + 1)) - static_cast<int32_t>(x);
    const int32_t below = static_cast<int32_t>(x) - static_cast<int32_t>(r * r);
    // One more when the next square is nearer: a flag added, not a branch, which a desktop core
    // would mispredict on every other input.
    return r + static_cast<unsigned>(above < below);
}

// The start by fixed ranges, one pass per bit below the top bit of the root, an early end on an
// exact trial. Inputs below 256 go to sqrt_u8.
QUORVANTEL_ALWAYS_INLINE Outcome sqrt_u16_variante4(unsigned x) noexcept
{
    if (x <= 0xFF) return Outcome{sqrt_u8(static_cast<unsigned char>(x)), 0};
    // The highest power of two whose square does not exceed x.
    unsigned root = 0;
    if (x <= 0xFFF) {
        root = x <= 0x3FF ? 16 : 32;
    } else {
        root = x <= 0x3FFF ? 64 : 128;
    }
    unsigned passes = 0;
    for (unsigned bit = root / 2; bit != 0; bit /= 2) {
        ++passes;
        const unsigned trial = root | bit;
        const unsigned square = trial * trial;
        if (square == x) return Outcome{trial, passes};
        if (square < x) root = trial;
    }
    // 255 stays: 256 is out of range.
    if (root == 255 || root * root == x) return Outcome{root, passes};
    return Outcome{nearest_of(root, x), passes};
}

// The start by scaling a root, its bit and the bound root^2 down until the bound no longer
// exceeds x; the same passes as sqrt_u16_variante4 from there, small inputs included.
QUORVANTEL_ALWAYS_INLINE Outcome sqrt_u16_variante3(unsigned x) noexcept
{
    unsigned root = 0x80;
    unsigned bit = 0x40;
    unsigned bound = 0x4000;
    while (x < bound) {
        bit /= 2;
        root /= 2;
        bound /= 4;
    }
    unsigned passes = 0;
    for (; bit != 0; bit /= 2) {
        ++passes;
        root |= bit;
        const unsigned square = root * root;
        // An exact trial is the root (255 included): the call ends there.
        if (square == x) return Outcome{root, passes};
        if (square > x) root &= ~bit;
    }
    if (root == 255) return Outcome{255, passes};
    // No trial was exact. Where the start itself is exact, the correction leaves it as it is.
    return Outcome{nearest_of(root, x), passes};
}

// The Newton (Heron) step r <- (r + q) / 2 from start until the estimate repeats or drops by
// exactly one; q is x / r, rounded to nearest if asked (an exact half stays down), capped at 255.
// The estimate never reaches 0 before the stop, so the division is safe.
inline Outcome heron(unsigned x, unsigned start, bool rounded) noexcept
{
    unsigned root = start;
    unsigned steps = 0;
    for (;;) {
        ++steps;
        unsigned q = x / root;
        if (rounded && 2 * (x % root) > root) ++q;
        if (q > 255) q = 255;
        const unsigned previous = root;
        root = (root + q) / 2;
        if (root == previous || root + 1 == previous) return Outcome{root, steps};
    }
}

// Both Newton roots halve their way down to 1 for input 0 and stop there; the family's answer
// for 0 is 0, so only the result is set right, the steps stay those of the iteration.
inline unsigned zero_for_zero(unsigned x, unsigned root) noexcept
{
    return x == 0 ? 0 : root;
}

// sqrt_u16: from the fixed start 16, truncated quotients. Steps are not passes of itotal.
QUORVANTEL_ALWAYS_INLINE Outcome sqrt_u16(unsigned x) noexcept
{
    Outcome newton = heron(x, 16, false);
    // The guard keeps the result at 255 or below.
    if (newton.root <= 254 && newton.root * newton.root < x) {
        newton.root = nearest_of(newton.root, x);
    }
    newton.root = zero_for_zero(x, newton.root);
    return newton;
}

// The start value of sqrt_u16_variante2: 16 below 512, doubled for every further factor of 4,
// capped at 255.
inline unsigned variante2_start(unsigned x) noexcept
{
    unsigned start = 16;
    for (unsigned scaled = x >> 7; (scaled >>= 2) != 0;) start *= 2;
    return start > 255 ? 255 : start;
}

// sqrt_u16_variante2: inputs above 64770, the largest whose root lies below 254.5, are 255 at
// once with no step; the others iterate from variante2_start with rounded quotients.
QUORVANTEL_ALWAYS_INLINE Outcome sqrt_u16_variante2(unsigned x) noexcept
{
    if (x > 0xFD02) return Outcome{255, 0};
    Outcome newton = heron(x, variante2_start(x), true);
    // x <= 64770 keeps the corrected root at 254 or below.
    if (newton.root * newton.root < x) newton.root = nearest_of(newton.root, x);
    newton.root = zero_for_zero(x, newton.root);
    return newton;
}

} // namespace portable
} // namespace quorvantel

#endif
