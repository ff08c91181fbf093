# SPDX-License-Identifier: Zlib
# Cross build for the RP2040's Cortex-M0+ (armv6-m, like the Cortex-M0: no divide instruction,
# no FPU) with Debian's arm-none-eabi toolchain and newlib:
#   cmake -S . -B build-rp2040 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/rp2040.cmake
set(QUORVANTEL_ARM_CPU cortex-m0plus)
include(${CMAKE_CURRENT_LIST_DIR}/arm-none-eabi-gcc.cmake)

# GCC's macros for a Cortex-M0+ are any armv6-m core's, which would pick QEMU's microbit board.
set(QUORVANTEL_FIRMWARE_BOARD rp2040 CACHE STRING
  "Board of the check firmware; empty: recognised from the compiler's macros")
