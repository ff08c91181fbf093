# SPDX-License-Identifier: Zlib
# Which core of the table (cmake/cores.txt) the chip of a cross build is, and so which check
# firmware it gets. The project's toolchain files name their core (QUORVANTEL_FIRMWARE_CORE); for
# a user's own toolchain file the answer comes from the compiler's macros. Empty: a chip the
# project has no firmware for, which still gets the library.
include(CheckSourceCompiles)
include(${CMAKE_CURRENT_LIST_DIR}/Cores.cmake)
quorvantel_read_cores()

set(QUORVANTEL_FIRMWARE_CORE "" CACHE STRING
  "Core of cmake/cores.txt for the check firmware; empty: recognised by the compiler's macros")
set(QUORVANTEL_FIRMWARE_BOARD "" CACHE STRING
  "Board of the check firmware, which only one core may have; empty: see QUORVANTEL_FIRMWARE_CORE")

# Whether two cores' rows agree in all the build reads of them: every field but their label and
# the macros that recognise them.
function(quorvantel_rows_agree result first second)
  set(${result} TRUE PARENT_SCOPE)
  set(fields ${quorvantel_core_fields})
  list(REMOVE_ITEM fields label macros)
  foreach(field IN LISTS fields)
    if(NOT "${quorvantel_core_${first}_${field}}" STREQUAL "${quorvantel_core_${second}_${field}}")
      set(${result} FALSE PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

function(quorvantel_firmware_core result)
  set(${result} "" PARENT_SCOPE)
  if(QUORVANTEL_FIRMWARE_CORE)
    if(NOT QUORVANTEL_FIRMWARE_CORE IN_LIST quorvantel_cores)
      string(REPLACE ";" ", " cores "${quorvantel_cores}")
      message(FATAL_ERROR "QUORVANTEL_FIRMWARE_CORE: cmake/cores.txt has no core "
        "'${QUORVANTEL_FIRMWARE_CORE}'; its cores are ${cores}")
    endif()
    set(${result} ${QUORVANTEL_FIRMWARE_CORE} PARENT_SCOPE)
    return()
  endif()
  if(QUORVANTEL_FIRMWARE_BOARD)
    set(matches "")
    foreach(core IN LISTS quorvantel_cores)
      if(quorvantel_core_${core}_board STREQUAL QUORVANTEL_FIRMWARE_BOARD)
        list(APPEND matches ${core})
      endif()
    endforeach()
    list(LENGTH matches count)
    if(NOT count EQUAL 1)
      string(REPLACE ";" " and " matches "${matches}")
      message(FATAL_ERROR "QUORVANTEL_FIRMWARE_BOARD: the board '${QUORVANTEL_FIRMWARE_BOARD}' "
        "names no single core of cmake/cores.txt (${count}: ${matches}); name the core with "
        "-DQUORVANTEL_FIRMWARE_CORE=CORE")
    endif()
    set(${result} ${matches} PARENT_SCOPE)
    return()
  endif()

  # Bare metal: nothing links without a board, so the probes only compile.
  set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
  set(CMAKE_REQUIRED_QUIET ON)
  get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
  list(GET languages 0 language)
  set(matches "")
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
      list(APPEND matches ${core})
    endif()
  endforeach()
  list(LENGTH matches count)
  if(count EQUAL 0)
    return()
  endif()
  list(GET matches 0 first)
  if(count GREATER 1)
    # GCC gives some cores the same macros (a Cortex-M7 those of a Cortex-M4): only the user's
    # toolchain file can tell them apart.
    set(agree TRUE)
    foreach(core IN LISTS matches)
      quorvantel_rows_agree(same ${first} ${core})
      if(NOT same)
        set(agree FALSE)
      endif()
    endforeach()
    string(REPLACE ";" " and " names "${matches}")
    if(agree)
      set(outcome "taking ${first}, whose row is the same in all the build reads")
    else()
      set(outcome "their rows differ, so none is taken")
      set(first "")
    endif()
    message(STATUS "quorvantel: the compiler's macros match the cores ${names} of "
      "cmake/cores.txt; -DQUORVANTEL_FIRMWARE_CORE=CORE names one; ${outcome}")
  endif()
  set(${result} ${first} PARENT_SCOPE)
endfunction()
