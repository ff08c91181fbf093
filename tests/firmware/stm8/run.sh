#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Runs a firmware under ucsim's sstm8 (an STM8S103, TIM1 counting cycles) and prints its output
# as plain text; the check firmware, one .ihx per routine, as one run's (ucsim_runs.sh).
#   run.sh BUILD/tests/firmware/quorvantel_check.ihx
# The chip has 1 KiB of RAM, 0x0000 to 0x03FF; ucsim's model of it has more. The firmware puts
# its stack at 0x03FF, and ucsim is told to stop when the stack goes below the firmware's static
# data, which the linker's map gives (the stack segment, SSEG, follows them). A firmware whose
# static data do not fit, whose stack runs into them, or that hangs (stopped after its time
# limit) fails the run with a message that says which.
set -euo pipefail
simulator=sstm8
command -v "$simulator" >/dev/null || { echo "sstm8 not found (Debian package sdcc-ucsim)" >&2; exit 1; }
# Seconds each firmware may take. Alone on two cores the slowest, the float root's, takes about
# three minutes here, the others under one (their simulated cycles are the same on every run).
limit=${QUORVANTEL_STM8_LIMIT:-600}
ram_end=0x03FF
export ram_end

run_one() { # POSITION FIRMWARE
  local status=0 start=$SECONDS map=${2%.ihx}.map static_end
  static_end=$(awk '$2 == "s_SSEG" { print $1 }' "$map")
  if [ -z "$static_end" ]; then
    echo "no s_SSEG in $map" >"$work/$1.console"
    echo 2 >"$work/$1.status"
    return
  fi
  if [ $((16#$static_end)) -gt $((ram_end)) ]; then
    echo "static RAM" >"$work/$1.console"
    echo 3 >"$work/$1.status"
    return
  fi
  # The stack may write down to the first byte after the static data: ucsim stops when the
  # stack pointer goes below the byte before it.
  printf 'expr sp_limit=0x%x\nrun\nquit\n' $((16#$static_end - 1)) |
    timeout "$limit" sstm8 -t STM8S103 -I "if=rom[0x1000],out=$work/$1.out" "$2" \
      >"$work/$1.console" 2>&1 || status=$?
  echo "$status" >"$work/$1.status"
  echo $((SECONDS - start)) >"$work/$1.seconds"
}

overrun() { # POSITION
  if [ "$(cat "$work/$1.status")" -eq 3 ]; then
    echo "the firmware at position $1 overruns its RAM: its static data end past $ram_end"
  elif grep -q "Stack overflow" "$work/$1.console"; then
    echo "the firmware at position $1 overruns its RAM: the stack ran into the static data"
  else
    return 1
  fi
}

# shellcheck source=tests/firmware/ucsim_runs.sh
. "$(dirname "$0")/../ucsim_runs.sh"
ucsim_runs "$1"
