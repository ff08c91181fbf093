// SPDX-License-Identifier: Zlib
// Newton (Heron) roots and their trace: each call's steps, a record of steps per routine, and a
// line on standard output for every input up to 16 and every new record. The steps themselves
// are in the form forms.hpp chooses for the core.
#include <stdint.h>
#include <stdio.h>

#define QUORVANTEL_NEWTON_DEFINITIONS
#include "detail.hpp"
#include "forms.hpp"
#include "roots.hpp"

QUORVANTEL_NAME_FORM(newton, QUORVANTEL_NEWTON_FORM_NAME)

// A trace line is due for every input up to 16 and for every new record of steps.
static uint8_t quorvantel_trace_due(unsigned short x, int32_t steps, int32_t record)
{
    return steps > record || x <= 16;
}

// x % 1000 == 0 without a division, which costs about 200 cycles on a core without a divider:
// x is a multiple of 8 whose eighth e is a multiple of 125. For the odd 125 that holds exactly
// when e * 0x78D5 (0x78D5 * 125 = 1 modulo 2^16), taken modulo 2^16, is at most 65535 / 125.
static uint8_t quorvantel_multiple_of_1000(unsigned short x)
{
    if ((x & 7U) != 0) return 0;
    return (uint16_t)((uint16_t)(x >> 3U) * 0x78D5U) <= 524U;
}

// avr-libc leaves stdout null until the firmware sets it, as every Arduino sketch does, and
// printf on a null stream reads whatever lies at address 0. Without an output there is no trace.
// SDCC's printf always writes through putchar, and it has no stdout.
#if defined(__SDCC)
#define QUORVANTEL_HAS_OUTPUT 1
#else
#define QUORVANTEL_HAS_OUTPUT (stdout != NULL)
#endif

// avr-libc would copy string literals into RAM at start-up; the formats of the trace stay in
// flash there, which printf_P reads (about 100 of an ATtiny85's 512 bytes of RAM). Only a macro
// can give a literal its own flash array.
#if defined(__AVR__) && defined(__GNUC__)
#define QUORVANTEL_PRINTF(text, ...)                                                               \
    do {                                                                                           \
        static const char format[] __attribute__((progmem)) = text;                                \
        (void)printf_P(format, __VA_ARGS__);                                                       \
    } while (0)
#else
#define QUORVANTEL_PRINTF(text, ...) (void)printf(text, __VA_ARGS__)
#endif

// The trace prints through long, which holds every value on every target: with a 16-bit int,
// %d would show inputs above 32767 as negative numbers. Each routine sets its record first and
// hands over to its printing as its last act, out of line: the calls that print nothing (all
// but a few dozen) then keep fewer values across a call of printf, and save fewer registers.
QUORVANTEL_NOINLINE unsigned short quorvantel_trace_sqrt_u16(unsigned short x, unsigned short root,
                                                             int32_t steps)
{
    if (QUORVANTEL_HAS_OUTPUT) {
        QUORVANTEL_PRINTF("%ld-->%ld Iterationsschritte: %ld\n", (long)x, (long)root, (long)steps);
    }
    return root;
}

// The start value is worked out again for the few calls that print, which keeps it out of the
// registers the steps need (on AVR, ten more cycles on every call).
QUORVANTEL_NOINLINE unsigned short quorvantel_trace_variante2(unsigned short x, unsigned short root,
                                                              int32_t steps, uint8_t start_line_due,
                                                              uint8_t record_line_due)
{
    if (QUORVANTEL_HAS_OUTPUT) {
        const uint8_t start = quorvantel_variante2_start(x);
        if (start_line_due) QUORVANTEL_PRINTF("x=%ld Startwert=%ld\n", (long)x, (long)start);
        if (record_line_due) {
            QUORVANTEL_PRINTF("%ld-->%ld Iterationsschritte: %ld (startwert=%ld)\n", (long)x,
                              (long)root, (long)steps, (long)start);
        }
    }
    return root;
}

unsigned short sqrt_u16(unsigned short x) QUORVANTEL_NOEXCEPT
{
    static int32_t imax = 0;
    unsigned steps_made = 0;
    const unsigned short root = (unsigned short)quorvantel_newton_sqrt_u16(x, &steps_made);
    const int32_t steps = (int32_t)steps_made;

    if (!quorvantel_trace_due(x, steps, imax)) return root;
    imax = steps;
    return quorvantel_trace_sqrt_u16(x, root, steps);
}

unsigned short sqrt_u16_variante2(unsigned short x) QUORVANTEL_NOEXCEPT
{
    static int32_t imax = 0;
    // Saturated inputs take no step, count nothing and print nothing.
    if (x > QUORVANTEL_VARIANTE2_LAST_STEPPED) return 255;

    unsigned steps_made = 0;
    const unsigned short root =
        (unsigned short)quorvantel_newton_variante2(x, quorvantel_variante2_start(x), &steps_made);
    quorvantel_add_passes(steps_made);

    const int32_t steps = (int32_t)steps_made;
    const uint8_t start_line_due = quorvantel_multiple_of_1000(x);
    const uint8_t record_line_due = quorvantel_trace_due(x, steps, imax);
    if (!start_line_due && !record_line_due) return root;
    if (record_line_due) imax = steps;
    return quorvantel_trace_variante2(x, root, steps, start_line_due, record_line_due);
}
