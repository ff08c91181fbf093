# SPDX-License-Identifier: Zlib
# Writes cmake/CorePresets.json, the presets of each core of the table of cores (cmake/cores.txt),
# which CMakePresets.json includes: per core a configure, build and test preset and a workflow,
# named after the core, that cross-build the library and the check firmware with the core's
# toolchain file and run the firmware under its simulator; the same for a core's size-first build
# (CORE-size-first) where the table names a size-first form.
#   cmake -P cmake/CorePresets.cmake              rewrites the file after a change of the table;
#   cmake -DCHECK=ON -P cmake/CorePresets.cmake   fails where the file does not match the table.
include(${CMAKE_CURRENT_LIST_DIR}/Cores.cmake)
quorvantel_read_cores()

set(configure "")
set(build "")
set(test "")
set(workflow "")
foreach(core IN LISTS quorvantel_cores)
  set(names ${core})
  if(quorvantel_core_${core}_size_first)
    list(APPEND names ${core}-size-first)
  endif()
  foreach(name IN LISTS names)
    set(label "${quorvantel_core_${core}_label}")
    set(size_first OFF)
    if(name MATCHES "-size-first$")
      set(label "${label}, size-first")
      set(size_first ON)
    endif()
    string(APPEND configure "
    {
      \"name\": \"${name}\",
      \"displayName\": \"${label}: the library and the check firmware\",
      \"inherits\": \"cross\",
      \"binaryDir\": \"\${sourceDir}/build-${name}\",
      \"toolchainFile\": \"\${sourceDir}/cmake/toolchains/${core}.cmake\",
      \"cacheVariables\": { \"QUORVANTEL_SIZE_FIRST\": \"${size_first}\" }
    },")
    string(APPEND build "
    { \"name\": \"${name}\", \"configurePreset\": \"${name}\", \"inherits\": \"build\" },")
    string(APPEND test "
    { \"name\": \"${name}\", \"configurePreset\": \"${name}\", \"inherits\": \"test\" },")
    string(APPEND workflow "
    {
      \"name\": \"${name}\",
      \"displayName\": \"${label}: cross build, the firmware under its simulator\",
      \"steps\": [
        { \"type\": \"configure\", \"name\": \"${name}\" },
        { \"type\": \"build\", \"name\": \"${name}\" },
        { \"type\": \"test\", \"name\": \"${name}\" }
      ]
    },")
  endforeach()
endforeach()
foreach(list configure build test workflow)
  string(REGEX REPLACE ",$" "" ${list} "${${list}}")
endforeach()

set(content "{
  \"version\": 6,
  \"include\": [\"BasePresets.json\"],
  \"configurePresets\": [${configure}
  ],
  \"buildPresets\": [${build}
  ],
  \"testPresets\": [${test}
  ],
  \"workflowPresets\": [${workflow}
  ]
}
")

set(file ${CMAKE_CURRENT_LIST_DIR}/CorePresets.json)
if(CHECK)
  file(READ ${file} written)
  if(NOT written STREQUAL content)
    message(FATAL_ERROR "${file} does not match cmake/cores.txt: rewrite it with "
      "cmake -P cmake/CorePresets.cmake")
  endif()
  message(STATUS "${file} matches cmake/cores.txt")
else()
  file(WRITE ${file} "${content}")
endif()
