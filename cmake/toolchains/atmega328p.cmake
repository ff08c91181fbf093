# Cross build for the ATmega328P with Debian's avr-g++ (GCC 5.4, C++14, no C++ library):
#   cmake -S . -B build-avr -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/atmega328p.cmake
# Another AVR chip: add -DQUORVANTEL_AVR_MCU=atmega2560 (the check firmware assumes the
# ATmega328P's UART0 and Timer1).
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR avr)
set(CMAKE_C_COMPILER avr-gcc)
set(CMAKE_CXX_COMPILER avr-g++)
# Bare metal: the compiler checks build a library, since no executable links without a board.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(QUORVANTEL_AVR_MCU atmega328p CACHE STRING "AVR chip to build for (-mmcu)")
set(QUORVANTEL_BOARD atmega328p)

set(CMAKE_C_FLAGS_INIT "-mmcu=${QUORVANTEL_AVR_MCU} -ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "${CMAKE_C_FLAGS_INIT} -fno-exceptions -fno-rtti")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-mmcu=${QUORVANTEL_AVR_MCU} -Wl,--gc-sections")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
