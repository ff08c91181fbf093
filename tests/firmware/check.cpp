// The check firmware, one source for every chip. From program start it calls each root of the
// library once for every one of its inputs, in ascending order; checks each result against a
// reference of its own and the pass counts against the host's totals; and lets the Newton
// traces through to the host, which compares them with the host's own. Where the board counts
// cycles it also times every call that printed nothing.
//
// Output: per routine "check begin NAME", the routine's own trace lines, at most three
// "check mismatch NAME x=X root=R expected=E" lines, then
// "check end NAME ok|FAILED passes=P expected=E wrong=W" with
// " cycles min=A mean=B max=C timed=N" on boards that count cycles; last "check passed" or
// "check failed".
#include <math.h>
#include <stdint.h>
#include <stdio.h>

#include <quorvantel/roots.hpp>

#include "board.h"
#include "sweep_totals.hpp"

namespace {

// The integer nearest to the root of each input of an ascending sweep, found by moving n up
// while n(n + 1), the last input whose nearest root is n, lies below x. Not saturated.
class NearestRoot {
public:
    uint16_t next(uint32_t x)
    {
        while (static_cast<uint32_t>(n_) * (n_ + 1U) < x) ++n_;
        return n_;
    }

private:
    uint16_t n_ = 0;
};

template <typename Input> struct Routine {
    const char* name;
    Input (*root)(Input);
    uint32_t last_input;
    bool saturated; // at 255, as the library's contract says; the float baseline is not
    int32_t sweep_passes;
};

// The baseline a user without an integer root would write; avr-libc's double is 32 bits.
unsigned short float_root(unsigned short x) noexcept
{
    // NOLINTNEXTLINE(bugprone-incorrect-roundings): x is never negative
    return static_cast<unsigned short>(static_cast<int>(sqrt(static_cast<double>(x)) + 0.5));
}

#if BOARD_COUNTS_CYCLES
struct Cycles {
    uint16_t min = 0xFFFF;
    uint16_t max = 0;
    uint32_t sum = 0;
    uint32_t calls = 0;

    void add(uint16_t cycles)
    {
        if (cycles < min) min = cycles;
        if (cycles > max) max = cycles;
        sum += cycles;
        ++calls;
    }
};

template <typename Input> Input empty_root(Input x) noexcept
{
    return x;
}

// Never inlined nor cloned for one routine, so every routine and the empty call are timed
// through the same indirect call.
template <typename Input>
__attribute__((noinline, noclone)) uint16_t timed_call(Input (*root)(Input), Input x, Input& result)
{
    const uint16_t start = board_cycles();
    result = root(x);
    return static_cast<uint16_t>(board_cycles() - start);
}

// What timed_call costs around a routine that does nothing; the core is cycle-exact, so one
// call tells.
template <typename Input> uint16_t call_overhead()
{
    Input result = 0;
    return timed_call(empty_root<Input>, Input{0}, result);
}

void print_cycles(const Cycles& cycles)
{
    // The mean in tenths of a cycle, rounded.
    const uint32_t tenths =
        cycles.calls == 0 ? 0 : (cycles.sum * 10U + cycles.calls / 2) / cycles.calls;
    printf(" cycles min=%u mean=%lu.%lu max=%u timed=%lu", cycles.min,
           static_cast<unsigned long>(tenths / 10), static_cast<unsigned long>(tenths % 10),
           cycles.max, static_cast<unsigned long>(cycles.calls));
}
#endif

template <typename Input> bool sweep(const Routine<Input>& routine)
{
    printf("check begin %s\n", routine.name);
    NearestRoot reference;
    uint32_t wrong = 0;
    const int32_t itotal_before = itotal;
#if BOARD_COUNTS_CYCLES
    Cycles cycles;
    const uint16_t overhead = call_overhead<Input>();
#endif

    for (uint32_t i = 0; i <= routine.last_input; ++i) {
        const auto x = static_cast<Input>(i);
#if BOARD_COUNTS_CYCLES
        const uint32_t printed_before = board_bytes_written();
        Input root = 0;
        const uint16_t elapsed = timed_call(routine.root, x, root);
        if (board_bytes_written() == printed_before) {
            cycles.add(static_cast<uint16_t>(elapsed - overhead));
        }
#else
        const Input root = routine.root(x);
#endif
        uint16_t expected = reference.next(i);
        if (routine.saturated && expected > 255) expected = 255;
        if (root != expected) {
            if (wrong < 3) {
                printf("check mismatch %s x=%lu root=%u expected=%u\n", routine.name,
                       static_cast<unsigned long>(i), static_cast<unsigned>(root),
                       static_cast<unsigned>(expected));
            }
            ++wrong;
        }
    }

    const auto passes =
        static_cast<int32_t>(static_cast<uint32_t>(itotal) - static_cast<uint32_t>(itotal_before));
    const bool ok = wrong == 0 && passes == routine.sweep_passes;
    printf("check end %s %s passes=%ld expected=%ld wrong=%lu", routine.name, ok ? "ok" : "FAILED",
           static_cast<long>(passes), static_cast<long>(routine.sweep_passes),
           static_cast<unsigned long>(wrong));
#if BOARD_COUNTS_CYCLES
    print_cycles(cycles);
#endif
    printf("\n");
    return ok;
}

} // namespace

int main()
{
    board_start();
    constexpr uint32_t last_u8 = 0xFF;
    constexpr uint32_t last_u16 = 0xFFFF;
    using Wide = unsigned short;
    // The Newton routines come from program start, so that their records of steps start at 0.
    bool passed = sweep(Routine<unsigned char>{"sqrt_u8", sqrt_u8, last_u8, true, 0});
    passed = sweep(Routine<Wide>{"sqrt_u16_variante4", sqrt_u16_variante4, last_u16, true,
                                 sweep_passes_variante4}) &&
             passed;
    passed = sweep(Routine<Wide>{"sqrt_u16_variante3", sqrt_u16_variante3, last_u16, true,
                                 sweep_passes_variante3}) &&
             passed;
    passed =
        sweep(Routine<Wide>{"sqrt_u16", sqrt_u16, last_u16, true, sweep_passes_sqrt_u16}) && passed;
    passed = sweep(Routine<Wide>{"sqrt_u16_variante2", sqrt_u16_variante2, last_u16, true,
                                 sweep_passes_variante2}) &&
             passed;
    passed = sweep(Routine<Wide>{"float_root", float_root, last_u16, false, 0}) && passed;
    printf(passed ? "check passed\n" : "check failed\n");
    board_stop(passed ? 1 : 0);
}
