# SPDX-License-Identifier: Zlib
# Cross build for a 32-bit RISC-V core with multiply/divide, atomics and compressed
# instructions, with Debian's riscv64-unknown-elf-gcc and picolibc:
#   cmake -S . -B build-rv32imac -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/rv32imac.cmake
set(QUORVANTEL_FIRMWARE_CORE rv32imac CACHE STRING "Its core in cmake/cores.txt")
set(QUORVANTEL_RISCV_ARCH rv32imac)
set(QUORVANTEL_RISCV_ABI ilp32)
include(${CMAKE_CURRENT_LIST_DIR}/riscv32-gcc.cmake)
