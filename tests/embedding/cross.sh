#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# The ways into a firmware that a user takes, with a plain toolchain file of the user's own for a
# core of cmake/cores.txt: the library cross-built with it and installed with no option of ours,
# then a firmware project that finds the installed package through the same toolchain file; and
# the same firmware project taking the library in through add_subdirectory. Its C and C++
# firmware run under the core's simulator and must print exactly firmware/expected.txt.
# Usage: tests/embedding/cross.sh CORE SOURCE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/embedding/common.sh
. "$here/common.sh"
core=$1
source_dir=$(cd "$2" && pwd)
# shellcheck source=tests/firmware/cores.sh
. "$source_dir/tests/firmware/cores.sh"

need_program make make
for needed in $(quorvantel_core "$core" "build needs"); do
  if [[ ${needed%%:*} == /* ]]; then
    need_file "${needed%%:*}" "${needed#*:}"
  else
    need_program "${needed%%:*}" "${needed#*:}"
  fi
done
board=$(quorvantel_core "$core" board)
make_scratch

# The user's toolchain file: the compilers and flags of the project's own for the core, and
# nothing else of ours; the package search limited to the root path, as many such files have it.
facts=$(cmake -DTOOLCHAIN="$source_dir/cmake/toolchains/$core.cmake" -P "$here/toolchain_facts.cmake" 2>&1)
fact() { sed -n "s/^$1=//p" <<<"$facts"; }
cc=$(fact CMAKE_C_COMPILER)
cxx=$(fact CMAKE_CXX_COMPILER)
toolchain=$work/$core.cmake
cat >"$toolchain" <<EOF
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR $(fact CMAKE_SYSTEM_PROCESSOR))
set(CMAKE_C_COMPILER $cc)
set(CMAKE_CXX_COMPILER $cxx)
set(CMAKE_C_FLAGS_INIT "$(fact CMAKE_C_FLAGS_INIT)")
set(CMAKE_CXX_FLAGS_INIT "$(fact CMAKE_CXX_FLAGS_INIT)")
set(CMAKE_EXE_LINKER_FLAGS_INIT "$(fact CMAKE_EXE_LINKER_FLAGS_INIT)")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
# What CMake 3.25 needs told for SDCC, as the README says: the pointer size, its archiver's rule,
# C for .cpp files, its nm.
for name in CMAKE_SIZEOF_VOID_P CMAKE_USER_MAKE_RULES_OVERRIDE \
  CMAKE_C_COMPILE_OPTIONS_EXPLICIT_LANGUAGE CMAKE_NM; do
  [ -z "$(fact "$name")" ] || echo "set($name \"$(fact "$name")\")" >>"$toolchain"
done

# The library, as the README has users build and install it.
library=$work/library
configure -S "$source_dir" -B "$library" -DCMAKE_TOOLCHAIN_FILE="$toolchain"
quietly cmake --build "$library" -j 2
quietly cmake --install "$library" --prefix "$work/prefix"

# Nothing of the host's: no program, no tests, no benchmarks; at most the check firmware.
built=$(cd "$library" && find . -path '*/CMakeFiles' -prune -o -type f -perm -u+x -print |
  grep -v '^./tests/firmware/quorvantel_check' || true)
[ -z "$built" ] || fail "the cross build made other programs than the check firmware: $built"
! grep -q -e GTest_DIR -e benchmark_DIR "$library/CMakeCache.txt" ||
  fail "the cross build looked for GoogleTest or Google Benchmark"
[ ! -e "$work/prefix/bin" ] || fail "the cross build installed programs: $(ls "$work/prefix/bin")"
archive=$(compgen -G "$work/prefix/lib/*quorvantel_roots.*" || true)
[ -f "$archive" ] || fail "not installed: lib/libquorvantel_roots.a (quorvantel_roots.lib from SDCC)"
# Every object built for the chip, so the toolchain file's flags reached the library: the same
# architecture as an object the toolchain's compiler makes with those flags (where the toolchain
# has an objdump; SDCC's objects run on the chip below, or not at all).
objdump=$(dirname "$(command -v "$cc")")/$(basename "${cc%gcc}")objdump
if [ -x "$objdump" ]; then
  echo 'int probe;' >"$work/probe.c"
  read -r -a c_flags <<<"$(fact CMAKE_C_FLAGS_INIT)"
  "$cc" "${c_flags[@]}" -c "$work/probe.c" -o "$work/probe.o"
  architecture_of() { "$objdump" -f "$@" | sed -n 's/^architecture: \([^,]*\),.*/\1/p' | sort -u; }
  expected_architecture=$(architecture_of "$work/probe.o")
  [ "$(architecture_of "$archive")" = "$expected_architecture" ] ||
    fail "the library is built for '$(architecture_of "$archive")', not for $expected_architecture"
fi

# The firmware project, once through each route: a C and a C++ firmware, each linked by the C
# driver, and by the driver CMake chooses where the toolchain has the C++ library that one asks
# for. The library asks for no C++ link through either route, so CMake links the C firmware with
# the C driver in a project that enables C and C++.
programs=()
for route in find_package add_subdirectory; do
  tree=$work/$route
  if [ "$route" = find_package ]; then
    # The documented way past CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY: the package's folder.
    route_option=-Dquorvantel_DIR="$work/prefix/lib/cmake/quorvantel"
  else
    route_option=-DQUORVANTEL_SOURCE="$source_dir"
  fi
  configure -S "$here/firmware" -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$toolchain" "$route_option" \
    -DBOARD="$board" -DBOARDS="$source_dir/tests/firmware"
  # A toolchain without C++ (SDCC's) builds the C firmware alone.
  targets=(firmware_c_by_c firmware_c)
  with_cxx=firmware_cpp
  if [[ -z $cxx || $cxx == *NOTFOUND ]]; then
    with_cxx=""
  else
    targets+=(firmware_cpp_by_c)
  fi
  quietly cmake --build "$tree" -j 2 --target "${targets[@]}"
  for target in $with_cxx; do
    [[ " ${targets[*]} " == *" $target "* ]] && continue
    status=0
    cmake --build "$tree" --target "$target" >"$tree/$target.log" 2>&1 || status=$?
    if [ "$status" -eq 0 ]; then
      targets+=("$target")
    elif grep -q 'cannot find -lstdc++' "$tree/$target.log"; then
      echo "$route: $target is linked by $cxx, which asks for a C++ library the chip does not have here; not built"
    else
      cat "$tree/$target.log"
      fail "$route: $target did not build"
    fi
  done
  for target in "${targets[@]}"; do
    programs+=("$tree/$target")
  done
  expect_driver "$tree" firmware_c_by_c C
  expect_driver "$tree" firmware_c C
  [ -z "$with_cxx" ] || expect_driver "$tree" firmware_cpp_by_c C
done

# The board's run.sh runs each one and prints its output as plain text; a firmware that does not
# end is stopped after 120 s and fails.
for needed in $(quorvantel_core "$core" "run needs"); do
  if [[ ${needed%%:*} == /* ]]; then [ -e "${needed%%:*}" ]; else command -v "${needed%%:*}" >/dev/null; fi ||
    skip "${#programs[@]} firmware built and linked; ${needed%%:*} not found to run them" \
      "(Debian package ${needed#*:})"
done
for program in "${programs[@]}"; do
  status=0
  file=$(compgen -G "$program.elf" || compgen -G "$program.ihx" || echo "$program.elf")
  timeout 120 bash "$source_dir/tests/firmware/$board/run.sh" "$file" >"$program.out" \
    2>"$program.err" || status=$?
  [ "$status" -ne 77 ] || skip "$(cat "$program.out")"
  [ "$status" -eq 0 ] || { cat "$program".{out,err}; fail "$program: exit status $status"; }
  # The board's lines about its counter, and simavr's about what it loaded, are not the firmware's.
  grep -v -e '^Loaded [0-9]* [.]' -e '^board ' "$program.out" >"$program.txt" || true
  expect_output "$program" "$here/firmware/expected.txt" "$program.txt"
  tree=$(dirname "$program")
  driver=$(link_driver "$tree" "$(basename "$program")")
  echo "${program#"$work/"}, linked by $(basename "$driver"): printed what was expected"
done
