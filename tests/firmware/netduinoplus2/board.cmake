# SPDX-License-Identifier: Zlib
# STM32F405 (Cortex-M4F; Cortex-M7 code too, for its instruction counts) under QEMU's
# netduinoplus2 machine: the netduino2 board's files serve, the start-up turns the FPU on.
include(${CMAKE_CURRENT_LIST_DIR}/../netduino2/board.cmake)
