# SPDX-License-Identifier: Zlib
# Cross build for a Cortex-M4 with its single-precision FPU (armv7e-m; STM32F4, nRF52) with
# Debian's arm-none-eabi toolchain and newlib, floats passed in FPU registers:
#   cmake -S . -B build-m4f -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/cortex-m4f.cmake
set(QUORVANTEL_FIRMWARE_CORE cortex-m4f CACHE STRING "Its core in cmake/cores.txt")
set(QUORVANTEL_ARM_CPU cortex-m4)
set(QUORVANTEL_ARM_FPU fpv4-sp-d16)
include(${CMAKE_CURRENT_LIST_DIR}/arm-none-eabi-gcc.cmake)
