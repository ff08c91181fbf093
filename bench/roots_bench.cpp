// SPDX-License-Identifier: Zlib
// What each root costs: the roots to ship and the bench's routines timed over the 16-bit inputs
// in ascending and in shuffled order, beside two baselines (the double-precision root and a
// 65536-entry table). Each timed sweep sums its results and fails the benchmark when the sum
// differs from the reference, so a fast wrong answer cannot pass.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include <quorvantel/roots.hpp>

#include "routines.hpp"

namespace {

constexpr int input_count = 65536;
constexpr std::uint32_t shuffle_seed = 20261208;

using Root16 = unsigned short (*)(unsigned short);

unsigned short double_root(unsigned short x)
{
    // NOLINTNEXTLINE(bugprone-incorrect-roundings): x is never negative
    const auto nearest = static_cast<int>(std::sqrt(static_cast<double>(x)) + 0.5);
    return static_cast<unsigned short>(std::min(nearest, 255));
}

// The floor root's reference.
unsigned short double_floor_root(unsigned short x)
{
    return static_cast<unsigned short>(std::sqrt(static_cast<double>(x)));
}

std::array<unsigned char, input_count> make_root_table()
{
    std::array<unsigned char, input_count> roots{};
    for (int x = 0; x < input_count; ++x) {
        roots[static_cast<std::size_t>(x)] =
            static_cast<unsigned char>(double_root(static_cast<unsigned short>(x)));
    }
    return roots;
}

const std::array<unsigned char, input_count> root_table = make_root_table();

unsigned short table_root(unsigned short x)
{
    return root_table[x];
}

unsigned short byte_root(unsigned short x)
{
    return sqrt_u8(static_cast<unsigned char>(x));
}

// The Newton routines print for inputs up to 16 and for multiples of 1000. Timed sweeps leave
// those 81 inputs out (0 is both), so that no trace line is written or timed; see
// silence_newton_traces.
bool makes_trace(int x)
{
    return x <= 16 || (x % 1000 == 0 && x <= 64770);
}

struct InputSet {
    std::vector<unsigned short> ascending;
    std::vector<unsigned short> shuffled;
};

InputSet make_inputs(int end, bool leave_out_traced)
{
    InputSet set;
    for (int x = 0; x < end; ++x) {
        if (!leave_out_traced || !makes_trace(x)) {
            set.ascending.push_back(static_cast<unsigned short>(x));
        }
    }
    set.shuffled = set.ascending;
    std::shuffle(set.shuffled.begin(), set.shuffled.end(), std::mt19937(shuffle_seed));
    return set;
}

const InputSet& inputs_u16()
{
    static const InputSet set = make_inputs(input_count, true);
    return set;
}

const InputSet& inputs_u8()
{
    static const InputSet set = make_inputs(256, false);
    return set;
}

std::uint64_t reference_sum(const std::vector<unsigned short>& inputs, Root16 reference)
{
    return std::accumulate(
        inputs.begin(), inputs.end(), std::uint64_t{0},
        [reference](std::uint64_t sum, unsigned short x) { return sum + reference(x); });
}

struct PassStats {
    int min;
    double mean;
    int max;
};

std::map<std::string, PassStats>& pass_stats()
{
    static std::map<std::string, PassStats> stats;
    return stats;
}

// One call per input 0 to 65535, each measured on its own through itotal.
PassStats measure_passes(Root16 root)
{
    PassStats stats{input_count, 0.0, 0};
    long long total = 0;
    for (int x = 0; x < input_count; ++x) {
        itotal = 0;
        root(static_cast<unsigned short>(x));
        stats.min = std::min(stats.min, itotal);
        stats.max = std::max(stats.max, itotal);
        total += itotal;
    }
    stats.mean = static_cast<double>(total) / input_count;
    return stats;
}

void report(benchmark::State& state, std::size_t calls_per_sweep, const std::string& name)
{
    const auto calls = static_cast<double>(calls_per_sweep);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(calls_per_sweep));
    // Seconds per call; the console shows it with an SI prefix (n for nanoseconds).
    state.counters["time_per_call"] = benchmark::Counter(
        calls, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    if (const auto it = pass_stats().find(name); it != pass_stats().end()) {
        state.counters["passes_min"] = it->second.min;
        state.counters["passes_mean"] = it->second.mean;
        state.counters["passes_max"] = it->second.max;
    }
}

template <typename Root>
void time_root(benchmark::State& state, const std::string& name, Root root,
               const std::vector<unsigned short>* inputs, Root16 reference)
{
    const std::uint64_t expected = reference_sum(*inputs, reference);
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (const unsigned short x : *inputs) sum += root(x);
        benchmark::DoNotOptimize(sum);
        if (sum != expected) {
            state.SkipWithError("result sum differs from the reference");
            break;
        }
    }
    report(state, inputs->size(), name);
}

// Every root but the floor root sums to the nearest root's reference.
template <typename Root>
void register_root(const std::string& name, Root root, const InputSet& set,
                   Root16 reference = double_root)
{
    benchmark::RegisterBenchmark((name + "/ascending").c_str(), time_root<Root>, name, root,
                                 &set.ascending, reference);
    benchmark::RegisterBenchmark((name + "/shuffled").c_str(), time_root<Root>, name, root,
                                 &set.shuffled, reference);
}

// Runs work with standard output sent to the descriptor target, then restores it.
template <typename Work> void with_stdout_to(int target, Work work)
{
    (void)std::fflush(stdout);
    const int saved_stdout = dup(STDOUT_FILENO);
    dup2(target, STDOUT_FILENO);
    work();
    (void)std::fflush(stdout);
    dup2(saved_stdout, STDOUT_FILENO);
    close(saved_stdout);
}

// Passes per call of the counting routines over all inputs. Its trace is thrown away; the
// sweeps also bring both Newton routines to their highest record of steps.
void measure_passes_and_records()
{
    const int null_fd = open("/dev/null", O_WRONLY);
    with_stdout_to(null_fd, [] {
    // NOLINTNEXTLINE(cppcoreguidelines-macro-usage): expands the list of routines
#define MEASURE(name, plain, counts, sweep_passes)                                                 \
    if (counts) {                                                                                  \
        pass_stats()[#name] = measure_passes(name);                                                \
    } else {                                                                                       \
        for (int x = 0; x < input_count; ++x) name(static_cast<unsigned short>(x));                \
    }
        QUORVANTEL_WIDE_ROUTINES(MEASURE)
#undef MEASURE
    });
    close(null_fd);
}

// With the records at their highest, the timed inputs print nothing: a record only ever falls
// on an input up to 16, and those are left out. This proves it before anything is timed.
bool timed_inputs_are_silent()
{
    FILE* capture = std::tmpfile();
    if (capture == nullptr) return false;
    with_stdout_to(fileno(capture), [] {
        for (const auto* order : {&inputs_u16().ascending, &inputs_u16().shuffled}) {
            for (const unsigned short x : *order) {
                // NOLINTNEXTLINE(cppcoreguidelines-macro-usage): expands the list of routines
#define CALL(name, plain, counts, sweep_passes) name(x);
                QUORVANTEL_WIDE_ROUTINES(CALL)
#undef CALL
            }
        }
    });
    const long printed = ftell(capture);
    (void)std::fclose(capture);
    return printed == 0;
}

} // namespace

int main(int argc, char** argv)
{
    measure_passes_and_records();
    if (!timed_inputs_are_silent()) {
        (void)std::fprintf(stderr, "roots_bench: timed inputs still print trace lines\n");
        return 1;
    }

    // NOLINTNEXTLINE(cppcoreguidelines-macro-usage): expands the list of roots to ship
#define REGISTER_PURE(name, plain, floor)                                                          \
    register_root(#name, name, inputs_u16(), (floor) ? double_floor_root : double_root);
    QUORVANTEL_PURE_ROOTS(REGISTER_PURE)
#undef REGISTER_PURE
    register_root("sqrt_u8", byte_root, inputs_u8());
    // NOLINTNEXTLINE(cppcoreguidelines-macro-usage): expands the list of routines
#define REGISTER(name, plain, counts, sweep_passes) register_root(#name, name, inputs_u16());
    QUORVANTEL_WIDE_ROUTINES(REGISTER)
#undef REGISTER
    register_root("double_root", double_root, inputs_u16());
    register_root("table_root", table_root, inputs_u16());

    benchmark::AddCustomContext("shuffle_seed", std::to_string(shuffle_seed));
    benchmark::AddCustomContext("inputs_u16", std::to_string(inputs_u16().ascending.size()) +
                                                  " (0 to 65535 without 0-16 and multiples of "
                                                  "1000 up to 64770)");
    benchmark::AddCustomContext("compiler", QUORVANTEL_BENCH_COMPILER);
    benchmark::AddCustomContext("flags", QUORVANTEL_BENCH_FLAGS);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
