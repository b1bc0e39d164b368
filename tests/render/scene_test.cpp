// The real display set-up and road scene under Xvfb and Mesa, with the
// two images swapped for flat colours so that each pixel tells what it
// shows: road red, roadside green in its lower half (image bottom rows)
// and blue in its upper half, sky the clear colour (0.5, 0.5, 1).
// gtest first: the X11 headers behind alleggl.h define None.
#include <gtest/gtest.h>

#include "render/scene.h"
#include "render/video.h"
#include "tests/support/case_name.h"
#include "tools/bmp_file.h"
#include "vehicle/constants.h"

#include <allegro.h>
#include <alleggl.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

const int width = 640;
const int height = 480;

enum class seen { road, bank_low, bank_high, sky, other };

std::ostream &operator<<(std::ostream &out, seen s)
{
  const char *names[] = {"road", "bank_low", "bank_high", "sky", "other"};
  return out << names[static_cast<int>(s)];
}

// What is on the X screen: the program's window covers the 640x480
// screen of the test's Xvfb.
struct frame {
  std::vector<unsigned long> rgb; // 0xRRGGBB, row 0 at the top

  seen at(int x, int row) const
  {
    const unsigned long p = rgb[row * width + x];
    const int r = p >> 16 & 0xff, g = p >> 8 & 0xff, b = p & 0xff;
    if (r > 200 && g < 60 && b < 60)
      return seen::road;
    if (g > 200 && r < 60 && b < 60)
      return seen::bank_low;
    if (b > 200 && r < 60 && g < 60)
      return seen::bank_high;
    if (std::abs(r - 128) < 8 && std::abs(g - 128) < 8 && b > 245)
      return seen::sky;
    return seen::other;
  }

  int count(seen what, int x0, int x1, int row0, int row1) const
  {
    int n = 0;
    for (int row = row0; row < row1; ++row)
      for (int x = x0; x < x1; ++x)
        n += at(x, row) == what;
    return n;
  }

  // Banks and walls, whichever half of the image shows.
  int roadside(int x0, int x1, int row0, int row1) const
  {
    return count(seen::bank_low, x0, x1, row0, row1) +
           count(seen::bank_high, x0, x1, row0, row1);
  }
};

Display *screen_reader;
frame last; // the latest frame drawn

// Draws one frame from the given pose and reads back what is on screen,
// through a connection of our own to the X server.
frame draw(float x, float y, float angle)
{
  car_state car{};
  car.position_wc = vec2{x, y};
  car.angle = angle;
  render(&car);
  glFinish();
  XImage *image = XGetImage(screen_reader, DefaultRootWindow(screen_reader), 0,
                            0, width, height, AllPlanes, ZPixmap);
  frame &f = last;
  f.rgb.clear();
  for (int row = 0; row < height; ++row)
    for (int col = 0; col < width; ++col)
      f.rgb.push_back(XGetPixel(image, col, row));
  XDestroyImage(image);
  return f;
}

// One display for the whole run: the library opens it once per process.
class DisplayEnvironment : public testing::Environment
{
public:
  void SetUp() override
  {
    char dir_template[] = "/tmp/scene_test.XXXXXX";
    ASSERT_NE(mkdtemp(dir_template), nullptr);
    const std::string dir = dir_template;
    write_bmp(dir + "/lep.bmp", 64, 16, [](int, int) { return 0xff0000u; });
    write_bmp(dir + "/emblem.bmp", 64, 16, [](int, int row) {
      return row < 8 ? 0x00ff00u : 0x0000ffu; // row 0 is the bottom row
    });
    ASSERT_EQ(chdir(dir.c_str()), 0);
    ASSERT_EQ(allegro_init(), 0) << "needs an X display";
    ASSERT_EQ(install_allegro_gl(), 0);
    ASSERT_EQ(set_video(), 0);
    screen_reader = XOpenDisplay(nullptr);
    ASSERT_NE(screen_reader, nullptr);
  }
};

testing::Environment *const display =
    testing::AddGlobalTestEnvironment(new DisplayEnvironment);

// Writes a frame as a PPM file, for a look at a failing case.
void save(const frame &f, const char *path)
{
  std::FILE *out = std::fopen(path, "wb");
  std::fprintf(out, "P6 %d %d 255\n", width, height);
  for (unsigned long p : f.rgb) {
    const unsigned char c[3] = {static_cast<unsigned char>(p >> 16),
                                static_cast<unsigned char>(p >> 8),
                                static_cast<unsigned char>(p)};
    std::fwrite(c, 1, 3, out);
  }
  std::fclose(out);
}

class Scene : public testing::Test
{
protected:
  void TearDown() override
  {
    if (HasFailure() && std::getenv("SCENE_TEST_DUMP"))
      save(last, std::getenv("SCENE_TEST_DUMP"));
  }
};

TEST_F(Scene, FirstFrameShowsTheNearWallAndNoRoad)
{
  const frame f = draw(0.0f, -25.0f, 0.0f);
  EXPECT_EQ(f.count(seen::road, 0, width, 0, height), 0);
  // The wall, 25 ahead, spans 1/25 of the half-height either side of the
  // horizon: its lower half below the middle row, upright.
  EXPECT_EQ(f.at(320, 244), seen::bank_low);
  EXPECT_EQ(f.at(320, 235), seen::bank_high);
  EXPECT_EQ(f.at(320, 479), seen::sky) << "nothing between eye and wall";
  EXPECT_EQ(f.at(320, 0), seen::sky);
}

TEST_F(Scene, DownTheRoadTheHorizonIsTheMiddleRow)
{
  const frame f = draw(0.0f, 1000.0f, 0.0f);
  // The road fills the bottom row and reaches up to the horizon.
  EXPECT_EQ(f.count(seen::road, 0, width, 479, 480), width);
  EXPECT_EQ(f.at(320, 242), seen::road);
  EXPECT_EQ(f.count(seen::road, 0, width, 0, 239), 0) << "road above horizon";
  // Each bank tops out 1 above the eye: roadside just above the horizon
  // towards both sides, sky in the middle and at the top.
  EXPECT_GT(f.roadside(0, 200, 200, 239), 0);
  EXPECT_GT(f.roadside(440, width, 200, 239), 0);
  EXPECT_EQ(f.at(320, 230), seen::sky);
  EXPECT_EQ(f.count(seen::sky, 0, width, 0, 1), width);
}

TEST_F(Scene, QuarterTurnLooksAcrossTheRoadAtABank)
{
  const frame f = draw(0.0f, 1000.0f, static_cast<float>(pi / 2));
  // The bank's foot is 20 away, 1 below the eye (12 rows below the
  // middle); its top 23 away, 1 above the eye (10 rows above). Seen
  // square on, it is a band across the whole picture; on this bank the
  // image's bottom rows lie along the top.
  EXPECT_EQ(f.roadside(0, width, 232, 250), width * 18);
  EXPECT_EQ(f.at(320, 233), seen::bank_low);
  EXPECT_EQ(f.at(320, 248), seen::bank_high);
  EXPECT_EQ(f.at(320, 300), seen::road);
  EXPECT_EQ(f.count(seen::sky, 0, width, 0, 228), width * 228);
}

TEST_F(Scene, FullTurnLooksLikeNoTurn)
{
  const frame a = draw(0.0f, 1000.0f, 0.0f);
  const frame b = draw(0.0f, 1000.0f, static_cast<float>(2 * pi));
  int differing = 0;
  for (std::size_t i = 0; i < a.rgb.size(); ++i)
    differing += a.rgb[i] != b.rgb[i];
  EXPECT_LT(differing, width * height / 200) << "more than 0.5% differ";
}

TEST_F(Scene, PastTheFarEndOnlyTheClearColour)
{
  const frame f = draw(0.0f, 3000.0f, 0.0f);
  EXPECT_EQ(f.count(seen::sky, 0, width, 0, height), width * height);
}

struct side_case {
  const char *name;
  float x, angle;
  bool more_on_left; // more roadside in the left half of the picture
};

// Test names carry the case's name rather than its bytes.
void PrintTo(const side_case &c, std::ostream *out)
{
  *out << c.name;
}

class ViewSide : public Scene, public testing::WithParamInterface<side_case>
{
};

// World +x lies on the driver's left at heading 0, and a growing heading
// turns the view to the left, towards the bank at world x = +20.
TEST_P(ViewSide, RoadsideIsOnTheExpectedSide)
{
  const side_case &c = GetParam();
  const frame f = draw(c.x, 1000.0f, c.angle);
  const int left = f.roadside(0, 320, 0, height);
  const int right = f.roadside(320, width, 0, height);
  if (c.more_on_left)
    EXPECT_GT(left, 2 * right) << left << " left, " << right << " right";
  else
    EXPECT_GT(right, 2 * left) << left << " left, " << right << " right";
}

INSTANTIATE_TEST_SUITE_P(
    Poses, ViewSide,
    testing::Values(side_case{"near_plus_x_edge", 15.0f, 0.0f, true},
                    side_case{"near_minus_x_edge", -15.0f, 0.0f, false},
                    side_case{"turned_left", 0.0f, 0.5f, true},
                    side_case{"turned_right", 0.0f, -0.5f, false}),
    case_name());

TEST_F(Scene, FrameLeavesAnIdentityProjection)
{
  const float poses[][3] = {
      {0, -25, 0}, {3, 1000, 1.2f}, {-18, 1500, -40}, {0, 3000, 0}};
  for (const auto &p : poses) {
    draw(p[0], p[1], p[2]);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    GLdouble projection[16], modelview[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    for (int i = 0; i < 16; ++i) {
      const double identity = i % 5 == 0 ? 1.0 : 0.0;
      EXPECT_EQ(projection[i], identity) << "projection element " << i;
      EXPECT_EQ(modelview[i], identity) << "modelview element " << i;
    }
  }
}

TEST_F(Scene, BothTexturesMipmappedRgb8WithLinearFilters)
{
  for (GLuint name : {mytex, tex2}) {
    ASSERT_NE(name, 0u);
    glBindTexture(GL_TEXTURE_2D, name);
    GLint format = 0, level1_width = 0, mag = 0, min = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT,
                             &format);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1_width);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
    EXPECT_EQ(format, GL_RGB8) << "texture " << name;
    EXPECT_EQ(level1_width, 32) << "texture " << name << " has no mipmaps";
    EXPECT_EQ(mag, GL_LINEAR);
    EXPECT_EQ(min, GL_LINEAR_MIPMAP_LINEAR);
  }
  EXPECT_EQ(mybmp, nullptr) << "must not point at a freed bitmap";
}

TEST_F(Scene, FixedStateIsInForce)
{
  for (GLenum cap : {GL_DEPTH_TEST, GL_POLYGON_SMOOTH, GL_TEXTURE_2D, GL_BLEND})
    EXPECT_TRUE(glIsEnabled(cap)) << "capability " << cap;
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0], 0.5f);
  EXPECT_EQ(clear[1], 0.5f);
  EXPECT_EQ(clear[2], 1.0f);
  EXPECT_EQ(clear[3], 1.0f);
}

} // namespace
