# SPDX-License-Identifier: Zlib
# shellcheck shell=bash
# Reads the table of cores, cmake/cores.txt, for the scripts: source it, then
#   quorvantel_cores            prints the cores, one a line, in the table's order;
#   quorvantel_core CORE KEY    prints one field of a core ("build needs", "label", ...).
quorvantel_cores_file=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../cmake" && pwd)/cores.txt

quorvantel_cores() {
  sed -n 's/^\[\([a-z0-9-]*\)\]$/\1/p' "$quorvantel_cores_file"
}

quorvantel_core() {
  awk -v core="[$1]" -v key="$2" '
    /^\[/ { inside = ($0 == core) }
    inside && index($0, key " =") == 1 { value = substr($0, length(key) + 3); sub(/^ /, "", value); print value; found = 1 }
    END { exit !found }' "$quorvantel_cores_file" || {
    echo "cmake/cores.txt: no field '$2' for core '$1'" >&2
    return 1
  }
}
