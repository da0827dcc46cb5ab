# The release zip, Emberwick-<version>-win64.zip: the module, the commented
# settings file, the players' read-me and the licences (`./dev package`, or
# `cpack -G ZIP` in a Windows build directory).
configure_file(${PROJECT_SOURCE_DIR}/packaging/ReadMe.txt ${CMAKE_CURRENT_BINARY_DIR}/ReadMe.txt @ONLY)
install(TARGETS Emberwick LIBRARY DESTINATION . RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/Emberwick.ini ${CMAKE_CURRENT_BINARY_DIR}/ReadMe.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# inih's licence travels with the module that contains inih.
if(NOT EMBERWICK_INIH_LICENSE AND DEFINED VCPKG_INSTALLED_DIR AND DEFINED VCPKG_TARGET_TRIPLET)
  set(EMBERWICK_INIH_LICENSE "${VCPKG_INSTALLED_DIR}/${VCPKG_TARGET_TRIPLET}/share/inih/copyright")
endif()
if(EMBERWICK_INIH_LICENSE AND EXISTS "${EMBERWICK_INIH_LICENSE}")
  install(FILES "${EMBERWICK_INIH_LICENSE}" DESTINATION . RENAME inih-LICENSE.txt)
else()
  message(WARNING "inih's licence was not found: the release zip would lack it")
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Emberwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "Emberwick-${PROJECT_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
include(CPack)
