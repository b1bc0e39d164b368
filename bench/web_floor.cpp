// The floor of the web page's first frame (bench/web_figures.sh): what
// any program built as the page's program is, with the same emscripten
// options and display, pays before its first frame. A WebGL context
// under the emulation of OpenGL 1.1, one clear, one flip, and the end.
#include <allegro.h>
#include <alleggl.h>

int main()
{
  if (allegro_init() != 0 || set_gfx_mode(GFX_OPENGL, 640, 480, 0, 0) != 0)
    return 1;
  glClearColor(0.5f, 0.5f, 1.0f, 1.0f); // the program's sky
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  allegro_gl_flip();
  return 0;
}
END_OF_MAIN()
