# SPDX-License-Identifier: Zlib
# An ATmega (the ATmega328P, the ATmega2560) under simavr: UART0 output, Timer1 at the CPU clock.
include(${CMAKE_CURRENT_LIST_DIR}/../simavr_board.cmake)
