# SPDX-License-Identifier: Zlib
# Whether the first check firmware links with this toolchain and its board's files, tried at
# configure time. A toolchain file may bring a linker script or start-up code of its own, a C
# library short of what printf needs, or a memory model too small for the check; the library is
# built all the same, and the firmware is left out with the reason instead of failing the build.
#
# The sources are compiled as C for the try (they are the common subset of C99 and C++11), so that
# the C driver links them, as it links the firmware itself. The result is kept in the cache for as
# long as the toolchain, the flags and the board stay the same.
#   quorvantel_check_firmware_links(RESULT REASON SOURCES file... DEFINITIONS definition...)
# sets RESULT to true or false and REASON to why it does not link; the board's board_* settings
# come from the caller's scope.
function(quorvantel_check_firmware_links result reason)
  cmake_parse_arguments(PARSE_ARGV 2 check "" "" "SOURCES;DEFINITIONS")
  set(inputs "${CMAKE_TOOLCHAIN_FILE}|${CMAKE_BUILD_TYPE}|${CMAKE_C_FLAGS}|${CMAKE_CXX_FLAGS}|\
${CMAKE_EXE_LINKER_FLAGS}|${board_dir}|${check_SOURCES}|${check_DEFINITIONS}")
  if(DEFINED CACHE{quorvantel_firmware_link_inputs}
     AND "$CACHE{quorvantel_firmware_link_inputs}" STREQUAL inputs)
    set(${result} "$CACHE{quorvantel_firmware_links}" PARENT_SCOPE)
    set(${reason} "$CACHE{quorvantel_firmware_link_failure}" PARENT_SCOPE)
    return()
  endif()

  set(try_dir ${CMAKE_CURRENT_BINARY_DIR}/link_check)
  set(sources "")
  set(compile_options ${board_compile_options})
  foreach(source IN LISTS check_SOURCES board_sources)
    if(source MATCHES "\\.cpp$")
      cmake_path(GET source STEM stem)
      file(CONFIGURE OUTPUT ${try_dir}/${stem}.c CONTENT "#include \"${source}\"\n")
      list(APPEND sources ${try_dir}/${stem}.c)
    else()
      list(APPEND sources ${source})
      # The board's per-file options (include folders) go to every file of the try.
      get_source_file_property(options ${source} COMPILE_OPTIONS)
      if(options)
        list(APPEND compile_options ${options})
      endif()
    endif()
  endforeach()
  set(definitions "")
  foreach(definition IN LISTS board_compile_definitions check_DEFINITIONS)
    list(APPEND definitions -D${definition})
  endforeach()
  set(counts "${quorvantel_core_${firmware_core}_counts}")
  if(counts)
    list(APPEND definitions "-DBOARD_COUNTER=\"${counts}\"")
  endif()
  if(QUORVANTEL_SIZE_FIRST)
    list(APPEND definitions -DQUORVANTEL_SIZE_FIRST)
  endif()

  # A program, with the flags of the build's own type.
  set(CMAKE_TRY_COMPILE_TARGET_TYPE EXECUTABLE)
  set(CMAKE_TRY_COMPILE_CONFIGURATION ${CMAKE_BUILD_TYPE})
  try_compile(links ${try_dir}/build
    SOURCES ${sources}
    CMAKE_FLAGS "-DINCLUDE_DIRECTORIES=${CMAKE_CURRENT_SOURCE_DIR};${PROJECT_SOURCE_DIR}/tests;\
${PROJECT_SOURCE_DIR}/roots;${PROJECT_BINARY_DIR}/roots/include"
    COMPILE_DEFINITIONS ${definitions} ${compile_options}
    LINK_OPTIONS ${board_link_options} ${board_check_link_options}
    LINK_LIBRARIES ${board_link_libraries}
    OUTPUT_VARIABLE output
    NO_CACHE)

  set(failure "")
  if(NOT links)
    file(WRITE ${try_dir}/output.txt "${output}")
    # The linker's first complaint says most.
    string(REGEX MATCH "[^\n]*(undefined reference|cannot find|cannot open|Could not get|\
dangerous relocation|will not fit|overflowed|region [^\n]* overflow|[Ee]rror)[^\n]*" first "${output}")
    string(STRIP "${first}" first)
    set(failure "it does not link with this toolchain (${first}); the whole output is in \
${try_dir}/output.txt")
  endif()
  set(quorvantel_firmware_link_inputs "${inputs}" CACHE INTERNAL "")
  set(quorvantel_firmware_links "${links}" CACHE INTERNAL "")
  set(quorvantel_firmware_link_failure "${failure}" CACHE INTERNAL "")
  set(${result} ${links} PARENT_SCOPE)
  set(${reason} "${failure}" PARENT_SCOPE)
endfunction()
