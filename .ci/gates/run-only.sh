#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# The README's run command's tree: the program alone prints the expected summary, and GoogleTest
# was never looked for.
# Usage: run-only.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
build=$2
summary=$("$build/quorvantel" | tail -n 1)
echo "$summary"
[ "$summary" = "itotal=434253 --> Durchschnittliche Iterationsschritte=6.677733" ]
! grep -q GTest_DIR "$build/CMakeCache.txt" || { echo "the tree looked for GoogleTest"; exit 1; }
