# SPDX-License-Identifier: Zlib
# Cross build for the RP2040's Cortex-M0+ (armv6-m, like the Cortex-M0: no divide instruction,
# no FPU) with Debian's arm-none-eabi toolchain and newlib:
#   cmake -S . -B build-rp2040 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/rp2040.cmake
set(QUORVANTEL_FIRMWARE_CORE rp2040 CACHE STRING "Its core in cmake/cores.txt")
set(QUORVANTEL_ARM_CPU cortex-m0plus)
include(${CMAKE_CURRENT_LIST_DIR}/arm-none-eabi-gcc.cmake)
