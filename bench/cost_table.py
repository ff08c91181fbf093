#!/usr/bin/env python3
"""Runs roots_bench and prints the README's cost table (Markdown) from its JSON report.

Usage: bench/cost_table.py [path/to/roots_bench] [extra benchmark flags...]
"""
import json
import platform
import subprocess
import sys

ROUTINES = ["sqrt_u8", "sqrt_u16_variante4", "sqrt_u16_variante3", "sqrt_u16",
            "sqrt_u16_variante2", "double_root", "table_root"]


def cpu_model():
    try:
        with open("/proc/cpuinfo", encoding="utf-8") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "unknown"


def main():
    bench = sys.argv[1] if len(sys.argv) > 1 else "build-bench/bench/roots_bench"
    command = [bench, "--benchmark_format=json", "--benchmark_repetitions=5",
               "--benchmark_report_aggregates_only=true", *sys.argv[2:]]
    report = json.loads(subprocess.run(command, check=True, capture_output=True,
                                       text=True).stdout)
    rows = {}
    for run in report["benchmarks"]:
        if run.get("aggregate_name") != "median":
            continue
        if run.get("error_occurred"):
            sys.exit(f"{run['name']}: {run.get('error_message')}")
        routine, order = run["run_name"].split("/")
        rows.setdefault(routine, {})[order] = run
    reference = {order: rows["double_root"][order]["time_per_call"] * 1e9
                 for order in ("ascending", "shuffled")}

    context = report["context"]
    print(f"CPU: {cpu_model()} ({context['num_cpus']} cores). "
          f"Compiler: {context['compiler']}. Flags:{context['flags']}. "
          f"Median of 5 repetitions, shuffle seed {context['shuffle_seed']}.")
    print()
    print("| routine | ns/call ascending | ns/call shuffled | × reference ascending "
          "| × reference shuffled | passes min / mean / max |")
    print("|---|---:|---:|---:|---:|---|")
    for routine in ROUTINES:
        runs = rows[routine]
        ns = {order: runs[order]["time_per_call"] * 1e9 for order in ("ascending", "shuffled")}
        first = runs["ascending"]
        passes = (f"{first['passes_min']:.0f} / {first['passes_mean']:.3f} / "
                  f"{first['passes_max']:.0f}" if "passes_mean" in first else "—")
        print(f"| `{routine}` | {ns['ascending']:.2f} | {ns['shuffled']:.2f} | "
              f"{ns['ascending'] / reference['ascending']:.2f} | "
              f"{ns['shuffled'] / reference['shuffled']:.2f} | {passes} |")


if __name__ == "__main__":
    main()
