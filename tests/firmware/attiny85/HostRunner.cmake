# SPDX-License-Identifier: Zlib
# The ATtiny85 firmware's runner, simavr_run.c: a host program on simavr's library, put beside
# the firmware of the core (core, binary_dir), where run.sh looks for it. Included by
# HostBuild.cmake.
enable_language(C)
find_path(simavr_headers sim_avr.h PATHS /usr/include/simavr REQUIRED)
find_library(simavr_library simavr REQUIRED)
add_executable(simavr_run_${core} ${CMAKE_CURRENT_LIST_DIR}/simavr_run.c)
target_include_directories(simavr_run_${core} SYSTEM PRIVATE ${simavr_headers})
target_link_libraries(simavr_run_${core} PRIVATE ${simavr_library})
quorvantel_strict_warnings(simavr_run_${core})
set_target_properties(simavr_run_${core} PROPERTIES OUTPUT_NAME simavr_run
  RUNTIME_OUTPUT_DIRECTORY ${binary_dir}/tests/firmware)
add_dependencies(firmware_tests simavr_run_${core})
