# SPDX-License-Identifier: Zlib
# The ESP8266's lx106 core under QEMU's xtensa sim machine: simcall output, instructions counted
# by ICOUNT.
set(board_sources ${board_dir}/board.c ${board_dir}/startup.c
  ${board_dir}/libgcc_division.c)
set(board_link_depends ${board_dir}/sim.ld)
# The start-up code is our own. picolibc's printf without floating point: the full one wants
# soft float and 64-bit division, which libgcc lacks here.
set(board_link_options -nostartfiles -T${board_dir}/sim.ld -DPICOLIBC_INTEGER_PRINTF_SCANF)
