#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Tests of the Arduino library.
#   test_arduino.sh library CMAKE BUILD_DIR ZIP SCRATCH
#     makes the library and checks that the zip holds the folder quorvantel/ as it was built.
#   test_arduino.sh example LIBRARY_DIR NAME EXPECTED SCRATCH
#     compiles examples/NAME with arduino-builder for an Uno, runs it under simavr and holds what
#     it prints over Serial to the file EXPECTED. Exits 77 (skipped) where a tool is missing.
set -euo pipefail

fail() {
  echo "FAILED: $*"
  exit 1
}

library() {
  local cmake=$1 build=$2 zip=$3 scratch=$4
  "$cmake" --build "$build" --target quorvantel_arduino
  local folder unpacked=$scratch/unpacked
  folder=$(dirname "$zip")/quorvantel
  rm -rf "$unpacked" && mkdir -p "$unpacked"
  (cd "$unpacked" && "$cmake" -E tar xf "$zip")
  # The IDE's "Add .ZIP Library" wants the library's folder at the top of the zip.
  [ "$(ls "$unpacked")" = quorvantel ] || fail "the zip's top level is not the folder quorvantel/"
  diff -r "$folder" "$unpacked/quorvantel" || fail "the zip differs from $folder"

  # arduino-builder refuses a library without the first four; the IDE wants the rest.
  local properties=$folder/library.properties field
  for field in name version author maintainer sentence paragraph url category architectures; do
    grep -q "^$field=." "$properties" || fail "library.properties has no $field"
  done
  grep -Eq '^category=(Display|Communication|Signal Input/Output|Sensors|Device Control|Timing|Data Storage|Data Processing|Other|Uncategorized)$' \
    "$properties" || fail "library.properties names a category Arduino does not know"
  if ! grep -q '^includes=quorvantel.h$' "$properties" || [ ! -f "$folder/src/quorvantel.h" ]; then
    fail "no src/quorvantel.h for the includes line"
  fi
}

example() {
  local library_dir=$1 name=$2 expected=$3 scratch=$4
  local missing=() need
  # Pairs of a program or file and the Debian package that brings it.
  local needs=(arduino-builder arduino-builder /usr/share/arduino/hardware/arduino/avr arduino-core-avr
    avr-g++ gcc-avr /usr/lib/avr/include/stdio.h avr-libc simavr simavr timeout coreutils)
  for ((need = 0; need < ${#needs[@]}; need += 2)); do
    if [[ ${needs[need]} == /* ]]; then
      [ -e "${needs[need]}" ] || missing+=("${needs[need]} not found (Debian package ${needs[need + 1]})")
    else
      command -v "${needs[need]}" >/dev/null ||
        missing+=("${needs[need]} not found (Debian package ${needs[need + 1]})")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    printf '[  SKIPPED ] %s\n' "${missing[@]}"
    exit 77
  fi

  local sketch=$library_dir/examples/$name/$name.ino
  [ -f "$sketch" ] || fail "no sketch $sketch: build the target quorvantel_arduino"
  [ -f "$expected" ] || fail "no expected output $expected for the example $name"

  local build=$scratch/$name
  rm -rf "$build" && mkdir -p "$build"
  # The last option works around Debian's core, which needs DECIMAL_DIG from avr-gcc's C++.
  arduino-builder -compile -hardware /usr/share/arduino-builder -hardware /usr/share/arduino/hardware \
    -tools /usr/share/arduino-builder -libraries "$(dirname "$library_dir")" -fqbn arduino:avr:uno \
    -core-api-version 10819 -build-path "$build" -warnings all \
    -prefs=compiler.cpp.extra_flags=-DDECIMAL_DIG=__DECIMAL_DIG__ "$sketch" >"$build/compile.log" 2>&1 ||
    { cat "$build/compile.log"; fail "arduino-builder could not compile $name"; }
  # Debian's core has warnings of its own; the library and the sketch must have none.
  if grep 'warning:' "$build/compile.log" | grep -v '^/usr/share/arduino/'; then
    fail "warnings in $name or the library"
  fi

  # simavr writes the UART's text to standard error, a line at a time in colour escapes, with a
  # '.' for the line feed and one more for the carriage return before it (Serial.println).
  local status=0
  timeout 20 simavr -m atmega328p -f 16000000 "$build/$name.ino.elf" >"$build/simavr.out" \
    2>"$build/simavr.err" || status=$?
  [ "$status" -ne 124 ] || fail "$name did not end within 20 s"
  [ "$status" -eq 0 ] || { cat "$build/simavr.out" "$build/simavr.err"; fail "simavr exited with $status"; }
  sed -e 's/\x1b\[[0-9;]*m//g' -e '/^$/d' -e 's/\.$//' -e 's/\.$//' "$build/simavr.err" >"$build/printed.txt"
  diff -u "$expected" "$build/printed.txt" || fail "$name printed other text than $expected"
  echo "$name printed:"
  cat "$build/printed.txt"
}

case ${1-} in
  library | example) "$@" ;;
  *) fail "usage: $0 library CMAKE BUILD_DIR ZIP SCRATCH | example LIBRARY_DIR NAME EXPECTED SCRATCH" ;;
esac
