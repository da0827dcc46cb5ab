# The release zip, Emberwick-<version>-win64.zip: the module, the commented
# settings file, the players' read-me and the licences (`./dev package`, or
# `cpack -G ZIP` in a Windows build directory).
#
# Players extract it into the game folder, beside every other mod: each file
# carries Emberwick's name, so none can replace another mod's read-me or
# licence. Text files have Windows line endings, for Notepad.

# A text file of the repository (or of the build) with CRLF line endings.
function(emberwick_windows_text source destination)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
  file(READ "${source}" text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE "${destination}" "${text}")
endfunction()

set(package_texts ${CMAKE_CURRENT_BINARY_DIR}/package-texts)
configure_file(${PROJECT_SOURCE_DIR}/packaging/ReadMe.txt ${package_texts}/Emberwick-ReadMe.txt @ONLY
  NEWLINE_STYLE CRLF)
emberwick_windows_text(${PROJECT_SOURCE_DIR}/Emberwick.ini ${package_texts}/Emberwick.ini)
emberwick_windows_text(${PROJECT_SOURCE_DIR}/LICENSE ${package_texts}/Emberwick-LICENSE.txt)
install(TARGETS Emberwick LIBRARY DESTINATION . RUNTIME DESTINATION .)
install(FILES ${package_texts}/Emberwick.ini ${package_texts}/Emberwick-ReadMe.txt ${package_texts}/Emberwick-LICENSE.txt
  DESTINATION .)

# inih's licence travels with the module that contains inih.
if(NOT EMBERWICK_INIH_LICENSE AND DEFINED VCPKG_INSTALLED_DIR AND DEFINED VCPKG_TARGET_TRIPLET)
  set(EMBERWICK_INIH_LICENSE "${VCPKG_INSTALLED_DIR}/${VCPKG_TARGET_TRIPLET}/share/inih/copyright")
endif()
if(EMBERWICK_INIH_LICENSE AND EXISTS "${EMBERWICK_INIH_LICENSE}")
  emberwick_windows_text(${EMBERWICK_INIH_LICENSE} ${package_texts}/Emberwick-inih-LICENSE.txt)
  install(FILES ${package_texts}/Emberwick-inih-LICENSE.txt DESTINATION .)
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
