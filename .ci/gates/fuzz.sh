#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# The argument-scan fuzzer: clang-tidy on its source, then 60 s from the checked-in seeds. New
# inputs go to a scratch folder; the seeds stay as they are.
# Usage: fuzz.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
clang-tidy -p "$build" --quiet "$source_dir/fuzz/argscan_fuzzer.cpp"
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cd "$build"
./fuzz/argscan_fuzzer -max_total_time=60 -timeout=5 "$corpus" "$source_dir/fuzz/corpus/argscan"
