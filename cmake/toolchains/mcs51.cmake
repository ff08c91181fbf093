# SPDX-License-Identifier: Zlib
# Cross build for the 8051 (MCS-51: CH55x, EFM8, N76E003 and their kin) with SDCC:
#   cmake -S . -B build-mcs51 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mcs51.cmake
# The large memory model: a program's variables in external RAM, as the check firmware's need,
# since its 128 bytes of directly addressed RAM do not hold them. A program built in another
# model needs the library built in that model too (QUORVANTEL_SDCC_FLAGS).
set(QUORVANTEL_FIRMWARE_CORE mcs51 CACHE STRING "Its core in cmake/cores.txt")
set(QUORVANTEL_SDCC_PORT mcs51)
set(QUORVANTEL_SDCC_FLAGS "--model-large" CACHE STRING "SDCC's flags for the 8051")
set(QUORVANTEL_SDCC_POINTER_SIZE 3)
include(${CMAKE_CURRENT_LIST_DIR}/sdcc.cmake)
