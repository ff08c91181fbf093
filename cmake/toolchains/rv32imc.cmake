# SPDX-License-Identifier: Zlib
# Cross build for a 32-bit RISC-V core with multiply and divide and compressed instructions but no
# atomics, such as the ESP32-C3, with Debian's riscv64-unknown-elf-gcc and picolibc:
#   cmake -S . -B build-rv32imc -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/rv32imc.cmake
set(QUORVANTEL_FIRMWARE_CORE rv32imc CACHE STRING "Its core in cmake/cores.txt")
set(QUORVANTEL_RISCV_ARCH rv32imc)
set(QUORVANTEL_RISCV_ABI ilp32)
include(${CMAKE_CURRENT_LIST_DIR}/riscv32-gcc.cmake)
