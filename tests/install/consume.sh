#!/usr/bin/env bash
# Installs a built tree into a scratch prefix, then builds and runs the README's library
# example against it, once through find_package and once through pkg-config, with the
# compiler and flags the tree itself was built with (a sanitizer build's, a packager's).
# Usage: tests/install/consume.sh BUILD_DIR CXX CXXFLAGS LDFLAGS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
cxx=$2
read -r -a cxxflags <<<"$3"
read -r -a ldflags <<<"$4"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in bin/quorvantel share/man/man1/quorvantel.1.gz include/quorvantel/roots.hpp; do
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
cmake -S "$work/src" -B "$work/consumer" -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="$3" -DCMAKE_EXE_LINKER_FLAGS="$4" >/dev/null
cmake --build "$work/consumer" >/dev/null
actual=$("$work/consumer/consumer")
[ "$actual" = "$expected" ] || { echo "find_package consumer printed '$actual'"; exit 1; }

if command -v pkg-config >/dev/null; then
  export PKG_CONFIG_PATH
  PKG_CONFIG_PATH=$(dirname "$(find "$work/prefix" -name quorvantel.pc)")
  # Plain absolute paths, nothing like lib/pkgconfig/../..
  for variable in libdir includedir; do
    path=$(pkg-config --variable="$variable" quorvantel)
    [ "$path" = "$(realpath -m "$path")" ] && [[ $path == "$work/prefix/"* ]] ||
      { echo "pkg-config $variable is '$path'"; exit 1; }
  done
  read -r -a flags < <(pkg-config --cflags --libs quorvantel)
  "$cxx" "${cxxflags[@]}" "$work/src/main.cpp" "${flags[@]}" "${ldflags[@]}" -o "$work/pkg-consumer"
  actual=$("$work/pkg-consumer")
  [ "$actual" = "$expected" ] || { echo "pkg-config consumer printed '$actual'"; exit 1; }
else
  echo "pkg-config not found: its check is skipped"
fi
echo "installed package consumed: $expected"
