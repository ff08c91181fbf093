#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Prints the README's tables of what each root costs on the small cores, and draws the figure
# from the same figures. For every core of cmake/cores.txt it cross-builds the library, the check
# firmware and the size probes (build-CORE, and build-CORE-size-first with QUORVANTEL_SIZE_FIRST
# where the core has a size-first form), runs the firmware under its simulator through its
# board's run.sh (each must end in "check passed"), reads the per-call counts the firmware
# printed, and measures code bytes two ways, in a minimal program that calls the routine (the size
# probes): the code the roots library brings, and all that the program grows by beyond one that
# calls no root, C library helpers included.
# Usage: tests/firmware/small_target_table.sh [CORE...]   (from anywhere; default: every core)
# A run over every core draws docs/small_targets.svg; a run over the cores named draws
# build-small-targets/small_targets.svg instead, so that the tracked figure always shows every
# core. The figure needs gnuplot (gnuplot-nox); without it the tables come all the same.
set -euo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=tests/firmware/cores.sh
. tests/firmware/cores.sh

figure=docs/small_targets.svg
if [ $# -gt 0 ]; then
  cores=("$@")
  figure=build-small-targets/small_targets.svg
else
  mapfile -t cores < <(quorvantel_cores)
fi

# Everything it needs, before any work: the table's build and run needs, and cmake.
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
if [ ${#missing[@]} -gt 0 ]; then
  printf 'small_target_table.sh: not found: %s\n' "${missing[@]}" | sort -u >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A program of a build (CORE, or CORE-size-first): an ELF file, or from SDCC Intel hex.
firmware_file() { # BUILD NAME
  local file=build-$1/tests/firmware/$2.ihx
  [ -f "$file" ] || file=${file%.ihx}.elf
  echo "$file"
}

# Every build: each core's, and its size-first build where it has a size-first form.
builds=()
for core in "${cores[@]}"; do
  builds+=("$core")
  [ -z "$(quorvantel_core "$core" "size first")" ] || builds+=("$core-size-first")
done

for build in "${builds[@]}"; do
  core=${build%-size-first}
  size_first=OFF
  [ "$build" = "$core" ] || size_first=ON
  echo "building and running the firmware for $build ..." >&2
  [ -f "build-$build/CMakeCache.txt" ] ||
    cmake -S . -B "build-$build" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/$core.cmake" \
      -DQUORVANTEL_SIZE_FIRST=$size_first >/dev/null
  cmake --build "build-$build" -j "$(nproc)" --target all quorvantel_size_probes >/dev/null
  status=0
  bash "tests/firmware/$(quorvantel_core "$core" board)/run.sh" \
    "$(firmware_file "$build" quorvantel_check)" >"$work/$build.out" || status=$?
  grep -q '^check passed$' "$work/$build.out" || {
    cat "$work/$build.out"
    echo "the firmware for $build did not pass (status $status)" >&2
    exit 1
  }
done

# PROBE of BUILD (CORE or CORE-size-first): the bytes its program links from the roots library, and all that it holds
# (text and data), C library helpers included.
probe_bytes() { # BUILD PROBE
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
sdcc_probe_bytes() { # BUILD PROBE
  local program=build-$1/tests/firmware/quorvantel_size_probe.$2 module ours=0
  for module in $(sed -n 's/^.*quorvantel_roots\.lib *\[ \(.*\.rel\) \]$/\1/p' "$program.map"); do
    ours=$((ours + $(awk '$1 == "A" && $2 ~ /^(CSEG|CODE|CONST|HOME|GSINIT[0-9]*|GSFINAL|XINIT|INITIALIZER)$/ {
      n += sprintf("%d", "0x" $4) } END { print n + 0 }' \
      "build-$1/roots/CMakeFiles/quorvantel_roots.dir/$module")))
  done
  # Intel hex: a data record is ":LLAAAA00…", LL bytes.
  echo "$ours $(awk 'substr($0, 8, 2) == "00" { n += sprintf("%d", "0x" substr($0, 2, 2)) } END { print n + 0 }' "$program.ihx")"
}

# A row of the tables is a routine as the firmware names it, or ROUTINE@size-first: a root to ship
# as the size-first build makes it. Its build on a core: CORE, or CORE-size-first.
row_build() { # CORE ROW
  if [[ $2 == *@size-first ]]; then echo "$1-size-first"; else echo "$1"; fi
}

# The firmware's report of a row on a core: its counts min / mean / max (— where the core does not
# check it), or its mean (0).
counts() { # CORE ROW
  local line
  line=$(grep -s "^check end ${2%@size-first} ok " "$work/$(row_build "$@").out") ||
    { echo "—"; return; }
  sed -E 's/.* (cycles|instructions|machine cycles) min=([0-9]+) mean=([0-9.]+) max=([0-9]+).*/\2 \/ \3 \/ \4/' <<<"$line"
}

mean() { # CORE ROW
  local line
  line=$(grep -s "^check end ${2%@size-first} ok " "$work/$(row_build "$@").out") ||
    { echo 0; return; }
  sed -E 's/.* mean=([0-9.]+) .*/\1/' <<<"$line"
}

# Every routine some core checks, in the firmware's order; the size probes number the first eight
# of them (1 to 8: sqrt_u8, the bench's four 16-bit roots, the two roots to ship, float_root).
mapfile -t routines < <(for core in "${cores[@]}"; do sed -n 's/^check begin //p' "$work/$core.out"; done |
  awk '!seen[$0]++')
# The rows: the routines, and after the roots to ship the same from the size-first builds.
rows=()
for routine in "${routines[@]}"; do
  rows+=("$routine")
  if [ "$routine" = quorvantel_sqrt16_floor ] && [ ${#builds[@]} -gt ${#cores[@]} ]; then
    rows+=(quorvantel_sqrt16_nearest@size-first quorvantel_sqrt16_floor@size-first)
  fi
done
# A row's size probe: its routine's place in the firmware's order, from 1.
probe_of() { # ROW
  local position
  for position in "${!routines[@]}"; do
    if [ "${routines[$position]}" = "${1%@size-first}" ]; then
      echo $((position + 1))
      return
    fi
  done
}
label() { # ROW
  case $1 in
  float_root) echo "float baseline" ;;
  float_root_inline) echo "float baseline, inline (FPU)" ;;
  *@size-first) echo "\`${1%@size-first}\`, size-first" ;;
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
  local core row line
  table_head "" "$@"
  for row in "${rows[@]}"; do
    line="| $(label "$row")"
    for core in "$@"; do line+=" | $(counts "$core" "$row")"; done
    # A row none of these cores has (the FPU's root, a size-first form) is left out here.
    if [[ $line =~ [0-9]\ / ]]; then echo "$line |"; fi
  done
}

declare -A empty
for build in "${builds[@]}"; do
  read -r _ "empty[$build]" < <(probe_bytes "$build" 0)
done

bytes_table() { # CORE...
  local core row line probe build ours total
  table_head bytes "$@"
  for row in "${rows[@]}"; do
    probe=$(probe_of "$row")
    line="| $(label "$row")"
    for core in "$@"; do
      build=$(row_build "$core" "$row")
      if [ -f "build-$build/CMakeCache.txt" ] &&
        [ -f "$(firmware_file "$build" "quorvantel_size_probe.$probe")" ]; then
        read -r ours total < <(probe_bytes "$build" "$probe")
        [ "$ours" -eq 0 ] && ours="—"
        line+=" | $ours ($((total - ${empty[$build]})))"
      else
        line+=" | —"
      fi
    done
    if [[ $line =~ [0-9]\) ]]; then echo "$line |"; fi
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
[ "${#cores[@]}" -lt 2 ] || bytes_table "${cores[@]:$half}"

# Which cores checked each row on every input.
echo
echo "| routine | verified on every input |"
echo "|---|---|"
for row in "${rows[@]}"; do
  verified=""
  for core in "${cores[@]}"; do
    if grep -qs "^check end ${row%@size-first} ok " "$work/$(row_build "$core" "$row").out"; then
      verified+="${verified:+, }$(quorvantel_core "$core" label)"
    fi
  done
  echo "| $(label "$row") | $verified |"
done

# The figure: per core that counts, each row's mean beside the float baseline's.
if ! command -v gnuplot >/dev/null; then
  echo "gnuplot not found (Debian package gnuplot-nox): no figure drawn" >&2
  exit 0
fi
for core in "${counted[@]}"; do
  line="\"$(quorvantel_core "$core" label)\\n($(quorvantel_core "$core" counts))\""
  for row in "${rows[@]}"; do line+=" $(mean "$core" "$row")"; done
  echo "$line"
done >"$work/means.dat"
plot="plot \"$work/means.dat\""
column=2
for row in "${rows[@]}"; do
  title=$(label "$row")
  title=${title//\`/}
  title=${title//_/\\\\_}
  style=""
  case $row in
  float_root) style=' lc rgb "#404040"' ;;
  float_root_inline) style=' lc rgb "#909090"' ;;
  esac
  [ $column -eq 2 ] && plot+=" using 2:xtic(1) title \"$title\"$style" ||
    plot+=", \"\" using $column title \"$title\"$style"
  column=$((column + 1))
done
mkdir -p "$(dirname "$figure")"
gnuplot <<GNUPLOT
set terminal svg size 1600,520 dynamic font "sans,12"
set output "$figure"
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
echo "wrote $figure" >&2
