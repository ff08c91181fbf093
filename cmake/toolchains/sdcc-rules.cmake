# SPDX-License-Identifier: Zlib
# Read after CMake's own rules for SDCC (CMAKE_USER_MAKE_RULES_OVERRIDE, set by sdcc.cmake):
# CMake 3.25's rule archives a library with CMAKE_AR, which is the generic ar here, and writes no
# symbol index, so SDCC's linker misses what the library defines. sdar, which CMake's rules found,
# writes one when asked (s).
set(CMAKE_C_CREATE_STATIC_LIBRARY
  "\"${CMAKE_COMMAND}\" -E remove <TARGET>"
  "\"${SDCCAR_EXECUTABLE}\" -rcs <TARGET> <LINK_FLAGS> <OBJECTS>")
