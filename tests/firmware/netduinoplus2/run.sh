#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Runs a Cortex-M4F or M7F check firmware under QEMU's netduinoplus2 machine (STM32F405).
set -euo pipefail
exec bash "$(dirname "$0")/../netduino2/run.sh" "$1" netduinoplus2
