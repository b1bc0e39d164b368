// The display, the two road textures and the fixed rendering state.
#ifndef RENDER_VIDEO_H
#define RENDER_VIDEO_H

// The library's own headers rather than <GL/gl.h> and a bare BITMAP
// declaration: on Windows they keep Allegro's BITMAP apart from the
// Windows headers' type of the same name.
#include <allegro.h>
#include <alleggl.h>

// OpenGL texture names: the road surface and the roadside (banks and end
// walls). 0 until set_video has made them; never deleted.
extern GLuint mytex;
extern GLuint tex2;

// Carries each loaded image to the texture maker during set-up; null
// before and after, so it never points at a freed bitmap.
extern BITMAP *mybmp;

// Opens the 640x480 OpenGL display, makes both textures from lep.bmp and
// emblem.bmp in the working directory and sets the fixed rendering state.
// Returns 0, or -1 after one message when the display mode cannot be set
// or an image cannot be read.
int set_video();

#endif
