# zestovar_add_qt_test(NAME SOURCES...): a QtTest program on the window library, run headless.
function(zestovar_add_qt_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE zestovar_app zestovar_qt_test_support Qt6::Test)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp")
endfunction()

# zestovar_add_core_test(NAME SOURCES...): a GoogleTest program on the core library alone.
function(zestovar_add_core_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE zestovar_core zestovar_test_support GTest::gtest_main)
  # A walk that loops shows as a time-out, never as a hung run.
  gtest_discover_tests(${name} PROPERTIES TIMEOUT 120)
endfunction()
