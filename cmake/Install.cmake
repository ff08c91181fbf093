# SPDX-License-Identifier: Zlib
# Install rules in two components, which the Debian package splits the way Debian does:
#   program      bin/quorvantel and its manual page;
#   development  the roots library and its header, the CMake package (find_package(quorvantel
#                CONFIG) gives quorvantel::roots) and a pkg-config file.
# A cross build installs only the development component, built for its chip.
include(CMakePackageConfigHelpers)

set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/quorvantel)

install(TARGETS quorvantel_roots EXPORT quorvantelTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
install(FILES roots/roots.hpp roots/roots.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorvantel
  COMPONENT development)
install(EXPORT quorvantelTargets
  NAMESPACE quorvantel::
  DESTINATION ${config_dir}
  COMPONENT development)

configure_package_config_file(cmake/quorvantelConfig.cmake.in
  ${PROJECT_BINARY_DIR}/quorvantelConfig.cmake
  INSTALL_DESTINATION ${config_dir})
# 0.x releases promise nothing across minor versions.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/quorvantelConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/quorvantelConfig.cmake
  ${PROJECT_BINARY_DIR}/quorvantelConfigVersion.cmake
  DESTINATION ${config_dir}
  COMPONENT development)

# The pkg-config file is written at install time, for the prefix actually installed to
# (cmake --install --prefix included), so that it holds plain absolute paths. It goes straight to
# its destination, DESTDIR included, and into CMake's list of installed files: nothing is written
# into the build tree, which may be read-only to the one who installs.
install(CODE "
  set(pc_prefix \"\${CMAKE_INSTALL_PREFIX}\")
  set(pc_libdir \"${CMAKE_INSTALL_LIBDIR}\")
  set(pc_includedir \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(pc_description \"${PROJECT_DESCRIPTION}\")
  set(pc_version \"${PROJECT_VERSION}\")
  set(pc_file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig/quorvantel.pc\")
  message(STATUS \"Installing: \${pc_file}\")
  file(READ \"${PROJECT_SOURCE_DIR}/cmake/quorvantel.pc.in\" pc_template)
  string(CONFIGURE \"\${pc_template}\" pc_content @ONLY)
  file(WRITE \"\${pc_file}\" \"\${pc_content}\")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${pc_file}\")
  " COMPONENT development)

if(NOT TARGET quorvantel)
  return()
endif()

install(TARGETS quorvantel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)

# Debian wants manual pages and changelogs compressed, without a time stamp in the gzip header.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed_files)
foreach(source ${PROJECT_BINARY_DIR}/man/quorvantel.1
               ${PROJECT_SOURCE_DIR}/packaging/debian/changelog)
  get_filename_component(name ${source} NAME)
  set(output ${PROJECT_BINARY_DIR}/compressed/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/compressed
    COMMAND ${GZIP_PROGRAM} -9 -n -c ${source} > ${output}
    DEPENDS ${source})
  list(APPEND compressed_files ${output})
endforeach()
add_custom_target(quorvantel_compressed_docs ALL DEPENDS ${compressed_files})

install(FILES ${PROJECT_BINARY_DIR}/compressed/quorvantel.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
set(package_docs packaging/debian/copyright ${PROJECT_BINARY_DIR}/compressed/changelog.gz)
install(FILES ${package_docs} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quorvantel
  COMPONENT program)
install(FILES ${package_docs} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/libquorvantel-dev
  COMPONENT development)

set(QUORVANTEL_PACKAGE_CONTACT "quorvantel developers <quorvantel@example.org>" CACHE STRING
  "Maintainer of the Debian packages")
set(CPACK_PACKAGE_NAME quorvantel)
set(CPACK_PACKAGE_VENDOR "quorvantel")
set(CPACK_PACKAGE_CONTACT "${QUORVANTEL_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quorvantel)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_COMPONENTS_ALL program development)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The package is built from a tree configured with CMAKE_INSTALL_PREFIX=/usr, which is what
# gives GNUInstallDirs the multiarch library directory.
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

# Each description's first line is the package's synopsis. CPack would put the project's summary
# in front of it, unless that summary is CPack's own default.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME quorvantel)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION
  "exhaustive test bench for a 16-bit integer square root
quorvantel sweeps the bit-by-bit square root sqrt_u16_variante4 over every
input from 0 to 65284, compares each result with the rounded double-precision
root, prints every disagreement and sums up the refinement passes.")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libquorvantel-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
  "integer square roots of 16-bit values for small targets (static library)
Two roots to ship, the nearest square root of a 16-bit unsigned value
saturated at 255 and the floor square root, which keep no state and are safe
in an interrupt handler; and the bench's five routines, which count their
passes and trace their steps. No floating point and no C++ library; they
build with C and C++ compilers for 8-bit and 32-bit microcontrollers as well
as for the host.

This package holds the static library, its header, a CMake package and a
pkg-config file.")
include(CPack)
