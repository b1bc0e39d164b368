// Textures from bitmaps. WebGL 1, under the emulation of OpenGL 1.1,
// takes only unsized formats and mipmaps only power-of-two sides, so a
// bitmap of other sides is scaled to the nearest ones first, as GLU
// does where OpenGL lacks non-power-of-two textures.
#include "web/bitmap_rgb.h"
#include "web/mipmaps.h"
#include "web/yield.h"

#include <allegro.h>
#include <alleggl.h>

namespace
{

bool mipmapping = false;
GLint texture_format = GL_RGBA8;

void upload(int level, const rgb_image &image, GLenum format)
{
  // Rows of 3-byte pixels are not padded to 4 bytes.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (format == GL_RGB) {
    glTexImage2D(GL_TEXTURE_2D, level, GL_RGB, image.w, image.h, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, image.bytes.data());
    return;
  }
  // Opaque: alpha 255 beside each pixel.
  std::vector<unsigned char> rgba;
  rgba.reserve(image.bytes.size() / 3 * 4);
  for (std::size_t i = 0; i < image.bytes.size(); i += 3)
    rgba.insert(rgba.end(),
                {image.bytes[i], image.bytes[i + 1], image.bytes[i + 2], 255});
  glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA, image.w, image.h, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, rgba.data());
}

// A texture of bmp, left bound; 0 if none could be made.
GLuint make_texture(BITMAP *bmp)
{
  GLint max_side = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_side);
  if (max_side < 64)
    max_side = 64; // the least that OpenGL promises
  rgb_image image = bitmap_rgb(bmp);
  image = scale_image(image, nearest_power_of_two(image.w, max_side),
                      nearest_power_of_two(image.h, max_side));
  GLuint name = 0;
  glGenTextures(1, &name);
  if (name == 0)
    return 0;
  glBindTexture(GL_TEXTURE_2D, name);
  const GLenum format =
      texture_format == GL_RGB8 || texture_format == GL_RGB ? GL_RGB : GL_RGBA;
  upload(0, image, format);
  for (int level = 1; mipmapping && (image.w > 1 || image.h > 1); ++level) {
    image = halve_image(image);
    upload(level, image, format);
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  mipmapping ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return name;
}

} // namespace

void allegro_gl_use_mipmapping(int enable)
{
  mipmapping = enable != 0;
}

void allegro_gl_set_texture_format(GLint format)
{
  texture_format = format;
}

// The texture is left bound. Returns 0 if no texture could be made.
// Each texture is a step of the start of its own: the browser runs what
// waits before and after it.
GLuint allegro_gl_make_texture(BITMAP *bmp)
{
  let_browser_run();
  const GLuint name = make_texture(bmp);
  let_browser_run();
  return name;
}
