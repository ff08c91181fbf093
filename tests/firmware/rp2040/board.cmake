# RP2040 under rp2040js: the firmware lives in SRAM, UART0 output, SysTick at the CPU clock.
# The Cortex-M0 board's start-up serves: same vector table, and its copy of .data is onto itself
# here (rp2040.ld).
target_sources(quorvantel_check PRIVATE ${board_dir}/board.c ${board_dir}/../cortex-m0/startup.c)
set_target_properties(quorvantel_check PROPERTIES LINK_DEPENDS ${board_dir}/rp2040.ld)
target_compile_definitions(quorvantel_check PRIVATE BOARD_COUNTER="cycles")
# newlib-nano, named one by one; board.c writes its output, libnosys stubs the other calls.
target_link_options(quorvantel_check PRIVATE
  -nostartfiles -nodefaultlibs -T${board_dir}/rp2040.ld)
target_link_libraries(quorvantel_check PRIVATE
  -Wl,--start-group m c_nano nosys gcc -Wl,--end-group)
