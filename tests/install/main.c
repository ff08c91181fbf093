// SPDX-License-Identifier: Zlib
/* A C program that uses the library: the roots to ship, every routine of the bench and the pass
 * counter, so that every object of the library is linked by the C driver alone. */
#include <stdio.h>

#include <quorvantel/roots.h>

int main(void)
{
    printf("%u %u\n", (unsigned)quorvantel_sqrt16_nearest(50000),
           (unsigned)quorvantel_sqrt16_floor(50000));

    itotal = 0;
    const unsigned short root = sqrt_u16_variante4(50000);
    printf("%u after %ld passes\n", (unsigned)root, (long)itotal);

    /* The Newton routines print a trace line of their own for these inputs. */
    const unsigned short heron = sqrt_u16(5);
    const unsigned short heron_rounded = sqrt_u16_variante2(3000);
    printf("%u %u %u %u\n", sqrt_u8(200), sqrt_u16_variante3(50000), heron, heron_rounded);
    return 0;
}
