// The OpenGL 1.1 calls that emscripten's emulation lacks.
#include <GL/gl.h>

// The scene's coordinates are whole numbers far inside a float's exact
// range (at most 2000 in size), so single precision draws the same.
void glVertex3d(GLdouble x, GLdouble y, GLdouble z)
{
  glVertex3f(static_cast<GLfloat>(x), static_cast<GLfloat>(y),
             static_cast<GLfloat>(z));
}
