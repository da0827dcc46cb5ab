# The Windows side of the tests, cross-built with MinGW: the checks on the
# linked module.
enable_testing()
if(NOT CMAKE_OBJDUMP)
  find_program(CMAKE_OBJDUMP NAMES x86_64-w64-mingw32-objdump objdump REQUIRED)
endif()
add_test(NAME WindowsModule.ImportsExportsAndVersion
  COMMAND ${CMAKE_COMMAND} -DMODULE=$<TARGET_FILE:Emberwick> -DOBJDUMP=${CMAKE_OBJDUMP}
          -DVERSION=${PROJECT_VERSION}
          -P ${PROJECT_SOURCE_DIR}/tests/host/check_windows_module.cmake)
