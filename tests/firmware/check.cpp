// The check firmware, one source for every core. From program start it calls each root of the
// library once for every one of its inputs, in ascending order, and checks every call twice:
// its result against the nearest root, worked out here, and its result and what it added to
// itotal against the plain form of the algorithm (roots/portable.hpp), which is what a per-core
// form of a routine must match. It also checks the pass totals against the host's, and lets the
// Newton traces through to the host, which compares them with its own. Where the board has a
// counter it also times every call that printed nothing.
//
// Output: per routine "check begin NAME", the routine's own trace lines, at most three
// "check mismatch NAME x=X root=R passes=P expected=E expected_passes=Q" lines, then
// "check end NAME ok|FAILED passes=P expected=E wrong=W" with
// " COUNTER min=A mean=B max=C timed=N" on boards that count; last "check passed" or
// "check failed".
#include <math.h>
#include <stdint.h>
#include <stdio.h>

#include <quorvantel/roots.hpp>

#include "board.h"
#include "portable.hpp"
#include "sweep_totals.hpp"

namespace {

using quorvantel::portable::Outcome;

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

// What the plain form says a call returns and adds to itotal.
Outcome plain_variante4(unsigned x)
{
    return quorvantel::portable::sqrt_u16_variante4(x);
}

Outcome plain_variante3(unsigned x)
{
    return quorvantel::portable::sqrt_u16_variante3(x);
}

Outcome plain_sqrt_u16(unsigned x)
{
    // Its steps are not passes: sqrt_u16 leaves itotal alone.
    return Outcome{quorvantel::portable::sqrt_u16(x).root, 0};
}

Outcome plain_variante2(unsigned x)
{
    return quorvantel::portable::sqrt_u16_variante2(x);
}

template <typename Input> struct Routine {
    const char* name;
    Input (*root)(Input);
    Outcome (*plain)(unsigned); // null where the routine has one form only and counts no pass
    uint32_t last_input;
    bool saturated; // at 255, as the library's contract says; the float baseline is not
    int32_t sweep_passes;
};

// The baseline a user without an integer root would write, in single precision: the fastest
// floating-point root on a core without an FPU (avr-libc's double is the same 32-bit type).
unsigned short float_root(unsigned short x) noexcept
{
    // NOLINTNEXTLINE(bugprone-incorrect-roundings): x is never negative
    return static_cast<unsigned short>(static_cast<int>(sqrtf(static_cast<float>(x)) + 0.5F));
}

#ifdef BOARD_COUNTER
struct Counts {
    uint16_t min = 0xFFFF;
    uint16_t max = 0;
    uint32_t sum = 0;
    uint32_t calls = 0;

    void add(uint16_t count)
    {
        if (count < min) min = count;
        if (count > max) max = count;
        sum += count;
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
    const uint16_t start = board_count();
    result = root(x);
    return static_cast<uint16_t>(board_count() - start);
}

// What timed_call costs around a routine that does nothing; the simulators are exact, so one
// call tells.
template <typename Input> uint16_t call_overhead()
{
    Input result = 0;
    return timed_call(empty_root<Input>, Input{0}, result);
}

void print_counts(const Counts& counts)
{
    // The mean in tenths, rounded.
    const uint32_t tenths =
        counts.calls == 0 ? 0 : (counts.sum * 10U + counts.calls / 2) / counts.calls;
    printf(" %s min=%u mean=%lu.%lu max=%u timed=%lu", BOARD_COUNTER, counts.min,
           static_cast<unsigned long>(tenths / 10), static_cast<unsigned long>(tenths % 10),
           counts.max, static_cast<unsigned long>(counts.calls));
}
#endif

uint32_t passes_since(int32_t before)
{
    return static_cast<uint32_t>(itotal) - static_cast<uint32_t>(before);
}

template <typename Input> bool sweep(const Routine<Input>& routine)
{
    printf("check begin %s\n", routine.name);
    NearestRoot nearest;
    uint32_t wrong = 0;
    const int32_t itotal_at_start = itotal;
#ifdef BOARD_COUNTER
    Counts counts;
    const uint16_t overhead = call_overhead<Input>();
#endif

    for (uint32_t i = 0; i <= routine.last_input; ++i) {
        const auto x = static_cast<Input>(i);
        const int32_t itotal_before = itotal;
#ifdef BOARD_COUNTER
        const uint32_t printed_before = board_bytes_written();
        Input root = 0;
        const uint16_t elapsed = timed_call(routine.root, x, root);
        if (board_bytes_written() == printed_before) {
            counts.add(static_cast<uint16_t>(elapsed - overhead));
        }
#else
        const Input root = routine.root(x);
#endif
        const uint32_t passes = passes_since(itotal_before);
        uint16_t expected = nearest.next(i);
        if (routine.saturated && expected > 255) expected = 255;
        Outcome plain{expected, 0};
        if (routine.plain != nullptr) plain = routine.plain(i);
        if (root != expected || root != plain.root || passes != plain.passes) {
            if (wrong < 3) {
                printf(
                    "check mismatch %s x=%lu root=%u passes=%lu expected=%u expected_passes=%u\n",
                    routine.name, static_cast<unsigned long>(i), static_cast<unsigned>(root),
                    static_cast<unsigned long>(passes), static_cast<unsigned>(expected),
                    plain.passes);
            }
            ++wrong;
        }
    }

    const auto passes = static_cast<int32_t>(passes_since(itotal_at_start));
    const bool ok = wrong == 0 && passes == routine.sweep_passes;
    printf("check end %s %s passes=%ld expected=%ld wrong=%lu", routine.name, ok ? "ok" : "FAILED",
           static_cast<long>(passes), static_cast<long>(routine.sweep_passes),
           static_cast<unsigned long>(wrong));
#ifdef BOARD_COUNTER
    print_counts(counts);
#endif
    printf("\n");
    return ok;
}

// A chip too small for every routine at once (the ATtiny85: its 512 bytes of RAM do not hold
// all their text) gets one firmware per routine, CHECK_ONLY naming its position in main.
constexpr bool checked(int position)
{
#ifdef CHECK_ONLY
    return position == CHECK_ONLY;
#else
    return position >= 0;
#endif
}

} // namespace

int main()
{
    board_start();
    constexpr uint32_t last_u8 = 0xFF;
    constexpr uint32_t last_u16 = 0xFFFF;
    using Wide = unsigned short;
    // The Newton routines come from program start, so that their records of steps start at 0.
    bool passed = true;
    if (checked(0)) {
        passed = sweep(Routine<unsigned char>{"sqrt_u8", sqrt_u8, nullptr, last_u8, true, 0});
    }
    if (checked(1)) {
        passed = sweep(Routine<Wide>{"sqrt_u16_variante4", sqrt_u16_variante4, plain_variante4,
                                     last_u16, true, sweep_passes_variante4}) &&
                 passed;
    }
    if (checked(2)) {
        passed = sweep(Routine<Wide>{"sqrt_u16_variante3", sqrt_u16_variante3, plain_variante3,
                                     last_u16, true, sweep_passes_variante3}) &&
                 passed;
    }
    if (checked(3)) {
        passed = sweep(Routine<Wide>{"sqrt_u16", sqrt_u16, plain_sqrt_u16, last_u16, true,
                                     sweep_passes_sqrt_u16}) &&
                 passed;
    }
    if (checked(4)) {
        passed = sweep(Routine<Wide>{"sqrt_u16_variante2", sqrt_u16_variante2, plain_variante2,
                                     last_u16, true, sweep_passes_variante2}) &&
                 passed;
    }
    if (checked(5)) {
        passed =
            sweep(Routine<Wide>{"float_root", float_root, nullptr, last_u16, false, 0}) && passed;
    }
    printf(passed ? "check passed\n" : "check failed\n");
    board_stop(passed ? 1 : 0);
}
