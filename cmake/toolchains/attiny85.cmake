# SPDX-License-Identifier: Zlib
# Cross build for the ATtiny85 (no hardware multiplier, 8 KiB flash, 512 B RAM) with Debian's
# avr-gcc:
#   cmake -S . -B build-tiny -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/attiny85.cmake
set(QUORVANTEL_FIRMWARE_CORE attiny85 CACHE STRING "Its core in cmake/cores.txt")
set(QUORVANTEL_AVR_MCU attiny85 CACHE STRING "AVR chip to build for (-mmcu)")
include(${CMAKE_CURRENT_LIST_DIR}/avr-gcc.cmake)
