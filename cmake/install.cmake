# Install rules: the library, the headers a host includes, the CMake package (zeltoConfig.cmake,
# zeltoConfigVersion.cmake, zeltoTargets.cmake), zelto.pc for pkg-config. Everything installed
# is relative to the install prefix, so the prefix can be moved or given at install time.
include(CMakePackageConfigHelpers)

# The headers a host includes, C++ and C, are the folder include/zelto/ and nothing else.
install(DIRECTORY include/zelto DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

install(TARGETS zelto_sdk EXPORT zeltoTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(ZELTO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/zelto)
install(EXPORT zeltoTargets NAMESPACE zelto:: DESTINATION ${ZELTO_CMAKE_DIR})

# What a host must find for itself: for a static library, what the library links privately. Filled into the two package files below.
set(ZELTO_STATIC_DEPENDENCIES "")
set(ZELTO_PC_REQUIRES_PRIVATE "")
set(ZELTO_PC_LIBS_PRIVATE "")
if(NOT BUILD_SHARED_LIBS)
  string(JOIN " " pkg_modules ${ZELTO_PRIVATE_PKG_MODULES})
  set(ZELTO_STATIC_DEPENDENCIES "find_dependency(ICU COMPONENTS uc i18n data)
find_dependency(PkgConfig)
foreach(module IN ITEMS ${pkg_modules})
  if(NOT TARGET PkgConfig::\${module})
    pkg_check_modules(\${module} REQUIRED QUIET IMPORTED_TARGET \${module})
  endif()
endforeach()")
  set(ZELTO_PC_REQUIRES_PRIVATE "Requires.private: icu-uc icu-i18n ${pkg_modules}")
  set(ZELTO_PC_LIBS_PRIVATE "Libs.private: -lstdc++ -lm")
endif()

configure_package_config_file(cmake/zeltoConfig.cmake.in
  ${PROJECT_BINARY_DIR}/zeltoConfig.cmake INSTALL_DESTINATION ${ZELTO_CMAKE_DIR})
# Any newer version: see docs/decisions.md ("Package version").
write_basic_package_version_file(${PROJECT_BINARY_DIR}/zeltoConfigVersion.cmake
  COMPATIBILITY AnyNewerVersion)
install(FILES ${PROJECT_BINARY_DIR}/zeltoConfig.cmake ${PROJECT_BINARY_DIR}/zeltoConfigVersion.cmake
  DESTINATION ${ZELTO_CMAKE_DIR})

# zelto.pc finds the prefix from its own place (${pcfiledir}), so it holds no absolute path.
set(ZELTO_PC_PREFIX "\${pcfiledir}")
string(REPLACE "/" ";" pc_folders "${CMAKE_INSTALL_LIBDIR}/pkgconfig")
foreach(folder IN LISTS pc_folders)
  string(APPEND ZELTO_PC_PREFIX "/..")
endforeach()
configure_file(cmake/zelto.pc.in ${PROJECT_BINARY_DIR}/zelto.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/zelto.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
