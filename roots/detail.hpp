// Internal to the roots library: the update of the shared pass counter.
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
QUORVANTEL_ALWAYS_INLINE void add_passes(unsigned passes) noexcept
{
    itotal = static_cast<int32_t>(static_cast<uint32_t>(itotal) + passes);
}

} // namespace detail
} // namespace quorvantel

#endif
