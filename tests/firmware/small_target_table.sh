#!/usr/bin/env bash
# Prints the README's table of what each root costs on the small targets. Cross-builds the
# library and the check firmware for both chips, runs them under simavr and QEMU (each must
# end in "check passed"), reads the ATmega328P's cycle counts from the firmware's output and
# measures code bytes two ways: the routine's own code (its symbol in the firmware), and what
# it adds to a minimal program that calls it, library helpers included.
# Usage: tests/firmware/small_target_table.sh   (from the project root)
set -euo pipefail
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for board in atmega328p cortex-m0; do
  echo "building for $board ..." >&2
  [ -f "build-$board/CMakeCache.txt" ] ||
    cmake -S . -B "build-$board" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/$board.cmake" >/dev/null
  cmake --build "build-$board" -j "$(nproc)" >/dev/null
done

echo "running the ATmega328P firmware under simavr (about 10 s) ..." >&2
simavr build-atmega328p/tests/firmware/quorvantel_check.elf 2>&1 |
  sed -e 's/\x1b\[[0-9;]*m//g' -e 's/\.$//' >"$work/avr.out"
echo "running the Cortex-M0 firmware under QEMU ..." >&2
qemu-system-arm -M microbit -nographic -monitor none -semihosting-config enable=on,target=native \
  -kernel build-cortex-m0/tests/firmware/quorvantel_check.elf >"$work/m0.out"
for out in avr m0; do
  grep -q '^check passed$' "$work/$out.out" || { cat "$work/$out.out"; exit 1; }
done


# Per chip: the tool prefix, the target flags, and the libraries a minimal program links
# (newlib-nano with stubbed system calls on the Cortex-M0).
declare -A prefix=([atmega328p]=avr- [cortex-m0]=arm-none-eabi-)
declare -A target=([atmega328p]="-mmcu=atmega328p" [cortex-m0]="-mcpu=cortex-m0 -mthumb")
declare -A libraries=([atmega328p]="-lm"
  [cortex-m0]="-nodefaultlibs -Wl,--start-group -lm -lc_nano -lnosys -lgcc -Wl,--end-group")

# How much a minimal program grows when it calls the routine (text + data).
program_bytes() { # BOARD CALL
  local board=$1 call=$2 flags libs
  read -r -a flags <<<"${target[$board]}"
  read -r -a libs <<<"${libraries[$board]}"
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
  "${prefix[$board]}g++" "${flags[@]}" -std=c++14 -Os -fno-exceptions -fno-rtti \
    -ffunction-sections -fdata-sections -Ibuild-"$board"/roots/include -c "$work/minimal.cpp" \
    -o "$work/minimal.o"
  # Linked by the C driver: these toolchains have no C++ runtime, and the roots need none.
  "${prefix[$board]}gcc" "${flags[@]}" -Wl,--gc-sections "$work/minimal.o" \
    build-"$board"/roots/libquorvantel_roots.a "${libs[@]}" -o "$work/minimal.elf"
  "${prefix[$board]}size" -A "$work/minimal.elf" |
    awk '$1 == ".text" || $1 == ".data" || $1 == ".rodata" { n += $2 } END { print n }'
}

# The size of a function's code in the check firmware.
own_bytes() { # BOARD SYMBOL
  local size
  size=$("${prefix[$1]}nm" -S -C "build-$1/tests/firmware/quorvantel_check.elf" |
    awk -v name="$2" '{ sym = $0; sub(/^[0-9a-f]+ [0-9a-f]+ [A-Za-z] /, "", sym) }
      sym == name && $3 ~ /[tTwW]/ && !found { print $2; found = 1 }')
  echo $((16#$size))
}

declare -A empty
for board in atmega328p cortex-m0; do empty[$board]=$(program_bytes "$board" x); done

echo "Compiler: $(avr-g++ --version | head -n 1) and $(arm-none-eabi-g++ --version | head -n 1)."
echo "Flags: -Os -std=c++14 -fno-exceptions, with -mmcu=atmega328p or -mcpu=cortex-m0 -mthumb."
echo
echo "| routine | AVR cycles min | AVR cycles mean | AVR cycles max | AVR bytes | Cortex-M0 bytes | verified on all inputs |"
echo "|---|---:|---:|---:|---:|---:|---|"
# Each routine: its name in the firmware's report, the symbol of its own code (for the
# baseline, the C library's sqrt) and the call a program makes.
while IFS='|' read -r routine symbol call; do
  read -r min mean max < <(grep "^check end $routine ok " "$work/avr.out" |
    sed -E 's/.* cycles min=([0-9]+) mean=([0-9.]+) max=([0-9]+).*/\1 \2 \3/')
  cells=()
  for board in atmega328p cortex-m0; do
    total=$(($(program_bytes "$board" "$call") - ${empty[$board]}))
    cells+=("$(own_bytes "$board" "$symbol") ($total)")
  done
  verified="AVR, Cortex-M0"
  for out in avr m0; do
    grep -q "^check end $routine ok " "$work/$out.out" || verified="no"
  done
  label=\`$routine\`
  [ "$routine" = float_root ] && label='`(int)(sqrt((double)x) + 0.5)`'
  echo "| $label | $min | $mean | $max | ${cells[0]} | ${cells[1]} | $verified |"
done <<'ROUTINES'
sqrt_u8|sqrt_u8(unsigned char)|sqrt_u8(static_cast<unsigned char>(x))
sqrt_u16_variante4|sqrt_u16_variante4(unsigned short)|sqrt_u16_variante4(x)
sqrt_u16_variante3|sqrt_u16_variante3(unsigned short)|sqrt_u16_variante3(x)
sqrt_u16|sqrt_u16(unsigned short)|sqrt_u16(x)
sqrt_u16_variante2|sqrt_u16_variante2(unsigned short)|sqrt_u16_variante2(x)
float_root|sqrt|static_cast<unsigned short>(static_cast<int>(sqrt(static_cast<double>(x)) + 0.5))
ROUTINES
