#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# The packages as Debian would build them, from a tree configured for /usr (the package preset):
# split into the program and a -dev package, lintian-clean, installable, and gone without a trace
# after dpkg -r. Installs into the running system: for CI machines.
# Usage: debian-package.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
tree=$2
packages=(quorvantel libquorvantel-dev)
# The workflow's package step made them; a run of this test alone makes them here.
compgen -G "$tree/quorvantel_*.deb" >/dev/null || (cd "$tree" && cpack -G DEB >/dev/null)
lintian --fail-on error,warning "$tree"/*.deb
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
# Listed once each: grep -q on dpkg-deb's pipe would stop it early and fail under pipefail.
program_files=$(dpkg-deb -c "$tree"/quorvantel_*.deb)
dev_files=$(dpkg-deb -c "$tree"/libquorvantel-dev_*.deb)
grep -q ' ./usr/bin/quorvantel$' <<<"$program_files"
grep -q ' ./usr/share/man/man1/quorvantel.1.gz$' <<<"$program_files"
! grep -q -e include -e '\.a$' <<<"$program_files" || { echo "the program's package holds library files"; exit 1; }
grep -q " ./usr/lib/$multiarch/libquorvantel_roots.a$" <<<"$dev_files"
! grep -q ' ./usr/bin/' <<<"$dev_files" || { echo "the -dev package holds programs"; exit 1; }

before=$(find /usr -xdev | sort)
dpkg -i "$tree"/*.deb
[ "$(/usr/bin/quorvantel | tail -n 1)" = \
  "itotal=434253 --> Durchschnittliche Iterationsschritte=6.677733" ]
[ "$(pkg-config --cflags --libs quorvantel | xargs)" = "-lquorvantel_roots" ]
[ "$(pkg-config --variable=libdir quorvantel)" = "/usr/lib/$multiarch" ]
dpkg -r "${packages[@]}"
after=$(find /usr -xdev | sort)
diff <(echo "$before") <(echo "$after")
echo "debian package: lintian-clean, installed and removed without a trace"
