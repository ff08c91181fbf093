#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Runs a firmware under ucsim's s51 (an 8052, Timer0 counting machine cycles) and prints its
# output as plain text; the check firmware, one .ihx per routine, as one run's (ucsim_runs.sh).
#   run.sh BUILD/tests/firmware/quorvantel_check.ihx
# A firmware that hangs is stopped after its time limit; one whose stack reaches the top of the
# 8052's internal RAM (0xFF) is stopped there, by a write breakpoint or by s51's own "Stack
# overflow" when a call would wrap the stack pointer: each fails the run with a message that says
# which. (The linker already fails a firmware whose static data do not fit.)
set -euo pipefail
simulator=s51
command -v "$simulator" >/dev/null || { echo "s51 not found (Debian package sdcc-ucsim)" >&2; exit 1; }
# Seconds each firmware may take. Alone on two cores the slowest, sqrt_u16's, takes about three
# minutes here, the others two or less (their simulated cycles are the same on every run).
limit=${QUORVANTEL_MCS51_LIMIT:-600}

run_one() { # POSITION FIRMWARE
  local status=0 start=$SECONDS
  # SDCC's start-up code clears the internal RAM, 0xFF included: the stack's write is the second.
  printf 'break iram w 0xff 2\nrun\nquit\n' |
    timeout "$limit" s51 -t 8052 -I "if=xram[0xffff],out=$work/$1.out" "$2" \
      >"$work/$1.console" 2>&1 || status=$?
  echo "$status" >"$work/$1.status"
  echo $((SECONDS - start)) >"$work/$1.seconds"
}

overrun() { # POSITION
  grep -q -e "Event \`write' at iram\[0xff\]" -e "Stack overflow" "$work/$1.console" &&
    echo "the firmware at position $1 overruns its RAM: the stack reached the top of internal RAM (0xFF)"
}

# shellcheck source=tests/firmware/ucsim_runs.sh
. "$(dirname "$0")/../ucsim_runs.sh"
ucsim_runs "$1"
