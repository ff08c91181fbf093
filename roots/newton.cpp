// Newton (Heron) iterations r <- (r + x / r) / 2 in 16-bit integers. Quotients are capped at
// 255, so every estimate stays at 255 or below and r + q fits easily.
#include <stdint.h>
#include <stdio.h>

#include "detail.hpp"
#include "roots.hpp"

using quorvantel::detail::add_passes;
using quorvantel::detail::nearest_of;
using quorvantel::detail::square;

namespace {

enum class Quotient { truncated, rounded };
enum class Passes { uncounted, counted };

struct Iteration {
    uint16_t estimate;
    int32_t steps;
};

// Iterates from start until an estimate repeats or drops by exactly one. The estimate never
// reaches 0 before that, so the division is safe.
Iteration heron(unsigned short x, uint16_t start, Quotient quotient, Passes passes) noexcept
{
    uint16_t estimate = start;
    int32_t steps = 0;
    for (;;) {
        ++steps;
        if (passes == Passes::counted) add_passes(1);
        auto q = static_cast<uint16_t>(x / estimate);
        // Rounded to nearest; an exact half stays down.
        if (quotient == Quotient::rounded && 2U * (x % estimate) > estimate) ++q;
        if (q > 255) q = 255;
        const uint16_t previous = estimate;
        estimate = static_cast<uint16_t>((estimate + q) / 2U);
        if (estimate == previous || estimate + 1 == previous) return {estimate, steps};
    }
}

// Both iterations halve their way down to 1 for input 0 and stop there; the family's answer
// for 0 is 0, so the result alone is set right, steps and trace stay as they are.
uint8_t zero_for_zero(unsigned short x, uint8_t root) noexcept
{
    return x == 0 ? 0 : root;
}

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

    Iteration iteration = heron(x, 16, Quotient::truncated, Passes::uncounted);
    auto root = static_cast<uint8_t>(iteration.estimate);
    // The guard keeps the result at 255 or below.
    if (root <= 254 && square(root) < x) root = static_cast<uint8_t>(nearest_of(root, x));
    root = zero_for_zero(x, root);

    if (trace_due(x, iteration.steps, imax)) {
        if (has_output()) {
            (void)printf("%ld-->%ld Iterationsschritte: %ld\n", static_cast<long>(x),
                         static_cast<long>(root), static_cast<long>(iteration.steps));
        }
        imax = iteration.steps;
    }
    return root;
}

unsigned short sqrt_u16_variante2(unsigned short x) noexcept
{
    static int32_t imax = 0;

    // 64770 is the largest input whose root lies below 254.5.
    if (x > 0xFD02) return 255;

    // 16 for x below 512, doubled for every further factor of 4, capped at 255.
    uint16_t start = 16;
    for (auto scaled = static_cast<uint16_t>(x >> 7U); (scaled >>= 2U) != 0;) start *= 2;
    if (start > 255) start = 255;
    const auto start_value = static_cast<uint8_t>(start);

    if (x % 1000 == 0 && has_output()) {
        (void)printf("x=%ld Startwert=%ld\n", static_cast<long>(x), static_cast<long>(start_value));
    }

    Iteration iteration = heron(x, start_value, Quotient::rounded, Passes::counted);
    auto root = static_cast<uint8_t>(iteration.estimate);
    // x <= 64770 keeps the corrected root at 254 or below.
    if (square(root) < x) root = static_cast<uint8_t>(nearest_of(root, x));
    root = zero_for_zero(x, root);

    if (trace_due(x, iteration.steps, imax)) {
        if (has_output()) {
            (void)printf("%ld-->%ld Iterationsschritte: %ld (startwert=%ld)\n",
                         static_cast<long>(x), static_cast<long>(root),
                         static_cast<long>(iteration.steps), static_cast<long>(start_value));
        }
        imax = iteration.steps;
    }
    return root;
}
