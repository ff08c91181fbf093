# SPDX-License-Identifier: Zlib
# In the host build: cross-builds the check firmware for every core of cmake/cores.txt whose
# toolchain is here, and registers firmware_tests, which runs each one under its simulator through
# the board's run.sh and reads its library's object code. A core whose toolchain is missing, or
# (found when the test runs) whose simulator is missing, gets a test that reports SKIPPED with the
# reason, never a pass.
include(ExternalProject)
include(${PROJECT_SOURCE_DIR}/cmake/Cores.cmake)
quorvantel_read_cores()

add_executable(firmware_tests ${CMAKE_CURRENT_LIST_DIR}/../firmware_test.cpp)
target_link_libraries(firmware_tests PRIVATE quorvantel_test_support GTest::gtest_main)
add_dependencies(firmware_tests root_probe)
quorvantel_strict_warnings(firmware_tests)

# What a PROGRAM_OR_PATH:PACKAGE need lacks here, or empty.
function(quorvantel_missing result)
  set(${result} "" PARENT_SCOPE)
  foreach(need IN LISTS ARGN)
    string(REGEX MATCH "^([^:]+):(.+)$" _ "${need}")
    set(what ${CMAKE_MATCH_1})
    set(package ${CMAKE_MATCH_2})
    if(IS_ABSOLUTE ${what})
      if(EXISTS ${what})
        continue()
      endif()
    else()
      find_program(program_${what} ${what})
      if(program_${what})
        continue()
      endif()
    endif()
    set(${result} "${what} not found (Debian package ${package})" PARENT_SCOPE)
    return()
  endforeach()
endfunction()

# One line of the generated table firmware_tests runs through, per core, and one more for a core's
# size-first build (CORE-size-first), where the table names a size-first form.
set(firmware_table "")
foreach(core IN LISTS quorvantel_cores)
  set(missing "")
  if(NOT QUORVANTEL_BUILD_FIRMWARE)
    set(missing "QUORVANTEL_BUILD_FIRMWARE is OFF")
  else()
    string(REPLACE " " ";" build_needs "${quorvantel_core_${core}_build_needs}")
    quorvantel_missing(missing ${build_needs})
  endif()
  if(missing)
    message(STATUS "quorvantel: the firmware test for ${core} will be skipped: ${missing}")
  else()
    # Looked for again when the test runs, so that a simulator installed later counts.
    string(REPLACE " " ";" run_needs "${quorvantel_core_${core}_run_needs}")
    quorvantel_missing(missing_to_run ${run_needs})
    if(missing_to_run)
      message(STATUS "quorvantel: the firmware test for ${core} skips until it is there: "
        "${missing_to_run}")
    endif()
  endif()
  set(board ${quorvantel_core_${core}_board})
  set(multiplier true)
  if(quorvantel_core_${core}_multiplier STREQUAL "no")
    set(multiplier false)
  endif()
  set(divider true)
  if(quorvantel_core_${core}_divider STREQUAL "no")
    set(divider false)
  endif()

  set(builds ${core})
  if(quorvantel_core_${core}_size_first)
    list(APPEND builds ${core}-size-first)
  endif()
  foreach(build IN LISTS builds)
    set(binary_dir ${PROJECT_BINARY_DIR}/firmware/${build})
    set(forms "${quorvantel_core_${core}_forms}")
    set(size_first OFF)
    if(build MATCHES "-size-first$")
      set(size_first ON)
      string(REGEX REPLACE "[^ ]+$" "${quorvantel_core_${core}_size_first}" forms "${forms}")
    endif()
    if(NOT missing)
      ExternalProject_Add(firmware_${build}
        SOURCE_DIR ${PROJECT_SOURCE_DIR}
        BINARY_DIR ${binary_dir}
        CMAKE_ARGS
          -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchains/${core}.cmake
          -DQUORVANTEL_WERROR=${QUORVANTEL_WERROR}
          -DQUORVANTEL_INSTALL=OFF
          -DQUORVANTEL_SIZE_FIRST=${size_first}
        BUILD_ALWAYS ON
        INSTALL_COMMAND "")
      add_dependencies(firmware_tests firmware_${build})
    endif()
    # An ELF file, or Intel hex (.ihx) from SDCC: the test takes the one that is there.
    string(APPEND firmware_table "    {\"${build}\", \"${missing}\", "
      "\"${quorvantel_core_${core}_run_needs}\", "
      "\"${PROJECT_SOURCE_DIR}/tests/firmware/${board}/run.sh\", "
      "\"${binary_dir}/tests/firmware/quorvantel_check\", \"${binary_dir}\", "
      "\"${forms}\", ${multiplier}, ${divider}, \"${quorvantel_core_${core}_float}\"},\n")
  endforeach()
  # A board may need a runner of its own built on the host.
  if(EXISTS ${PROJECT_SOURCE_DIR}/tests/firmware/${board}/HostRunner.cmake AND NOT missing)
    set(binary_dir ${PROJECT_BINARY_DIR}/firmware/${core})
    include(${PROJECT_SOURCE_DIR}/tests/firmware/${board}/HostRunner.cmake)
  endif()
endforeach()

file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/firmware_table.inc.in "${firmware_table}")
configure_file(${CMAKE_CURRENT_BINARY_DIR}/firmware_table.inc.in
  ${CMAKE_CURRENT_BINARY_DIR}/generated/firmware_table.inc COPYONLY)
target_include_directories(firmware_tests PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
target_compile_definitions(firmware_tests PRIVATE ROOT_PROBE="$<TARGET_FILE:root_probe>")
# The table changes with cmake/cores.txt.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/cores.txt)
# A firmware that hangs is stopped by its run.sh, or here, and fails. The 8051's and the STM8's
# simulators take minutes a routine.
gtest_discover_tests(firmware_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 1500)
