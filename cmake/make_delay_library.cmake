# Makes a delay-load import library from an ordinary MinGW-w64 one: the DLL's
# functions are the __imp_ symbols the ordinary library defines.
#   cmake -DNM=... -DDLLTOOL=... -DIMPORT=libx.a -DNAME=x -DOUTPUT=out/libx.a -P make_delay_library.cmake

execute_process(COMMAND ${NM} ${IMPORT} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} could not read ${IMPORT}")
endif()
string(REGEX MATCHALL "[ \t]I __imp_[A-Za-z0-9_@?$]+" entries "${symbols}")
set(exports "")
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^[ \t]I __imp_" "" function "${entry}")
  list(APPEND exports ${function})
endforeach()
list(REMOVE_DUPLICATES exports)
if(NOT exports)
  message(FATAL_ERROR "${IMPORT} names no functions")
endif()
list(JOIN exports "\n" lines)
get_filename_component(folder ${OUTPUT} DIRECTORY)
set(definition ${folder}/${NAME}.def)
file(WRITE ${definition} "LIBRARY ${NAME}.dll\nEXPORTS\n${lines}\n")
execute_process(COMMAND ${DLLTOOL} --input-def ${definition} --output-delaylib ${OUTPUT}
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${DLLTOOL} could not make ${OUTPUT}")
endif()
