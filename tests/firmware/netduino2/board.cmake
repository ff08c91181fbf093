# SPDX-License-Identifier: Zlib
# STM32F205 (Cortex-M3) under QEMU's netduino2 machine: code in flash, semihosting output,
# instructions from TIM2. The STM32F405 board (netduinoplus2) takes these files as they are; the
# Cortex-M0 board's start-up serves both.
set(netduino_dir ${CMAKE_CURRENT_LIST_DIR})
set(board_sources ${netduino_dir}/board.c ${netduino_dir}/../cortex-m0/startup.c)
set(board_link_depends ${netduino_dir}/stm32f2_f4.ld)
# newlib-nano, named one by one; board.c writes its output through semihosting, libnosys stubs
# the other calls.
set(board_link_options -nostartfiles -nodefaultlibs -T${netduino_dir}/stm32f2_f4.ld)
set(board_link_libraries -Wl,--start-group m c_nano nosys gcc -Wl,--end-group)
