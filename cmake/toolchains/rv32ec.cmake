# SPDX-License-Identifier: Zlib
# Cross build for a small 32-bit RISC-V core: 16 registers, compressed instructions, no
# multiply or divide (every product is a call of libgcc's __mulsi3):
#   cmake -S . -B build-rv32ec -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/rv32ec.cmake
set(QUORVANTEL_FIRMWARE_CORE rv32ec CACHE STRING "Its core in cmake/cores.txt")
set(QUORVANTEL_RISCV_ARCH rv32ec)
set(QUORVANTEL_RISCV_ABI ilp32e)
include(${CMAKE_CURRENT_LIST_DIR}/riscv32-gcc.cmake)
