#!/usr/bin/env python3
# SPDX-License-Identifier: Zlib
"""Runs roots_bench and prints the README's cost table (Markdown) from its JSON report.

Usage: bench/cost_table.py [path/to/roots_bench] [extra benchmark flags...]
"""
import json
import os
import platform
import statistics
import subprocess
import sys
import tempfile

def cpu_model():
    try:
        with open("/proc/cpuinfo", encoding="utf-8") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "unknown"


def significant(value, digits=2):
    """value rounded to the digits it holds: runs here differ by 20 to 30 %."""
    return f"{float(f'{value:.{digits}g}'):g}"


def main():
    bench = sys.argv[1] if len(sys.argv) > 1 else "build-bench/bench/roots_bench"
    if not os.access(bench, os.X_OK):
        sys.exit(f"cost_table.py: no benchmark program at {bench}; build it with\n"
                 "  cmake -S . -B build-bench -DQUORVANTEL_BUILD_BENCHMARKS=ON "
                 "-DQUORVANTEL_BUILD_TESTS=OFF && cmake --build build-bench -j")
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        command = [bench, f"--benchmark_out={out.name}", "--benchmark_out_format=json",
                   "--benchmark_repetitions=5", *sys.argv[2:]]
        # Google Benchmark's console report goes to standard error as each run ends, so the
        # minute this takes shows its progress; the table alone goes to standard output.
        print(f"running {' '.join(command)} (about a minute)", file=sys.stderr)
        subprocess.run(command, check=True, stdout=sys.stderr)
        report = json.load(out)
    times = {}
    passes = {}
    routines = []  # in the benchmark's order: the library's routines, then the baselines
    for run in report["benchmarks"]:
        if run.get("run_type") != "iteration":
            continue
        if run.get("error_occurred"):
            sys.exit(f"{run['name']}: {run.get('error_message')}")
        routine, order = run["run_name"].split("/")
        if routine not in routines:
            routines.append(routine)
        times.setdefault((routine, order), []).append(run["time_per_call"] * 1e9)
        if "passes_mean" in run:
            passes[routine] = run
    median = {key: statistics.median(values) for key, values in times.items()}

    context = report["context"]
    print(f"CPU: {cpu_model()} ({context['num_cpus']} cores). "
          f"Compiler: {context['compiler']}. Flags:{context['flags']}. "
          f"5 repetitions, shuffle seed {context['shuffle_seed']}.")
    print()
    print("| routine | ns/call ascending | ns/call shuffled | × reference ascending "
          "| × reference shuffled | passes min / mean / max |")
    print("|---|---:|---:|---:|---:|---|")
    for routine in routines:
        cells = []
        for order in ("ascending", "shuffled"):
            values = times[(routine, order)]
            cells.append(f"{significant(median[(routine, order)])} "
                         f"({significant(min(values))}–{significant(max(values))})")
        ratios = [f"{median[(routine, order)] / median[('double_root', order)]:.1f}"
                  for order in ("ascending", "shuffled")]
        run = passes.get(routine)
        counted = (f"{run['passes_min']:.0f} / {run['passes_mean']:.3f} / "
                   f"{run['passes_max']:.0f}" if run else "—")
        print(f"| `{routine}` | {cells[0]} | {cells[1]} | {ratios[0]} | {ratios[1]} | {counted} |")


if __name__ == "__main__":
    main()
