#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Speed figures are never a gate; this only keeps the benchmark programs building and running.
# Usage: benchmark-smoke.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
build=$2
"$build/bench/roots_bench" --benchmark_min_time=0.001
[ "$("$build/bench/pass_profile" 2>/dev/null | wc -l)" -eq 65537 ]
