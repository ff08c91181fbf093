#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Runs an ATmega check firmware under simavr, which reads the chip from the firmware, and prints
# what it wrote to UART0 as plain text: simavr colours each line, writes it to standard error and
# shows the line feed as '.'.
set -euo pipefail
timeout 300 simavr "$1" 2>&1 | sed -e 's/\x1b\[[0-9;]*m//g' -e 's/\.$//'
