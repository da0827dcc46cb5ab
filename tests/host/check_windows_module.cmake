# Emberwick.asi as the loader sees it: the hook imported under its eight
# decorated names, otherwise only Windows system DLLs (the C and C++ runtimes
# are linked in), no exports, and the version resource.
#   cmake -DMODULE=Emberwick.asi -DOBJDUMP=objdump -DVERSION=x.y.z -P this
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p failed on ${MODULE}")
endif()
string(REPLACE ";" "," dump "${dump}")
string(REPLACE "\n" ";" lines "${dump}")

# Imports, grouped by DLL.
set(dll "")
set(dlls "")
set(hook_imports "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*DLL Name: (.+)$")
    set(dll "${CMAKE_MATCH_1}")
    list(APPEND dlls "${dll}")
  elseif(line MATCHES "^[ \t]*$")
    set(dll "")
  elseif(dll STREQUAL "ScriptHookRDR2.dll" AND line MATCHES "^[ \t]*[0-9a-f]+[ \t]+[0-9]+[ \t]+([^ \t]+)")
    list(APPEND hook_imports "${CMAKE_MATCH_1}")
  endif()
endforeach()

set(problems "")
list(FIND dlls "ScriptHookRDR2.dll" at)
if(at EQUAL -1)
  list(APPEND problems "ScriptHookRDR2.dll is not imported")
endif()
list(SORT hook_imports)
set(expected
  "?scriptRegister@@YAXPEAUHINSTANCE__@@P6AXXZ@Z"
  "?scriptUnregister@@YAXPEAUHINSTANCE__@@@Z"
  "?scriptWait@@YAXK@Z"
  "?keyboardHandlerRegister@@YAXP6AXKGEHHHH@Z@Z"
  "?keyboardHandlerUnregister@@YAXP6AXKGEHHHH@Z@Z"
  "?nativeInit@@YAX_K@Z"
  "?nativePush64@@YAX_K@Z"
  "?nativeCall@@YAPEA_KXZ")
list(SORT expected)
if(NOT hook_imports STREQUAL expected)
  list(JOIN hook_imports " " found)
  list(JOIN expected " " wanted)
  list(APPEND problems "imports from ScriptHookRDR2.dll are [${found}], expected [${wanted}]")
endif()
foreach(name IN LISTS dlls)
  string(TOLOWER "${name}" lower)
  if(name STREQUAL "ScriptHookRDR2.dll" OR lower MATCHES
     "^(kernel32|user32|advapi32|ntdll|msvcrt|ucrtbase|vcruntime140(_1)?|api-ms-win-[a-z0-9-]+)\\.dll$")
    continue()
  endif()
  list(APPEND problems "imports ${name}, which is not a Windows system DLL")
endforeach()

# Exports: an empty table (or none at all); each export is one "+base[n]" row.
set(exports "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*\\[ *[0-9]+\\] \\+base\\[")
    list(APPEND exports "${line}")
  endif()
endforeach()
if(exports)
  list(LENGTH exports count)
  list(APPEND problems "the module exports ${count} symbol(s)")
endif()

# The version resource: "ProductVersion" and "FileVersion" with the project version (UTF-16).
function(utf16_hex text out)
  file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/utf16.tmp" "${text}")
  file(READ "${CMAKE_CURRENT_BINARY_DIR}/utf16.tmp" hex HEX)
  file(REMOVE "${CMAKE_CURRENT_BINARY_DIR}/utf16.tmp")
  string(REGEX REPLACE "(..)" "\\100" hex "${hex}")
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()
file(READ ${MODULE} module_hex HEX)
utf16_hex("${VERSION}" version_hex)
foreach(key FileVersion ProductVersion)
  utf16_hex("${key}" key_hex)
  if(NOT module_hex MATCHES "${key_hex}0000(0000)*${version_hex}0000")
    list(APPEND problems "no ${key} ${VERSION} in the version resource")
  endif()
endforeach()

if(problems)
  string(REPLACE ";" "\n  " problems "${problems}")
  message(FATAL_ERROR "${MODULE}:\n  ${problems}")
endif()
list(JOIN dlls ", " dll_list)
message(STATUS "${MODULE}: imports ${dll_list}; the hook's eight functions; no exports; version ${VERSION}")
