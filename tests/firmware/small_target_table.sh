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


# How much a minimal program grows when it calls the routine (text + data).
program_bytes() { # BOARD CALL
  local board=$1 call=$2 prefix target flags
  case $board in
  atmega328p)
    prefix=avr-
    target=(-mmcu=atmega328p)
    flags=(-lm)
    ;;
  cortex-m0)
    prefix=arm-none-eabi-
    target=(-mcpu=cortex-m0 -mthumb)
    flags=(--specs=nano.specs --specs=nosys.specs -lm)
    ;;
  esac
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
  "${prefix}g++" "${target[@]}" -std=c++14 -Os -fno-exceptions -fno-rtti -ffunction-sections \
    -fdata-sections -Ibuild-"$board"/roots/include -c "$work/minimal.cpp" -o "$work/minimal.o"
  # Linked by the C driver: these toolchains have no C++ runtime, and the roots need none.
  "${prefix}gcc" "${target[@]}" -Wl,--gc-sections "$work/minimal.o" \
    build-"$board"/roots/libquorvantel_roots.a "${flags[@]}" -o "$work/minimal.elf"
  "${prefix}size" -A "$work/minimal.elf" | awk '$1 == ".text" || $1 == ".data" || $1 == ".rodata" { n += $2 }
    END { print n }'
}

declare -A calls=(
  [sqrt_u8]='sqrt_u8(static_cast<unsigned char>(x))'
  [sqrt_u16_variante4]='sqrt_u16_variante4(x)'
  [sqrt_u16_variante3]='sqrt_u16_variante3(x)'
  [sqrt_u16]='sqrt_u16(x)'
  [sqrt_u16_variante2]='sqrt_u16_variante2(x)'
  [float_root]='static_cast<unsigned short>(static_cast<int>(sqrt(static_cast<double>(x)) + 0.5))'
)
declare -A symbols=(
  [sqrt_u8]='sqrt_u8(unsigned char)'
  [sqrt_u16_variante4]='sqrt_u16_variante4(unsigned short)'
  [sqrt_u16_variante3]='sqrt_u16_variante3(unsigned short)'
  [sqrt_u16]='sqrt_u16(unsigned short)'
  [sqrt_u16_variante2]='sqrt_u16_variante2(unsigned short)'
  [float_root]='sqrt'
)
declare -A empty
for board in atmega328p cortex-m0; do empty[$board]=$(program_bytes "$board" x); done

echo "Compiler: $(avr-g++ --version | head -n 1) and $(arm-none-eabi-g++ --version | head -n 1)."
echo "Flags: -Os -std=c++14 -fno-exceptions, with -mmcu=atmega328p or -mcpu=cortex-m0 -mthumb."
echo
echo "| routine | AVR cycles min | AVR cycles mean | AVR cycles max | AVR bytes | Cortex-M0 bytes | verified on all inputs |"
echo "|---|---:|---:|---:|---:|---:|---|"
for routine in sqrt_u8 sqrt_u16_variante4 sqrt_u16_variante3 sqrt_u16 sqrt_u16_variante2 float_root; do
  read -r min mean max < <(grep "^check end $routine ok " "$work/avr.out" |
    sed -E 's/.* cycles min=([0-9]+) mean=([0-9.]+) max=([0-9]+).*/\1 \2 \3/')
  cells=()
  for board in atmega328p cortex-m0; do
    case $board in atmega328p) nm=avr-nm ;; cortex-m0) nm=arm-none-eabi-nm ;; esac
    own=$("$nm" -S -C "build-$board/tests/firmware/quorvantel_check.elf" |
      awk -v name="${symbols[$routine]}" '{ sym = $0; sub(/^[0-9a-f]+ [0-9a-f]+ [A-Za-z] /, "", sym) }
        sym == name && $3 ~ /[tTwW]/ && !found { print $2; found = 1 }')
    own=$((16#$own))
    total=$(($(program_bytes "$board" "${calls[$routine]}") - ${empty[$board]}))
    cells+=("$own ($total)")
  done
  verified="AVR, Cortex-M0"
  for out in avr m0; do
    grep -q "^check end $routine ok " "$work/$out.out" || verified="no"
  done
  label=\`$routine\`
  [ "$routine" = float_root ] && label='`(int)(sqrt((double)x) + 0.5)`'
  echo "| $label | $min | $mean | $max | ${cells[0]} | ${cells[1]} | $verified |"
done
