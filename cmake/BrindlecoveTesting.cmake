# GoogleTest from Debian's sources, built for whichever target this tree builds.
set(BC_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${BC_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(CMAKE_CROSSCOMPILING)
  target_include_directories(gtest BEFORE PUBLIC ${CMAKE_SOURCE_DIR}/tests/gtest_win32_threads)
endif()

set(BC_SESSION_DIR ${CMAKE_BINARY_DIR}/session)

# Windows tests share one Wine session (prefix, Xvfb display, wineserver) that
# the harness opens before the first of them and closes after the last.
# Every prefix that the tree's tests make is of the tree's architecture.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(BC_WINE_ARCH win64)
else()
  set(BC_WINE_ARCH win32)
endif()
if(CMAKE_CROSSCOMPILING)
  set(session_script ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh)
  add_test(NAME wine_session_open COMMAND ${session_script} open ${BC_SESSION_DIR})
  add_test(NAME wine_session_close COMMAND ${session_script} close ${BC_SESSION_DIR})
  set_tests_properties(wine_session_open PROPERTIES FIXTURES_SETUP wine_session ENVIRONMENT BC_WINE_ARCH=${BC_WINE_ARCH})
  set_tests_properties(wine_session_close PROPERTIES FIXTURES_CLEANUP wine_session)
endif()

function(bc_wine_test_properties test_name)
  if(CMAKE_CROSSCOMPILING)
    set_tests_properties(${test_name} PROPERTIES
      FIXTURES_REQUIRED wine_session
      ENVIRONMENT "BC_SESSION_DIR=${BC_SESSION_DIR};BC_WINE_ARCH=${BC_WINE_ARCH}")
  endif()
endfunction()

# bc_add_gtest(name SOURCES ... LIBS ... [GUI])
# GUI tests drive the one builder of the build folder, so they take turns.
function(bc_add_gtest name)
  cmake_parse_arguments(T "GUI" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  bc_wine_test_properties(${name})
  # The platform-free suites: all that a host which runs the shipped 32-bit
  # programs builds and tests of the 64-bit tree (scripts/test.sh).
  if(name MATCHES "core")
    if(NOT TARGET core_tests)
      add_custom_target(core_tests)
    endif()
    add_dependencies(core_tests ${name})
  endif()
  if(T_GUI)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK builder_gui)
  endif()
  if(T_TIMEOUT)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  else()
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  endif()
endfunction()
