# SPDX-License-Identifier: Zlib
# Cross build for a Cortex-M0 (armv6-m: no divide instruction, no FPU) with Debian's
# arm-none-eabi toolchain and newlib:
#   cmake -S . -B build-m0 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/cortex-m0.cmake
set(QUORVANTEL_FIRMWARE_CORE cortex-m0 CACHE STRING "Its core in cmake/cores.txt")
set(QUORVANTEL_ARM_CPU cortex-m0)
include(${CMAKE_CURRENT_LIST_DIR}/arm-none-eabi-gcc.cmake)
