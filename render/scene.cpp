#include "render/scene.h"

#include "render/video.h"
#include "vehicle/constants.h"

#include <allegro.h>
#include <alleggl.h>

// Scene axes: one unit is one metre, y is height, and a world point
// (x, y) of the car's plane lies at scene (-x, 0, -y). The road runs from
// scene z = 0 to -2000 in four segments of 500, one copy of each texture
// per segment.

// A point of the road's cross-section: scene x and height.
struct profile_point {
  double x;
  double height;
};

// Roadway 40 wide at height 0, a bank rising 2 over 3 on each side.
static const profile_point left_top = {-23.0, 2.0};
static const profile_point left_edge = {-20.0, 0.0};
static const profile_point right_edge = {20.0, 0.0};
static const profile_point right_top = {23.0, 2.0};

static const double segment_length = 500.0;

// One vertex: texture coordinates as floats, position as doubles.
static void vertex(float s, float t, profile_point p, double z)
{
  glTexCoord2f(s, t);
  glVertex3d(p.x, p.height, z);
}

// One strip of segment k between profile points a and b (a at smaller
// x): s runs along the road (0 at the near end), t across (0 at a).
static void strip(profile_point a, profile_point b, int k)
{
  const double near_z = 0.0 - segment_length * k; // +0, not -0, at k = 0
  const double far_z = 0.0 - segment_length * (k + 1);
  vertex(1.0f, 0.0f, a, far_z);
  vertex(1.0f, 1.0f, b, far_z);
  vertex(0.0f, 1.0f, b, near_z);
  vertex(0.0f, 0.0f, a, near_z);
}

// An upright wall filling the cross-section at depth z: s runs across
// (1 at negative x), t upwards.
static void wall(double z)
{
  vertex(1.0f, 0.0f, left_edge, z);
  vertex(1.0f, 1.0f, left_top, z);
  vertex(0.0f, 1.0f, right_top, z);
  vertex(0.0f, 0.0f, right_edge, z);
}

// Turns the view by minus the heading and shifts it so that the eye is 1
// above the car's world position, looking along the car's forward axis.
static void place_eye(const car_state *car)
{
  // Degrees, computed in double and rounded once to a float.
  const float r =
      static_cast<float>(static_cast<double>(car->angle) * 180.0f * -1.0f / pi);
  glRotatef(r, 0.0f, 1.0f, 0.0f);
  glTranslatef(car->position_wc.x, -1.0f, car->position_wc.y);
}

// The roadway, four segments of the road surface texture.
static void draw_road()
{
  glBindTexture(GL_TEXTURE_2D, mytex);
  glBegin(GL_QUADS);
  for (int k = 0; k < 4; ++k)
    strip(left_edge, right_edge, k);
  glEnd();
}

// Both banks, segment by segment, the left one first.
static void draw_banks()
{
  glBindTexture(GL_TEXTURE_2D, tex2);
  glBegin(GL_QUADS);
  for (int k = 0; k < 4; ++k) {
    strip(left_top, left_edge, k);
    strip(right_edge, right_top, k);
  }
  glEnd();
}

// The walls use the roadside texture still bound from the banks. The
// second stands at z = +2000, behind the road's near end.
static void draw_walls()
{
  glBegin(GL_QUADS);
  wall(0.0);
  wall(2000.0);
  glEnd();
}

void render(const car_state *car)
{
  // The whole camera goes onto the projection matrix; the modelview stays
  // the identity. The frustum is square, 90 degrees both ways, although
  // the display is 4:3: the picture is stretched across.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glPushMatrix();
  glFrustum(-1.0, 1.0, -1.0, 1.0, 1.0, 500.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  place_eye(car);
  glEnable(GL_BLEND);
  draw_road();
  draw_banks();
  draw_walls();
  glPopMatrix(); // back to the identity loaded above
  allegro_gl_flip();
}
