// SPDX-License-Identifier: Zlib
/* The program's whole run as one plain C file, for comparison: the same sweep, the same output,
 * with sqrt_u16_variante4 and its range table written inline in 32-bit unsigned arithmetic and
 * the pass count in a local variable, as someone would write it without a library.
 * bench/end_to_end.sh measures quorvantel against it, in wall time and in instructions. */
#include <math.h>
#include <stdio.h>

static inline unsigned byte_root(unsigned x)
{
    /* The last input whose nearest root is n, for n = 0 to 15; 16 above. */
    static const unsigned char last[16] = {0,  2,  6,   12,  20,  30,  42,  56,
                                           72, 90, 110, 132, 156, 182, 210, 240};
    unsigned n = 0;
    while (n < 16 && x > last[n]) ++n;
    return n;
}

static inline unsigned root(unsigned x, int* passes)
{
    if (x <= 0xFF) return byte_root(x);
    unsigned r = x <= 0xFFF ? (x <= 0x3FF ? 16 : 32) : (x <= 0x3FFF ? 64 : 128);
    for (unsigned b = r / 2; b != 0; b /= 2) {
        ++*passes;
        const unsigned t = r | b;
        if (t * t == x) return t;
        if (t * t < x) r = t;
    }
    if (r == 255 || r * r == x) return r;
    return (int)((r + 1) * (r + 1)) - (int)x < (int)x - (int)(r * r) ? r + 1 : r;
}

int main(void)
{
    int itotal = 0;
    for (int x = 0; x <= 65284; ++x) {
        const int r = (int)root((unsigned)x, &itotal);
        const int k = (int)(sqrt((double)x) + 0.5);
        if (k != r) printf("%d: sqrt_y16-->%d  Korrekt: %d\n", x, r, k);
    }
    putchar('\n');
    printf("itotal=%d --> Durchschnittliche Iterationsschritte=%f\n", itotal, itotal / 65030.0);
    return 0;
}
