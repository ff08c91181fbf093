# ATmega328P under simavr: UART0 output, Timer1 at the CPU clock.
find_path(simavr_include_dir simavr/avr/avr_mcu_section.h REQUIRED
  PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
target_sources(quorvantel_check PRIVATE ${board_dir}/board.c)
# After avr-libc's own headers, so that the host's stdio.h never stands in for them.
set_source_files_properties(${board_dir}/board.c PROPERTIES
  COMPILE_OPTIONS "-idirafter;${simavr_include_dir}")
target_compile_definitions(quorvantel_check PRIVATE BOARD_COUNTER="cycles")
# simavr reads the chip and clock from the .mmcu section.
target_link_options(quorvantel_check PRIVATE
  -Wl,--undefined=_mmcu,--section-start=.mmcu=0x910000)
# The float baseline needs avr-libc's libm.
target_link_libraries(quorvantel_check PRIVATE m)
