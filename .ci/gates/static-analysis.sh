#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# No #include that names its header by a macro; clang-tidy (.clang-tidy) and cppcheck on the host
# build's compile commands (the lint preset's tree, configured with the benchmarks); the library
# and the check firmware compiled as C99 by gcc and clang; then clang-tidy on the library and the
# check firmware again with each core's cross build compile commands (the cross preset for each
# core, configured here where its tree has none), so that each per-core form is analysed where
# the compiler's macros choose it.
# Usage: static-analysis.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
cd "$1"
lint=$(cd "$2" && pwd)
jobs=$(nproc)
# shellcheck source=tests/firmware/cores.sh
. tests/firmware/cores.sh

# A header named by a macro (#include NAME) is one that build systems which scan a source for its
# headers (CMake for SDCC, which writes no dependency files) cannot see: an edit of it then leaves
# stale objects behind. Every include names its file.
if git grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]+[^"<[:space:]]' -- \
  '*.c' '*.cpp' '*.h' '*.hpp' '*.ino'; then
  echo "static analysis: an #include above names its header by a macro; name the file"
  exit 1
fi

# The program's copy of the roots is compiled for GCC's link-time optimisation, whose flags clang
# does not take.
git ls-files 'roots/*.cpp' 'harness/*.cpp' 'tests/*.cpp' 'bench/*.cpp' ':!tests/firmware/*' \
  ':!tests/embedding/*' |
  xargs -P "$jobs" -n 3 clang-tidy -p "$lint" --quiet --extra-arg=-Wno-ignored-optimization-argument
cppcheck --project="$lint/compile_commands.json" -i "$lint" --error-exitcode=1 --quiet \
  --enable=warning,style,performance,portability --inline-suppr \
  --library=googletest --library=posix \
  --suppress=missingIncludeSystem --suppress=unusedStructMember --suppress=useStlAlgorithm

# The library and the check firmware are C99 as much as C++11: C compilers take them as they are,
# with the host's plain forms.
for compiler in gcc clang; do
  for source in roots/*.cpp tests/firmware/check.cpp tests/firmware/size_probe.cpp; do
    "$compiler" -std=c99 -pedantic -Wall -Wextra -Wconversion -Wsign-conversion -Werror \
      -fsyntax-only -x c -Iroots -Itests -Itests/firmware -I"$lint/roots/include" \
      -DSIZE_PROBE=4 '-DBOARD_COUNTER="cycles"' "$source"
  done
done

# clang-tidy with a cross build's compile commands, and the C library headers its compiler
# searches (not the compiler's own, which clang brings). A core whose compile commands clang
# cannot take (an ABI, a target or an option clang 14 does not know) is reported as left out; its
# C forms are analysed through the other cores, or the host, that build them.
cross_analysis() { # CORE BUILD
  local core=$1 build=$2 language=CXX
  compgen -G "$build/CMakeFiles/*/CMakeCXXCompiler.cmake" >/dev/null || language=C
  local extra=(--extra-arg=-Wno-unused-command-line-argument) directory
  while read -r directory; do
    [[ $directory =~ /gcc/[^/]+/[^/]+/include(-fixed)?$|/c\+\+/ ]] ||
      extra+=("--extra-arg=-isystem$directory")
  done < <(sed -n "s/^set(CMAKE_${language}_IMPLICIT_INCLUDE_DIRECTORIES \"\(.*\)\")$/\1/p" \
    "$build"/CMakeFiles/*/"CMake${language}Compiler.cmake" | tr ';' '\n')
  local output status=0
  output=$(clang-tidy -p "$build" --quiet "${extra[@]}" roots/*.cpp tests/firmware/check.cpp 2>&1) ||
    status=$?
  if grep -q -e 'unknown target' -e 'unsupported option' -e 'unknown argument' <<<"$output"; then
    echo "static analysis: $core left out, clang cannot take its compile commands:" \
      "$(grep -m 1 -o -e 'unknown target.*' -e 'unsupported option.*' -e 'unknown argument.*' <<<"$output")"
    return 0
  fi
  [ "$status" -eq 0 ] || { echo "$output"; return 1; }
  echo "static analysis: $core analysed"
}
for core in $(quorvantel_cores); do
  [ -f "build-$core/compile_commands.json" ] || QUORVANTEL_CORE=$core cmake --preset cross >/dev/null
  cross_analysis "$core" "build-$core"
done
