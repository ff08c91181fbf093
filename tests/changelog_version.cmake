# SPDX-License-Identifier: Zlib
# Fails unless the first line of the Debian changelog CHANGELOG names VERSION:
#   quorvantel (VERSION) unstable; urgency=medium
file(STRINGS ${CHANGELOG} first_line LIMIT_COUNT 1)
if(NOT first_line MATCHES "^quorvantel \\(([^)]+)\\) ")
  message(FATAL_ERROR "${CHANGELOG}: no version in its first line '${first_line}'")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "${CHANGELOG} names ${CMAKE_MATCH_1}, the project is ${VERSION}")
endif()
message(STATUS "${CHANGELOG}: ${VERSION}")
