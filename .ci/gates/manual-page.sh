#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# The manual page as the build writes it, with the project's version: man prints no warning on it,
# and the summary line stays whole at 80 columns, so that it can be read and copied as it is.
# Usage: manual-page.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
page=$2/man/quorvantel.1
warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "$warnings"; exit 1; }
MANWIDTH=80 man -l "$page" 2>/dev/null |
  grep '^ *itotal=434253 --> Durchschnittliche Iterationsschritte=6.677733$'
