#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Runs a check firmware under QEMU's netduino2 machine (STM32F205), or the machine named second
# (netduinoplus2). -icount shift=0 makes every instruction 1 ns of virtual time, which TIM2 counts
# at 1 GHz; semihosting brings the output.
set -euo pipefail
machine=${2:-netduino2}
timeout 300 qemu-system-arm -M "$machine" -nographic -monitor none \
  -icount shift=0,align=off,sleep=off -semihosting-config enable=on,target=native \
  -kernel "$1" 2>&1
