#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Runs the RP2040 check firmware under rp2040js, which npm installs beside this script.
set -euo pipefail
here=$(dirname "$0")
if [ ! -f "$here/node_modules/rp2040js/package.json" ]; then
  # The status the firmware test reports as skipped.
  echo "rp2040js is not installed: npm ci --prefix $(cd "$here" && pwd)"
  exit 77
fi
timeout 300 node "$here/run.mjs" "$1"
