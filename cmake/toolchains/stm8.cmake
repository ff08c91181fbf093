# SPDX-License-Identifier: Zlib
# Cross build for the STM8 (STM8S103 and its kin) with SDCC:
#   cmake -S . -B build-stm8 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/stm8.cmake
set(QUORVANTEL_FIRMWARE_CORE stm8 CACHE STRING "Its core in cmake/cores.txt")
set(QUORVANTEL_SDCC_PORT stm8)
set(QUORVANTEL_SDCC_FLAGS "" CACHE STRING "SDCC's flags for the STM8")
set(QUORVANTEL_SDCC_POINTER_SIZE 2)
include(${CMAKE_CURRENT_LIST_DIR}/sdcc.cmake)
