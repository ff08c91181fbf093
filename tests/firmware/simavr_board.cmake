# SPDX-License-Identifier: Zlib
# What every AVR board run by simavr needs, included by its board.cmake: its board.c with
# simavr's avr_mcu_section.h, the .mmcu section that names the chip and clock to simavr, and
# avr-libc's libm for the float baseline.
find_path(simavr_include_dir simavr/avr/avr_mcu_section.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
if(NOT simavr_include_dir)
  set(board_unavailable "simavr's avr_mcu_section.h not found (Debian package libsimavr-dev)")
  return()
endif()
set(board_sources ${board_dir}/board.c)
# After avr-libc's own headers, so that the host's stdio.h never stands in for them.
set_source_files_properties(${board_dir}/board.c PROPERTIES
  COMPILE_OPTIONS "-idirafter;${simavr_include_dir}")
set(board_link_options -Wl,--undefined=_mmcu,--section-start=.mmcu=0x910000)
set(board_link_libraries m)
