#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# A user's own toolchain file for a Cortex-M3 that names the linker script of the user's board by a
# path into the user's source tree, as product toolchain files do (${CMAKE_SOURCE_DIR}/board.ld):
# in quorvantel's tree no program links with it. The library builds and installs all the same. By
# default configure only says in one line how to build the check firmware; asked for it, configure
# finds that the firmware does not link and leaves it out with the reason. Then a user's own
# toolchain file for a Cortex-M7 with its FPU, whose compiler macros are a Cortex-M4F's too:
# configure says in one line that both rows match and how to name one, and goes on with the first,
# whose row is the same.
# Usage: tests/embedding/foreign_board.sh SOURCE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/embedding/common.sh
. "$here/common.sh"
source_dir=$(cd "$1" && pwd)
need_program make make
need_program arm-none-eabi-gcc gcc-arm-none-eabi
need_file /usr/lib/arm-none-eabi/newlib/libc.a libnewlib-arm-none-eabi
make_scratch

# A user's toolchain file for arm-none-eabi-gcc: FILE, the core's flags and the linker's own.
user_toolchain() { # FILE CORE_FLAGS LINKER_FLAGS
  cat >"$1" <<TOOLCHAIN
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-none-eabi-gcc)
set(CMAKE_CXX_COMPILER arm-none-eabi-g++)
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_C_FLAGS_INIT "$2")
set(CMAKE_CXX_FLAGS_INIT "$2")
set(CMAKE_EXE_LINKER_FLAGS_INIT "$2 $3")
TOOLCHAIN
}
user_toolchain "$work/board.cmake" "-mcpu=cortex-m3 -mthumb" \
  "--specs=nano.specs -nostartfiles -T\${CMAKE_SOURCE_DIR}/STM32F103C8TX_FLASH.ld"

build_and_install() { # BUILD
  quietly cmake --build "$1" -j 2
  quietly cmake --install "$1" --prefix "$1-prefix"
  [ -f "$1-prefix/lib/libquorvantel_roots.a" ] || fail "$1: the library was not installed"
  [ -z "$(compgen -G "$1/tests/firmware/*.elf")" ] || fail "$1: a check firmware was built"
}

configure_logged() { # LOG ARGUMENT...
  local log=$1
  shift
  cmake "$@" >"$log" 2>&1 || { cat "$log"; fail "configure failed: $*"; }
}

configure_logged "$work/default.log" -S "$source_dir" -B "$work/default" \
  -DCMAKE_TOOLCHAIN_FILE="$work/board.cmake"
grep -q -- '-DQUORVANTEL_BUILD_FIRMWARE=ON also builds the check firmware for cortex-m3' \
  "$work/default.log" ||
  { cat "$work/default.log"; fail "configure did not say how to build the check firmware"; }
build_and_install "$work/default"

configure_logged "$work/asked.log" -S "$source_dir" -B "$work/asked" \
  -DCMAKE_TOOLCHAIN_FILE="$work/board.cmake" -DQUORVANTEL_BUILD_FIRMWARE=ON
grep -q 'no check firmware for cortex-m3: it does not link with this toolchain' "$work/asked.log" ||
  { cat "$work/asked.log"; fail "configure did not leave the firmware out with its reason"; }
build_and_install "$work/asked"
grep 'no check firmware' "$work/asked.log"

user_toolchain "$work/m7.cmake" "-mcpu=cortex-m7 -mthumb -mfpu=fpv5-sp-d16 -mfloat-abi=hard" ""
configure_logged "$work/m7.log" -S "$source_dir" -B "$work/m7" \
  -DCMAKE_TOOLCHAIN_FILE="$work/m7.cmake" -DQUORVANTEL_BUILD_FIRMWARE=ON
matched="the compiler's macros match the cores cortex-m4f and cortex-m7f of cmake/cores.txt; "
matched+="-DQUORVANTEL_FIRMWARE_CORE=CORE names one; taking cortex-m4f"
if ! grep -qF -- "$matched" "$work/m7.log" || ! grep -q 'check firmware for cortex-m4f' "$work/m7.log"; then
  cat "$work/m7.log"
  fail "configure did not say which cores match and how to name one"
fi
quietly cmake --build "$work/m7" -j 2
quietly cmake --install "$work/m7" --prefix "$work/m7-prefix"
grep 'macros match' "$work/m7.log"
