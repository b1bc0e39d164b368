// The part of AllegroGL that the program uses, for the web build: the
// OpenGL display, its settings, textures from bitmaps and the flip.
#ifndef WEB_ALLEGGL_H
#define WEB_ALLEGGL_H

#include <allegro.h>

#include <GL/gl.h>

#define GFX_OPENGL 1

// Display settings for allegro_gl_set; every one is only a suggestion.
#define AGL_COLOR_DEPTH 0x1
#define AGL_Z_DEPTH 0x2
#define AGL_FULLSCREEN 0x4
#define AGL_DOUBLEBUFFER 0x8
#define AGL_SUGGEST 0x10000

int install_allegro_gl();
void allegro_gl_clear_settings();
void allegro_gl_set(int option, int value);

// Textures from bitmaps, with a full mipmap chain while mipmapping is on.
// The format is the internal format asked for (GL_RGB8 or GL_RGBA8).
void allegro_gl_use_mipmapping(int enable);
void allegro_gl_set_texture_format(GLint format);
GLuint allegro_gl_make_texture(BITMAP *bmp);

// Ends the frame: hands control to the browser until its next animation
// frame, then runs the timer callbacks that have come due.
void allegro_gl_flip();

#endif
