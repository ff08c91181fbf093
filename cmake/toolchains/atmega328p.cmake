# SPDX-License-Identifier: Zlib
# Cross build for the ATmega328P (Arduino Uno) with Debian's avr-gcc:
#   cmake -S . -B build-avr -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/atmega328p.cmake
# Another AVR chip: add -DQUORVANTEL_AVR_MCU=atmega1284p. The library builds for any of them;
# the check firmware only for the chips of cmake/cores.txt.
set(QUORVANTEL_FIRMWARE_CORE atmega328p CACHE STRING "Its core in cmake/cores.txt")
set(QUORVANTEL_AVR_MCU atmega328p CACHE STRING "AVR chip to build for (-mmcu)")
include(${CMAKE_CURRENT_LIST_DIR}/avr-gcc.cmake)
