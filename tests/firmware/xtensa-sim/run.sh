#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Runs an lx106 check firmware under QEMU's xtensa sim machine, which starts it at the reset
# vector (0x50000000). Its output comes through simcall on QEMU's standard output, and QEMU exits
# with the status the firmware passes.
set -euo pipefail
timeout 300 qemu-system-xtensa -M sim -cpu lx106 -nographic -monitor none -semihosting \
  -kernel "$1" 2>&1
