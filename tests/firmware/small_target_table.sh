#!/usr/bin/env bash
# Prints the README's tables of what each root costs on the small cores, and draws
# docs/small_targets.svg from the same figures. Cross-builds the library and the check firmware
# for every core (build-CORE), runs each under its simulator through its board's run.sh (each
# must end in "check passed"), reads the per-call counts the firmware printed, and measures
# code bytes two ways, in a minimal program that calls the routine: the code the roots library
# brings, and all that the program grows by, C library helpers included.
# Usage: tests/firmware/small_target_table.sh   (from anywhere; needs every toolchain, simulator
# and rp2040js, as .ci/run installs them, and gnuplot for the figure)
set -euo pipefail
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cores=(atmega328p attiny85 rp2040 cortex-m0 rv32imac rv32ec)
declare -A board=([atmega328p]=atmega328p [attiny85]=attiny85 [rp2040]=rp2040
  [cortex-m0]=cortex-m0 [rv32imac]=riscv32-virt [rv32ec]=riscv32-virt)
declare -A prefix=([atmega328p]=avr- [attiny85]=avr- [rp2040]=arm-none-eabi-
  [cortex-m0]=arm-none-eabi- [rv32imac]=riscv64-unknown-elf- [rv32ec]=riscv64-unknown-elf-)
# The flags and libraries of a minimal program for each core (newlib-nano with stubbed system
# calls on Arm, picolibc with its output through semihosting on RISC-V, and its start-up without
# the semihosting one's own printf).
riscv_link="--oslib=semihost --crt0=minimal -Wl,--defsym=__flash=0x80000000,--defsym=__flash_size=0x40000,--defsym=__ram=0x80040000,--defsym=__ram_size=0x4000"
declare -A target=([atmega328p]="-mmcu=atmega328p" [attiny85]="-mmcu=attiny85"
  [rp2040]="-mcpu=cortex-m0plus -mthumb" [cortex-m0]="-mcpu=cortex-m0 -mthumb"
  [rv32imac]="--specs=picolibc.specs -march=rv32imac -mabi=ilp32"
  [rv32ec]="--specs=picolibc.specs -march=rv32ec -mabi=ilp32e")
arm_libraries="-nodefaultlibs -Wl,--start-group -lm -lc_nano -lnosys -lgcc -Wl,--end-group"
declare -A libraries=([atmega328p]="-lm" [attiny85]="-lm" [rp2040]="$arm_libraries"
  [cortex-m0]="$arm_libraries" [rv32imac]="$riscv_link -lm" [rv32ec]="$riscv_link -lm")

for core in "${cores[@]}"; do
  echo "building and running the firmware for $core ..." >&2
  [ -f "build-$core/CMakeCache.txt" ] ||
    cmake -S . -B "build-$core" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/$core.cmake" >/dev/null
  cmake --build "build-$core" -j "$(nproc)" >/dev/null
  bash "tests/firmware/${board[$core]}/run.sh" "build-$core/tests/firmware/quorvantel_check.elf" \
    >"$work/$core.out"
  grep -q '^check passed$' "$work/$core.out" || { cat "$work/$core.out"; exit 1; }
done

# A minimal program that calls the routine, linked for the core: prints the bytes of code and
# constant data that came from the roots library, and all that the program holds (text + data),
# C library helpers included.
program_bytes() { # CORE CALL
  local core=$1 call=$2 flags libs
  read -r -a flags <<<"${target[$core]}"
  read -r -a libs <<<"${libraries[$core]}"
  cat >"$work/minimal.cpp" <<PROGRAM
#include <math.h>
#include <quorvantel/roots.hpp>
volatile unsigned short input;
volatile unsigned short output;
int main()
{
    const unsigned short x = input;
    output = $call;
    for (;;) {
    }
}
PROGRAM
  "${prefix[$core]}g++" "${flags[@]}" -std=c++11 -Os -fno-exceptions -fno-rtti \
    -ffunction-sections -fdata-sections -Ibuild-"$core"/roots/include -c "$work/minimal.cpp" \
    -o "$work/minimal.o"
  # Linked by the C driver: the roots need no C++ runtime.
  "${prefix[$core]}gcc" "${flags[@]}" -Wl,--gc-sections "$work/minimal.o" \
    build-"$core"/roots/libquorvantel_roots.a "${libs[@]}" -o "$work/minimal.elf"
  local library_symbols
  library_symbols=$("${prefix[$core]}nm" --defined-only build-"$core"/roots/libquorvantel_roots.a |
    awk 'NF == 3 { print $3 }')
  "${prefix[$core]}nm" -S "$work/minimal.elf" |
    awk -v names="$library_symbols" '
      function hex(digits, i, n) {
        n = 0
        for (i = 1; i <= length(digits); i++) n = n * 16 + index("0123456789abcdef", substr(digits, i, 1)) - 1
        return n
      }
      BEGIN { split(names, list, "\n"); for (i in list) ours[list[i]] = 1 }
      NF == 4 && $3 ~ /[tTwWrRdDvV]/ && ($4 in ours) { n += hex($2) } END { printf "%d ", n }'
  "${prefix[$core]}size" -A "$work/minimal.elf" |
    awk '$1 == ".text" || $1 == ".data" || $1 == ".rodata" || $1 == ".srodata" { n += $2 } END { print n }'
}

# A count column for one routine on one core: min / mean / max.
counts() { # CORE ROUTINE
  grep "^check end $2 ok " "$work/$1.out" |
    sed -E 's/.* (cycles|instructions) min=([0-9]+) mean=([0-9.]+) max=([0-9]+).*/\2 \/ \3 \/ \4/'
}

mean() { # CORE ROUTINE
  grep "^check end $2 ok " "$work/$1.out" | sed -E 's/.* mean=([0-9.]+) .*/\1/'
}

declare -A empty
for core in "${cores[@]}"; do
  read -r _ "empty[$core]" < <(program_bytes "$core" x)
done

# Each routine: its name in the firmware's report, its label and the call a program makes.
routines=$(
  cat <<'ROUTINES'
sqrt_u8|`sqrt_u8`|sqrt_u8(static_cast<unsigned char>(x))
sqrt_u16_variante4|`sqrt_u16_variante4`|sqrt_u16_variante4(x)
sqrt_u16_variante3|`sqrt_u16_variante3`|sqrt_u16_variante3(x)
sqrt_u16|`sqrt_u16`|sqrt_u16(x)
sqrt_u16_variante2|`sqrt_u16_variante2`|sqrt_u16_variante2(x)
float_root|float baseline|static_cast<unsigned short>(static_cast<int>(sqrtf(static_cast<float>(x)) + 0.5F))
ROUTINES
)

echo "Compilers: $(avr-g++ --version | head -n 1); $(arm-none-eabi-g++ --version | head -n 1);"
echo "$(riscv64-unknown-elf-g++ --version | head -n 1). Flags: -Os -std=c++11, no exceptions or"
echo "RTTI, with -mmcu=atmega328p, -mmcu=attiny85, -mcpu=cortex-m0plus -mthumb (RP2040),"
echo "-march=rv32imac -mabi=ilp32, -march=rv32ec -mabi=ilp32e."
echo
echo "| routine | ATmega328P cycles | ATtiny85 cycles | RP2040 cycles | rv32imac instructions | rv32ec instructions |"
echo "|---|---:|---:|---:|---:|---:|"
while IFS='|' read -r routine label _; do
  row="| $label"
  for core in atmega328p attiny85 rp2040 rv32imac rv32ec; do row+=" | $(counts "$core" "$routine")"; done
  echo "$row |"
done <<<"$routines"
echo
echo "| routine | ATmega328P bytes | ATtiny85 bytes | Cortex-M0/M0+ bytes | rv32imac bytes | rv32ec bytes | verified on every input |"
echo "|---|---:|---:|---:|---:|---:|---|"
declare -A name=([atmega328p]=ATmega328P [attiny85]=ATtiny85 [rp2040]=RP2040 [cortex-m0]=Cortex-M0
  [rv32imac]=rv32imac [rv32ec]=rv32ec)
while IFS='|' read -r routine label call; do
  row="| $label"
  for core in atmega328p attiny85 rp2040 rv32imac rv32ec; do
    read -r ours total < <(program_bytes "$core" "$call")
    [ "$ours" -eq 0 ] && ours="—"
    row+=" | $ours ($((total - ${empty[$core]})))"
  done
  verified=""
  for core in "${cores[@]}"; do
    grep -q "^check end $routine ok " "$work/$core.out" && verified+="${verified:+, }${name[$core]}"
  done
  echo "$row | $verified |"
done <<<"$routines"

# The figure: per core, each routine's mean beside the float baseline's.
{
  for core in atmega328p attiny85 rp2040 rv32imac rv32ec; do
    row=$core
    for routine in sqrt_u8 sqrt_u16_variante4 sqrt_u16_variante3 sqrt_u16 sqrt_u16_variante2 float_root; do
      row+=" $(mean "$core" "$routine")"
    done
    echo "$row"
  done
} >"$work/means.dat"
sed -i -e 's/^atmega328p /"ATmega328P\\n(cycles)" /' -e 's/^attiny85 /"ATtiny85\\n(cycles)" /' \
  -e 's/^rp2040 /"RP2040\\n(cycles)" /' -e 's/^rv32imac /"rv32imac\\n(instructions)" /' \
  -e 's/^rv32ec /"rv32ec\\n(instructions)" /' "$work/means.dat"
gnuplot <<GNUPLOT
set terminal svg size 960,460 dynamic font "sans,12"
set output "docs/small_targets.svg"
set title "Mean cost of one call over all inputs, beside the float baseline"
set ylabel "cycles or instructions per call"
set style data histograms
set style histogram clustered gap 1
set style fill solid 0.8 border -1
set boxwidth 0.9
set key outside right top
set bmargin 4
set grid ytics
set yrange [0:*]
plot "$work/means.dat" using 2:xtic(1) title "sqrt\\\\_u8", \
     "" using 3 title "sqrt\\\\_u16\\\\_variante4", \
     "" using 4 title "sqrt\\\\_u16\\\\_variante3", \
     "" using 5 title "sqrt\\\\_u16", \
     "" using 6 title "sqrt\\\\_u16\\\\_variante2", \
     "" using 7 title "float baseline" lc rgb "#404040"
GNUPLOT
echo "wrote docs/small_targets.svg" >&2
