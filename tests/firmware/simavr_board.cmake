# What every AVR board run by simavr needs, included by its board.cmake: its board.c with
# simavr's avr_mcu_section.h, the .mmcu section that names the chip and clock to simavr, avr-libc's
# libm for the float baseline, and CPU cycles as the counter.
find_path(simavr_include_dir simavr/avr/avr_mcu_section.h REQUIRED
  PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
target_sources(quorvantel_check PRIVATE ${board_dir}/board.c)
# After avr-libc's own headers, so that the host's stdio.h never stands in for them.
set_source_files_properties(${board_dir}/board.c PROPERTIES
  COMPILE_OPTIONS "-idirafter;${simavr_include_dir}")
target_compile_definitions(quorvantel_check PRIVATE BOARD_COUNTER="cycles")
target_link_options(quorvantel_check PRIVATE
  -Wl,--undefined=_mmcu,--section-start=.mmcu=0x910000)
target_link_libraries(quorvantel_check PRIVATE m)
