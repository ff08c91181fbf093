#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Draws docs/passes.svg: mean passes per call of each counting root, over the inputs 0 to 65535
# in buckets of 256, from the data pass_profile prints.
# Usage: bench/plot_passes.sh [build-dir]   (needs gnuplot: apt-get install gnuplot-nox)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
cmake -S . -B "$build" -DQUORVANTEL_BUILD_BENCHMARKS=ON -DQUORVANTEL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target pass_profile >/dev/null

data=$(mktemp)
trap 'rm -f "$data"' EXIT
"$build/bench/pass_profile" 2>/dev/null |
  awk '!/^#/ { b = int($1 / 256); v4[b] += $2; v3[b] += $3; v2[b] += $4; n[b]++ }
       END { for (b = 0; b < 256; b++) printf "%d %.4f %.4f %.4f\n", b * 256, v4[b] / n[b], v3[b] / n[b], v2[b] / n[b] }' \
  >"$data"

gnuplot <<GNUPLOT
set terminal svg size 900,420 dynamic font "sans,12"
set output "docs/passes.svg"
set title "Refinement passes per call, mean over buckets of 256 inputs"
set xlabel "input x"
set ylabel "passes per call"
set xrange [0:65536]
set yrange [0:8]
set xtics 8192
set key right center
set grid
plot "$data" using 1:2 with steps lw 2 title "sqrt\\\\_u16\\\\_variante4", \
     "$data" using 1:3 with steps lw 2 dt 2 title "sqrt\\\\_u16\\\\_variante3", \
     "$data" using 1:4 with steps lw 2 title "sqrt\\\\_u16\\\\_variante2"
GNUPLOT
echo "wrote docs/passes.svg"
