#!/usr/bin/env bash
# Runs the ATmega328P check firmware under simavr and prints what it wrote to UART0 as plain
# text: simavr colours each line, writes it to standard error and shows the line feed as '.'.
set -euo pipefail
timeout 300 simavr "$1" 2>&1 | sed -e 's/\x1b\[[0-9;]*m//g' -e 's/\.$//'
