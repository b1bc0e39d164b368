#include "render/video.h"

#include "image/image_file.h"
#include "messages/messages.h"

#include <allegro.h>
#include <alleggl.h>

GLuint mytex = 0;
GLuint tex2 = 0;
BITMAP *mybmp = nullptr;

// Asks AllegroGL for a 640x480 display. Every setting is a suggestion, so
// a window is taken when full screen cannot be had, and whatever colour
// depth, depth buffer and buffering are granted are used as they are.
static int open_display()
{
  allegro_gl_clear_settings();
  allegro_gl_set(AGL_COLOR_DEPTH, 16);
  allegro_gl_set(AGL_Z_DEPTH, 8);
  allegro_gl_set(AGL_FULLSCREEN, TRUE);
  allegro_gl_set(AGL_DOUBLEBUFFER, 1);
  allegro_gl_set(AGL_SUGGEST, AGL_COLOR_DEPTH | AGL_Z_DEPTH | AGL_DOUBLEBUFFER |
                                  AGL_FULLSCREEN);
  set_color_depth(16);
  if (set_gfx_mode(GFX_OPENGL, 640, 480, 0, 0) < 0) {
    allegro_message("%s:\n%s\n", failure_display, allegro_error);
    return -1;
  }
  return 0;
}

// Loads one image into mybmp, at the colour depth of the display.
static int load_image(const char *name)
{
  const char *problem = nullptr;
  mybmp = load_image_file(name, &problem);
  if (!mybmp) {
    allegro_message("%s %s:\n%s\n", failure_image, name, problem);
    return -1;
  }
  return 0;
}

// Makes a texture of mybmp with linear filters and frees the bitmap,
// which nothing reads afterwards.
static GLuint make_texture()
{
  const GLuint name = allegro_gl_make_texture(mybmp);
  // Bind it ourselves in case the texture maker restored an old binding.
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  GL_LINEAR_MIPMAP_LINEAR);
  destroy_bitmap(mybmp);
  mybmp = nullptr;
  return name;
}

// Fixed state for the whole run. No blend factors are set: with the
// defaults (GL_ONE, GL_ZERO) blending writes each fragment unchanged.
static void fixed_state()
{
  glClearColor(0.5f, 0.5f, 1.0f, 1.0f);
  glShadeModel(GL_SMOOTH);
  glPolygonMode(GL_FRONT, GL_FILL);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_POLYGON_SMOOTH);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

int set_video()
{
  if (open_display() != 0)
    return -1;
  if (load_image("lep.bmp") != 0)
    return -1;
  // Mipmapping and the format stay in force for the second texture too.
  allegro_gl_use_mipmapping(TRUE);
  allegro_gl_set_texture_format(GL_RGB8);
  mytex = make_texture();
  if (load_image("emblem.bmp") != 0)
    return -1;
  tex2 = make_texture();
  fixed_state();
  return 0;
}
