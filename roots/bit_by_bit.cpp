// Roots that decide one bit of the result per pass, from the top bit of the root down.
// Every trial root is at most 255, so roots and bits are bytes and each trial square is one
// 8x8 multiply; on an 8-bit target that is what makes these routines cheap.
#include <stdint.h>

#include "detail.hpp"
#include "roots.hpp"

using quorvantel::detail::add_passes;
using quorvantel::detail::nearest_of;
using quorvantel::detail::square;

int32_t itotal = 0;

static_assert(sizeof(itotal) == 4, "itotal is a 32-bit counter on every target");

namespace {

// The highest power of two whose square does not exceed x, for x >= 256, by fixed bounds.
uint8_t start_by_range(unsigned short x) noexcept
{
    if (x <= 0xFFF) return x <= 0x3FF ? 16 : 32;
    return x <= 0x3FFF ? 64 : 128;
}

} // namespace

unsigned short sqrt_u16_variante4(unsigned short x) noexcept
{
    if (x <= 0xFF) return sqrt_u8(static_cast<unsigned char>(x));

    uint8_t root = start_by_range(x);
    uint8_t passes = 0;
    bool exact = false;
    for (uint8_t bit = root / 2; bit != 0; bit /= 2) {
        ++passes;
        const auto trial = static_cast<uint8_t>(root | bit);
        const uint16_t trial_square = square(trial);
        // The trial is the exact root: the remaining bits are zero.
        if (trial_square == x) {
            root = trial;
            exact = true;
            break;
        }
        if (trial_square < x) root = trial;
    }
    add_passes(passes);
    // root is now the integer part of the root of x. 255 stays: 256 is out of range.
    if (exact || root == 255 || square(root) == x) return root;
    return nearest_of(root, x);
}

unsigned short sqrt_u16_variante3(unsigned short x) noexcept
{
    // Scale root, bit and bound = root^2 down together until the bound no longer exceeds x.
    uint8_t root = 0x80;
    uint8_t bit = 0x40;
    uint16_t bound = 0x4000;
    while (x < bound) {
        root /= 2;
        bit /= 2;
        bound /= 4;
    }

    bool exact = false;
    uint8_t passes = 0;
    for (; bit != 0; bit /= 2) {
        ++passes;
        root = static_cast<uint8_t>(root | bit);
        const uint16_t trial_square = square(root);
        if (trial_square == x) {
            exact = true;
            break;
        }
        if (trial_square > x) root = static_cast<uint8_t>(root & ~bit);
    }
    add_passes(passes);
    if (root == 255 || exact) return root;
    // When the start value itself is the exact root, no trial hit it; the correction then
    // leaves it as it is.
    return nearest_of(root, x);
}
