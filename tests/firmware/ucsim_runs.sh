# SPDX-License-Identifier: Zlib
# shellcheck shell=bash
# Sourced by the run.sh of the boards simulated by ucsim (mcs51/, stm8/): runs a check firmware
# that comes as one .ihx per routine (quorvantel_check.ihx for the first, quorvantel_check.N.ihx
# for the one at position N) two at a time, the slowest first so that both runs end close
# together, and prints their sections in order as one run's, ending in one "check passed" or
# "check failed". Any other firmware (one without the per-routine files beside it) runs alone and
# prints what it printed.
#
# The board defines, before it calls ucsim_runs FIRST:
#   run_one POSITION FIRMWARE   runs one firmware under the simulator, within $limit seconds,
#                               and leaves in $work POSITION.out (what the firmware printed),
#                               POSITION.console (the simulator's own output) and
#                               POSITION.status (its exit status; 124: the time limit);
#   overrun POSITION            prints why the firmware overran its RAM and succeeds, or fails
#                               where it did not;
#   simulator                   the simulator's name, for the messages.
# and exports what run_one needs besides work and limit.

ucsim_runs() { # FIRST
  local first=$1
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  export work limit
  export -f run_one

  local firmwares=("$first") position
  for ((position = 1; ; ++position)); do
    [ -f "${first%.ihx}.$position.ihx" ] || break
    firmwares+=("${first%.ihx}.$position.ihx")
  done
  if [ ${#firmwares[@]} -eq 1 ]; then
    run_one 0 "$first"
    ucsim_failure 0 "$first" || { cat "$work/0.out"; return 1; }
    cat "$work/0.out"
    return
  fi

  # The float root (the last) and the Newton routines (3 and 4) sweep the longest.
  local last_position=$((${#firmwares[@]} - 1)) order
  order=("$last_position" 3 4)
  for ((position = 0; position < last_position; ++position)); do
    [ "$position" -eq 3 ] || [ "$position" -eq 4 ] || order+=("$position")
  done
  # shellcheck disable=SC2016
  for position in "${order[@]}"; do
    [ "$position" -lt ${#firmwares[@]} ] && echo "$position ${firmwares[$position]}"
  done | awk '!seen[$1]++' | xargs -P 2 -L 1 bash -c 'run_one "$0" "$1"'

  local verdict="check passed" failed=0 output last
  for ((position = 0; position < ${#firmwares[@]}; ++position)); do
    touch "$work/$position.out"
    output=$(cat "$work/$position.out")
    last=$(tail -n 1 <<<"$output")
    [ "$last" = "check passed" ] || verdict="check failed"
    case $last in
    "check passed" | "check failed") sed '$d' <<<"$output" ;;
    *) [ -z "$output" ] || printf '%s\n' "$output" ;;
    esac
    echo "${firmwares[$position]}: $(cat "$work/$position.seconds" 2>/dev/null || echo 0) s" >&2
    if ! ucsim_failure "$position" "${firmwares[$position]}"; then
      failed=1
    elif [ "$last" != "check passed" ] && [ "$last" != "check failed" ]; then
      echo "${firmwares[$position]} ended without a verdict" >&2
      tail -n 5 "$work/$position.console" >&2
      failed=1
    fi
  done
  [ "$failed" -eq 0 ] || return 1
  echo "$verdict"
}

# Fails, with a message that says which, where the firmware at POSITION hung, overran its RAM or
# stopped the simulator.
ucsim_failure() { # POSITION FIRMWARE
  local status
  status=$(cat "$work/$1.status")
  if [ "$status" -eq 124 ]; then
    echo "$2 hangs: stopped after $limit s" >&2
  elif overrun "$1" >&2; then
    :
  elif [ "$status" -ne 0 ]; then
    echo "$simulator stopped on $2 with status $status" >&2
    cat "$work/$1.console" >&2
  else
    return 0
  fi
  return 1
}
