#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# Installs a built tree into a scratch prefix, then builds a program against it the way a user
# does, through find_package or through pkg-config, runs it and holds its output to the expected
# text. CXX is the README's library example, as C++11; C is main.c, as C99 and as C11, which must
# link with the C driver and need no C++ library. The compiler and flags are those the tree was
# built with (a sanitizer build's, a packager's).
# Usage: tests/install/consume.sh BUILD_DIR C|CXX find_package|pkg-config COMPILER FLAGS LDFLAGS
# (an empty COMPILER: none was found).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/embedding/common.sh
. "$here/../embedding/common.sh"
build=$(cd "$1" && pwd)
language=$2
route=$3
compiler=$4
read -r -a flags <<<"$5"
read -r -a ldflags <<<"$6"

case $language in
  C)
    [ -n "$compiler" ] || skip "no C compiler found (Debian package gcc)"
    need_program readelf binutils
    standards=(99 11) std_prefix=c ;;
  CXX) standards=(11) std_prefix=c++ ;;
  *) fail "unknown language $language" ;;
esac
case $route in
  find_package) need_program make make ;;
  pkg-config) need_program pkg-config pkgconf ;;
  *) fail "unknown route $route" ;;
esac
make_scratch

# The install writes nothing into the build tree, which may be read-only to the one who installs,
# but CMake's own list of what it installed. (Other tests' scratch folders and ctest's logs may
# change meanwhile.)
build_files() { find "$build" \( -name scratch -o -name Testing \) -prune -o -print | sort; }
before=$(build_files)
quietly cmake --install "$build" --prefix "$work/prefix"
written=$(comm -13 <(echo "$before") <(build_files) | grep -v '/install_manifest[^/]*\.txt$' || true)
[ -z "$written" ] || fail "cmake --install wrote into the build tree: $written"
for file in bin/quorvantel share/man/man1/quorvantel.1.gz include/quorvantel/roots.hpp \
  include/quorvantel/roots.h; do
  [ -f "$work/prefix/$file" ] || fail "not installed: $file"
done
if grep -r -q -- -Werror "$work/prefix/lib"; then
  fail "the installed package hands our warning flags to its users"
fi

mkdir "$work/src"
if [ "$language" = CXX ]; then
  # The first C++ block of the README is the library example, compiled as written.
  source=$work/src/main.cpp
  awk '/^```cpp$/ { inside = 1; next } /^```$/ && inside { exit } inside' "$here/../../README.md" \
    >"$source"
  grep -q quorvantel/roots.hpp "$source" || fail "the README's first C++ block is not the example"
  expected=$work/expected.txt
  echo "224 223" >"$expected"
else
  source=$work/src/main.c
  cp "$here/main.c" "$source"
  expected=$here/expected_c.txt
fi

if [ "$route" = pkg-config ]; then
  # Staged as a packager stages it: the pkg-config file under DESTDIR, naming the prefix alone.
  DESTDIR=$work/staged quietly cmake --install "$build" --prefix /opt/quorvantel
  staged=$(find "$work/staged/opt/quorvantel" -name quorvantel.pc)
  [ -n "$staged" ] && grep -qx 'prefix=/opt/quorvantel' "$staged" ||
    fail "no pkg-config file for /opt/quorvantel under DESTDIR: $(find "$work/staged" -name '*.pc')"
  export PKG_CONFIG_PATH
  PKG_CONFIG_PATH=$(dirname "$(find "$work/prefix" -name quorvantel.pc)")
  # Plain absolute paths, nothing like lib/pkgconfig/../..
  for variable in libdir includedir; do
    path=$(pkg-config --variable="$variable" quorvantel)
    if [ "$path" != "$(realpath -m "$path")" ] || [[ $path != "$work/prefix/"* ]]; then
      fail "pkg-config $variable is '$path'"
    fi
  done
  read -r -a package_flags < <(pkg-config --cflags --libs quorvantel)
fi

warnings=(-Wall -Wextra -Wpedantic -Werror)
for standard in "${standards[@]}"; do
  std_flag=-std=$std_prefix$standard
  tree=$work/$route-$standard
  if [ "$route" = find_package ]; then
    # The consumer asks for the version the build made, as its package's version file states it.
    version=$(sed -n 's/^set(PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/quorvantelConfigVersion.cmake")
    [ -n "$version" ] || fail "no PACKAGE_VERSION in $build/quorvantelConfigVersion.cmake"
    configure -S "$here" -B "$tree" -DCMAKE_PREFIX_PATH="$work/prefix" -DQUORVANTEL_VERSION="$version" \
      -DCONSUMER_SOURCE="$source" "-DCMAKE_${language}_COMPILER=$compiler" \
      "-DCMAKE_${language}_STANDARD=$standard" "-DCMAKE_${language}_STANDARD_REQUIRED=ON" \
      "-DCMAKE_${language}_FLAGS=$5 ${warnings[*]}" -DCMAKE_EXE_LINKER_FLAGS="$6"
    quietly cmake --build "$tree"
    grep -q -- "$std_flag" "$tree/CMakeFiles/consumer.dir/flags.make" ||
      fail "the consumer was not compiled with $std_flag"
    [ "$language" = CXX ] || expect_driver "$tree" consumer C
  else
    mkdir "$tree"
    quietly "$compiler" "$std_flag" "${warnings[@]}" "${flags[@]}" "$source" "${package_flags[@]}" \
      "${ldflags[@]}" -o "$tree/consumer"
  fi
  "$tree/consumer" >"$tree/printed.txt" || fail "the $route consumer ($std_flag) failed"
  expect_output "the $route consumer ($std_flag)" "$expected" "$tree/printed.txt"
  if [ "$language" = C ]; then
    dynamic=$(readelf -d "$tree/consumer")
    if grep -q 'NEEDED.*libstdc++' <<<"$dynamic"; then
      fail "the C program needs the C++ library: $dynamic"
    fi
  fi
  echo "$route, $std_flag: $(head -n 1 "$tree/printed.txt")"
done
