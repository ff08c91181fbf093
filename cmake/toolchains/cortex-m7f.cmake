# SPDX-License-Identifier: Zlib
# Cross build for a Cortex-M7 with a single-precision FPU (armv7e-m; STM32F7, i.MX RT) with
# Debian's arm-none-eabi toolchain and newlib, floats passed in FPU registers:
#   cmake -S . -B build-m7f -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/cortex-m7f.cmake
set(QUORVANTEL_FIRMWARE_CORE cortex-m7f CACHE STRING "Its core in cmake/cores.txt")
set(QUORVANTEL_ARM_CPU cortex-m7)
set(QUORVANTEL_ARM_FPU fpv5-sp-d16)
include(${CMAKE_CURRENT_LIST_DIR}/arm-none-eabi-gcc.cmake)
