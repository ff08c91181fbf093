// SPDX-License-Identifier: Zlib
// The roots to ship for a 32-bit core whose multiply takes one instruction (armv7-m: Cortex-M3,
// M4, M7; RISC-V with M; the ESP8266's lx106), with no pass at all: two to six compares of x pick
// one of 13 ranges, the range's line gives the root or one less (nearest) or one more (floor), and
// one square decides. That is about half the instructions of the counting form with its count
// taken out, whose tree of compares still leaves three passes and two compares to make.
//
// Each line is (slope * x + offset) / 65536. On every x of its range it lies at or above the floor
// root and below it plus 2, or, for the nearest root n, at or above n - 1 and below n + 1: its
// integer part is then off by at most one, in a known direction. The ranges and constants were
// fitted on every input, and the host's tests check both roots on every input again. The most
// frequent ranges are the fewest compares away (3/4 of the inputs lie above 16384). The bounds
// from 8192 up and every offset are multiples of 4096, and every slope fits in 12 bits or is a
// multiple of 4096: one instruction each on RISC-V (lui or li) and on Arm (a move of an immediate,
// or a load from the literal pool).
#ifndef QUORVANTEL_ROOTS_SQRT16_LINES_HPP
#define QUORVANTEL_ROOTS_SQRT16_LINES_HPP

#include <stdint.h>

#include "detail.hpp"

// One range's line: the floor root's slope and offset, then the nearest root's.
#define QUORVANTEL_LINES_SQRT16_LINE(floor_slope, floor_offset, nearest_slope, nearest_offset)     \
    {                                                                                              \
        if (nearest) {                                                                             \
            slope = (nearest_slope);                                                               \
            offset = (nearest_offset);                                                             \
        } else {                                                                                   \
            slope = (floor_slope);                                                                 \
            offset = (floor_offset);                                                               \
        }                                                                                          \
    }

// On one side of a compare that picks between two lines: without it GCC sets the four constants
// of both in one Arm IT block, which runs all four moves, where a branch runs two.
#if defined(__GNUC__)
#define QUORVANTEL_LINES_SQRT16_BRANCH __asm__("")
#else
#define QUORVANTEL_LINES_SQRT16_BRANCH
#endif

// The floor root, or with nearest set the nearest root saturated at 255; nearest is a constant
// wherever this is inlined.
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_lines_sqrt16(unsigned x, int nearest)
{
    uint32_t slope = 0;
    uint32_t offset = 0;
    if (x >= 0x9000) {
        if (x >= 0xC000) {
            // From 65281 on the nearest root, 256, is out of range: 255 instead.
            if (nearest && x > 0xFF00) return 255;
            QUORVANTEL_LINES_SQRT16_LINE(136, 0x788000, 139, 0x758000)
        } else {
            QUORVANTEL_LINES_SQRT16_BRANCH;
            QUORVANTEL_LINES_SQRT16_LINE(158, 0x680000, 158, 0x678000)
        }
    } else if (x >= 0x4000) {
        if (x >= 0x6000) {
            QUORVANTEL_LINES_SQRT16_LINE(188, 0x573000, 188, 0x56C000)
        } else {
            QUORVANTEL_LINES_SQRT16_BRANCH;
            QUORVANTEL_LINES_SQRT16_LINE(228, 0x480000, 231, 0x468000)
        }
    } else if (x >= 0x2000) {
        if (x >= 0x3000) {
            QUORVANTEL_LINES_SQRT16_LINE(271, 0x3CC000, 271, 0x3C4000)
        } else {
            QUORVANTEL_LINES_SQRT16_BRANCH;
            QUORVANTEL_LINES_SQRT16_LINE(326, 0x328000, 326, 0x320000)
        }
    } else if (x >= 0x500) {
        if (x >= 0x1200) {
            QUORVANTEL_LINES_SQRT16_LINE(416, 0x278000, 413, 0x274000)
        } else if (x >= 0xA00) {
            QUORVANTEL_LINES_SQRT16_LINE(555, 0x1DC000, 550, 0x1D8000)
        } else {
            QUORVANTEL_LINES_SQRT16_BRANCH;
            QUORVANTEL_LINES_SQRT16_LINE(761, 0x15C000, 752, 0x158000)
        }
    } else if (x >= 0x80) {
        if (x >= 0x200) {
            QUORVANTEL_LINES_SQRT16_LINE(1131, 0xEB000, 1111, 0xE7000)
        } else {
            QUORVANTEL_LINES_SQRT16_BRANCH;
            QUORVANTEL_LINES_SQRT16_LINE(1931, 0x8A000, 1922, 0x81000)
        }
    } else if (x >= 0x10) {
        QUORVANTEL_LINES_SQRT16_LINE(4096, 0x44000, 4096, 0x39000)
    } else {
        QUORVANTEL_LINES_SQRT16_BRANCH;
        QUORVANTEL_LINES_SQRT16_LINE(12288, 0x1A000, 16384, 0xA000)
    }
    unsigned root = (unsigned)((slope * x + offset) >> 16);
    // The nearest root is root + 1 where x lies above root(root + 1), the largest input whose
    // nearest root is root; the floor root is root - 1 where root^2 exceeds x. An if, not a flag
    // added: a branch over one instruction takes fewer instructions on RISC-V and the lx106.
    if (nearest) {
        if (x > root * (root + 1)) ++root;
    } else if (root * root > x) {
        --root;
    }
    return root;
}

#undef QUORVANTEL_LINES_SQRT16_BRANCH
#undef QUORVANTEL_LINES_SQRT16_LINE

QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_lines_sqrt16_nearest(unsigned x)
{
    return quorvantel_lines_sqrt16(x, 1);
}

QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_lines_sqrt16_floor(unsigned x)
{
    return quorvantel_lines_sqrt16(x, 0);
}

#endif
