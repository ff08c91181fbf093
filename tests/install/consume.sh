#!/usr/bin/env bash
# Installs a built tree into a scratch prefix, then builds and runs the README's library
# example against it, once through find_package and once through pkg-config.
# Usage: tests/install/consume.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in bin/quorvantel share/man/man1/quorvantel.1 include/quorvantel/roots.hpp; do
  [ -f "$work/prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
if grep -r -q -- -Werror "$work/prefix/lib"; then
  echo "the installed package hands our warning flags to its users"
  exit 1
fi

# The first C++ block of the README is the library example, compiled as written.
mkdir "$work/src"
cp "$here/CMakeLists.txt" "$work/src/"
awk '/^```cpp$/ { inside = 1; next } /^```$/ && inside { exit } inside' "$here/../../README.md" \
  >"$work/src/main.cpp"
grep -q quorvantel/roots.hpp "$work/src/main.cpp"

expected="224 after 7 passes"
cmake -S "$work/src" -B "$work/consumer" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/consumer" >/dev/null
actual=$("$work/consumer/consumer")
[ "$actual" = "$expected" ] || { echo "find_package consumer printed '$actual'"; exit 1; }

if command -v pkg-config >/dev/null; then
  read -r -a flags < <(PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig" \
    pkg-config --cflags --libs quorvantel)
  c++ "$work/src/main.cpp" "${flags[@]}" -o "$work/pkg-consumer"
  actual=$("$work/pkg-consumer")
  [ "$actual" = "$expected" ] || { echo "pkg-config consumer printed '$actual'"; exit 1; }
else
  echo "pkg-config not found: its check is skipped"
fi
echo "installed package consumed: $expected"
