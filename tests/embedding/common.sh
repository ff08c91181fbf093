# SPDX-License-Identifier: Zlib
# shellcheck shell=bash
# Sourced by the scripts that take the library the way its users do (tests/embedding/,
# tests/install/). A test whose tool is missing exits 77, which ctest reports as skipped, and
# prints gtest's marker, which the CI's test gate looks for.

fail() {
  echo "FAILED: $*"
  exit 1
}

skip() {
  echo "[  SKIPPED ] $*"
  exit 77
}

# need_program PROGRAM PACKAGE, need_file PATH PACKAGE: skip unless it is there.
need_program() {
  command -v "$1" >/dev/null || skip "$1 not found (Debian package $2)"
}

need_file() {
  [ -e "$1" ] || skip "$1 not found (Debian package $2)"
}

# A scratch folder in $work, gone when the script ends.
make_scratch() {
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
}

# Runs a command with its output held back, and shows that output only if the command fails.
quietly() {
  local log status=0
  log=$(mktemp)
  "$@" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    cat "$log"
    rm -f "$log"
    fail "exit status $status from: $*"
  fi
  rm -f "$log"
}

# Configures a project with the Makefile generator, whose link.txt files show which driver links
# each target.
configure() {
  quietly cmake -G "Unix Makefiles" "$@"
}

# link_driver BUILD TARGET: the program that links TARGET.
link_driver() {
  local driver
  read -r driver _ <"$1/CMakeFiles/$2.dir/link.txt"
  echo "$driver"
}

# compiler_of BUILD LANGUAGE: the compiler CMake took for LANGUAGE (C or CXX) in that build.
compiler_of() {
  sed -n "s/^set(CMAKE_$2_COMPILER \"\(.*\)\")\$/\1/p" "$1"/CMakeFiles/*/"CMake$2Compiler.cmake"
}

# expect_driver BUILD TARGET LANGUAGE: TARGET is linked by the compiler of LANGUAGE (C or CXX).
expect_driver() {
  local driver expected
  driver=$(link_driver "$1" "$2")
  expected=$(compiler_of "$1" "$3")
  if [ -z "$expected" ] || [ "$driver" != "$expected" ]; then
    fail "$2 is linked by $driver instead of the $3 driver '$expected'"
  fi
}

# expect_output NAME EXPECTED_FILE ACTUAL_FILE
expect_output() {
  diff -u "$2" "$3" || fail "$1 printed other text than $2"
}
