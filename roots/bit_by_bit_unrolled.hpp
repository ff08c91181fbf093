// SPDX-License-Identifier: Zlib
// The bit-by-bit roots for a 32-bit core whose multiply takes one instruction (armv7-m: Cortex-M3,
// M4, M7; RISC-V with M; the ESP8266's lx106): the same trials, passes and results as the plain
// form, in half the instructions, for about 600 bytes where the plain form takes 300.
//
// Every trial of bit 16 or above is a multiple of 16, so its square is a multiple of 256 and the
// high byte h of x alone decides it: those passes are a tree of compares of h (no multiply), which
// ends at the root down to bit 16, 16 * isqrt(h), and at the start bit. The passes of bits 8, 4
// and 2 follow unrolled (add, multiply, compare, move). The last pass and the nearest-square
// correction are one step: with r the even root after bit 2, the nearest root is r, r + 1 or
// r + 2, as x lies above r(r + 1) and (r + 1)(r + 2) or not. No pass tests for an exact trial:
// only a square of an even root can end the passes early, and its count is set back afterwards.
// No call either: the routines stay leaves, with no register to save.
#ifndef QUORVANTEL_ROOTS_BIT_BY_BIT_UNROLLED_HPP
#define QUORVANTEL_ROOTS_BIT_BY_BIT_UNROLLED_HPP

#include <stdint.h>

#include "detail.hpp"
#include "roots.hpp"

// The passes below bit 16, from root (no bit below 16, root^2 <= x) and the start bit top.
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_unrolled_low_passes(unsigned x, unsigned root,
                                                                 unsigned top, unsigned* passes)
{
    unsigned trial = root + 8;
    if (trial * trial <= x) root = trial;
    trial = root + 4;
    if (trial * trial <= x) root = trial;
    trial = root + 2;
    if (trial * trial <= x) root = trial;
    // root^2 <= x < (root + 2)^2; root(root + 1) is the largest input whose nearest root is root.
    const unsigned below_half = root * (root + 1);
    if (x > below_half) {
        ++root;
        // (root + 1)(root + 2) = root(root + 1) + 2(root + 1)
        if (x > below_half + 2 * root) ++root;
    } else if (x == below_half - root) {
        // x is root^2 (one input in 270). The plain form tries root at the pass of its lowest
        // set bit and ends there; a root that is the start 2^top itself is never tried, and its
        // input makes all top passes.
        for (unsigned bit = 0; bit < top; ++bit) {
            if ((root >> bit) & 1U) {
                top -= bit;
                break;
            }
        }
    }
    *passes = top;
    return root;
}

// x from 256 on: the passes of bits 64, 32 and 16 as compares of the high byte with the trial
// squares' high bytes (192^2 = 144 * 256, ...), the start with them.
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_unrolled_from_high_byte(unsigned x, unsigned* passes)
{
    const unsigned high = x >> 8;
    unsigned root = 0;
    unsigned top = 0;
    if (high >= 64) {
        top = 7;
        if (high >= 144) {
            if (high >= 196) {
                if (high >= 225) {
                    // From 65281 on the nearest root, 256, is out of range: 255 after all 7
                    // passes, none exact.
                    if (x > 0xFF00) {
                        *passes = 7;
                        return 255;
                    }
                    root = 240;
                } else {
                    root = 224;
                }
            } else {
                root = high >= 169 ? 208 : 192;
            }
        } else if (high >= 100) {
            root = high >= 121 ? 176 : 160;
        } else {
            root = high >= 81 ? 144 : 128;
        }
    } else if (high >= 16) {
        top = 6;
        if (high >= 36) {
            root = high >= 49 ? 112 : 96;
        } else {
            root = high >= 25 ? 80 : 64;
        }
    } else {
        top = high >= 4 ? 5 : 4;
        root = high >= 9 ? 48 : (high >= 4 ? 32 : 16);
    }
    return quorvantel_unrolled_low_passes(x, root, top, passes);
}

// Below 256 the plain form answers with sqrt_u8 and no pass: the same passes from 0 give the same
// nearest root, and a count of 0 keeps them uncounted, with no call.
QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_unrolled_variante4(unsigned x, unsigned* passes)
{
    if (x <= 0xFF) return quorvantel_unrolled_low_passes(x, 0, 0, passes);
    return quorvantel_unrolled_from_high_byte(x, passes);
}

QUORVANTEL_ALWAYS_INLINE unsigned quorvantel_unrolled_variante3(unsigned x, unsigned* passes)
{
    unsigned top = 0;
    if (x > 0xFF) return quorvantel_unrolled_from_high_byte(x, passes);
    // Below 256 the start is 8, 4, 2 or 1 (0 for 0), and the passes start at bit 8 from 0.
    if (x >= 16) {
        top = x >= 64 ? 3 : 2;
    } else {
        top = x >= 4 ? 1 : 0;
    }
    return quorvantel_unrolled_low_passes(x, 0, top, passes);
}

#endif
