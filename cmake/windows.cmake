# The Windows build's own parts: the zip handed to users and, when asked
# for, the tests that run under Wine. Included for Windows builds only.

# The zip is named after the project's version.
set(drive_version "${PROJECT_VERSION}")

# drive-<version>-windows.zip holds one folder of that name with the
# program, stripped of its debug information, the two images it reads
# from its working directory, and licences/: our licence and the notices
# of the libraries linked into the program. windows_zip.cmake makes it,
# the same for the same commit; it is made afresh at every build, as it
# carries the time of the last commit, which no file here depends on.
set(zip_folder drive-${drive_version}-windows)
set(windows_zip ${CMAKE_BINARY_DIR}/${zip_folder}.zip)
add_custom_target(
  windows_zip ALL
  COMMAND ${CMAKE_COMMAND} -DZIP=${windows_zip} -DSTAGE=${CMAKE_BINARY_DIR}/zip
          -DFOLDER=${zip_folder} -DEXE=$<TARGET_FILE:drive>
          -DSTRIP=${CMAKE_STRIP} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
          -DWINDOWS_LIBS=${DRIVE_WINDOWS_LIBS}
          -P ${PROJECT_SOURCE_DIR}/cmake/windows_zip.cmake
  BYPRODUCTS ${windows_zip}
  DEPENDS drive
  VERBATIM)
# scripts/windows.sh prints this path as its last line.
file(WRITE ${CMAKE_BINARY_DIR}/zip_path.txt "${windows_zip}\n")

option(DRIVE_WINDOWS_TESTS "Build the tests that run under Wine" OFF)
if(DRIVE_WINDOWS_TESTS)
  enable_testing()
  add_subdirectory(tests/windows)
endif()
