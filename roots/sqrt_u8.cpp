#include "roots.hpp"

// The range for result n ends at n * (n + 1), the largest integer whose root lies below
// n + 0.5; the last range stops at 255 instead of 272.
unsigned char sqrt_u8(unsigned char x) noexcept
{
    if (x == 0) return 0;
    if (x <= 2) return 1;
    if (x <= 6) return 2;
    if (x <= 12) return 3;
    if (x <= 20) return 4;
    if (x <= 30) return 5;
    if (x <= 42) return 6;
    if (x <= 56) return 7;
    if (x <= 72) return 8;
    if (x <= 90) return 9;
    if (x <= 110) return 10;
    if (x <= 132) return 11;
    if (x <= 156) return 12;
    if (x <= 182) return 13;
    if (x <= 210) return 14;
    if (x <= 240) return 15;
    return 16;
}
