#!/usr/bin/env bash
# SPDX-License-Identifier: Zlib
# quorvantel as the subproject of someone else's project, which installs and exports its own
# target that links quorvantel::roots: none of the project's -Werror, program or GoogleTest lookup
# reaches it.
# Usage: embedding.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/src"
cat >"$work/src/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(consumer LANGUAGES CXX)
add_subdirectory("$source_dir" quorvantel)
add_library(consumer STATIC consumer.cpp)
target_link_libraries(consumer PUBLIC quorvantel::roots)
install(TARGETS consumer EXPORT consumerTargets ARCHIVE DESTINATION lib)
install(EXPORT consumerTargets NAMESPACE consumer:: DESTINATION lib/cmake/consumer)
CMAKE
printf '#include <quorvantel/roots.hpp>\nint twelve() { return quorvantel_sqrt16_nearest(144); }\n' \
  >"$work/src/consumer.cpp"
cmake -S "$work/src" -B "$work/build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
cmake --build "$work/build" -j 2
cmake --install "$work/build" --prefix "$work/prefix" >/dev/null
[ -f "$work/prefix/lib/cmake/consumer/consumerTargets.cmake" ]
[ -f "$work/prefix/include/quorvantel/roots.hpp" ]
! grep -q -- -Werror "$work/build/compile_commands.json" || { echo "-Werror reached the consumer"; exit 1; }
[ ! -e "$work/build/quorvantel/quorvantel" ] && [ ! -e "$work/prefix/bin/quorvantel" ]
! grep -q GTest_DIR "$work/build/CMakeCache.txt" || { echo "GoogleTest was looked for"; exit 1; }
echo "embedding: the consumer built, installed and exported its target"
