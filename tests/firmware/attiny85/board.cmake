# ATtiny85 under simavr_run.c: console output and cycles from the simulator, one firmware per
# routine (CHECK_ONLY), since the text of all six does not fit in 512 bytes of RAM beside the
# stack. quorvantel_check.elf checks the first; quorvantel_check.N.elf the one at position N.
include(${CMAKE_CURRENT_LIST_DIR}/../simavr_board.cmake)
# avr-libc's smallest printf has all the conversions the firmware and the traces use (%s, %u,
# %lu, %ld).
target_link_options(quorvantel_check PRIVATE -Wl,-u,vfprintf)
target_link_libraries(quorvantel_check PRIVATE printf_min)

foreach(position RANGE 1 5)
  set(copy quorvantel_check.${position})
  add_executable(${copy})
  foreach(property SOURCES INCLUDE_DIRECTORIES COMPILE_DEFINITIONS COMPILE_OPTIONS LINK_OPTIONS
                   LINK_LIBRARIES LINKER_LANGUAGE SUFFIX)
    get_target_property(value quorvantel_check ${property})
    set_property(TARGET ${copy} PROPERTY ${property} "${value}")
  endforeach()
  target_compile_definitions(${copy} PRIVATE CHECK_ONLY=${position})
endforeach()
target_compile_definitions(quorvantel_check PRIVATE CHECK_ONLY=0)
