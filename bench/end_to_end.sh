#!/usr/bin/env bash
# Times a full quorvantel run against `cat` of a file that holds the same output: the physical
# limit of a program that only has to print those bytes. Prints both medians and their ratio.
# Usage: bench/end_to_end.sh [build-dir]   (needs hyperfine: apt-get install hyperfine)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target quorvantel >/dev/null
program=$(realpath "$build/quorvantel")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$program" >"$work/expected-output"

hyperfine --shell=none --warmup 50 --runs 1000 --export-json "$work/times.json" \
  --command-name quorvantel "$program" \
  --command-name cat "cat $work/expected-output" >&2

python3 - "$work/times.json" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
program, cat = results["quorvantel"]["median"], results["cat"]["median"]
print(f"median quorvantel: {program * 1e3:.3f} ms")
print(f"median cat:        {cat * 1e3:.3f} ms")
print(f"ratio:             {program / cat:.3f}")
PY
