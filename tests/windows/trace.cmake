# The long drive that is compared step by step between the Linux and the
# Windows builds, and the test of the comparison itself. Included by the
# tests of every build.
add_library(trace_compare STATIC ${CMAKE_CURRENT_LIST_DIR}/trace_compare.cpp
                                 ${PROJECT_SOURCE_DIR}/tests/support/scripted_drive.cpp)
target_link_libraries(trace_compare PUBLIC controls test_support)
add_executable(drive_trace ${CMAKE_CURRENT_LIST_DIR}/drive_trace.cpp)
target_link_libraries(drive_trace PRIVATE trace_compare)
add_executable(trace_compare_tests
               ${CMAKE_CURRENT_LIST_DIR}/trace_compare_test.cpp)
target_link_libraries(trace_compare_tests PRIVATE trace_compare
                                                  GTest::gtest_main)
