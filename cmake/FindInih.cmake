# Finds inih and its C++ INIReader: Debian's libinih-dev (pkg-config), vcpkg's
# "inih" port, or headers and libraries under INIH_ROOT.
include(FindPackageHandleStandardArgs)
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(PC_INIREADER QUIET INIReader)
endif()
find_path(INIH_INCLUDE_DIR INIReader.h
  HINTS ${INIH_ROOT}/include ${PC_INIREADER_INCLUDE_DIRS})
find_library(INIH_INIREADER_LIBRARY NAMES INIReader inireader
  HINTS ${INIH_ROOT}/lib ${PC_INIREADER_LIBRARY_DIRS})
find_library(INIH_C_LIBRARY NAMES inih
  HINTS ${INIH_ROOT}/lib ${PC_INIREADER_LIBRARY_DIRS})
find_package_handle_standard_args(Inih REQUIRED_VARS INIH_INCLUDE_DIR)
if(Inih_FOUND AND NOT TARGET Inih::INIReader)
  add_library(Inih::INIReader INTERFACE IMPORTED)
  set_target_properties(Inih::INIReader PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${INIH_INCLUDE_DIR}")
  if(INIH_INIREADER_LIBRARY)
    target_link_libraries(Inih::INIReader INTERFACE ${INIH_INIREADER_LIBRARY})
  endif()
  if(INIH_C_LIBRARY)
    target_link_libraries(Inih::INIReader INTERFACE ${INIH_C_LIBRARY})
  endif()
endif()
