# Delay-load import libraries for MinGW-w64: a program links a system DLL
# as usual (-lname) but loads it only when it first calls into it.
#
# zenthra_delay_load(target name...) builds, for each name, an import library
# lib<name>.a whose entries go through the delay-load helper instead of the
# loader, from the functions the toolchain's own import library names, and
# puts their folder first on the target's library path: every -l<name> of the
# target, its own or one its libraries carry, then finds the delay-load one.
# Other targets linking the same libraries keep the ordinary imports.

find_program(ZENTHRA_NM NAMES ${ZENTHRA_MINGW_TRIPLE}-nm REQUIRED)
find_program(ZENTHRA_DLLTOOL NAMES ${ZENTHRA_MINGW_TRIPLE}-dlltool REQUIRED)
find_program(ZENTHRA_OBJDUMP NAMES ${ZENTHRA_MINGW_TRIPLE}-objdump REQUIRED)

# zenthra_add_imports_test(name target [LABEL label] [ALLOWED a.dll,b.dll])
# A test that fails unless every DLL `target` imports at start is a system
# DLL, or, with ALLOWED, one of those (delay-loaded DLLs are not imports at
# start).
function(zenthra_add_imports_test name target)
  cmake_parse_arguments(ARG "" "LABEL;ALLOWED" "" ${ARGN})
  set(allowed)
  if(ARG_ALLOWED)
    set(allowed -DALLOWED=${ARG_ALLOWED})
  endif()
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${ZENTHRA_OBJDUMP} -DLIBRARY=$<TARGET_FILE:${target}> ${allowed}
            -P ${PROJECT_SOURCE_DIR}/tests/linkctl/check_imports.cmake)
  set_tests_properties(${name} PROPERTIES TIMEOUT 30)
  if(ARG_LABEL)
    set_tests_properties(${name} PROPERTIES LABELS ${ARG_LABEL})
  endif()
endfunction()

function(zenthra_delay_load target)
  set(folder ${CMAKE_BINARY_DIR}/delayload/${target})
  file(MAKE_DIRECTORY ${folder})
  foreach(name IN LISTS ARGN)
    find_library(ZENTHRA_IMPORT_LIB_${name} NAMES lib${name}.a REQUIRED NO_CACHE)
    set(import ${ZENTHRA_IMPORT_LIB_${name}})
    set(delayed ${folder}/lib${name}.a)
    add_custom_command(OUTPUT ${delayed}
      COMMAND ${CMAKE_COMMAND} -DNM=${ZENTHRA_NM} -DDLLTOOL=${ZENTHRA_DLLTOOL} -DIMPORT=${import}
              -DNAME=${name} -DOUTPUT=${delayed} -P ${PROJECT_SOURCE_DIR}/cmake/make_delay_library.cmake
      DEPENDS ${import} ${PROJECT_SOURCE_DIR}/cmake/make_delay_library.cmake
      COMMENT "Delay-load import library for ${name}.dll"
      VERBATIM)
    list(APPEND outputs ${delayed})
  endforeach()
  add_custom_target(${target}_delay_libraries DEPENDS ${outputs})
  add_dependencies(${target} ${target}_delay_libraries)
  target_link_directories(${target} BEFORE PRIVATE ${folder})
  # Relinks when a delay-load library changes.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${outputs})
endfunction()
