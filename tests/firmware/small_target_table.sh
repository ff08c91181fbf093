#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Prints the README's tables of what each root costs on the small cores, and draws
# docs/small_targets.svg from the same figures. For every core of cmake/cores.txt it cross-builds
# the library, the check firmware and the size probes (build-CORE), runs the firmware under its
# simulator through its board's run.sh (each must end in "check passed"), reads the per-call
# counts the firmware printed, and measures code bytes two ways, in a minimal program that calls
# the routine (the size probes): the code the roots library brings, and all that the program
# grows by beyond one that calls no root, C library helpers included.
# Usage: tests/firmware/small_target_table.sh [CORE...]   (from anywhere; default: every core)
set -euo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=tests/firmware/cores.sh
. tests/firmware/cores.sh

if [ $# -gt 0 ]; then
  cores=("$@")
else
  mapfile -t cores < <(quorvantel_cores)
fi

# Everything it needs, before any work: the table's build and run needs, cmake and gnuplot.
missing=()
need() { # PROGRAM_OR_PATH:PACKAGE
  local what=${1%%:*} package=${1#*:}
  if [[ $what == /* ]]; then [ -e "$what" ]; else command -v "$what" >/dev/null; fi ||
    missing+=("$what (Debian package $package)")
}
for core in "${cores[@]}"; do
  for needed in $(quorvantel_core "$core" "build needs") $(quorvantel_core "$core" "run needs"); do
    need "$needed"
  done
done
need cmake:cmake
need gnuplot:gnuplot-nox
if [ ${#missing[@]} -gt 0 ]; then
  printf 'small_target_table.sh: not found: %s\n' "${missing[@]}" | sort -u >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A program of CORE's build: an ELF file, or from SDCC Intel hex.
firmware_file() { # CORE NAME
  local file=build-$1/tests/firmware/$2.ihx
  [ -f "$file" ] || file=${file%.ihx}.elf
  echo "$file"
}

for core in "${cores[@]}"; do
  echo "building and running the firmware for $core ..." >&2
  [ -f "build-$core/CMakeCache.txt" ] ||
    cmake -S . -B "build-$core" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/$core.cmake" >/dev/null
  cmake --build "build-$core" -j "$(nproc)" --target all quorvantel_size_probes >/dev/null
  status=0
  bash "tests/firmware/$(quorvantel_core "$core" board)/run.sh" \
    "$(firmware_file "$core" quorvantel_check)" >"$work/$core.out" || status=$?
  grep -q '^check passed$' "$work/$core.out" || {
    cat "$work/$core.out"
    echo "the firmware for $core did not pass (status $status)" >&2
    exit 1
  }
done

# PROBE of CORE: the bytes its program links from the roots library, and all that it holds
# (text and data), C library helpers included.
probe_bytes() { # CORE PROBE
  local build=build-$1 tools
  [[ $(firmware_file "$1" "quorvantel_size_probe.$2") == *.ihx ]] && {
    sdcc_probe_bytes "$@"
    return
  }
  tools=$(sed -n 's/^CMAKE_NM:FILEPATH=\(.*\)nm$/\1/p' "$build/CMakeCache.txt")
  local program=$build/tests/firmware/quorvantel_size_probe.$2.elf library_symbols
  library_symbols=$("${tools}nm" --defined-only "$build/roots/libquorvantel_roots.a" |
    awk 'NF == 3 { print $3 }')
  "${tools}nm" -S "$program" |
    awk -v names="$library_symbols" '
      function hex(digits, i, n) {
        n = 0
        for (i = 1; i <= length(digits); i++) n = n * 16 + index("0123456789abcdef", substr(digits, i, 1)) - 1
        return n
      }
      BEGIN { split(names, list, "\n"); for (i in list) ours[list[i]] = 1 }
      NF == 4 && $3 ~ /[tTwWrRdDvV]/ && ($4 in ours) { n += hex($2) } END { printf "%d ", n }'
  "${tools}size" -A "$program" |
    awk '$1 == ".text" || $1 == ".data" || $1 == ".rodata" || $1 == ".srodata" { n += $2 } END { print n }'
}

# The same from SDCC's linker, which links whole modules: the code areas of every module of the
# library that the map names, and the data bytes of the Intel hex file.
sdcc_probe_bytes() { # CORE PROBE
  local program=build-$1/tests/firmware/quorvantel_size_probe.$2 module ours=0
  for module in $(sed -n 's/^.*quorvantel_roots\.lib *\[ \(.*\.rel\) \]$/\1/p' "$program.map"); do
    ours=$((ours + $(awk '$1 == "A" && $2 ~ /^(CSEG|CODE|CONST|HOME|GSINIT[0-9]*|GSFINAL|XINIT|INITIALIZER)$/ {
      n += sprintf("%d", "0x" $4) } END { print n + 0 }' \
      "build-$1/roots/CMakeFiles/quorvantel_roots.dir/$module")))
  done
  # Intel hex: a data record is ":LLAAAA00…", LL bytes.
  echo "$ours $(awk 'substr($0, 8, 2) == "00" { n += sprintf("%d", "0x" substr($0, 2, 2)) } END { print n + 0 }' "$program.ihx")"
}

# The firmware's report of a routine on a core: its counts min / mean / max (— for a routine the
# core does not check), or its mean (0).
counts() { # CORE ROUTINE
  local line
  line=$(grep "^check end $2 ok " "$work/$1.out") || { echo "—"; return; }
  sed -E 's/.* (cycles|instructions|machine cycles) min=([0-9]+) mean=([0-9.]+) max=([0-9]+).*/\2 \/ \3 \/ \4/' <<<"$line"
}

mean() { # CORE ROUTINE
  local line
  line=$(grep "^check end $2 ok " "$work/$1.out") || { echo 0; return; }
  sed -E 's/.* mean=([0-9.]+) .*/\1/' <<<"$line"
}

# Every routine some core checks, in the firmware's order; the size probes number the first six
# of them (1 to 6: sqrt_u8, the four 16-bit roots, float_root).
mapfile -t routines < <(for core in "${cores[@]}"; do sed -n 's/^check begin //p' "$work/$core.out"; done |
  awk '!seen[$0]++')
label() { # ROUTINE
  case $1 in
  float_root) echo "float baseline" ;;
  float_root_inline) echo "float baseline, inline (FPU)" ;;
  *) echo "\`$1\`" ;;
  esac
}

counted=()
for core in "${cores[@]}"; do
  [ -n "$(quorvantel_core "$core" counts)" ] && counted+=("$core")
done

echo "Compilers and flags:"
echo
for core in "${cores[@]}"; do
  cache=build-$core/CMakeCache.txt
  language=CXX
  [ -e "build-$core"/CMakeFiles/*/CMakeCXXCompiler.cmake ] || language=C
  compiler=$(sed -n "s/^set(CMAKE_${language}_COMPILER \"\(.*\)\")$/\1/p" \
    "build-$core"/CMakeFiles/*/"CMake${language}Compiler.cmake")
  flags=$(sed -n "s/^CMAKE_${language}_FLAGS\(_MINSIZEREL\)\{0,1\}:[A-Z]*=//p" "$cache" | xargs)
  echo "- $(quorvantel_core "$core" label): $("$compiler" --version 2>&1 | head -n 1); $flags"
done

# The tables: the counts in one table per unit (cycles, instructions), the bytes in tables of at
# most seven cores, so that each stays readable.
# A table's head: a column of routines, then one column for each core, headed by its label and
# UNIT, or by its counter's unit.
table_head() { # UNIT CORE...
  local unit=$1 header="| routine" rule="|---" core
  shift
  for core in "$@"; do
    header+=" | $(quorvantel_core "$core" label) ${unit:-$(quorvantel_core "$core" counts)}"
    rule+="|---:"
  done
  echo
  echo "$header |"
  echo "$rule|"
}

counts_table() { # CORE...
  local core routine row
  table_head "" "$@"
  for routine in "${routines[@]}"; do
    row="| $(label "$routine")"
    for core in "$@"; do row+=" | $(counts "$core" "$routine")"; done
    # A routine none of these cores checks (the FPU's root) has no row here.
    if [[ $row =~ [0-9] ]]; then echo "$row |"; fi
  done
}

declare -A empty
for core in "${cores[@]}"; do
  read -r _ "empty[$core]" < <(probe_bytes "$core" 0)
done

bytes_table() { # CORE...
  local core routine row probe=0 ours total
  table_head bytes "$@"
  for routine in "${routines[@]}"; do
    probe=$((probe + 1))
    row="| $(label "$routine")"
    for core in "$@"; do
      if [ -f "$(firmware_file "$core" "quorvantel_size_probe.$probe")" ]; then
        read -r ours total < <(probe_bytes "$core" "$probe")
        [ "$ours" -eq 0 ] && ours="—"
        row+=" | $ours ($((total - ${empty[$core]})))"
      else
        row+=" | —"
      fi
    done
    if [[ $row =~ [0-9] ]]; then echo "$row |"; fi
  done
}

for unit in cycles instructions; do
  in_unit=()
  for core in "${counted[@]}"; do
    [[ $(quorvantel_core "$core" counts) == *$unit ]] && in_unit+=("$core")
  done
  [ ${#in_unit[@]} -eq 0 ] || counts_table "${in_unit[@]}"
done
half=$(((${#cores[@]} + 1) / 2))
bytes_table "${cores[@]:0:$half}"
bytes_table "${cores[@]:$half}"

# Which cores checked each routine on every input.
echo
echo "| routine | verified on every input |"
echo "|---|---|"
for routine in "${routines[@]}"; do
  verified=""
  for core in "${cores[@]}"; do
    if grep -q "^check end $routine ok " "$work/$core.out"; then
      verified+="${verified:+, }$(quorvantel_core "$core" label)"
    fi
  done
  echo "| $(label "$routine") | $verified |"
done

# The figure: per core that counts, each routine's mean beside the float baseline's.
for core in "${counted[@]}"; do
  row="\"$(quorvantel_core "$core" label)\\n($(quorvantel_core "$core" counts))\""
  for routine in "${routines[@]}"; do row+=" $(mean "$core" "$routine")"; done
  echo "$row"
done >"$work/means.dat"
plot="plot \"$work/means.dat\""
column=2
for routine in "${routines[@]}"; do
  title=${routine//_/\\\\_}
  style=""
  case $routine in
  float_root) title="float baseline" style=' lc rgb "#404040"' ;;
  float_root_inline) title="float baseline, inline (FPU)" style=' lc rgb "#909090"' ;;
  esac
  [ $column -eq 2 ] && plot+=" using 2:xtic(1) title \"$title\"$style" ||
    plot+=", \"\" using $column title \"$title\"$style"
  column=$((column + 1))
done
gnuplot <<GNUPLOT
set terminal svg size 1600,520 dynamic font "sans,12"
set output "docs/small_targets.svg"
set title "Mean cost of one call over all inputs, beside the float baseline"
set ylabel "cycles or instructions per call (log scale)"
# From 10 (sqrt_u8 on RISC-V) to 7000 (the STM8's float root): a linear scale would hide the
# small cores' differences.
set logscale y
set style data histograms
set style histogram clustered gap 1
set style fill solid 0.8 border -1
set boxwidth 0.9
set key outside right top
set xtics font ",10"
set bmargin 4
set grid ytics
set yrange [5:*]
$plot
GNUPLOT
echo "wrote docs/small_targets.svg" >&2
