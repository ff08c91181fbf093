#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# quorvantel through add_subdirectory in a project that has a target named roots of its own:
# configures, builds and runs that project, and checks that quorvantel brought nothing but its
# library into it.
# Usage: tests/embedding/subproject.sh SOURCE_DIR CXX
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/embedding/common.sh
. "$here/common.sh"
source_dir=$(cd "$1" && pwd)
need_program make make
make_scratch

tree=$work/outer
configure -S "$here/subproject" -B "$tree" -DCMAKE_CXX_COMPILER="$2" \
  -DQUORVANTEL_SOURCE="$source_dir"
quietly cmake --build "$tree" -j 2

built=$(cd "$tree" && find . -path '*/CMakeFiles' -prune -o -type f -perm -u+x -print)
[ "$built" = "./outer" ] || fail "the outer project built other programs too: $built"
! grep -q GTest_DIR "$tree/CMakeCache.txt" || fail "quorvantel looked for GoogleTest"

"$tree/outer" >"$work/printed.txt" || fail "the outer program failed"
echo "224 after 7 passes; cube root of 50000: 36" >"$work/expected.txt"
expect_output "the outer program" "$work/expected.txt" "$work/printed.txt"
cat "$work/printed.txt"
