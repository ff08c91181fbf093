#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# clang-format with .clang-format on every C and C++ file of the checkout (the sketches keep
# Arduino's two-space indent through their own .clang-format).
# Usage: format.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
cd "$1"
git ls-files '*.cpp' '*.hpp' '*.c' '*.h' '*.ino' | xargs clang-format --dry-run --Werror
echo "format: every file as .clang-format has it"
