// Newton (Heron) roots and their trace: each call's steps, a record of steps per routine, and a
// line on standard output for every input up to 16 and every new record.
#include <stdint.h>
#include <stdio.h>

#include "detail.hpp"
#include "portable.hpp"
#include "roots.hpp"

// AVR cores divide with a routine of their own instead of the C library's 16-bit division.
#if defined(__AVR__)
#include "newton_avr.hpp"
namespace form = quorvantel::avr;
#else
namespace form = quorvantel::portable;
#endif

using quorvantel::detail::add_passes;

namespace {

// A trace line is due for every input up to 16 and for every new record of steps.
bool trace_due(unsigned short x, int32_t steps, int32_t record) noexcept
{
    return steps > record || x <= 16;
}

// x % 1000 == 0 without a division, which costs about 200 cycles on a core without a divider:
// x is a multiple of 8 whose eighth e is a multiple of 125. For the odd 125 that holds exactly
// when e * 0x78D5 (0x78D5 * 125 = 1 modulo 2^16), taken modulo 2^16, is at most 65535 / 125.
bool multiple_of_1000(unsigned short x) noexcept
{
    if ((x & 7U) != 0) return false;
    const auto eighth = static_cast<uint16_t>(x >> 3U);
    return static_cast<uint16_t>(eighth * 0x78D5U) <= 524U;
}

// avr-libc leaves stdout null until the firmware sets it, as every Arduino sketch does, and
// printf on a null stream reads whatever lies at address 0. Without an output there is no trace.
bool has_output() noexcept
{
    return stdout != nullptr;
}

// avr-libc would copy string literals into RAM at start-up; the formats of the trace stay in
// flash there, which printf_P reads (about 100 of an ATtiny85's 512 bytes of RAM). Only a macro
// can give a literal its own flash array.
#if defined(__AVR__)
#define QUORVANTEL_PRINTF(text, ...)                                                               \
    do {                                                                                           \
        static const char format[] __attribute__((progmem)) = text;                                \
        (void)printf_P(format, __VA_ARGS__);                                                       \
    } while (0)
#else
// NOLINTNEXTLINE(cppcoreguidelines-macro-usage): the AVR form above must be a macro
#define QUORVANTEL_PRINTF(text, ...) (void)printf(text, __VA_ARGS__)
#endif

// The trace prints through long, which holds every value on every target: with a 16-bit int,
// %d would show inputs above 32767 as negative numbers. Each routine sets its record first and
// hands over to its printing as its last act, out of line: the calls that print nothing (all
// but a few dozen) then keep fewer values across a call of printf, and save fewer registers.
QUORVANTEL_NOINLINE unsigned short trace_sqrt_u16(unsigned short x, unsigned short root,
                                                  int32_t steps) noexcept
{
    if (has_output()) {
        QUORVANTEL_PRINTF("%ld-->%ld Iterationsschritte: %ld\n", static_cast<long>(x),
                          static_cast<long>(root), static_cast<long>(steps));
    }
    return root;
}

QUORVANTEL_NOINLINE unsigned short trace_variante2(unsigned short x, unsigned short root,
                                                   int32_t steps, bool start_line_due,
                                                   bool record_line_due) noexcept
{
    if (has_output()) {
        const auto start = static_cast<long>(quorvantel::portable::variante2_start(x));
        if (start_line_due) QUORVANTEL_PRINTF("x=%ld Startwert=%ld\n", static_cast<long>(x), start);
        if (record_line_due) {
            QUORVANTEL_PRINTF("%ld-->%ld Iterationsschritte: %ld (startwert=%ld)\n",
                              static_cast<long>(x), static_cast<long>(root),
                              static_cast<long>(steps), start);
        }
    }
    return root;
}

} // namespace

unsigned short sqrt_u16(unsigned short x) noexcept
{
    static int32_t imax = 0;

    const auto newton = form::sqrt_u16(x);
    const auto root = static_cast<unsigned short>(newton.root);
    const auto steps = static_cast<int32_t>(newton.passes);
    if (!trace_due(x, steps, imax)) return root;
    imax = steps;
    return trace_sqrt_u16(x, root, steps);
}

unsigned short sqrt_u16_variante2(unsigned short x) noexcept
{
    static int32_t imax = 0;

    const auto newton = form::sqrt_u16_variante2(x);
    const auto root = static_cast<unsigned short>(newton.root);
    // Saturated inputs take no step, count nothing and print nothing.
    if (newton.passes == 0) return root;
    add_passes(newton.passes);

    const auto steps = static_cast<int32_t>(newton.passes);
    const bool start_line_due = multiple_of_1000(x);
    const bool record_line_due = trace_due(x, steps, imax);
    if (!start_line_due && !record_line_due) return root;
    if (record_line_due) imax = steps;
    return trace_variante2(x, root, steps, start_line_due, record_line_due);
}
