# Cross-compiles for 64-bit Windows with MinGW-w64 (POSIX threading flavour,
# which std::thread and std::mutex need). The C and C++ runtimes are linked
# statically so that the shipped files import only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZENTHRA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${ZENTHRA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZENTHRA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${ZENTHRA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZENTHRA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every function and object in a section of its own, so that the linker can
# drop what nothing uses; the size-optimised build is also stripped.
set(CMAKE_C_FLAGS_INIT   "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-static -Wl,--gc-sections")
  set(CMAKE_${kind}_LINKER_FLAGS_MINSIZEREL_INIT "-s")
endforeach()
