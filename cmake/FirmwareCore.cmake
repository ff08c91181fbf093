# SPDX-License-Identifier: Zlib
# Which core of the table (cmake/cores.txt) the chip of a cross build is, and so which check
# firmware it gets. The answer comes from the compiler's own macros, so a user's toolchain file
# gets the same as the project's. Empty: a chip the project has no firmware for, which still gets
# the library.
include(CheckSourceCompiles)
include(${CMAKE_CURRENT_LIST_DIR}/Cores.cmake)
quorvantel_read_cores()

set(QUORVANTEL_FIRMWARE_BOARD "" CACHE STRING
  "Board of the check firmware; empty: recognised from the compiler's macros")

function(quorvantel_firmware_core result)
  set(${result} "" PARENT_SCOPE)
  if(QUORVANTEL_FIRMWARE_BOARD)
    foreach(core IN LISTS quorvantel_cores)
      if(quorvantel_core_${core}_board STREQUAL QUORVANTEL_FIRMWARE_BOARD)
        set(${result} ${core} PARENT_SCOPE)
        return()
      endif()
    endforeach()
    message(FATAL_ERROR "QUORVANTEL_FIRMWARE_BOARD: no core of cmake/cores.txt has the board "
      "'${QUORVANTEL_FIRMWARE_BOARD}'")
  endif()
  # Bare metal: nothing links without a board, so the probes only compile.
  set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
  set(CMAKE_REQUIRED_QUIET ON)
  get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
  list(GET languages 0 language)
  foreach(core IN LISTS quorvantel_cores)
    set(condition "${quorvantel_core_${core}_macros}")
    if(condition STREQUAL "")
      continue()
    endif()
    string(MAKE_C_IDENTIFIER "quorvantel_chip_is_${core}" probe)
    check_source_compiles(${language} "
#if !(${condition})
#error other chip
#endif
int main(void) { return 0; }" ${probe})
    if(${probe})
      set(${result} ${core} PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()
