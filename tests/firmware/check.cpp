// SPDX-License-Identifier: Zlib
// The check firmware, one source for every core and every compiler (C99 and C++11 alike). From
// program start it calls each root of the library once for every one of its inputs, in ascending
// order, and checks every call twice: its result against the nearest root (or for the floor root,
// the floor), worked out here, and its result and what it added to itotal against the plain form
// of the algorithm
// (roots/portable.hpp), which is what a per-core form of a routine must match. It checks the pass
// totals against the host's, and each counting routine's update of itotal across every byte of
// the counter and across INT32_MAX. It lets the Newton traces through to the host, which compares
// them with its own. Where the board has a counter it also times every call that printed nothing.
//
// Output: per routine "check begin NAME", the routine's own trace lines, at most three
// "check mismatch NAME ..." lines, then "check end NAME ok|FAILED passes=P expected=E wrong=W"
// with " COUNTER min=A mean=B max=C timed=N" on boards that count; last "check passed" or
// "check failed".
#include <math.h>
#include <stdint.h>
#include <stdio.h>

#include <quorvantel/roots.h>

#include "board.h"
#include "portable.hpp"
#include "routines.hpp"

typedef unsigned short (*wide_root)(unsigned short);
typedef unsigned char (*byte_root)(unsigned char);
typedef uint8_t (*pure_root)(uint16_t);

// One routine under check: a 16-bit routine of the bench (wide), a root to ship (pure) or sqrt_u8
// (byte). Bytes for the flags: on AVR the table lies in RAM, of which the smallest chips the
// firmware runs on have 512 bytes.
typedef struct routine {
    const char* name;
    wide_root wide;
    byte_root byte;
    pure_root pure;
    int32_t sweep_passes;
    uint8_t plain;     // its plain form (plain_root), or no_plain_form: the nearest root only
    uint8_t counts;    // adds its passes to itotal
    uint8_t saturated; // at 255, as the library's contract says; the float baseline is not
    uint8_t floor;     // the floor of the root, not the nearest root
} routine;

// The integer nearest to the root of each input of an ascending sweep, found by moving n up
// while n(n + 1), the last input whose nearest root is n, lies below x. Not saturated.
static uint16_t next_nearest_root(uint16_t* n, uint32_t x)
{
    while ((uint32_t)*n * (*n + 1U) < x) ++*n;
    return *n;
}

// The floor of the root of each input of an ascending sweep: n moves up while (n + 1)^2 <= x.
static uint16_t next_floor_root(uint16_t* n, uint32_t x)
{
    while ((uint32_t)(*n + 1U) * (*n + 1U) <= x) ++*n;
    return *n;
}

// The plain forms by number: SDCC calls a function through a pointer only with a single
// argument, unless every function is built reentrant.
#define QUORVANTEL_PLAIN_NUMBER(name, plain, counts, sweep_passes) plain_form_of_##name,
#define QUORVANTEL_PURE_PLAIN_NUMBER(name, plain, floor) plain_form_of_##name,
enum {
    QUORVANTEL_WIDE_ROUTINES(QUORVANTEL_PLAIN_NUMBER)
        QUORVANTEL_PURE_ROOTS(QUORVANTEL_PURE_PLAIN_NUMBER) no_plain_form
};
#undef QUORVANTEL_PLAIN_NUMBER
#undef QUORVANTEL_PURE_PLAIN_NUMBER

static unsigned plain_root(uint8_t form, unsigned x, unsigned* passes)
{
    switch (form) {
#define QUORVANTEL_PLAIN_CASE(name, plain, counts, sweep_passes)                                   \
    case plain_form_of_##name:                                                                     \
        return plain(x, passes);
        QUORVANTEL_WIDE_ROUTINES(QUORVANTEL_PLAIN_CASE)
#undef QUORVANTEL_PLAIN_CASE
#define QUORVANTEL_PURE_PLAIN_CASE(name, plain, floor)                                             \
    case plain_form_of_##name:                                                                     \
        *passes = 0;                                                                               \
        return plain(x);
        QUORVANTEL_PURE_ROOTS(QUORVANTEL_PURE_PLAIN_CASE)
#undef QUORVANTEL_PURE_PLAIN_CASE
    default:
        *passes = 0;
        return 0;
    }
}

// The baseline a user without an integer root would write, in single precision: the fastest
// floating-point root on a core without an FPU (avr-libc's double is the same 32-bit type). A
// core whose toolchain has no float library checks none (CHECK_WITHOUT_FLOAT_ROOT); a core with
// an FPU also checks the same root built without errno (float_root_inline.cpp), where it is one
// instruction.
#ifndef CHECK_WITHOUT_FLOAT_ROOT
static unsigned short float_root(unsigned short x)
{
    // NOLINTNEXTLINE(bugprone-incorrect-roundings): x is never negative
    return (unsigned short)(int)(sqrtf((float)x) + 0.5F);
}
#endif
#ifdef CHECK_FLOAT_ROOT_INLINE
unsigned short float_root_inline(unsigned short x);
#endif

#ifdef BOARD_COUNTER
// Per-call counts of one sweep.
typedef struct tally {
    uint16_t min;
    uint16_t max;
    uint32_t sum;
    uint32_t calls;
} tally;

static void add_count(tally* counted, uint16_t count)
{
    if (count < counted->min) counted->min = count;
    if (count > counted->max) counted->max = count;
    counted->sum += count;
    ++counted->calls;
}

static unsigned short empty_wide(unsigned short x) BOARD_EMPTY_ROUTINE
{
    return x;
}

static unsigned char empty_byte(unsigned char x) BOARD_EMPTY_ROUTINE
{
    return x;
}

static uint8_t empty_pure(uint16_t x) BOARD_EMPTY_ROUTINE
{
    return (uint8_t)x;
}

// Never inlined nor cloned for one routine, so every routine and the empty call are timed
// through the same indirect call.
BOARD_NOINLINE static uint16_t timed_wide(wide_root root, unsigned short x, unsigned short* result)
{
    const uint16_t start = board_count();
    *result = root(x);
    return (uint16_t)(board_count() - start);
}

BOARD_NOINLINE static uint16_t timed_byte(byte_root root, unsigned char x, unsigned char* result)
{
    const uint16_t start = board_count();
    *result = root(x);
    return (uint16_t)(board_count() - start);
}

BOARD_NOINLINE static uint16_t timed_pure(pure_root root, uint16_t x, uint8_t* result)
{
    const uint16_t start = board_count();
    *result = root(x);
    return (uint16_t)(board_count() - start);
}

// What timing a call costs around a routine that does nothing; the simulators are exact, so one
// call tells.
static uint16_t call_overhead(const routine* checked)
{
    unsigned char byte_result = 0;
    unsigned short wide_result = 0;
    uint8_t pure_result = 0;
    if (checked->byte != NULL) return timed_byte((byte_root)empty_byte, 0, &byte_result);
    if (checked->pure != NULL) return timed_pure((pure_root)empty_pure, 0, &pure_result);
    return timed_wide((wide_root)empty_wide, 0, &wide_result);
}

// One call of the routine, timed.
static unsigned timed_call(const routine* checked, uint16_t x, uint16_t* elapsed)
{
    if (checked->byte != NULL) {
        unsigned char result = 0;
        *elapsed = timed_byte(checked->byte, (unsigned char)x, &result);
        return result;
    }
    if (checked->pure != NULL) {
        uint8_t result = 0;
        *elapsed = timed_pure(checked->pure, x, &result);
        return result;
    }
    unsigned short result = 0;
    *elapsed = timed_wide(checked->wide, x, &result);
    return result;
}

static void print_counts(const tally* counted)
{
    // The mean in tenths, rounded. Ten times the sum would pass 2^32 for a mean above 6553.
    uint32_t tenths = 0;
    if (counted->calls != 0) {
        const uint32_t rest = counted->sum % counted->calls;
        tenths = counted->sum / counted->calls * 10U +
                 (rest * 10U + counted->calls / 2) / counted->calls;
    }
    printf(" %s min=%u mean=%lu.%lu max=%u timed=%lu", BOARD_COUNTER, counted->min,
           (unsigned long)(tenths / 10), (unsigned long)(tenths % 10), counted->max,
           (unsigned long)counted->calls);
}
#endif

static unsigned call(const routine* checked, uint16_t x)
{
    if (checked->byte != NULL) return checked->byte((unsigned char)x);
    if (checked->pure != NULL) return checked->pure(x);
    return checked->wide(x);
}

static uint32_t passes_since(int32_t before)
{
    return (uint32_t)itotal - (uint32_t)before;
}

// A counting routine's update of itotal from totals where it carries into each higher byte of
// the counter, where it passes INT32_MAX and where it wraps, and from one where it carries
// nothing: a call must add exactly its passes. The inputs make passes and print no trace line
// after the sweep.
static uint32_t counter_faults(const routine* checked)
{
    uint32_t faults = 0;
    // 0xFF, 0xFFFF, 0xFFFFFF, 0xFFFFFFFF, then 0x7FFFFFFF and 0x00FFFF00: worked out, not a
    // table, to keep them out of an AVR's RAM.
    for (unsigned t = 0; t < 6; ++t) {
        uint32_t total = 0x00FFFF00UL;
        if (t < 4) total = 0xFFFFFFFFUL >> (24 - 8 * t);
        if (t == 4) total = 0x7FFFFFFFUL;
        for (unsigned i = 0; i < 4; ++i) {
            const uint16_t x = (uint16_t)(i == 0 ? 256 : i == 1 ? 1001 : i == 2 ? 65025 : 20001);
            unsigned passes = 0;
            (void)plain_root(checked->plain, x, &passes);
            const uint32_t expected = total + passes;
            itotal = (int32_t)total;
            (void)call(checked, x);
            if ((uint32_t)itotal != expected) {
                if (faults < 3) {
                    printf("check mismatch %s itotal=%lx x=%u after=%lx expected=%lx\n",
                           checked->name, (unsigned long)total, (unsigned)x,
                           (unsigned long)(uint32_t)itotal, (unsigned long)expected);
                }
                ++faults;
            }
        }
    }
    itotal = 0;
    return faults;
}

static int sweep(const routine* checked)
{
    const uint32_t last = checked->byte != NULL ? 0xFFU : 0xFFFFU;
    const int32_t itotal_at_start = itotal;
    uint16_t nearest = 0;
    uint16_t floor_root = 0;
    uint32_t wrong = 0;
#ifdef BOARD_COUNTER
    tally counted = {0xFFFF, 0, 0, 0};
    const uint16_t overhead = call_overhead(checked);
#endif

    printf("check begin %s\n", checked->name);
    for (uint32_t i = 0; i <= last; ++i) {
        const uint16_t x = (uint16_t)i;
        const int32_t itotal_before = itotal;
#ifdef BOARD_COUNTER
        const uint32_t printed_before = board_bytes_written();
        uint16_t elapsed = 0;
        const unsigned root = timed_call(checked, x, &elapsed);
        if (board_bytes_written() == printed_before) {
            add_count(&counted, (uint16_t)(elapsed - overhead));
        }
#else
        const unsigned root = call(checked, x);
#endif
        const uint32_t passes_made = passes_since(itotal_before);
        unsigned expected =
            checked->floor ? next_floor_root(&floor_root, i) : next_nearest_root(&nearest, i);
        if (checked->saturated && expected > 255) expected = 255;
        unsigned plain = expected;
        unsigned plain_passes = 0;
        if (checked->plain != no_plain_form) {
            plain = plain_root(checked->plain, x, &plain_passes);
            if (!checked->counts) plain_passes = 0;
        }
        if (root != expected || root != plain || passes_made != plain_passes) {
            if (wrong < 3) {
                printf("check mismatch %s x=%lu root=%u passes=%lu expected=%u "
                       "expected_passes=%u\n",
                       checked->name, (unsigned long)i, root, (unsigned long)passes_made, expected,
                       plain_passes);
            }
            ++wrong;
        }
    }

    const int32_t passes = (int32_t)passes_since(itotal_at_start);
    if (checked->counts) wrong += counter_faults(checked);
    const int ok = wrong == 0 && passes == checked->sweep_passes;
    printf("check end %s %s passes=%ld expected=%ld wrong=%lu", checked->name, ok ? "ok" : "FAILED",
           (long)passes, (long)checked->sweep_passes, (unsigned long)wrong);
#ifdef BOARD_COUNTER
    print_counts(&counted);
#endif
    printf("\n");
    return ok;
}

#define QUORVANTEL_ROUTINE_ENTRY(name, plain, counts, sweep_passes)                                \
    {#name, name, NULL, NULL, sweep_passes, plain_form_of_##name, counts, 1, 0},
#define QUORVANTEL_PURE_ENTRY(name, plain, floor)                                                  \
    {#name, NULL, NULL, name, 0, plain_form_of_##name, 0, 1, floor},

// In the order of the output; the Newton routines come from program start, so that their records
// of steps start at 0.
// clang-format off
static const routine routines[] = {
    {"sqrt_u8", NULL, sqrt_u8, NULL, 0, no_plain_form, 0, 1, 0},
    QUORVANTEL_WIDE_ROUTINES(QUORVANTEL_ROUTINE_ENTRY)
    QUORVANTEL_PURE_ROOTS(QUORVANTEL_PURE_ENTRY)
#ifndef CHECK_WITHOUT_FLOAT_ROOT
    {"float_root", float_root, NULL, NULL, 0, no_plain_form, 0, 0, 0},
#endif
#ifdef CHECK_FLOAT_ROOT_INLINE
    {"float_root_inline", float_root_inline, NULL, NULL, 0, no_plain_form, 0, 0, 0},
#endif
};
// clang-format on

#undef QUORVANTEL_ROUTINE_ENTRY
#undef QUORVANTEL_PURE_ENTRY

// NOLINTNEXTLINE(modernize-redundant-void-arg): C as much as C++
int main(void)
{
    int passed = 1;
    board_start();
    for (unsigned position = 0; position < sizeof routines / sizeof routines[0]; ++position) {
        // A chip too small for every routine at once (512 bytes of RAM do not hold all their
        // text), or a simulator too slow, gets one firmware per routine (the table's firmware
        // field), CHECK_ONLY naming its position.
#ifdef CHECK_ONLY
        if (position != CHECK_ONLY) continue;
#endif
        if (!sweep(&routines[position])) passed = 0;
    }
    printf(passed ? "check passed\n" : "check failed\n");
    board_stop(passed);
    return 0;
}
