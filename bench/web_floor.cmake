# The floor page of bench/web_figures.sh, build/web/floor/floor.html: a
# program of a context, one clear and one flip, linked with the page's
# program's options and our display. Built on demand only:
#   cmake --build --preset web --target web_floor
set(web_floor_folder ${CMAKE_BINARY_DIR}/floor)
add_executable(web_floor EXCLUDE_FROM_ALL
               ${PROJECT_SOURCE_DIR}/bench/web_floor.cpp
               ${PROJECT_SOURCE_DIR}/web/main.cpp)
# web/main.cpp starts the drive's record (web/drive_record.h).
target_link_libraries(web_floor PRIVATE web_record PkgConfig::ALLEGRO OpenGL::GL)
target_link_options(web_floor PRIVATE ${web_link_options}
                    -sEXPORT_NAME=createFloor)
set_target_properties(web_floor PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                      ${web_floor_folder})
add_custom_command(TARGET web_floor POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/bench/web_floor.html
          ${web_floor_folder}/floor.html
  VERBATIM)
