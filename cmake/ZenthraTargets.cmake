include(GoogleTest)

# Warnings for the project's own targets (not for third-party code).
function(zenthra_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  endif()
endfunction()

# A GoogleTest program whose cases ctest lists one by one. Under a cross
# build every case runs through the emulator (Wine); each has a timeout so
# that a window test that waits for ever cannot hold up the run. ENVIRONMENT
# (optional) is set for each case, e.g. ZENTHRA_WINEPREFIX=... for a test
# that needs a Wine prefix of its own; RESOURCE_LOCK (optional) keeps cases
# that share such a prefix's registry or files from running at once;
# RESOURCE_GROUPS (optional) is ZENTHRA_DESKTOP_LANE for cases that show
# windows, ZENTHRA_ALL_DESKTOP_LANES for those in a prepared prefix;
# FIXTURES_REQUIRED (optional) names set-up tests that run first, and
# TEST_PREFIX (optional) tells apart cases of one source built twice;
# TEST_FILTER (optional, a gtest filter) lists only the cases it matches.
function(zenthra_add_gtest target)
  cmake_parse_arguments(ARG "" "TIMEOUT;TEST_PREFIX;TEST_FILTER" "SOURCES;LIBRARIES;LABELS;ENVIRONMENT;RESOURCE_LOCK;RESOURCE_GROUPS;FIXTURES_REQUIRED"
                        ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 60)
  endif()
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main GTest::gmock)
  zenthra_warnings(${target})
  # Optional properties go in only when given: an empty value would make the
  # next property name its value.
  set(properties TIMEOUT ${ARG_TIMEOUT})
  foreach(property LABELS ENVIRONMENT RESOURCE_LOCK RESOURCE_GROUPS FIXTURES_REQUIRED)
    if(ARG_${property})
      list(APPEND properties ${property} "${ARG_${property}}")
    endif()
  endforeach()
  set(filter)
  if(ARG_TEST_FILTER)
    set(filter TEST_FILTER "${ARG_TEST_FILTER}")
  endif()
  gtest_discover_tests(${target}
    TEST_PREFIX "${ARG_TEST_PREFIX}"
    ${filter}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES ${properties})
endfunction()
