# Fails unless every DLL that LIBRARY imports (loads at start) is one the
# system provides, or one of ALLOWED where that is given.
cmake_policy(SET CMP0057 NEW)
# Usage: cmake -DOBJDUMP=... -DLIBRARY=... [-DALLOWED=a.dll,b.dll] -P check_imports.cmake
# ALLOWED narrows the system DLLs to those named, in lower case.
set(system_dlls advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll oleacc.dll ole32.dll
                oleaut32.dll shell32.dll shlwapi.dll user32.dll)
set(allowed_kind "a system DLL")
if(DEFINED ALLOWED)
  string(REPLACE "," ";" system_dlls "${ALLOWED}")
  set(allowed_kind "one of ${ALLOWED}")
endif()
execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "no imports found in ${LIBRARY}")
endif()
foreach(line IN LISTS lines)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST system_dlls)
    message(FATAL_ERROR "${LIBRARY} imports ${dll}, which is not ${allowed_kind}")
  endif()
  message(STATUS "imports ${dll}")
endforeach()
