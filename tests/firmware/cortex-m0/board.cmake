# SPDX-License-Identifier: Zlib
# Cortex-M0 under QEMU's microbit machine: semihosting output, no counter.
set(board_sources ${board_dir}/board.c ${board_dir}/startup.c)
set(board_link_depends ${board_dir}/microbit.ld)
# The start-up code is our own; the C library is newlib-nano, with output through semihosting
# (librdimon), named one by one instead of the driver's defaults.
set(board_link_options -nostartfiles -nodefaultlibs -T${board_dir}/microbit.ld)
set(board_link_libraries -Wl,--start-group m c_nano rdimon_nano gcc -Wl,--end-group)
