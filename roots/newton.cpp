// Newton (Heron) roots and their trace: each call's steps, a record of steps per routine, and a
// line on standard output for every input up to 16 and every new record.
#include <stdint.h>
#include <stdio.h>

#include "detail.hpp"
#include "portable.hpp"
#include "roots.hpp"

namespace form = quorvantel::portable;

using quorvantel::detail::add_passes;

namespace {

// A trace line is due for every input up to 16 and for every new record of steps.
bool trace_due(unsigned short x, int32_t steps, int32_t record) noexcept
{
    return steps > record || x <= 16;
}

// avr-libc leaves stdout null until the firmware sets it, as every Arduino sketch does, and
// printf on a null stream reads whatever lies at address 0. Without an output there is no trace.
bool has_output() noexcept
{
    return stdout != nullptr;
}

} // namespace

// The trace prints through long, which holds every value on every target: with a 16-bit int,
// %d would show inputs above 32767 as negative numbers.
unsigned short sqrt_u16(unsigned short x) noexcept
{
    static int32_t imax = 0;

    const auto newton = form::sqrt_u16(x);
    const auto steps = static_cast<int32_t>(newton.passes);
    if (trace_due(x, steps, imax)) {
        if (has_output()) {
            (void)printf("%ld-->%ld Iterationsschritte: %ld\n", static_cast<long>(x),
                         static_cast<long>(newton.root), static_cast<long>(steps));
        }
        imax = steps;
    }
    return static_cast<unsigned short>(newton.root);
}

unsigned short sqrt_u16_variante2(unsigned short x) noexcept
{
    static int32_t imax = 0;

    const auto newton = form::sqrt_u16_variante2(x);
    // Saturated inputs take no step, count nothing and print nothing.
    if (newton.passes == 0) return static_cast<unsigned short>(newton.root);
    add_passes(newton.passes);

    const auto steps = static_cast<int32_t>(newton.passes);
    const bool start_line_due = x % 1000 == 0;
    const bool record_line_due = trace_due(x, steps, imax);
    if ((start_line_due || record_line_due) && has_output()) {
        const auto start = static_cast<long>(quorvantel::portable::variante2_start(x));
        if (start_line_due) (void)printf("x=%ld Startwert=%ld\n", static_cast<long>(x), start);
        if (record_line_due) {
            (void)printf("%ld-->%ld Iterationsschritte: %ld (startwert=%ld)\n",
                         static_cast<long>(x), static_cast<long>(newton.root),
                         static_cast<long>(steps), start);
        }
    }
    if (record_line_due) imax = steps;
    return static_cast<unsigned short>(newton.root);
}
