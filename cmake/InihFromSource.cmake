# inih compiled from its source, for builds that have no package of it (the
# MinGW cross build). The release is pinned; EMBERWICK_INIH_SOURCE_DIR (or
# FETCHCONTENT_SOURCE_DIR_INIH) points at a local copy of that release, so no
# download happens when one is there.
include(FetchContent)
set(EMBERWICK_INIH_SOURCE_DIR "${PROJECT_SOURCE_DIR}/../shared/third_party/inih-r55"
  CACHE PATH "A local copy of inih r55 (used instead of downloading it)")
if(NOT FETCHCONTENT_SOURCE_DIR_INIH AND EXISTS "${EMBERWICK_INIH_SOURCE_DIR}/ini.c")
  get_filename_component(FETCHCONTENT_SOURCE_DIR_INIH "${EMBERWICK_INIH_SOURCE_DIR}" ABSOLUTE)
endif()
FetchContent_Declare(inih
  GIT_REPOSITORY https://github.com/benhoyt/inih.git
  GIT_TAG r55
  GIT_SHALLOW TRUE)
# r55 builds with Meson only: this populates the sources and adds nothing.
FetchContent_MakeAvailable(inih)

# The same library the distribution packages build: header defaults, C parser
# plus the C++ INIReader.
add_library(inih_static STATIC ${inih_SOURCE_DIR}/ini.c ${inih_SOURCE_DIR}/cpp/INIReader.cpp)
target_include_directories(inih_static SYSTEM PUBLIC ${inih_SOURCE_DIR} ${inih_SOURCE_DIR}/cpp)
set_target_properties(inih_static PROPERTIES C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden)
add_library(Inih::INIReader ALIAS inih_static)
set(EMBERWICK_INIH_LICENSE "${inih_SOURCE_DIR}/LICENSE.txt")
