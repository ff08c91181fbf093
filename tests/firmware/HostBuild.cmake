# In the host build: cross-builds the check firmware for every core whose toolchain is here and
# registers firmware_tests, which runs each one under its simulator through the board's run.sh.
# A core whose toolchain or simulator is missing gets a test that reports SKIPPED with the
# reason, never a pass.
include(ExternalProject)

add_executable(firmware_tests ${CMAKE_CURRENT_LIST_DIR}/../firmware_test.cpp)
target_link_libraries(firmware_tests PRIVATE quorvantel_test_support GTest::gtest_main)
add_dependencies(firmware_tests root_probe)
quorvantel_strict_warnings(firmware_tests)

# One line of the generated table firmware_tests runs through, per core.
set(firmware_table "")

# quorvantel_firmware(CORE BOARD board [NO_MULTIPLIER NM nm] NEEDS what package ...): the
# firmware of cmake/toolchains/CORE.cmake, run by tests/firmware/BOARD/run.sh. NEEDS: pairs of a
# program or an absolute path to look for and the Debian package that brings it (or, where it is
# not a Debian package, the command that installs it). A core without
# a hardware multiplier also has its library's bit-by-bit roots read by NM, which must find no
# call of a software multiply.
function(quorvantel_firmware core)
  cmake_parse_arguments(PARSE_ARGV 1 arg "NO_MULTIPLIER" "BOARD;NM" "NEEDS")
  set(missing "")
  if(NOT QUORVANTEL_BUILD_FIRMWARE)
    set(missing "QUORVANTEL_BUILD_FIRMWARE is OFF")
  endif()
  while(arg_NEEDS AND NOT missing)
    list(POP_FRONT arg_NEEDS what package)
    set(how "Debian package ${package}")
    if(package MATCHES " ")
      set(how "install it with: ${package}")
    endif()
    if(IS_ABSOLUTE ${what})
      if(NOT EXISTS ${what})
        set(missing "${what} not found (${how})")
      endif()
    else()
      find_program(program_${what} ${what})
      if(NOT program_${what})
        set(missing "${what} not found (${how})")
      endif()
    endif()
  endwhile()

  set(binary_dir ${PROJECT_BINARY_DIR}/firmware/${core})
  set(firmware ${binary_dir}/tests/firmware/quorvantel_check.elf)
  if(NOT missing)
    ExternalProject_Add(firmware_${core}
      SOURCE_DIR ${PROJECT_SOURCE_DIR}
      BINARY_DIR ${binary_dir}
      CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchains/${core}.cmake
        -DQUORVANTEL_WERROR=${QUORVANTEL_WERROR}
        -DQUORVANTEL_INSTALL=OFF
      BUILD_ALWAYS ON
      BUILD_BYPRODUCTS ${firmware}
      INSTALL_COMMAND "")
    add_dependencies(firmware_tests firmware_${core})
  endif()
  set(run ${PROJECT_SOURCE_DIR}/tests/firmware/${arg_BOARD}/run.sh)
  set(library ${binary_dir}/roots/libquorvantel_roots.a)
  set(nm "")
  if(arg_NO_MULTIPLIER)
    set(nm ${arg_NM})
  endif()
  string(APPEND firmware_table
    "    {\"${core}\", \"${missing}\", \"${run}\", \"${firmware}\", \"${library}\", \"${nm}\"},\n")
  set(firmware_table "${firmware_table}" PARENT_SCOPE)
endfunction()

quorvantel_firmware(atmega328p BOARD atmega328p NEEDS
  avr-g++ gcc-avr
  /usr/lib/avr/include/stdio.h avr-libc
  /usr/include/simavr/avr/avr_mcu_section.h libsimavr-dev
  simavr simavr)
quorvantel_firmware(cortex-m0 BOARD cortex-m0 NEEDS
  arm-none-eabi-g++ gcc-arm-none-eabi
  /usr/lib/arm-none-eabi/include/stdio.h libnewlib-arm-none-eabi
  qemu-system-arm qemu-system-arm)
quorvantel_firmware(attiny85 BOARD attiny85 NO_MULTIPLIER NM avr-nm NEEDS
  avr-g++ gcc-avr
  avr-nm binutils-avr
  /usr/lib/avr/include/stdio.h avr-libc
  /usr/include/simavr/avr/avr_mcu_section.h libsimavr-dev
  /usr/include/simavr/sim_avr.h libsimavr-dev
  /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/libsimavr.so libsimavr-dev
  simavr simavr)
if(TARGET firmware_attiny85)
  include(${CMAKE_CURRENT_LIST_DIR}/attiny85/SimavrRun.cmake)
endif()
quorvantel_firmware(rp2040 BOARD rp2040 NEEDS
  arm-none-eabi-g++ gcc-arm-none-eabi
  /usr/lib/arm-none-eabi/include/stdio.h libnewlib-arm-none-eabi
  node nodejs
  ${PROJECT_SOURCE_DIR}/tests/firmware/rp2040/node_modules/rp2040js/package.json
  "npm ci --prefix ${PROJECT_SOURCE_DIR}/tests/firmware/rp2040")
# npm ci changes that folder, which makes the build look for rp2040js again.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/tests/firmware/rp2040)
# Both RISC-V cores come from the same compiler, C library and simulator.
set(riscv32_needs
  riscv64-unknown-elf-g++ gcc-riscv64-unknown-elf
  /usr/lib/picolibc/riscv64-unknown-elf/include/stdio.h picolibc-riscv64-unknown-elf
  qemu-system-riscv32 qemu-system-misc)
quorvantel_firmware(rv32imac BOARD riscv32-virt NEEDS ${riscv32_needs})
quorvantel_firmware(rv32ec BOARD riscv32-virt NO_MULTIPLIER NM riscv64-unknown-elf-nm
  NEEDS ${riscv32_needs})

file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/firmware_table.inc.in "${firmware_table}")
configure_file(${CMAKE_CURRENT_BINARY_DIR}/firmware_table.inc.in
  ${CMAKE_CURRENT_BINARY_DIR}/generated/firmware_table.inc COPYONLY)
target_include_directories(firmware_tests PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
target_compile_definitions(firmware_tests PRIVATE ROOT_PROBE="$<TARGET_FILE:root_probe>")
# A firmware that hangs is stopped by its run.sh, or here, and fails.
gtest_discover_tests(firmware_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 400)
