# The import library of ScriptHookRDR2.dll, generated at build time from
# src/host/script_hook.def, so the Windows loader loads the hook before the
# module's DllMain runs and no SDK is needed.
#
# Defines:
#   script_hook_import              link it to import the hook's eight functions
#   EMBERWICK_HOOK_LOCAL_NAMES      the plain names the plug-in calls
#   EMBERWICK_HOOK_DECORATED_NAMES  the names the hook exports, in the same order
set(EMBERWICK_HOOK_DEF "${PROJECT_SOURCE_DIR}/src/host/script_hook.def")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${EMBERWICK_HOOK_DEF}")
file(STRINGS "${EMBERWICK_HOOK_DEF}" hook_lines REGEX "==")
set(EMBERWICK_HOOK_LOCAL_NAMES "")
set(EMBERWICK_HOOK_DECORATED_NAMES "")
foreach(line IN LISTS hook_lines)
  if(NOT line MATCHES "^[ \t]*([A-Za-z0-9_]+)[ \t]*==[ \t]*([^ \t]+)")
    message(FATAL_ERROR "cannot read '${line}' in ${EMBERWICK_HOOK_DEF}")
  endif()
  list(APPEND EMBERWICK_HOOK_LOCAL_NAMES "${CMAKE_MATCH_1}")
  list(APPEND EMBERWICK_HOOK_DECORATED_NAMES "${CMAKE_MATCH_2}")
endforeach()
list(LENGTH EMBERWICK_HOOK_DECORATED_NAMES hook_count)
if(NOT hook_count EQUAL 8)
  message(FATAL_ERROR "${EMBERWICK_HOOK_DEF} must list the hook's eight functions")
endif()

if(MSVC)
  # MSVC mangles the declarations into the decorated names itself: lib.exe
  # only needs those.
  set(msvc_def "${CMAKE_CURRENT_BINARY_DIR}/ScriptHookRDR2.def")
  set(contents "LIBRARY ScriptHookRDR2.dll\nEXPORTS\n")
  foreach(name IN LISTS EMBERWICK_HOOK_DECORATED_NAMES)
    string(APPEND contents "  ${name}\n")
  endforeach()
  file(GENERATE OUTPUT "${msvc_def}" CONTENT "${contents}")
  set(hook_import_lib "${CMAKE_CURRENT_BINARY_DIR}/ScriptHookRDR2.lib")
  add_custom_command(OUTPUT "${hook_import_lib}"
    COMMAND "${CMAKE_AR}" /nologo /def:${msvc_def} /machine:x64 /out:${hook_import_lib}
    DEPENDS "${msvc_def}"
    COMMENT "Import library of ScriptHookRDR2.dll")
else()
  if(NOT CMAKE_DLLTOOL)
    find_program(CMAKE_DLLTOOL NAMES x86_64-w64-mingw32-dlltool dlltool REQUIRED)
  endif()
  set(hook_import_lib "${CMAKE_CURRENT_BINARY_DIR}/libScriptHookRDR2.a")
  add_custom_command(OUTPUT "${hook_import_lib}"
    COMMAND "${CMAKE_DLLTOOL}" --input-def "${EMBERWICK_HOOK_DEF}" --dllname ScriptHookRDR2.dll
            --output-lib "${hook_import_lib}"
    DEPENDS "${EMBERWICK_HOOK_DEF}"
    COMMENT "Import library of ScriptHookRDR2.dll")
endif()
add_custom_target(script_hook_import_lib DEPENDS "${hook_import_lib}")
add_library(script_hook_import INTERFACE)
target_link_libraries(script_hook_import INTERFACE "${hook_import_lib}")
add_dependencies(script_hook_import script_hook_import_lib)
