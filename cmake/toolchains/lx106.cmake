# SPDX-License-Identifier: Zlib
# Cross build for the ESP8266's Xtensa lx106 core (call0 ABI: no register windows; 32-bit
# multiply, no divider, no FPU) with Debian's xtensa-lx106-elf-gcc and picolibc:
#   cmake -S . -B build-lx106 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/lx106.cmake
# There is no libstdc++ for this target, so C++ builds without exceptions and RTTI and programs
# link with the C driver. Debian's libgcc for it has no 32-bit division (__udivsi3, __umodsi3,
# __divsi3) and of single-precision soft float only division and compares (no __addsf3,
# __mulsf3, __floatunsisf): code that needs them does not link, picolibc's printf included.
set(QUORVANTEL_FIRMWARE_CORE lx106 CACHE STRING "Its core in cmake/cores.txt")
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR xtensa)
set(CMAKE_C_COMPILER xtensa-lx106-elf-gcc)
set(CMAKE_CXX_COMPILER xtensa-lx106-elf-g++)
# Bare metal: the compiler checks build a library, since no executable links without a board.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# The compiler has no C headers of its own. picolibc's driver option file brings them, but it is
# not where the driver looks for a bare name, so it goes by its path (package
# picolibc-xtensa-lx106-elf). CMake repeats the compile flags on the link line, so it goes here
# only, once; a second copy fails.
set(QUORVANTEL_PICOLIBC_OPTIONS /usr/lib/xtensa-lx106-elf/picolibc.specs CACHE FILEPATH
  "picolibc's driver option file for xtensa-lx106-elf")
# -mlongcalls: on an ESP8266, code in instruction RAM (0x40100000) and in flash (0x40200000 on)
# lies further apart than call0 reaches (512 KiB), so every call goes through a literal unless
# the linker finds its target in reach and makes it a direct call0 again.
set(CMAKE_C_FLAGS_INIT "--specs=${QUORVANTEL_PICOLIBC_OPTIONS} -mlongcalls \
-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "${CMAKE_C_FLAGS_INIT}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--gc-sections")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
