# Tests of the plain view functions: no Qt, built also without the windows.
add_executable(views_core_test ${CMAKE_CURRENT_LIST_DIR}/page_search_test.cpp)
target_link_libraries(views_core_test PRIVATE zestovar_core GTest::gtest_main)
gtest_discover_tests(views_core_test PROPERTIES TIMEOUT 60)
