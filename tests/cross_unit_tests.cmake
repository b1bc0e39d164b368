# The Linux build's vehicle and controls unit tests, built for another
# platform (Windows, the web) so that the physics and the poll are
# checked there too, with GoogleTest from the sources Debian ships in
# libgtest-dev. GoogleTest's code is not held to our warning flags.
include(${PROJECT_SOURCE_DIR}/tests/quick_build.cmake)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest
                 EXCLUDE_FROM_ALL)
# Nor to the tests' -O1: at -O0 it compiles in half the time (14 CPU s
# at -O1 for Windows), and a test spends next to nothing in it.
target_compile_options(gtest PRIVATE -Wno-error -O0)
target_compile_options(gtest_main PRIVATE -Wno-error -O0)

set(tests ${PROJECT_SOURCE_DIR}/tests)
add_library(test_support STATIC ${tests}/support/float_compare.cpp
                                ${tests}/support/fresh_car.cpp)
target_include_directories(test_support PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(test_support PUBLIC vehicle GTest::gtest)

add_executable(vehicle_tests ${tests}/vehicle/worked_step_test.cpp
                             ${tests}/vehicle/car_test.cpp
                             ${tests}/vehicle/physics_test.cpp)
target_link_libraries(vehicle_tests PRIVATE vehicle test_support
                                            GTest::gtest_main)
add_executable(controls_tests ${tests}/controls/controls_test.cpp)
target_link_libraries(controls_tests PRIVATE controls test_support
                                             GTest::gtest_main)
