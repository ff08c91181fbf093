// SPDX-License-Identifier: Zlib
#include "roots.hpp"

// The range for result n ends at n * (n + 1), the largest integer whose root lies below
// n + 0.5; the last range stops at 255 instead of 272. The bounds are searched as a balanced
// tree, so every input costs four or five comparisons instead of up to sixteen.
unsigned char sqrt_u8(unsigned char x) QUORVANTEL_NOEXCEPT
{
    if (x <= 72) {
        if (x <= 12) {
            if (x <= 2) return x == 0 ? 0 : 1;
            return x <= 6 ? 2 : 3;
        }
        if (x <= 30) return x <= 20 ? 4 : 5;
        return x <= 42 ? 6 : (x <= 56 ? 7 : 8);
    }
    if (x <= 156) {
        if (x <= 110) return x <= 90 ? 9 : 10;
        return x <= 132 ? 11 : 12;
    }
    if (x <= 210) return x <= 182 ? 13 : 14;
    return x <= 240 ? 15 : 16;
}
