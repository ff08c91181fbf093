// Newton (Heron) iterations r <- (r + x / r) / 2 in 16-bit integers. Quotients are capped at
// 255, so every estimate stays at 255 or below and r + q fits easily.
#include <cstdio>

#include "detail.hpp"
#include "roots.hpp"

using quorvantel::detail::count_pass;
using quorvantel::detail::nearest_of;

namespace {

enum class Quotient { truncated, rounded };
enum class Passes { uncounted, counted };

struct Iteration {
    unsigned short estimate;
    int steps;
};

// Iterates from start until an estimate repeats or drops by exactly one. The estimate never
// reaches 0 before that, so the division is safe.
Iteration heron(unsigned short x, unsigned short start, Quotient quotient, Passes passes) noexcept
{
    unsigned short estimate = start;
    int steps = 0;
    for (;;) {
        ++steps;
        if (passes == Passes::counted) count_pass();
        unsigned short q = x / estimate;
        // Rounded to nearest; an exact half stays down.
        if (quotient == Quotient::rounded && 2 * (x % estimate) > estimate) ++q;
        if (q > 255) q = 255;
        const unsigned short previous = estimate;
        estimate = static_cast<unsigned short>((estimate + q) / 2);
        if (estimate == previous || estimate + 1 == previous) return {estimate, steps};
    }
}

// Both iterations halve their way down to 1 for input 0 and stop there; the family's answer
// for 0 is 0, so the result alone is set right, steps and trace stay as they are.
unsigned short zero_for_zero(unsigned short x, unsigned short root) noexcept
{
    return x == 0 ? 0 : root;
}

// A trace line is due for every input up to 16 and for every new record of steps.
bool trace_due(unsigned short x, int steps, int record) noexcept
{
    return steps > record || x <= 16;
}

} // namespace

unsigned short sqrt_u16(unsigned short x) noexcept
{
    static int imax = 0;

    auto [root, steps] = heron(x, 16, Quotient::truncated, Passes::uncounted);
    // The guard keeps the result at 255 or below.
    if (root <= 254 && root * root < x) root = nearest_of(root, x);
    root = zero_for_zero(x, root);

    if (trace_due(x, steps, imax)) {
        std::printf("%d-->%d Iterationsschritte: %d\n", x, root, steps);
        imax = steps;
    }
    return root;
}

unsigned short sqrt_u16_variante2(unsigned short x) noexcept
{
    static int imax = 0;

    // 64770 is the largest input whose root lies below 254.5.
    if (x > 0xFD02) return 255;

    // 16 for x below 512, doubled for every further factor of 4, capped at 255.
    unsigned start = 16;
    for (unsigned scaled = x >> 7U; (scaled >>= 2U) != 0;) start *= 2;
    if (start > 255) start = 255;
    const auto start_value = static_cast<unsigned short>(start);

    if (x % 1000 == 0) std::printf("x=%d Startwert=%d\n", x, start_value);

    auto [root, steps] = heron(x, start_value, Quotient::rounded, Passes::counted);
    // x <= 64770 keeps the corrected root at 255 or below.
    if (root * root < x) root = nearest_of(root, x);
    root = zero_for_zero(x, root);

    if (trace_due(x, steps, imax)) {
        std::printf("%d-->%d Iterationsschritte: %d (startwert=%d)\n", x, root, steps, start_value);
        imax = steps;
    }
    return root;
}
