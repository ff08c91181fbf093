# SPDX-License-Identifier: Zlib
# Cross build for the ATmega2560 (Arduino Mega: 256 KiB flash, so a 3-byte program counter that
# makes every call and return a cycle dearer) with Debian's avr-gcc:
#   cmake -S . -B build-mega -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/atmega2560.cmake
set(QUORVANTEL_FIRMWARE_CORE atmega2560 CACHE STRING "Its core in cmake/cores.txt")
set(QUORVANTEL_AVR_MCU atmega2560 CACHE STRING "AVR chip to build for (-mmcu)")
include(${CMAKE_CURRENT_LIST_DIR}/avr-gcc.cmake)
