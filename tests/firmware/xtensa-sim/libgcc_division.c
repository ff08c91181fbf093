// SPDX-License-Identifier: Zlib
/* GCC turns a 32-bit unsigned / or % into a call of __udivsi3 or __umodsi3, which libgcc has for
 * every other core, but Debian's libgcc for the lx106 lacks. picolibc's printf (for its decimal
 * digits) and the check firmware's means need them, so the firmware brings them: long division,
 * one quotient bit per step from the top. The roots under test do not reach them: the library's
 * Newton roots, which divide, are left out of the check on this core (board.cmake). */
#include <stdint.h>

uint32_t __udivsi3(uint32_t dividend, uint32_t divisor);
uint32_t __umodsi3(uint32_t dividend, uint32_t divisor);

static uint32_t long_division(uint32_t dividend, uint32_t divisor, uint32_t* remainder)
{
    uint32_t quotient = 0;
    uint32_t rest = 0;
    for (int bit = 31; bit >= 0; --bit) {
        /* rest < divisor before the shift; a bit shifted out of the top makes it exceed any
         * divisor, and the subtraction modulo 2^32 still leaves the right rest. */
        const uint32_t carried_out = rest >> 31;
        rest = rest << 1 | (dividend >> bit & 1U);
        if (carried_out != 0 || rest >= divisor) {
            rest -= divisor;
            quotient |= 1U << bit;
        }
    }
    *remainder = rest;
    return quotient;
}

uint32_t __udivsi3(uint32_t dividend, uint32_t divisor)
{
    uint32_t remainder;
    return long_division(dividend, divisor, &remainder);
}

uint32_t __umodsi3(uint32_t dividend, uint32_t divisor)
{
    uint32_t remainder;
    (void)long_division(dividend, divisor, &remainder);
    return remainder;
}
