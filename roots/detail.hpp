// Internal to the roots library: the shared pass counter and the final rounding step.
#ifndef QUORVANTEL_ROOTS_DETAIL_HPP
#define QUORVANTEL_ROOTS_DETAIL_HPP

#include <stdint.h>

#include "roots.hpp"

// At -Os, GCC would rather call a helper than repeat it; the counter update is worth inlining.
#if defined(__GNUC__)
#define QUORVANTEL_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define QUORVANTEL_ALWAYS_INLINE inline
#endif

namespace quorvantel {
namespace detail {

// The counting routines keep their passes in a register and add them here once per call,
// which gives the same total as one increment per pass at a fraction of the cost on 8-bit
// targets. Unsigned arithmetic makes a total past INT32_MAX wrap instead of overflowing.
QUORVANTEL_ALWAYS_INLINE void add_passes(uint8_t passes) noexcept
{
    itotal = static_cast<int32_t>(static_cast<uint32_t>(itotal) + passes);
}

// Every trial root is at most 255: its square is one 8x8 -> 16 multiply.
inline uint16_t square(uint8_t r) noexcept
{
    return static_cast<uint16_t>(static_cast<uint16_t>(r) * r);
}

// The nearest-square correction: r + 1 when (r + 1)^2 lies closer to x than r^2, else r.
// (r + 1)^2 - x < x - r^2 is 2x > 2r^2 + 2r + 1, which for whole numbers is x > r(r + 1): one
// 8x8 multiply and a 16-bit compare decide it for every x, with no 32-bit differences.
// Needs r <= 254, which every caller has checked.
inline unsigned short nearest_of(uint8_t r, unsigned short x) noexcept
{
    // The largest input whose nearest root is r.
    const auto last_rounding_to_r =
        static_cast<uint16_t>(static_cast<uint16_t>(r) * static_cast<uint8_t>(r + 1));
    return x > last_rounding_to_r ? static_cast<unsigned short>(r + 1) : r;
}

} // namespace detail
} // namespace quorvantel

#endif
