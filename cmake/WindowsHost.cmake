# The Windows side, cross-built with MinGW: checks on the linked module, and the
# Windows host that plays the simulator's sessions against Emberwick.asi under
# Wine. The host is the simulator itself (one world model, one session player)
# with the Windows ways to load a module; beside it, a stand-in
# ScriptHookRDR2.dll that forwards the hook's eight functions to it.
enable_testing()
if(NOT CMAKE_OBJDUMP)
  find_program(CMAKE_OBJDUMP NAMES x86_64-w64-mingw32-objdump objdump REQUIRED)
endif()
add_test(NAME WindowsModule.ImportsExportsAndVersion
  COMMAND ${CMAKE_COMMAND} -DMODULE=$<TARGET_FILE:Emberwick> -DOBJDUMP=${CMAKE_OBJDUMP}
          -DVERSION=${PROJECT_VERSION}
          -P ${PROJECT_SOURCE_DIR}/tests/host/check_windows_module.cmake)

if(NOT EMBERWICK_BUILD_SIM)
  return()
endif()
set(static_runtime -static -static-libgcc -static-libstdc++)

# The version resources the plug-in reads for the log's first lines: the game
# build on the host (the process's own module, as RDR2.exe is in the game) and
# the hook's version on the stand-in; the same numbers as the Linux simulator's.
function(emberwick_version_resource out version type description)
  string(REPLACE "." "," rc_version_commas "${version}")
  set(rc_version "${version}")
  set(rc_file_type "${type}")
  set(rc_description "${description}")
  configure_file(${PROJECT_SOURCE_DIR}/sim/windows/file_version.rc.in ${out} @ONLY)
endfunction()
emberwick_version_resource(${CMAKE_CURRENT_BINARY_DIR}/host_version.rc ${EMBERWICK_SIM_GAME_BUILD} VFT_APP
  "Emberwick simulator (Windows host)")
emberwick_version_resource(${CMAKE_CURRENT_BINARY_DIR}/hook_version.rc ${EMBERWICK_SIM_HOOK_VERSION} VFT_DLL
  "Stand-in script hook of the Emberwick simulator")

# --- The host: the simulator built for Windows -------------------------------
file(GLOB_RECURSE host_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/sim/*.cpp)
list(FILTER host_sources EXCLUDE REGEX "/sim/(script_fiber|module_loader_posix)\\.cpp$")
list(FILTER host_sources EXCLUDE REGEX "/sim/windows/script_hook_standin\\.cpp$")
add_executable(emberwick-sim ${host_sources} ${EMBERWICK_SETTINGS_CHECK_SOURCES}
  ${CMAKE_CURRENT_BINARY_DIR}/host_version.rc)
target_compile_definitions(emberwick-sim PRIVATE EMBERWICK_SIM_GAME_BUILD="${EMBERWICK_SIM_GAME_BUILD}"
  EMBERWICK_SIM_HOOK_VERSION="${EMBERWICK_SIM_HOOK_VERSION}")
target_include_directories(emberwick-sim PRIVATE ${PROJECT_SOURCE_DIR}/sim ${PROJECT_SOURCE_DIR}/sim/windows
                                                 ${PROJECT_SOURCE_DIR}/src)
emberwick_embed_session_page(emberwick-sim)
target_link_options(emberwick-sim PRIVATE ${static_runtime})
include(GameNatives)
emberwick_game_natives(emberwick-sim)
add_dependencies(emberwick-sim Emberwick ScriptHookRDR2)
target_compile_definitions(emberwick-sim PRIVATE
  EMBERWICK_DEFAULT_PLUGIN="$<TARGET_FILE:Emberwick>"
  EMBERWICK_DEFAULT_SESSION="${PROJECT_SOURCE_DIR}/sessions/default.ews")

# --- The stand-in hook ---------------------------------------------------------
# Its exports come from the same definitions as the module's import library.
function(emberwick_standin_hook target dir)
  set(def "${CMAKE_CURRENT_BINARY_DIR}/${target}.def")
  set(contents "LIBRARY ScriptHookRDR2.dll\nEXPORTS\n")
  foreach(local decorated IN ZIP_LISTS EMBERWICK_HOOK_LOCAL_NAMES EMBERWICK_HOOK_DECORATED_NAMES)
    if(NOT local IN_LIST ARGN)
      string(APPEND contents "  ${decorated} = ${local}\n")
    endif()
  endforeach()
  file(GENERATE OUTPUT "${def}" CONTENT "${contents}")
  add_library(${target} SHARED ${PROJECT_SOURCE_DIR}/sim/windows/script_hook_standin.cpp "${def}"
    ${CMAKE_CURRENT_BINARY_DIR}/hook_version.rc)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/sim/windows)
  target_link_options(${target} PRIVATE ${static_runtime})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ScriptHookRDR2 PREFIX ""
    RUNTIME_OUTPUT_DIRECTORY "${dir}" ARCHIVE_OUTPUT_DIRECTORY "${dir}")
endfunction()
emberwick_standin_hook(ScriptHookRDR2 "${CMAKE_CURRENT_BINARY_DIR}")
# A hook that lacks one function, with a copy of the host beside it (the loader
# looks for the hook in the executable's folder first).
set(missing_dir "${CMAKE_CURRENT_BINARY_DIR}/hook-missing-export")
emberwick_standin_hook(ScriptHookRDR2_missing_export "${missing_dir}" keyboardHandlerUnregister)
add_custom_command(TARGET emberwick-sim POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory "${missing_dir}"
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:emberwick-sim> "${missing_dir}/")
add_dependencies(emberwick-sim ScriptHookRDR2_missing_export)

# --- Sessions under Wine --------------------------------------------------------
find_program(EMBERWICK_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
set(EMBERWICK_LINUX_SIM "${PROJECT_SOURCE_DIR}/build/emberwick-sim"
  CACHE FILEPATH "The Linux simulator whose timelines the Windows host must reproduce")
set(EMBERWICK_WINEPREFIX "${CMAKE_CURRENT_BINARY_DIR}/wineprefix" CACHE PATH "The Wine prefix of the tests")
if(NOT EMBERWICK_WINE)
  message(STATUS "Wine not found: the Windows sessions are not tests of this build")
  return()
endif()
set(play ${CMAKE_COMMAND} -DWINE=${EMBERWICK_WINE} -DHOST=$<TARGET_FILE:emberwick-sim>
         -DMODULE=$<TARGET_FILE:Emberwick> -DLINUX_SIM=${EMBERWICK_LINUX_SIM})
set(play_script ${PROJECT_SOURCE_DIR}/tests/wine/play_session.cmake)
set(wine_environment "WINEPREFIX=${EMBERWICK_WINEPREFIX};WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=")
file(GLOB sessions CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/sessions/*.ews)
foreach(session IN LISTS sessions)
  get_filename_component(name ${session} NAME_WE)
  add_test(NAME Wine.SameTimeline.${name} COMMAND ${play} -DMODE=compare -DSESSION=${session} -P ${play_script})
endforeach()
add_test(NAME Wine.RealClocks.throw_in_hand
  COMMAND ${play} -DMODE=real-clocks -DSESSION=${PROJECT_SOURCE_DIR}/sessions/throw_in_hand.ews -P ${play_script})
add_test(NAME Wine.HookMissingAnExport
  COMMAND ${play} -DMODE=missing-export -DHOST=${missing_dir}/emberwick-sim.exe
          -DSESSION=${PROJECT_SOURCE_DIR}/sessions/throw_in_hand.ews -P ${play_script})
get_property(wine_tests DIRECTORY PROPERTY TESTS)
list(FILTER wine_tests INCLUDE REGEX "^Wine[.]")
set_tests_properties(${wine_tests} PROPERTIES LABELS wine ENVIRONMENT "${wine_environment}" TIMEOUT 300)
