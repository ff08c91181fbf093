#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Runs the Cortex-M0 check firmware under QEMU's microbit machine; semihosting brings its output.
set -euo pipefail
timeout 300 qemu-system-arm -M microbit -nographic -monitor none \
  -semihosting-config enable=on,target=native -kernel "$1"
