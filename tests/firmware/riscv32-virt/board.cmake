# A 32-bit RISC-V core under QEMU's virt machine: semihosting output, instructions retired.
target_sources(quorvantel_check PRIVATE ${board_dir}/board.c)
target_compile_definitions(quorvantel_check PRIVATE BOARD_COUNTER="instructions")
# picolibc's start-up and system calls through semihosting; its linker script, placed where the
# virt machine loads the kernel (flash) with RAM after it.
target_link_options(quorvantel_check PRIVATE --oslib=semihost --crt0=semihost
  -Wl,--defsym=__flash=0x80000000,--defsym=__flash_size=0x40000
  -Wl,--defsym=__ram=0x80040000,--defsym=__ram_size=0x4000)
# The float baseline needs picolibc's libm.
target_link_libraries(quorvantel_check PRIVATE m)
