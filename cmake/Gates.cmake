# SPDX-License-Identifier: Zlib
# The gates of .ci/run that check a build rather than make one (the program's summary, its manual
# page, memcheck, embedding, the Debian packages, format, static analysis, fuzzing, the benchmarks'
# smoke run), as ctest tests of the tree whose configure preset names them in QUORVANTEL_CI_GATES:
# cmake --workflow --preset GATE configures, builds and runs each one as CI does. Each is a script
# .ci/gates/GATE.sh, labelled GATE, run with the source and the build folder.
set(QUORVANTEL_CI_GATES "" CACHE STRING "Gates of .ci/run to register as tests of this tree")
foreach(gate IN LISTS QUORVANTEL_CI_GATES)
  set(script ${PROJECT_SOURCE_DIR}/.ci/gates/${gate}.sh)
  if(NOT EXISTS ${script})
    message(FATAL_ERROR "QUORVANTEL_CI_GATES: no gate '${gate}' (no ${script})")
  endif()
  add_test(NAME Gate.${gate} COMMAND bash ${script} ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
  # Static analysis configures the cores' trees it lacks; the fuzzer runs for a minute.
  set_tests_properties(Gate.${gate} PROPERTIES LABELS ${gate} TIMEOUT 1800)
endforeach()
