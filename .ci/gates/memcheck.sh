#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# The program under valgrind's memcheck, once for a run and once for the usage text: any error or
# leak fails.
# Usage: memcheck.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
program=$2/quorvantel
for arguments in "" "?"; do
  valgrind --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=all -q \
    "$program" ${arguments:+"$arguments"} >/dev/null
done
echo "memcheck: no error, no leak"
