# The web build's program and page: drive.js and drive.wasm made by
# emscripten, the page beside them and the two images, in one folder to
# serve as static files, and a zip of that folder. Included for
# emscripten builds only (the web preset, scripts/web.sh).

# OpenGL 1.1's fixed function and immediate mode, emulated over WebGL 1
# on a context that emscripten's SDL 1 makes. ASYNCIFY lets the flip
# hand control to the browser and resume the loop where it was, so the
# loop keeps its desktop shape. Each start is a fresh instance made by
# createDrive() in a fresh frame of the page (web/page/program.js), from
# the wasm that the page compiled once, with the files it reads handed to
# it (web/files.h: no file system of emscripten's, whose set-up was half
# of the runtime's); the end reaches the page
# through web/main.cpp, not exit(). The images reach 4096 x 4096, so
# memory grows as they need. No WebGL extension is turned on unasked:
# OpenGL 1.1 needs none, and each costs a call to the GPU process at
# start-up (some 40 of them, up to a second with SwiftShader busy). The
# emulation's buffers for immediate mode are 64 kB, not 2 MB: the scene's
# largest glBegin holds 32 vertices of 24 bytes, and the 2 MB cost some
# 100 ms of the start with the CPU slowed 4 times (an index list for
# GL_QUADS made in script and sent to the GPU). The floor page of the
# benchmarks (bench/web_floor.cmake) is linked with the same options.
#
# The page is our own (web/page), not emscripten's HTML shell: Debian's
# emcc 3.1.6 minifies a shell page it makes with htmlmin, passing the
# options as a nested list, which ends in a Python TypeError after the
# page is written. Making drive.js alone skips that step.
target_sources(drive PRIVATE web/main.cpp)

# The drive's record (web/drive_record.h): the loop's poll and step
# reach web/record_hooks.cpp through the linker's --wrap, under their
# C++ names (a change to either's parameters fails the link, as the
# __real_ name is then missing), and the page reads the record through
# the functions of web/record_exports.cpp, and the text with
# UTF8ToString.
add_library(web_record STATIC web/drive_record.cpp record/step_parts.cpp
            record/handling.cpp record/keys.cpp record/columns.cpp
            record/csv_writer.cpp)
target_include_directories(web_record PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(web_record PUBLIC vehicle PkgConfig::ALLEGRO)
target_sources(drive PRIVATE web/record_hooks.cpp web/record_exports.cpp)
target_link_libraries(drive PRIVATE web_record)
target_link_options(drive PRIVATE
  -Wl,--wrap=_Z13process_inputP9car_state
  -Wl,--wrap=_Z10do_physicsP9car_statef)
set(web_link_options
  -sLEGACY_GL_EMULATION=1 -sASYNCIFY=1 -sMODULARIZE=1
  -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web
  -sEXPORTED_RUNTIME_METHODS=UTF8ToString -sFILESYSTEM=0
  -sGL_SUPPORT_AUTOMATIC_ENABLE_EXTENSIONS=0 -sGL_MAX_TEMP_BUFFER_SIZE=65536)
target_link_options(drive PRIVATE ${web_link_options} -sEXPORT_NAME=createDrive
                    -Wl,--wrap=fopen)

set(web_folder_name drive-${PROJECT_VERSION}-web)
set(web_folder ${CMAKE_BINARY_DIR}/${web_folder_name})
set(web_zip ${CMAKE_BINARY_DIR}/${web_folder_name}.zip)
set(web_page ${PROJECT_SOURCE_DIR}/web/page)
set(web_files ${web_page}/index.html ${web_page}/drive_page.js
              ${DRIVE_MEANINGS_JS} ${web_page}/held_keys.js
              ${web_page}/touch.js ${web_page}/gamepad.js
              ${web_page}/frame.html ${web_page}/program.js
              ${web_page}/manifest.json ${web_page}/new_version.js
              ${web_page}/drive_record.js ${web_page}/strip_chart.js
              ${web_page}/model_panel.js
              ${PROJECT_SOURCE_DIR}/data/lep.bmp
              ${PROJECT_SOURCE_DIR}/data/emblem.bmp)
# The installed icons, as icon-SIZE.png for the manifest.
set(web_icons)
set(web_icon_copies)
foreach(size 48 64 128 256)
  set(icon ${PROJECT_SOURCE_DIR}/packaging/icons/${size}x${size}/drive.png)
  list(APPEND web_icons ${icon})
  list(APPEND web_icon_copies COMMAND ${CMAKE_COMMAND} -E copy ${icon}
       ${web_folder}/icon-${size}.png)
endforeach()

add_custom_command(
  OUTPUT ${web_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${web_folder}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${web_folder}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:drive>
          $<TARGET_FILE_DIR:drive>/drive.wasm ${web_files} ${web_folder}
  ${web_icon_copies}
  COMMAND ${CMAKE_COMMAND} -DFOLDER=${web_folder}
          -DTEMPLATE=${web_page}/service_worker.js.in
          -P ${PROJECT_SOURCE_DIR}/web/service_worker.cmake
  COMMAND ${CMAKE_COMMAND} -E tar cf ${web_zip} --format=zip ${web_folder_name}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS drive ${web_files} ${web_icons} ${web_page}/service_worker.js.in
          ${PROJECT_SOURCE_DIR}/web/service_worker.cmake
  VERBATIM)
add_custom_target(web_folder ALL DEPENDS ${web_zip})
# scripts/web.sh prints this path as its last line.
file(WRITE ${CMAKE_BINARY_DIR}/folder_path.txt "${web_folder}/\n")

include(${PROJECT_SOURCE_DIR}/bench/web_floor.cmake)

option(DRIVE_WEB_TESTS "Build the tests run under node and Chromium" OFF)
if(DRIVE_WEB_TESTS)
  enable_testing()
  add_subdirectory(tests/web)
endif()
