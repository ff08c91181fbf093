#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Runs a 32-bit RISC-V check firmware under QEMU's virt machine, with a CPU made of the
# extensions the ELF was built for (its Tag_RISCV_arch attribute), so that rv32ec runs on a core
# without multiply. -icount makes rdinstret count instructions retired. Semihosting output
# arrives on QEMU's standard error; it is printed on standard output.
set -euo pipefail
arch=$(riscv64-unknown-elf-readelf -A "$1" | sed -n 's/.*Tag_RISCV_arch: "\(.*\)"/\1/p')
[[ $arch == rv32* ]] || { echo "$1: not a 32-bit RISC-V firmware (arch '$arch')" >&2; exit 2; }
# The base ISA, then single-letter extensions up to the first multi-letter one (z..., x...).
letters=$(sed -e 's/^rv32//' -e 's/[0-9]\+p[0-9]\+//g' -e 's/_[zsx].*//' -e 's/_//g' <<<"$arch")
has() { [[ $letters == *$1* ]] && echo true || echo false; }
cpu="rv32,i=$(has i),e=$(has e),m=$(has m),a=$(has a),c=$(has c),f=$(has f),d=$(has d),h=false"
timeout 300 qemu-system-riscv32 -M virt -cpu "$cpu" -nographic -monitor none -bios none \
  -icount shift=0,align=off,sleep=off -semihosting-config enable=on,target=native \
  -kernel "$1" 2>&1
