# SPDX-License-Identifier: Zlib
# Cross build for a Cortex-M3 (armv7-m: Thumb-2, a one-cycle multiply and a divide instruction,
# no FPU; STM32F1 and F2, LPC17xx) with Debian's arm-none-eabi toolchain and newlib:
#   cmake -S . -B build-m3 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/cortex-m3.cmake
set(QUORVANTEL_FIRMWARE_CORE cortex-m3 CACHE STRING "Its core in cmake/cores.txt")
set(QUORVANTEL_ARM_CPU cortex-m3)
include(${CMAKE_CURRENT_LIST_DIR}/arm-none-eabi-gcc.cmake)
