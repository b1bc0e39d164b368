# The web build's Allegro 4, AllegroGL and OpenGL: our own layer in web/
# over the browser, under the names the rest of the build links with
# (PkgConfig::ALLEGRO, OpenGL::GL), so that no other folder's rules
# change. OpenGL 1.1 is emscripten's emulation, linked by web/web.cmake.
add_library(web_allegro STATIC
            web/system.cpp web/keyboard.cpp web/timers.cpp web/bitmap.cpp
            web/mipmaps.cpp web/texture.cpp web/display.cpp web/gl_extra.cpp
            web/yield.cpp web/files.cpp)
target_include_directories(web_allegro PUBLIC ${PROJECT_SOURCE_DIR}/web/include
                           PRIVATE ${PROJECT_SOURCE_DIR})
add_library(PkgConfig::ALLEGRO INTERFACE IMPORTED)
target_link_libraries(PkgConfig::ALLEGRO INTERFACE web_allegro)
add_library(OpenGL::GL INTERFACE IMPORTED)
