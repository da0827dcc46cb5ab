# The simulator's table of the game's native signatures, generated at build
# time from gamedata/natives.tsv (see gamedata/README.md), so that neither the
# Linux simulator nor the Windows host reads a file at run time.
#
#   emberwick_game_natives(TARGET)  gives TARGET the generated game_natives.inc
set(EMBERWICK_GAME_NATIVES_TSV "${PROJECT_SOURCE_DIR}/gamedata/natives.tsv")
set(EMBERWICK_GAME_NATIVES_DIR "${CMAKE_BINARY_DIR}/generated")
set(EMBERWICK_GAME_NATIVES_INC "${EMBERWICK_GAME_NATIVES_DIR}/game_natives.inc")
add_custom_command(OUTPUT "${EMBERWICK_GAME_NATIVES_INC}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${EMBERWICK_GAME_NATIVES_DIR}"
  COMMAND ${CMAKE_COMMAND} -DIN=${EMBERWICK_GAME_NATIVES_TSV} -DOUT=${EMBERWICK_GAME_NATIVES_INC}
          -P ${PROJECT_SOURCE_DIR}/cmake/game_natives_table.cmake
  DEPENDS "${EMBERWICK_GAME_NATIVES_TSV}" "${PROJECT_SOURCE_DIR}/cmake/game_natives_table.cmake"
  COMMENT "The game's native signatures from gamedata/natives.tsv"
  VERBATIM)

function(emberwick_game_natives target)
  target_sources(${target} PRIVATE "${EMBERWICK_GAME_NATIVES_INC}")
  target_include_directories(${target} PRIVATE "${EMBERWICK_GAME_NATIVES_DIR}")
endfunction()
