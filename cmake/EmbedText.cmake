# Text files compiled into a program, so that it needs nothing beside it.
#
#   emberwick_embed_text(TARGET FILE FUNCTION HEADER)
#
# adds to TARGET a source, made at build time from FILE, that defines
#
#   std::string_view FUNCTION() { return <the contents of FILE>; }
#
# FUNCTION is namespace-qualified and declared in HEADER, which the source
# includes (from TARGET's include directories). Edits to FILE rebuild it.
# Run as a script (cmake -P) this file makes that source.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${INPUT}" text)
  # The contents go into a raw string literal as they are.
  set(delimiter EMBERWICK)
  string(FIND "${text}" ")${delimiter}\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${INPUT} holds )${delimiter}\", which would end the string it is embedded in")
  endif()
  file(WRITE "${OUTPUT}"
    "// Made at build time by cmake/EmbedText.cmake from ${INPUT}: edit that file.\n"
    "#include \"${HEADER}\"\n\n"
    "std::string_view ${FUNCTION}() {\n"
    "  return R\"${delimiter}(${text})${delimiter}\";\n"
    "}\n")
  return()
endif()

function(emberwick_embed_text target file function header)
  get_filename_component(name "${file}" NAME)
  set(output "${CMAKE_CURRENT_BINARY_DIR}/embedded/${target}/${name}.cpp")
  add_custom_command(OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" "-DINPUT=${file}" "-DOUTPUT=${output}" "-DFUNCTION=${function}"
            "-DHEADER=${header}" -P "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
    DEPENDS "${file}" "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
    COMMENT "Embedding ${name} into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${output}")
endfunction()

# The session picture's style sheet and script (sim/report/page_assets.h),
# for each build of the simulator.
function(emberwick_embed_session_page target)
  foreach(asset IN ITEMS "page.css;PageStyle" "page.js;PageScript")
    list(GET asset 0 file)
    list(GET asset 1 function)
    emberwick_embed_text(${target} "${PROJECT_SOURCE_DIR}/sim/report/${file}" "sim::report::${function}"
                         report/page_assets.h)
  endforeach()
endfunction()
