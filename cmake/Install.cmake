# Installs the program, its man page, the roots library with its header, a CMake package
# (find_package(quorvantel CONFIG) gives quorvantel::roots) and a pkg-config file; and sets up
# CPack for a Debian package.
include(CMakePackageConfigHelpers)

set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/quorvantel)

install(TARGETS quorvantel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES man/quorvantel.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(TARGETS roots EXPORT quorvantelTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES roots/roots.hpp DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorvantel)
install(EXPORT quorvantelTargets
  NAMESPACE quorvantel::
  DESTINATION ${config_dir})

configure_package_config_file(cmake/quorvantelConfig.cmake.in
  ${PROJECT_BINARY_DIR}/quorvantelConfig.cmake
  INSTALL_DESTINATION ${config_dir})
# 0.x releases promise nothing across minor versions.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/quorvantelConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/quorvantelConfig.cmake
  ${PROJECT_BINARY_DIR}/quorvantelConfigVersion.cmake
  DESTINATION ${config_dir})

# Relative to the file itself, so that the package works wherever the prefix is.
file(RELATIVE_PATH pc_to_prefix /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
configure_file(cmake/quorvantel.pc.in ${PROJECT_BINARY_DIR}/quorvantel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/quorvantel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

set(CPACK_PACKAGE_NAME quorvantel)
set(CPACK_PACKAGE_VENDOR "quorvantel")
set(CPACK_PACKAGE_CONTACT "quorvantel developers <quorvantel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quorvantel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
