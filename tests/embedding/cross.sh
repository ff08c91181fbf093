#!/usr/bin/env bash
# The ways into a firmware that a user takes, with a plain toolchain file of the user's own: the
# library cross-built with it and installed with no option of ours, then a firmware project that
# finds the installed package through the same toolchain file; and the same firmware project
# taking the library in through add_subdirectory. Its C and C++ firmware run under the chip's
# simulator and must print exactly firmware/expected.txt.
# Usage: tests/embedding/cross.sh atmega328p|cortex-m0 SOURCE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/embedding/common.sh
. "$here/common.sh"
board=$1
source_dir=$(cd "$2" && pwd)

need_program make make
case $board in
  atmega328p)
    need_program avr-gcc gcc-avr
    need_program avr-g++ gcc-avr
    need_file /usr/lib/avr/include/stdio.h avr-libc
    need_file /usr/include/simavr/avr/avr_mcu_section.h libsimavr-dev
    tools=avr- processor=avr architecture=avr:5 chip_flags=(-mmcu=atmega328p)
    # avr-gcc links a test program without a board, so the compiler checks need no help.
    try_compile=""
    # avr-g++ links libgcc where other targets have libstdc++.
    cxx_links=yes
    simulator=simavr ;;
  cortex-m0)
    need_program arm-none-eabi-gcc gcc-arm-none-eabi
    need_program arm-none-eabi-g++ gcc-arm-none-eabi
    need_file /usr/lib/arm-none-eabi/include/stdio.h libnewlib-arm-none-eabi
    tools=arm-none-eabi- processor=arm architecture=armv6s-m
    chip_flags=(-mcpu=cortex-m0 -mthumb)
    # Nothing links without a board's start-up code, so the compiler checks build a library.
    try_compile="set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)"
    # arm-none-eabi-g++ links libstdc++, which Debian ships apart from the compiler.
    cxx_links=yes
    if [[ $(arm-none-eabi-g++ "${chip_flags[@]}" -print-file-name=libstdc++_nano.a) != /* ]]; then
      cxx_links=no
      echo "no libstdc++ for the chip (Debian package libstdc++-arm-none-eabi-newlib):" \
        "only the firmware linked by the C driver are built"
    fi
    simulator=qemu-system-arm ;;
  *) fail "no such board: $board" ;;
esac
make_scratch

toolchain=$work/$board.cmake
cat >"$toolchain" <<EOF
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR $processor)
set(CMAKE_C_COMPILER ${tools}gcc)
set(CMAKE_CXX_COMPILER ${tools}g++)
set(CMAKE_C_FLAGS_INIT "${chip_flags[*]}")
set(CMAKE_CXX_FLAGS_INIT "${chip_flags[*]}")
$try_compile
EOF

# The library, as the README has users build and install it.
library=$work/library
configure -S "$source_dir" -B "$library" -DCMAKE_TOOLCHAIN_FILE="$toolchain"
quietly cmake --build "$library" -j 2
quietly cmake --install "$library" --prefix "$work/prefix"

# Nothing of the host's: no program, no tests, no benchmarks, only the check firmware for the chip.
built=$(cd "$library" && find . -path '*/CMakeFiles' -prune -o -type f -perm -u+x -print)
[ "$built" = "./tests/firmware/quorvantel_check.elf" ] ||
  fail "the cross build made other programs than the check firmware: $built"
! grep -q -e GTest_DIR -e benchmark_DIR "$library/CMakeCache.txt" ||
  fail "the cross build looked for GoogleTest or Google Benchmark"
[ ! -e "$work/prefix/bin" ] || fail "the cross build installed programs: $(ls "$work/prefix/bin")"
archive=$work/prefix/lib/libquorvantel_roots.a
[ -f "$archive" ] || fail "not installed: lib/libquorvantel_roots.a"
# Every object built for the chip, so the toolchain file's flags reached the library.
architectures=$("${tools}objdump" -f "$archive" | sed -n 's/^architecture: \([^,]*\),.*/\1/p' |
  sort -u)
[ "$architectures" = "$architecture" ] ||
  fail "the library is built for '$architectures', not for $architecture"

# The firmware project, once through each route. Each firmware is linked by the driver CMake
# chooses (where the C++ driver can link here) and by the C driver.
programs=()
for route in find_package add_subdirectory; do
  tree=$work/$route
  if [ "$route" = find_package ]; then
    route_option=-DCMAKE_PREFIX_PATH="$work/prefix"
  else
    route_option=-DQUORVANTEL_SOURCE="$source_dir"
  fi
  configure -S "$here/firmware" -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$toolchain" "$route_option" \
    -DBOARD="$board" -DBOARDS="$source_dir/tests/firmware"
  targets=(firmware_c_by_c firmware_cpp_by_c)
  if [ "$cxx_links" = yes ]; then
    targets+=(firmware_c firmware_cpp)
  elif [ "$route" = find_package ]; then
    # The installed package asks for no C++ link, so CMake links a C firmware with the C driver.
    targets+=(firmware_c)
  fi
  quietly cmake --build "$tree" -j 2 --target "${targets[@]}"
  for target in "${targets[@]}"; do
    programs+=("$tree/$target")
  done
  expect_driver "$tree" firmware_c_by_c C
  expect_driver "$tree" firmware_cpp_by_c C
done
expect_driver "$work/find_package" firmware_c C

# The check firmware's run.sh for the chip runs each one and prints its output as plain text; a
# firmware that does not end is stopped after 60 s and fails.
command -v "$simulator" >/dev/null ||
  skip "${#programs[@]} firmware built and linked; $simulator not found to run them" \
    "(Debian package $simulator)"
for program in "${programs[@]}"; do
  status=0
  timeout 60 bash "$source_dir/tests/firmware/$board/run.sh" "$program" >"$program.out" \
    2>"$program.err" || status=$?
  [ "$status" -eq 0 ] || { cat "$program".{out,err}; fail "$program: exit status $status"; }
  # simavr adds lines of its own about what it loaded.
  grep -v '^Loaded [0-9]* [.]' "$program.out" >"$program.txt" || true
  expect_output "$program" "$here/firmware/expected.txt" "$program.txt"
  tree=$(dirname "$program")
  driver=$(link_driver "$tree" "$(basename "$program")")
  echo "${program#"$work/"}, linked by $(basename "$driver"): printed what was expected"
done
