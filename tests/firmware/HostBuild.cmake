# In the host build: cross-builds the check firmware for every chip whose toolchain is here and
# registers firmware_tests, which runs each one under its simulator. A chip whose toolchain or
# simulator is missing gets a test that reports SKIPPED with the reason, never a pass.
include(ExternalProject)

set(firmware_definitions)
function(quorvantel_firmware board)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "NEEDS")
  string(TOUPPER ${board} id)
  string(REPLACE "-" "_" id ${id})
  set(missing "")
  if(NOT QUORVANTEL_BUILD_FIRMWARE)
    set(missing "QUORVANTEL_BUILD_FIRMWARE is OFF")
  endif()
  # NEEDS: pairs of a file or program to look for and the package that brings it.
  while(arg_NEEDS AND NOT missing)
    list(POP_FRONT arg_NEEDS what package)
    if(IS_ABSOLUTE ${what})
      if(NOT EXISTS ${what})
        set(missing "${what} not found (Debian package ${package})")
      endif()
    else()
      find_program(program_${what} ${what})
      if(NOT program_${what})
        set(missing "${what} not found (Debian package ${package})")
      endif()
    endif()
  endwhile()

  set(binary_dir ${PROJECT_BINARY_DIR}/firmware/${board})
  set(firmware ${binary_dir}/tests/firmware/quorvantel_check.elf)
  if(NOT missing)
    ExternalProject_Add(firmware_${id}
      SOURCE_DIR ${PROJECT_SOURCE_DIR}
      BINARY_DIR ${binary_dir}
      CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchains/${board}.cmake
        -DQUORVANTEL_WERROR=${QUORVANTEL_WERROR}
        -DQUORVANTEL_INSTALL=OFF
      BUILD_ALWAYS ON
      BUILD_BYPRODUCTS ${firmware}
      INSTALL_COMMAND "")
    add_dependencies(firmware_tests firmware_${id})
  endif()
  set(firmware_definitions ${firmware_definitions}
    ${id}_FIRMWARE="${firmware}" ${id}_MISSING="${missing}" PARENT_SCOPE)
endfunction()

add_executable(firmware_tests ${CMAKE_CURRENT_LIST_DIR}/../firmware_test.cpp)
target_link_libraries(firmware_tests PRIVATE quorvantel_test_support GTest::gtest_main)
add_dependencies(firmware_tests root_probe)
quorvantel_strict_warnings(firmware_tests)

find_program(SIMAVR_PROGRAM simavr)
find_program(QEMU_SYSTEM_ARM_PROGRAM qemu-system-arm)
quorvantel_firmware(atmega328p NEEDS
  avr-g++ gcc-avr
  /usr/lib/avr/include/stdio.h avr-libc
  /usr/include/simavr/avr/avr_mcu_section.h libsimavr-dev
  simavr simavr)
quorvantel_firmware(cortex-m0 NEEDS
  arm-none-eabi-g++ gcc-arm-none-eabi
  /usr/lib/arm-none-eabi/include/stdio.h libnewlib-arm-none-eabi
  qemu-system-arm qemu-system-arm)

target_compile_definitions(firmware_tests PRIVATE ${firmware_definitions}
  ROOT_PROBE="$<TARGET_FILE:root_probe>"
  SIMAVR="${SIMAVR_PROGRAM}"
  QEMU_SYSTEM_ARM="${QEMU_SYSTEM_ARM_PROGRAM}")
# A firmware that hangs is stopped here and fails.
gtest_discover_tests(firmware_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
