// Internal to the roots library: the shared pass counter and the final rounding step.
#ifndef QUORVANTEL_ROOTS_DETAIL_HPP
#define QUORVANTEL_ROOTS_DETAIL_HPP

#include <cstdint>

#include "roots.hpp"

namespace quorvantel::detail {

// A caller that loops long enough would push itotal past INT_MAX; counting in unsigned
// arithmetic makes that a wrap to negative values instead of undefined behaviour.
inline void count_pass() noexcept
{
    itotal = static_cast<int>(static_cast<unsigned>(itotal) + 1U);
}

// Given r with r * r <= x, returns r + 1 when (r + 1)^2 lies closer to x than r^2, else r.
// The two distances add up to the odd number 2r + 1, so they are never equal.
constexpr unsigned short nearest_of(unsigned short r, unsigned short x) noexcept
{
    const std::int32_t below = std::int32_t{x} - std::int32_t{r} * r;
    const std::int32_t above = (std::int32_t{r} + 1) * (std::int32_t{r} + 1) - x;
    return above < below ? static_cast<unsigned short>(r + 1) : r;
}

} // namespace quorvantel::detail

#endif
