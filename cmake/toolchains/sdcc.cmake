# SPDX-License-Identifier: Zlib
# Shared by the SDCC toolchain files: Debian's SDCC (4.2) for the port in QUORVANTEL_SDCC_PORT,
# with the flags in QUORVANTEL_SDCC_FLAGS and pointers of QUORVANTEL_SDCC_POINTER_SIZE bytes. SDCC
# compiles C only: the project then builds the library's sources as C (they are written in the
# common subset of C99 and C++11). CMake knows SDCC for the Generic system: objects .rel,
# libraries .lib (made by sdar), programs .ihx.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR ${QUORVANTEL_SDCC_PORT})
set(CMAKE_C_COMPILER sdcc)
# SDCC's own binary tools read its objects (.rel): the object-code test lists their symbols.
set(CMAKE_NM sdnm CACHE FILEPATH "nm for SDCC's objects")
# No C++ compiler: defined, and false, so that the project does not look for one.
set(CMAKE_CXX_COMPILER CMAKE_CXX_COMPILER-NOTFOUND)
# Bare metal: the compiler checks build a library, since no executable links without a board.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# CMake's probe of the compiler finds no pointer size for SDCC, which GNUInstallDirs asks for:
# a generic pointer's, 3 bytes on the 8051, 2 on the STM8.
set(CMAKE_SIZEOF_VOID_P ${QUORVANTEL_SDCC_POINTER_SIZE})

set(CMAKE_C_FLAGS_INIT "-m${QUORVANTEL_SDCC_PORT} --std-c99 ${QUORVANTEL_SDCC_FLAGS}")
set(CMAKE_USER_MAKE_RULES_OVERRIDE ${CMAKE_CURRENT_LIST_DIR}/sdcc-rules.cmake)
# SDCC takes a file as C by its extension; the library's are .cpp.
set(CMAKE_C_COMPILE_OPTIONS_EXPLICIT_LANGUAGE -x c)

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
