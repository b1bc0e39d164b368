# Test code is compiled for a quick build rather than a quick run: at -O1
# without debug information GoogleTest's macros take half the compiler's
# time that they take at -O2 -g (3.7 against 7.3 CPU s for
# controls_test.cpp), and the tests run in seconds either way. The code
# under test keeps its own build's flags, and -ffp-contract=off gives
# every sum the same digits at any level. The sanitizer build (Debug)
# keeps -O0 -g for its reports.
add_compile_options($<$<NOT:$<CONFIG:Debug>>:-O1>
                    $<$<NOT:$<CONFIG:Debug>>:-g0>)
# No test goes into a package: compiled through the cache in every build
# (cmake/compiler_cache.cmake).
if(drive_compiler_launcher)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${drive_compiler_launcher})
endif()
