// Roots that decide one bit of the result per pass, from the top bit of the root down.
// Every trial root is at most 255, so its square (at most 65025) fits in 16 unsigned bits.
#include "detail.hpp"
#include "roots.hpp"

using quorvantel::detail::count_pass;
using quorvantel::detail::nearest_of;

int itotal = 0;

namespace {

constexpr unsigned short square(unsigned short r) noexcept
{
    return static_cast<unsigned short>(r * r);
}

// The highest power of two whose square does not exceed x, for x >= 256, by fixed bounds.
constexpr unsigned short start_by_range(unsigned short x) noexcept
{
    if (x <= 0xFFF) return x <= 0x3FF ? 16 : 32;
    return x <= 0x3FFF ? 64 : 128;
}

} // namespace

unsigned short sqrt_u16_variante4(unsigned short x) noexcept
{
    if (x <= 0xFF) return sqrt_u8(static_cast<unsigned char>(x));

    unsigned short root = start_by_range(x);
    for (unsigned short bit = root / 2; bit != 0; bit /= 2) {
        count_pass();
        const auto trial = static_cast<unsigned short>(root | bit);
        const unsigned short trial_square = square(trial);
        if (trial_square == x) return trial;
        if (trial_square < x) root = trial;
    }
    // root is now the integer part of the root of x. 255 stays: 256 is out of range.
    if (root == 255 || square(root) == x) return root;
    return nearest_of(root, x);
}

unsigned short sqrt_u16_variante3(unsigned short x) noexcept
{
    // Scale root, bit and bound = root^2 down together until the bound no longer exceeds x.
    unsigned short root = 0x80;
    unsigned short bit = 0x40;
    unsigned short bound = 0x4000;
    while (x < bound) {
        root /= 2;
        bit /= 2;
        bound /= 4;
    }

    bool exact = false;
    for (; bit != 0; bit /= 2) {
        count_pass();
        root = static_cast<unsigned short>(root | bit);
        const unsigned short trial_square = square(root);
        if (trial_square == x) {
            exact = true;
            break;
        }
        if (trial_square > x) root = static_cast<unsigned short>(root & ~bit);
    }
    if (root == 255 || exact) return root;
    // When the start value itself is the exact root, no trial hit it; the correction then
    // leaves it as it is.
    return nearest_of(root, x);
}
