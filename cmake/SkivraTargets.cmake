# Helpers shared by every target of the project.

# Warnings are errors for the project's own code only; system headers keep theirs.
function(skivra_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}/src")
endfunction()

# The core must stay free of the window system, the form framework and the media
# framework, so that every rule it holds can be tested anywhere. The include paths alone
# do not enforce that (X11 headers live in /usr/include), so its sources are scanned on
# every build that touches them.
function(skivra_forbid_platform_headers target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(files "")
  foreach(src IN LISTS sources)
    cmake_path(ABSOLUTE_PATH src BASE_DIRECTORY "${source_dir}" OUTPUT_VARIABLE abs)
    list(APPEND files "${abs}")
  endforeach()
  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${target}.headers.stamp")
  add_custom_command(
    OUTPUT "${stamp}"
    COMMAND ${CMAKE_COMMAND} "-DFILES=${files}" "-DSTAMP=${stamp}"
            -P "${PROJECT_SOURCE_DIR}/cmake/CheckCoreHeaders.cmake"
    DEPENDS ${files} "${PROJECT_SOURCE_DIR}/cmake/CheckCoreHeaders.cmake"
    COMMENT "Checking that ${target} includes no Qt, GStreamer, GLib or X11 header"
    VERBATIM)
  add_custom_target(${target}_header_check DEPENDS "${stamp}")
  add_dependencies(${target} ${target}_header_check)
endfunction()

# A unit test binary: every test case becomes its own ctest entry.
function(skivra_add_unit_test name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  skivra_target_defaults(${name})
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    SKIVRA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    SKIVRA_TEST_TOOLS="${PROJECT_SOURCE_DIR}/tests/support")
  gtest_discover_tests(${name} PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)
endfunction()

# A test binary that needs a real X server (label x11 or e2e). It runs as one ctest entry
# under its own Xvfb on a free display, so no two tests ever share a desktop.
# QT_MAIN gives the binary a main() that creates the Qt application object first (for
# tests of code that needs an event loop or widgets). EACH_CASE makes every gtest case its
# own ctest entry with an X server of its own (for tests that leave a desktop behind them).
# ENV lists NAME=VALUE pairs for the test's environment (SKIVRA_XVFB_SCREEN, for instance).
function(skivra_add_display_test name)
  cmake_parse_arguments(arg "QT_MAIN;EACH_CASE" "LABEL;TIMEOUT" "SOURCES;LIBS;ARGS;ENV" ${ARGN})
  if(NOT arg_LABEL)
    set(arg_LABEL x11)
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 600)
  endif()
  if(arg_QT_MAIN)
    add_executable(${name} ${arg_SOURCES} "${PROJECT_SOURCE_DIR}/tests/support/QtTestMain.cpp")
    target_link_libraries(${name} PRIVATE ${arg_LIBS} Qt6::Widgets GTest::gmock GTest::gtest)
  else()
    add_executable(${name} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gmock GTest::gtest_main)
  endif()
  skivra_target_defaults(${name})
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  target_compile_definitions(${name} PRIVATE
    SKIVRA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    SKIVRA_TEST_TOOLS="${PROJECT_SOURCE_DIR}/tests/support")
  if(TARGET skivra)
    target_compile_definitions(${name} PRIVATE SKIVRA_PROGRAM="$<TARGET_FILE:skivra>"
      SKIVRA_SUBPLAYER_PROGRAM="$<TARGET_FILE:skivra-subplayer>")
    add_dependencies(${name} skivra)
  endif()
  if(arg_EACH_CASE)
    # The X server (and its environment) wraps the listing of the cases too; it costs a
    # second per build.
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
      "env;${arg_ENV};${PROJECT_SOURCE_DIR}/tests/support/with-xvfb")
    gtest_discover_tests(${name} EXTRA_ARGS ${arg_ARGS} DISCOVERY_TIMEOUT 120
      PROPERTIES LABELS ${arg_LABEL} TIMEOUT ${arg_TIMEOUT})
    return()
  endif()
  add_test(NAME ${name}
           COMMAND "${PROJECT_SOURCE_DIR}/tests/support/with-xvfb" $<TARGET_FILE:${name}> ${arg_ARGS})
  set_tests_properties(${name} PROPERTIES LABELS ${arg_LABEL} TIMEOUT ${arg_TIMEOUT})
  if(arg_ENV)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${arg_ENV}")
  endif()
endfunction()
