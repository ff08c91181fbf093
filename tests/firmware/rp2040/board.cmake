# SPDX-License-Identifier: Zlib
# RP2040 under rp2040js: the firmware lives in SRAM, UART0 output, SysTick at the CPU clock.
# The Cortex-M0 board's start-up serves: same vector table, and its copy of .data is onto itself
# here (rp2040.ld).
set(board_sources ${board_dir}/board.c ${board_dir}/../cortex-m0/startup.c)
set(board_link_depends ${board_dir}/rp2040.ld)
# newlib-nano, named one by one; board.c writes its output, libnosys stubs the other calls.
set(board_link_options -nostartfiles -nodefaultlibs -T${board_dir}/rp2040.ld)
set(board_link_libraries -Wl,--start-group m c_nano nosys gcc -Wl,--end-group)
