#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Runs the ATtiny85 check firmware under simavr_run and prints its output as plain text, as one
# run's: the check firmware comes as one ELF per routine (quorvantel_check.elf for the first,
# quorvantel_check.N.elf for the one at position N), so their sections are printed in order
# and their last lines make one "check passed" or "check failed".
# simavr_run is looked for beside the firmware, where the host build puts it; without it (a
# cross build alone) it is compiled here from simavr_run.c, which needs libsimavr-dev. Each
# firmware runs in a few seconds; 60 each keeps all six within the firmware test's time limit.
set -euo pipefail
first=$1
runner=$(dirname "$first")/simavr_run
if [ ! -x "$runner" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  runner=$work/simavr_run
  "${CC:-cc}" -O2 -isystem /usr/include/simavr -o "$runner" "$(dirname "$0")/simavr_run.c" -lsimavr
fi

# Any other firmware (one without the per-routine ones beside it) runs alone, as it is.
if [ ! -f "${first%.elf}.1.elf" ]; then
  timeout 60 "$runner" "$first"
  exit
fi

firmwares=("$first")
for ((position = 1; ; ++position)); do
  [ -f "${first%.elf}.$position.elf" ] || break
  firmwares+=("${first%.elf}.$position.elf")
done

verdict="check passed"
for firmware in "${firmwares[@]}"; do
  status=0
  output=$(timeout 60 "$runner" "$firmware") || status=$?
  last=$(tail -n 1 <<<"$output")
  [ "$last" = "check passed" ] || verdict="check failed"
  case $last in
  "check passed" | "check failed") sed '$d' <<<"$output" ;;
  *) printf '%s\n' "$output" ;;
  esac
  if [ "$status" -ne 0 ]; then
    echo "simavr_run stopped on $firmware with status $status" >&2
    exit 1
  fi
done
echo "$verdict"
