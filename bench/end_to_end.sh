#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Times a full quorvantel run against two others that print the same bytes: plain_run, the whole
# run as one plain C file with the routine inlined (bench/plain_run.c), and `cat` of a file that
# holds the output, the physical limit of a program that only has to print those bytes. Prints
# the medians of the wall time with their spread, and the instructions each executes (valgrind's
# count, the same from run to run).
# Usage: bench/end_to_end.sh [build-dir]   (needs hyperfine and valgrind: apt-get install
# hyperfine valgrind)
# Host timings differ by 20 to 30 % between runs here: the medians get two significant digits,
# and the 10th to 90th percentile shows the spread.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-run}
# A new tree gets the program alone; an existing one keeps its options.
if [ -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" >/dev/null
else
  cmake -S . -B "$build" -DQUORVANTEL_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target quorvantel >/dev/null
program=$(realpath "$build/quorvantel")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$program" >"$work/expected-output"
# The plain run with the C compiler of the same family and the flags of a Release build.
compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build/CMakeCache.txt")
case $compiler in
  *clang++*) c_compiler=${compiler%++} ;;
  *g++*) c_compiler=${compiler%++}cc ;;
  *) c_compiler=cc ;;
esac
"$c_compiler" -O3 -DNDEBUG bench/plain_run.c -lm -o "$work/plain_run"
cmp <("$work/plain_run") "$work/expected-output"

hyperfine --shell=none --warmup 50 --runs 1000 --export-json "$work/times.json" \
  --command-name quorvantel "$program" \
  --command-name plain_run "$work/plain_run" \
  --command-name cat "cat $work/expected-output" >&2

instructions() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
    sed -n 's/.*Collected : //p'
}
python3 - "$work/times.json" "$(instructions "$program")" "$(instructions "$work/plain_run")" <<'PY'
import json, statistics, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
counts = {"quorvantel": int(sys.argv[2]), "plain_run": int(sys.argv[3])}
def show(name):
    times = sorted(results[name]["times"])
    deciles = statistics.quantiles(times, n=10)
    line = (f"{name:10} median {results[name]['median'] * 1e3:.2g} ms "
            f"(10th to 90th percentile {deciles[0] * 1e3:.2g} to {deciles[-1] * 1e3:.2g} ms)")
    if name in counts:
        line += f", {counts[name] / 1e6:.2f} million instructions"
    print(line)
for name in ("quorvantel", "plain_run", "cat"):
    show(name)
print(f"quorvantel against plain_run: {results['quorvantel']['median'] / results['plain_run']['median']:.1f} "
      f"times the median wall time, {counts['quorvantel'] / counts['plain_run']:.3f} times the instructions")
print(f"quorvantel against cat: {results['quorvantel']['median'] / results['cat']['median']:.1f} "
      f"times the median wall time")
PY
