#!/usr/bin/env bash
# Times a full quorvantel run against `cat` of a file that holds the same output: the physical
# limit of a program that only has to print those bytes. Prints both medians and their ratio.
# Usage: bench/end_to_end.sh [build-dir]   (needs hyperfine: apt-get install hyperfine)
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

hyperfine --shell=none --warmup 50 --runs 1000 --export-json "$work/times.json" \
  --command-name quorvantel "$program" \
  --command-name cat "cat $work/expected-output" >&2

python3 - "$work/times.json" <<'PY'
import json, statistics, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
def show(name):
    times = sorted(results[name]["times"])
    deciles = statistics.quantiles(times, n=10)
    print(f"{name:10} median {results[name]['median'] * 1e3:.2g} ms "
          f"(10th to 90th percentile {deciles[0] * 1e3:.2g} to {deciles[-1] * 1e3:.2g} ms)")
show("quorvantel")
show("cat")
print(f"ratio of the medians: {results['quorvantel']['median'] / results['cat']['median']:.1f}")
PY
