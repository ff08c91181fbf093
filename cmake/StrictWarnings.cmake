# SPDX-License-Identifier: Zlib
# Strict warnings for our own targets only: users of the library do not inherit them, and
# -Werror applies only where QUORVANTEL_WERROR asks for it (by default when quorvantel is the
# top-level project), so a consumer's own warning flags cannot break its build.
function(quorvantel_strict_warnings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion
      $<$<BOOL:${QUORVANTEL_WERROR}>:-Werror>)
  elseif(CMAKE_C_COMPILER_ID STREQUAL "SDCC" AND NOT CMAKE_CXX_COMPILER_LOADED)
    # SDCC warns as it sees fit, and has no levels to ask for.
    target_compile_options(${target} PRIVATE $<$<BOOL:${QUORVANTEL_WERROR}>:--Werror>)
  endif()
endfunction()

# The library and the firmware need no C++ runtime: without exceptions and RTTI, a C program links
# them with the C driver and no C++ library, on every target.
function(quorvantel_without_cxx_runtime target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>)
  endif()
endfunction()
