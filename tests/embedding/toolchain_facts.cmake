# SPDX-License-Identifier: Zlib
# Prints what a toolchain file sets, one NAME=VALUE a line: cmake -DTOOLCHAIN=FILE -P this file.
# The embedding test writes a user's toolchain file from it.
include(${TOOLCHAIN})
foreach(name CMAKE_SYSTEM_PROCESSOR CMAKE_C_COMPILER CMAKE_CXX_COMPILER CMAKE_C_FLAGS_INIT
             CMAKE_CXX_FLAGS_INIT CMAKE_EXE_LINKER_FLAGS_INIT CMAKE_SIZEOF_VOID_P
             CMAKE_USER_MAKE_RULES_OVERRIDE CMAKE_C_COMPILE_OPTIONS_EXPLICIT_LANGUAGE CMAKE_NM)
  message("${name}=${${name}}")
endforeach()
