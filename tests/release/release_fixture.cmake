# Steps around the release zip test, run by ctest as fixtures:
#   MODE=pack    CPack's ZIP of this build (CONFIG) into OUT; checks ZIP is there
#   MODE=prefix  removes the Wine prefix PREFIX and makes it anew (MAKE_PREFIX)
#   MODE=unpack  unpacks ZIP into FOLDER, which must end up holding just the
#                release's files
#   MODE=stop    stops the wineserver of PREFIX
cmake_minimum_required(VERSION 3.25)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${result}):\n${output}")
  endif()
endfunction()

if(MODE STREQUAL "pack")
  file(REMOVE_RECURSE "${OUT}")
  run("${CPACK}" -G ZIP --config "${CONFIG}" -B "${OUT}")
  if(NOT EXISTS "${ZIP}")
    message(FATAL_ERROR "CPack made no ${ZIP}")
  endif()
elseif(MODE STREQUAL "prefix")
  # A server left from an earlier run would keep the old registry alive.
  execute_process(COMMAND env "WINEPREFIX=${PREFIX}" wineserver -k OUTPUT_QUIET ERROR_QUIET)
  execute_process(COMMAND env "WINEPREFIX=${PREFIX}" wineserver -w OUTPUT_QUIET ERROR_QUIET)
  file(REMOVE_RECURSE "${PREFIX}")
  file(REMOVE "${PREFIX}.lock")
  run("${MAKE_PREFIX}" "${PREFIX}")
elseif(MODE STREQUAL "unpack")
  file(REMOVE_RECURSE "${FOLDER}")
  file(MAKE_DIRECTORY "${FOLDER}")
  file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${FOLDER}")
  file(GLOB_RECURSE unpacked RELATIVE "${FOLDER}" "${FOLDER}/*")
  list(SORT unpacked)
  set(expected README.txt Zenthra.exe tessarel.ocx)
  if(NOT unpacked STREQUAL expected)
    message(FATAL_ERROR "the zip holds [${unpacked}], expected [${expected}]")
  endif()
elseif(MODE STREQUAL "stop")
  execute_process(COMMAND env "WINEPREFIX=${PREFIX}" wineserver -k OUTPUT_QUIET ERROR_QUIET)
else()
  message(FATAL_ERROR "unknown MODE '${MODE}'")
endif()
