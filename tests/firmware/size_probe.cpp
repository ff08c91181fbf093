// SPDX-License-Identifier: Zlib
// A minimal program on the board that calls one root, SIZE_PROBE naming which: 0 none, 1 sqrt_u8,
// 2 to 5 the bench's 16-bit routines and 6 and 7 the roots to ship, in the order of
// tests/routines.hpp, 8 the float baseline. The cost
// tables read what each one links from the library, and how much each grows beyond the one that
// calls none. It calls nothing of the board's, whose code the linker then drops.
#include <math.h>

#include <quorvantel/roots.h>

#include "routines.hpp"

volatile unsigned short size_probe_input;
volatile unsigned short size_probe_output;

#define QUORVANTEL_PROBE_NUMBER(name, plain, counts, sweep_passes) probe_of_##name,
#define QUORVANTEL_PURE_PROBE_NUMBER(name, plain, floor) probe_of_##name,
enum {
    probe_of_nothing,
    probe_of_sqrt_u8,
    QUORVANTEL_WIDE_ROUTINES(QUORVANTEL_PROBE_NUMBER)
        QUORVANTEL_PURE_ROOTS(QUORVANTEL_PURE_PROBE_NUMBER) probe_of_float_root
};
#undef QUORVANTEL_PROBE_NUMBER
#undef QUORVANTEL_PURE_PROBE_NUMBER

#ifdef __SDCC
// SDCC reports each call the constant conditions drop as unreachable code.
#pragma disable_warning 126
#endif

#ifdef __SDCC
// SDCC's printf writes through the program's own putchar; a probe's writes nowhere.
int putchar(int c)
{
    return c;
}
#endif

int main(void)
{
    const unsigned short x = size_probe_input;
    unsigned short root = x;
    // Only the call SIZE_PROBE names survives the constant conditions.
    if (SIZE_PROBE == probe_of_sqrt_u8) root = sqrt_u8((unsigned char)x);
#define QUORVANTEL_PROBE_CALL(name, plain, counts, sweep_passes)                                   \
    if (SIZE_PROBE == probe_of_##name) root = name(x);
    QUORVANTEL_WIDE_ROUTINES(QUORVANTEL_PROBE_CALL)
#undef QUORVANTEL_PROBE_CALL
#define QUORVANTEL_PURE_PROBE_CALL(name, plain, floor)                                             \
    if (SIZE_PROBE == probe_of_##name) root = name(x);
    QUORVANTEL_PURE_ROOTS(QUORVANTEL_PURE_PROBE_CALL)
#undef QUORVANTEL_PURE_PROBE_CALL
    if (SIZE_PROBE == probe_of_float_root) {
        // NOLINTNEXTLINE(bugprone-incorrect-roundings): x is never negative
        root = (unsigned short)(int)(sqrtf((float)x) + 0.5F);
    }
    size_probe_output = root;
    for (;;) {
    }
}
