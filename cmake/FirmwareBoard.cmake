# Which check firmware suits the chip of a cross build. The answer comes from the compiler's own
# macros, so a user's toolchain file gets the same one as the project's. Empty: a chip the
# project has no firmware for, which still gets the library.
include(CheckCXXSourceCompiles)

set(QUORVANTEL_FIRMWARE_BOARD "" CACHE STRING
  "Board of the check firmware; empty: recognised from the compiler's macros")

# Each board and the condition its compiler meets. The RP2040's core is any Cortex-M0+'s, so its
# toolchain file names its board outright.
set(quorvantel_known_boards
  "atmega328p=defined(__AVR_ATmega328P__)"
  "attiny85=defined(__AVR_ATtiny85__)"
  "cortex-m0=defined(__ARM_ARCH_6M__)"
  "riscv32-virt=defined(__riscv) && __riscv_xlen == 32")

function(quorvantel_firmware_board result)
  if(QUORVANTEL_FIRMWARE_BOARD)
    set(${result} ${QUORVANTEL_FIRMWARE_BOARD} PARENT_SCOPE)
    return()
  endif()
  # Bare metal: nothing links without a board, so the probes only compile.
  set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
  set(CMAKE_REQUIRED_QUIET ON)
  foreach(entry IN LISTS quorvantel_known_boards)
    string(REPLACE "=" ";" entry "${entry}")
    list(GET entry 0 board)
    list(GET entry 1 condition)
    string(MAKE_C_IDENTIFIER "quorvantel_chip_is_${board}" probe)
    check_cxx_source_compiles("
#if !(${condition})
#error other chip
#endif
int main() { return 0; }" ${probe})
    if(${probe})
      # simavr stamps the chip into the firmware through a header of its own.
      if(board MATCHES "^at")
        find_path(simavr_include_dir simavr/avr/avr_mcu_section.h
          PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
        if(NOT simavr_include_dir)
          message(STATUS "quorvantel: no check firmware for ${board}: simavr's "
            "avr_mcu_section.h not found (Debian package libsimavr-dev)")
          break()
        endif()
      endif()
      message(STATUS "quorvantel: check firmware for ${board}")
      set(${result} ${board} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${result} "" PARENT_SCOPE)
endfunction()
