# SPDX-License-Identifier: Zlib
# Every route by which a user takes the library into a program or a firmware, taken the way the
# user takes it: the installed package from C and C++ on the host, a cross build with a toolchain
# file of the user's own, add_subdirectory. A test whose tools are missing reports SKIPPED with
# the reason, never a pass.
set(embedding_dir ${CMAKE_CURRENT_LIST_DIR})

function(quorvantel_route_test name script)
  add_test(NAME ${name} COMMAND bash ${script} ${ARGN})
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
endfunction()

# A test that cannot run in this build: it reports SKIPPED with the reason.
function(quorvantel_skipped_test name reason)
  quorvantel_route_test(${name} -c "echo '[  SKIPPED ] ${reason}'; exit 77")
endfunction()

# The consumers get this build's compiler and flags: a sanitized library needs the sanitizers at
# link time too. A C program gets the flags of the build type and the linker flags, since the
# C++ flags may hold options that C does not take.
if(QUORVANTEL_INSTALL)
  string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
  set(cxx_flags "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}}")
  # ctest drops empty arguments, so each list of flags starts with a space.
  set(c_flags " ${CMAKE_CXX_FLAGS_${build_type}}")
  set(link_flags " ${CMAKE_EXE_LINKER_FLAGS}")
  if(QUORVANTEL_SANITIZE)
    string(APPEND cxx_flags " -fsanitize=address,undefined")
    string(APPEND c_flags " -fsanitize=address,undefined")
    string(APPEND link_flags " -fsanitize=address,undefined")
  endif()
  # Finds a C compiler without taking C into this project.
  include(CheckLanguage)
  check_language(C)
  foreach(route find_package pkg-config)
    quorvantel_route_test(InstallAndConsume.CXX.${route} ${embedding_dir}/../install/consume.sh
      ${PROJECT_BINARY_DIR} CXX ${route} ${CMAKE_CXX_COMPILER} "${cxx_flags}" "${link_flags}")
    if(CMAKE_C_COMPILER)
      quorvantel_route_test(InstallAndConsume.C.${route} ${embedding_dir}/../install/consume.sh
        ${PROJECT_BINARY_DIR} C ${route} ${CMAKE_C_COMPILER} "${c_flags}" "${link_flags}")
    else()
      quorvantel_skipped_test(InstallAndConsume.C.${route}
        "no C compiler found (Debian package gcc)")
    endif()
  endforeach()
endif()

# Cross builds as a user makes them, for each core of cmake/cores.txt. They build the check
# firmware as well, so they follow QUORVANTEL_BUILD_FIRMWARE like the firmware tests.
include(${PROJECT_SOURCE_DIR}/cmake/Cores.cmake)
quorvantel_read_cores()
foreach(core IN LISTS quorvantel_cores)
  if(QUORVANTEL_BUILD_FIRMWARE)
    quorvantel_route_test(Embedding.${core} ${embedding_dir}/cross.sh ${core} ${PROJECT_SOURCE_DIR})
  else()
    quorvantel_skipped_test(Embedding.${core} "QUORVANTEL_BUILD_FIRMWARE is OFF")
  endif()
endforeach()

quorvantel_route_test(Embedding.add_subdirectory ${embedding_dir}/subproject.sh
  ${PROJECT_SOURCE_DIR} ${CMAKE_CXX_COMPILER})
quorvantel_route_test(Embedding.foreign_board ${embedding_dir}/foreign_board.sh ${PROJECT_SOURCE_DIR})
