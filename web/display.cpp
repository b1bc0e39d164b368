// The 640x480 OpenGL display, on the page's canvas: a WebGL context from
// emscripten's SDL 1, under which emscripten emulates OpenGL 1.1's fixed
// function and immediate mode. And the flip, which paces the loop.
#include "messages/messages.h"
#include "web/timers.h"
#include "web/yield.h"

#include <allegro.h>
#include <alleggl.h>

#include <SDL/SDL.h>
#include <emscripten.h>

#include <cstring>

namespace
{

int z_depth = 16;               // bits, if a depth buffer is asked for
int mode_w = 640, mode_h = 480; // the display the program asked for
bool flipped = false;           // whether the first frame is out

void fail(const char *why)
{
  std::strncpy(allegro_error, why, sizeof allegro_error - 1);
}

} // namespace

// Whether the browser makes WebGL contexts at all, tried on a canvas of
// its own once the page's canvas has been refused one: the reason to
// give. Not tried first, as each context costs a call to the GPU process.
EM_JS(int, browser_has_webgl, (), {
  try {
    var canvas = document.createElement("canvas");
    return canvas.getContext("webgl") ? 1 : 0;
  } catch (e) {
    return 0;
  }
});

// The page's canvas's WebGL context, made ahead of SDL, in a step of the
// start of its own: making it is the costliest call of the start (the
// browser sets up its GPU process's side). SDL's own request then finds
// it made, and sets up the emulation in the next step. The attributes
// are those SDL asks for with the program's settings: no antialiasing,
// no alpha, no stencil, a depth buffer if one is wanted; the first
// request fixes them. Nothing is told of a refusal here: SDL asks again.
EM_JS(void, make_context, (int depth_bits), {
  try {
    Module["canvas"].getContext("webgl", {
      antialias : false,
      alpha : false,
      depth : depth_bits > 0,
      stencil : false
    });
  } catch (e) {
  }
});

// Whether SDL made the page's canvas a GL context.
EM_JS(int, display_has_context, (), { return Module["ctx"] ? 1 : 0; });

// The page's word that the first frame is drawn (its onDriveFirstFrame
// hook, if it has one).
EM_JS(void, tell_page_first_frame, (), {
  if (Module["onDriveFirstFrame"])
    Module["onDriveFirstFrame"]();
});

// Waits for the browser's next animation frame: the browser shows what
// was drawn and handles its events meanwhile.
EM_ASYNC_JS(void, wait_for_frame, (), {
  await new Promise(function(resolve) { requestAnimationFrame(resolve); });
});

// Draws at the screen's pixels where the page shows the display larger
// than its mode: the canvas's backing store becomes the mode scaled to
// the canvas's size on the page times the device's pixel ratio (kept at
// 4:3, never below the mode, at most 4096 wide), and the viewport
// follows. The program still sees its mode: its projection fills the
// viewport whatever its size. Called between frames, before the program
// draws, since resizing clears the canvas.
EM_JS(void, fit_canvas_to_page, (int w, int h), {
  var canvas = Module["canvas"];
  var shown = Math.min(canvas.clientWidth / w, canvas.clientHeight / h);
  var scale =
      Math.max(1, Math.min(shown * (window.devicePixelRatio || 1), 4096 / w));
  var width = Math.round(w * scale);
  var height = Math.round(h * scale);
  if (canvas.width == width && canvas.height == height)
    return;
  canvas.width = width;
  canvas.height = height;
  GLctx.viewport(0, 0, width, height);
});

void allegro_gl_clear_settings()
{
  z_depth = 16;
}

// The browser chooses colour depth, buffering and full screen (the last
// only on a person's gesture, which the page offers); only whether a
// depth buffer is wanted reaches WebGL.
void allegro_gl_set(int option, int value)
{
  if (option == AGL_Z_DEPTH)
    z_depth = value;
}

int set_gfx_mode(int card, int w, int h, int, int)
{
  if (card != GFX_OPENGL) {
    fail(cause_only_opengl);
    return -1;
  }
  // The context and the emulation's set-up are two long steps of the
  // start: the browser runs what waits before, between and after them.
  let_browser_run();
  make_context(z_depth);
  let_browser_run();
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, z_depth);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  if (!SDL_SetVideoMode(w, h, 16, SDL_OPENGL) || !display_has_context()) {
    fail(browser_has_webgl() ? cause_webgl_refused : cause_no_webgl);
    return -1;
  }
  mode_w = w;
  mode_h = h;
  glViewport(0, 0, w, h);
  fit_canvas_to_page(w, h);
  let_browser_run();
  return 0;
}

void allegro_gl_flip()
{
  if (!flipped) {
    flipped = true;
    tell_page_first_frame();
  }
  wait_for_frame();
  fit_canvas_to_page(mode_w, mode_h);
  // SDL queues the canvas's mouse events; nothing reads them.
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
  }
  timers_run_until(emscripten_get_now());
}
