# SPDX-License-Identifier: Zlib
# ATtiny85 under simavr_run.c: console output and cycles from the simulator.
include(${CMAKE_CURRENT_LIST_DIR}/../simavr_board.cmake)
# avr-libc's smallest printf has all the conversions the firmware and the traces use (%s, %u,
# %lu, %ld); the check firmware takes it, the size probes keep the C library's own.
set(board_check_link_options -Wl,-u,vfprintf -lprintf_min)
