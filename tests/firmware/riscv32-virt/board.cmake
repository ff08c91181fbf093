# SPDX-License-Identifier: Zlib
# A 32-bit RISC-V core under QEMU's virt machine: semihosting output, instructions retired.
set(board_sources ${board_dir}/board.c)
# picolibc's system calls through semihosting; its linker script, placed where the virt machine
# loads the kernel (flash) with RAM after it. The float baseline needs libm.
set(board_link_options --oslib=semihost
  -Wl,--defsym=__flash=0x80000000,--defsym=__flash_size=0x40000
  -Wl,--defsym=__ram=0x80040000,--defsym=__ram_size=0x4000)
set(board_link_libraries m)
# The check firmware starts through semihosting, which reports its exit status; the size probes
# with the minimal start-up, since the semihosting one brings a printf of its own.
set(board_check_link_options --crt0=semihost)
set(board_probe_link_options --crt0=minimal)
