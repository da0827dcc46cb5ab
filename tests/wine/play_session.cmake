# Plays a session on the Windows host under Wine against Emberwick.asi.
#   MODE=compare         the timeline must equal the Linux one line by line, and
#                        nothing may be left behind
#   MODE=real-clocks     the module reads the real Windows clocks, the frames are
#                        paced in real time: nothing may be left behind
#   MODE=missing-export  the stand-in hook lacks a function: the loader must
#                        refuse the module
# cmake -DMODE=... -DWINE=wine64 -DHOST=emberwick-sim.exe -DMODULE=Emberwick.asi
#       -DSESSION=x.ews -DLINUX_SIM=build/emberwick-sim -P play_session.cmake
cmake_minimum_required(VERSION 3.25)
# Both judgements of the world must be clean: as the session leaves it, and
# after the unload.
function(left_nothing_behind text out_var)
  if(text MATCHES "Before unload: Nothing was left behind" AND text MATCHES "After unload: Nothing was left behind")
    set(${out_var} TRUE PARENT_SCOPE)
  else()
    set(${out_var} FALSE PARENT_SCOPE)
  endif()
endfunction()

function(play_on_windows out_var rc_var)
  execute_process(COMMAND ${WINE} ${HOST} --plugin ${MODULE} ${SESSION}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 300)
  string(REPLACE "\r" "" out "${out}")
  string(REPLACE "\r" "" err "${err}")
  set(${out_var} "${out}${err}" PARENT_SCOPE)
  set(${rc_var} "${rc}" PARENT_SCOPE)
endfunction()

# The timeline and the closing report; the first line names the session by a
# path that differs between the two systems.
function(timeline_lines text out_var)
  string(REGEX REPLACE "^emberwick-sim: session [^\n]*\n" "" text "${text}")
  # CMake lists do not split inside brackets: keep brackets out of the list.
  string(REPLACE "[" "<(>" text "${text}")
  string(REPLACE "]" "<)>" text "${text}")
  string(REPLACE ";" "\\;" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(${out_var} "${lines}" PARENT_SCOPE)
endfunction()

if(MODE STREQUAL "missing-export")
  play_on_windows(windows rc)
  if(rc EQUAL 0 OR NOT windows MATCHES "cannot load [^\n]*: Windows refuses to load it: ScriptHookRDR2.dll does not export")
    message(FATAL_ERROR "the module loaded without a hook function (exit ${rc}):\n${windows}")
  endif()
  if(windows MATCHES "script main registered")
    message(FATAL_ERROR "DllMain ran although the hook lacks a function:\n${windows}")
  endif()
  string(REGEX MATCH "cannot load [^\n]*" refusal "${windows}")
  message(STATUS "${refusal}")
  return()
endif()

if(MODE STREQUAL "real-clocks")
  set(ENV{EMBERWICK_REAL_CLOCKS} 1)
  play_on_windows(windows rc)
  left_nothing_behind("${windows}" clean)
  if(NOT rc EQUAL 0 OR NOT clean)
    message(FATAL_ERROR "with the real clocks (exit ${rc}):\n${windows}")
  endif()
  # Nothing left behind means little unless something was smoked.
  if(NOT windows MATCHES "prop p_cigarette01x #[0-9]+ created")
    message(FATAL_ERROR "with the real clocks nothing was lit:\n${windows}")
  endif()
  message(STATUS "real clocks: a cigarette lit, and nothing was left behind")
  return()
endif()

execute_process(COMMAND ${LINUX_SIM} ${SESSION} OUTPUT_VARIABLE linux RESULT_VARIABLE linux_rc TIMEOUT 300)
if(NOT linux_rc EQUAL 0)
  message(FATAL_ERROR "${LINUX_SIM} failed (exit ${linux_rc}) on ${SESSION}")
endif()
play_on_windows(windows rc)
timeline_lines("${linux}" linux_lines)
timeline_lines("${windows}" windows_lines)
list(LENGTH linux_lines linux_count)
list(LENGTH windows_lines windows_count)
set(line 0)
while(line LESS linux_count OR line LESS windows_count)
  set(a "(no line)")
  set(b "(no line)")
  if(line LESS linux_count)
    list(GET linux_lines ${line} a)
  endif()
  if(line LESS windows_count)
    list(GET windows_lines ${line} b)
  endif()
  if(NOT a STREQUAL b)
    math(EXPR shown "${line} + 2")
    foreach(side a b)
      string(REPLACE "<(>" "[" ${side} "${${side}}")
      string(REPLACE "<)>" "]" ${side} "${${side}}")
    endforeach()
    message(FATAL_ERROR "the timelines differ at line ${shown}:\n  Linux:   ${a}\n  Windows: ${b}\n"
                        "(Windows exit ${rc})")
  endif()
  math(EXPR line "${line} + 1")
endwhile()
left_nothing_behind("${windows}" clean)
if(NOT rc EQUAL 0 OR NOT clean)
  message(FATAL_ERROR "the Windows run ended with exit ${rc}, or with something left behind before or after the unload:\n${windows}")
endif()
message(STATUS "${linux_count} lines, the same on Windows and Linux; nothing was left behind")
