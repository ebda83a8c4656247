# SPDX-License-Identifier: GPL-3.0-or-later
# Test registration helpers shared by every subsystem.
#
#   zelvaro_unit_test(<name> <sources...>)  GoogleTest over core (and fakes when the ui build is on)
#   zelvaro_ui_test(<name> <sources...>)    QtTest over widgets, run offscreen
#   zelvaro_e2e_test(<name> <script>)       shell script driving build/zelvaro under Xvfb
#   zelvaro_fuzz_target(<name> <sources...>) libFuzzer target over a core reader

find_package(GTest QUIET)

function(zelvaro_unit_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE zelvaro_core zelvaro_platform GTest::gtest GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS unit TIMEOUT 300)
endfunction()

function(zelvaro_ui_test name)
  if(NOT ZELVARO_HAVE_UI)
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE zelvaro_ui Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS ui TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy;ZELVARO_TEST_OUT=${CMAKE_BINARY_DIR}/test-out")
endfunction()

function(zelvaro_e2e_test name script)
  if(NOT ZELVARO_HAVE_UI)
    return()
  endif()
  add_test(NAME ${name} COMMAND bash ${script} $<TARGET_FILE:zelvaro>)
  set_tests_properties(${name} PROPERTIES LABELS e2e TIMEOUT 600 RUN_SERIAL TRUE)
endfunction()

function(zelvaro_fuzz_target name)
  if(NOT ZELVARO_FUZZ)
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE zelvaro_core)
endfunction()
