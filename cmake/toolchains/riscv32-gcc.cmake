# SPDX-License-Identifier: Zlib
# Shared by the 32-bit RISC-V toolchain files: Debian's riscv64-unknown-elf-gcc with picolibc for
# the core in QUORVANTEL_RISCV_ARCH and QUORVANTEL_RISCV_ABI. There is no libstdc++ for this
# target, so C++ builds without exceptions and RTTI and programs link with the C driver.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR riscv32)
set(CMAKE_C_COMPILER riscv64-unknown-elf-gcc)
set(CMAKE_CXX_COMPILER riscv64-unknown-elf-g++)
# Bare metal: the compiler checks build a library, since no executable links without a board.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# The compiler has no C headers of its own: picolibc's driver option file brings them. CMake
# repeats the compile flags on the link line, so that option goes here only, once; a second
# copy fails.
set(CMAKE_C_FLAGS_INIT "--specs=picolibc.specs -march=${QUORVANTEL_RISCV_ARCH} \
-mabi=${QUORVANTEL_RISCV_ABI} -ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "${CMAKE_C_FLAGS_INIT}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--gc-sections")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
