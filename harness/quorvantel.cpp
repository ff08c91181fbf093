// SPDX-License-Identifier: Zlib
// quorvantel: sweeps sqrt_u16_variante4 over every input from 0 to 65284, prints each result
// that differs from the rounded double-precision root, and sums up the refinement passes.
#include <cmath>
#include <cstdio>

#include <quorvantel/roots.hpp>

#include "argflags.hpp"

namespace {

constexpr int last_input = 0xFF04; // 65284
// The average is taken over this fixed count, not over the inputs tested.
constexpr double average_divisor = 65030.0;

void print_usage()
{
    std::printf("quorvantel  %s\n", "Version " QUORVANTEL_VERSION);
    std::printf("Anwendung: quorvantel\n");
}

// Exact for every 16-bit input: no integer has a root that lies halfway between two integers.
int reference_root(int x)
{
    // NOLINTNEXTLINE(bugprone-incorrect-roundings): x is never negative
    return static_cast<int>(std::sqrt(static_cast<double>(x)) + 0.5);
}

void run_comparison()
{
    for (int x = 0; x <= last_input; ++x) {
        const int root = sqrt_u16_variante4(static_cast<unsigned short>(x));
        const int reference = reference_root(x);
        if (reference != root) {
            std::printf("%d: sqrt_y16-->%d  Korrekt: %d\n", x, root, reference);
        }
    }
    std::putchar('\n');
    std::printf("itotal=%d --> Durchschnittliche Iterationsschritte=%f\n", itotal,
                itotal / average_divisor);
}

// Output that never reached its destination (a full disk, a closed descriptor) must not end
// in status 0. Closing the stream flushes it and reports any write that failed on the way.
int close_output()
{
    const bool earlier_write_failed = std::ferror(stdout) != 0;
    const bool close_failed = std::fclose(stdout) != 0;
    if (earlier_write_failed || close_failed) {
        (void)std::fputs("quorvantel: Schreibfehler auf der Standardausgabe\n", stderr);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (usage_requested(scan_arguments(argc, argv))) {
        print_usage();
    } else {
        run_comparison();
    }
    return close_output();
}
