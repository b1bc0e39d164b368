# The web build's program and page: drive.js and drive.wasm made by
# emscripten, the page beside them and the two images, in one folder to
# serve as static files, and a zip of that folder. Included for
# emscripten builds only (the web preset, scripts/web.sh).

# OpenGL 1.1's fixed function and immediate mode, emulated over WebGL 1
# on a context that emscripten's SDL 1 makes. ASYNCIFY lets the flip
# hand control to the browser and resume the loop where it was, so the
# loop keeps its desktop shape. Each start is a fresh instance made by
# createDrive() in a fresh frame of the page (web/page/frame.*), which
# writes its files (FS) before main runs; the end reaches the page
# through web/main.cpp, not exit(). The images reach 4096 x 4096, so
# memory grows as they need.
#
# The page is our own (web/page), not emscripten's HTML shell: Debian's
# emcc 3.1.6 minifies a shell page it makes with htmlmin, passing the
# options as a nested list, which ends in a Python TypeError after the
# page is written. Making drive.js alone skips that step.
target_sources(drive PRIVATE web/main.cpp)
target_link_options(drive PRIVATE
  -sLEGACY_GL_EMULATION=1 -sASYNCIFY=1 -sMODULARIZE=1
  -sEXPORT_NAME=createDrive -sALLOW_MEMORY_GROWTH=1
  -sENVIRONMENT=web -sEXPORTED_RUNTIME_METHODS=FS)

set(web_folder_name drive-${PROJECT_VERSION}-web)
set(web_folder ${CMAKE_BINARY_DIR}/${web_folder_name})
set(web_zip ${CMAKE_BINARY_DIR}/${web_folder_name}.zip)
set(web_files ${PROJECT_SOURCE_DIR}/web/page/index.html
              ${PROJECT_SOURCE_DIR}/web/page/drive_page.js
              ${DRIVE_MEANINGS_JS}
              ${PROJECT_SOURCE_DIR}/web/page/frame.html
              ${PROJECT_SOURCE_DIR}/web/page/frame.js
              ${PROJECT_SOURCE_DIR}/data/lep.bmp
              ${PROJECT_SOURCE_DIR}/data/emblem.bmp)
add_custom_command(
  OUTPUT ${web_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${web_folder}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${web_folder}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:drive>
          $<TARGET_FILE_DIR:drive>/drive.wasm ${web_files} ${web_folder}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${web_zip} --format=zip ${web_folder_name}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS drive ${web_files}
  VERBATIM)
add_custom_target(web_folder ALL DEPENDS ${web_zip})
# scripts/web.sh prints this path as its last line.
file(WRITE ${CMAKE_BINARY_DIR}/folder_path.txt "${web_folder}/\n")

option(DRIVE_WEB_TESTS "Build the tests run under node and Chromium" OFF)
if(DRIVE_WEB_TESTS)
  enable_testing()
  add_subdirectory(tests/web)
endif()
