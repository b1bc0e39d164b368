# The Windows build's own parts: the zip handed to users and, when asked
# for, the tests that run under Wine. Included for Windows builds only.

# The zip is named after the project's version.
set(drive_version "${PROJECT_VERSION}")

# drive-<version>-windows.zip holds one folder of that name with the
# program, stripped of its debug information, and the two images it reads
# from its working directory.
set(zip_folder drive-${drive_version}-windows)
set(windows_zip ${CMAKE_BINARY_DIR}/${zip_folder}.zip)
set(zip_stage ${CMAKE_BINARY_DIR}/zip)
file(MAKE_DIRECTORY ${zip_stage})
add_custom_command(
  OUTPUT ${windows_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${zip_stage}/${zip_folder}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${zip_stage}/${zip_folder}
  COMMAND ${CMAKE_STRIP} -o ${zip_stage}/${zip_folder}/drive.exe
          $<TARGET_FILE:drive>
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/lep.bmp
          ${PROJECT_SOURCE_DIR}/data/emblem.bmp ${zip_stage}/${zip_folder}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${windows_zip} --format=zip ${zip_folder}
  WORKING_DIRECTORY ${zip_stage}
  DEPENDS drive ${PROJECT_SOURCE_DIR}/data/lep.bmp
          ${PROJECT_SOURCE_DIR}/data/emblem.bmp
  VERBATIM)
add_custom_target(windows_zip ALL DEPENDS ${windows_zip})
# scripts/windows.sh prints this path as its last line.
file(WRITE ${CMAKE_BINARY_DIR}/zip_path.txt "${windows_zip}\n")

option(DRIVE_WINDOWS_TESTS "Build the tests that run under Wine" OFF)
if(DRIVE_WINDOWS_TESTS)
  enable_testing()
  add_subdirectory(tests/windows)
endif()
