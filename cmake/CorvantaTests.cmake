# GoogleTest for both flavours and one helper to declare a test program.
#
# Host: Debian's packaged GoogleTest. Windows: GoogleTest built from source
# (Debian's googletest package on the cross build, or GTEST_SOURCE_DIR).

if(WIN32)
  set(GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # GoogleTest's own code is not held to our warning flags.
  add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/_googletest EXCLUDE_FROM_ALL)
  foreach(t gtest gtest_main gmock gmock_main)
    if(TARGET ${t})
      if(NOT MSVC)
        target_compile_options(${t} PRIVATE -w)
      endif()
      if(NOT TARGET GTest::${t})
        add_library(GTest::${t} ALIAS ${t})
      endif()
    endif()
  endforeach()
  set(CORVANTA_FLAVOUR windows)
else()
  find_package(GTest REQUIRED)
  set(CORVANTA_FLAVOUR host)
endif()

# corvanta_test(<name> SOURCES <files...> LIBS <targets...> [NO_MAIN])
# Builds one test program and registers it once with CTest (one process per
# program, not per case: under Wine every start costs time). In the windows
# flavour CTest runs it through the Wine runner (the cross-compiling emulator).
function(corvanta_test name)
  cmake_parse_arguments(T "NO_MAIN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest)
  if(NOT T_NO_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${CORVANTA_FLAVOUR}.${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${CORVANTA_FLAVOUR}.${name} PROPERTIES
    LABELS ${CORVANTA_FLAVOUR} TIMEOUT 600)
endfunction()
