// SPDX-License-Identifier: Zlib
/* A firmware that uses the library: every routine and the pass counter, printed on the board's
 * standard output. It is C and C++ at once; main.cpp builds it as C++. */
#include <stdio.h>

#ifdef __cplusplus
#include <quorvantel/roots.hpp>
#else
#include <quorvantel/roots.h>
#endif

#include "board.h"

/* unsigned, long and a cast: int is 16 bits on AVR, and itotal is long there. */
static void report(const char* routine, unsigned x, unsigned root)
{
    printf("%s(%u) = %u after %ld passes\n", routine, x, root, (long)itotal);
    itotal = 0;
}

int main(void)
{
    board_start();
    itotal = 0;
    report("sqrt_u8", 200, sqrt_u8(200));
    report("sqrt_u16_variante4", 50000, sqrt_u16_variante4(50000));
    report("sqrt_u16_variante3", 50000, sqrt_u16_variante3(50000));
    /* The Newton routines print a trace line of their own first. */
    report("sqrt_u16", 5, sqrt_u16(5));
    report("sqrt_u16_variante2", 3000, sqrt_u16_variante2(3000));
    report("sqrt_u16_variante4", 65535, sqrt_u16_variante4(65535));
    board_stop(1);
}
