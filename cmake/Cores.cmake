# SPDX-License-Identifier: Zlib
# Reads the table of cores, cmake/cores.txt, into variables: quorvantel_cores lists the cores in
# the table's order, and quorvantel_core_CORE_KEY holds each field, with the blanks of its key
# as underscores (quorvantel_core_CORE_build_needs).
function(quorvantel_read_cores)
  file(STRINGS ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/cores.txt lines)
  set(cores "")
  set(core "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^#" OR line STREQUAL "")
      continue()
    elseif(line MATCHES "^\\[([a-z0-9-]+)\\]$")
      set(core ${CMAKE_MATCH_1})
      list(APPEND cores ${core})
    elseif(core AND line MATCHES "^([a-z ]+[a-z]) =(.*)$")
      string(REPLACE " " "_" key "${CMAKE_MATCH_1}")
      string(STRIP "${CMAKE_MATCH_2}" value)
      set(quorvantel_core_${core}_${key} "${value}" PARENT_SCOPE)
    else()
      message(FATAL_ERROR "cmake/cores.txt: cannot read the line '${line}'")
    endif()
  endforeach()
  set(quorvantel_cores ${cores} PARENT_SCOPE)
endfunction()
