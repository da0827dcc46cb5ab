# emberwick-sim --check-ini FILE: its exit code and pieces of what it prints.
#   cmake -DSIM=emberwick-sim -DFILE=Emberwick.ini -DEXIT=0 -DEXPECT="piece;piece" -P check_ini.cmake
execute_process(COMMAND ${SIM} --check-ini ${FILE} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL EXIT)
  message(FATAL_ERROR "exit ${rc}, not ${EXIT}, for ${FILE}:\n${out}${err}")
endif()
foreach(piece IN LISTS EXPECT)
  string(FIND "${out}" "${piece}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "'${piece}' is not in what --check-ini printed for ${FILE}:\n${out}")
  endif()
endforeach()
message(STATUS "${out}")
