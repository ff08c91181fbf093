# The ATtiny85 firmware's runner, simavr_run.c: a host program on simavr's library, put beside
# the firmware, where run.sh looks for it. Included by HostBuild.cmake.
enable_language(C)
find_path(simavr_headers sim_avr.h PATHS /usr/include/simavr REQUIRED)
find_library(simavr_library simavr REQUIRED)
add_executable(simavr_run ${CMAKE_CURRENT_LIST_DIR}/simavr_run.c)
target_include_directories(simavr_run SYSTEM PRIVATE ${simavr_headers})
target_link_libraries(simavr_run PRIVATE ${simavr_library})
quorvantel_strict_warnings(simavr_run)
set_target_properties(simavr_run PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/firmware/attiny85/tests/firmware)
add_dependencies(firmware_tests simavr_run)
