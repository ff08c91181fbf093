# Cortex-M0 under QEMU's microbit machine: semihosting output, no counter.
target_sources(quorvantel_check PRIVATE ${board_dir}/board.c ${board_dir}/startup.c)
set_target_properties(quorvantel_check PROPERTIES LINK_DEPENDS ${board_dir}/microbit.ld)
# The start-up code is our own; the C library is newlib-nano, with output through semihosting
# (librdimon), named one by one instead of the driver's defaults.
target_link_options(quorvantel_check PRIVATE
  -nostartfiles -nodefaultlibs -T${board_dir}/microbit.ld)
target_link_libraries(quorvantel_check PRIVATE
  -Wl,--start-group m c_nano rdimon_nano gcc -Wl,--end-group)
