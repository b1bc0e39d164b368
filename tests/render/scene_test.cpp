// The real display set-up and road scene under Xvfb and Mesa, with the
// two images swapped for plain ones so that each pixel tells what it
// shows: road red in stripes one texel wide across it (blue 0 and 48),
// roadside green in its lower half (image bottom rows) and blue in its
// upper half, sky the clear colour (0.5, 0.5, 1).
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

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

const int width = 640;
const int height = 480;
const int road_texels = 256; // along 500 m of road: 1.95 m each
// Every other texel of the road. Its blue, 52, is 49 at 5 bits a colour.
const unsigned long road_stripe = 0xff0034;

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
    dir = dir_template;
    write_bmp(dir + "/lep.bmp", road_texels, 16, [](int x, int) {
      return x % 2 ? road_stripe : 0xff0000u; // x runs along the road
    });
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

  // The images are read at set-up; nothing of the run is left in /tmp.
  void TearDown() override
  {
    std::filesystem::remove_all(dir);
  }

private:
  std::string dir;
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
  EXPECT_EQ(f.rgb[0], 0x8080ffu) << "the sky is the clear colour exactly";
}

TEST_F(Scene, DownTheRoadTheHorizonIsTheMiddleRow)
{
  const frame f = draw(0.0f, 1000.0f, 0.0f);
  // The road fills the bottom row and reaches up to the horizon.
  EXPECT_EQ(f.count(seen::road, 0, width, 479, 480), width);
  EXPECT_EQ(f.at(320, 242), seen::road);
  EXPECT_EQ(f.at(320, 240), seen::road) << "the road is seen 480 m ahead";
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

int blue(unsigned long rgb)
{
  return rgb & 0xff;
}

// Each row of the picture looks along the road at one distance: near,
// where a texel covers many rows, the stripes show in their own colours;
// far, where a row spans many texels, they blend evenly (mipmapped)
// rather than shimmer from row to row as one texel or another is hit.
TEST_F(Scene, RoadIsStripedNearAndEvenFar)
{
  const frame f = draw(0.0f, 1000.0f, 0.0f);
  int near_lo = 255, near_hi = 0, near_between = 0, far_lo = 255, far_hi = 0;
  // Rows 260 down look 12 to 1 m ahead: a texel spans 3 rows or more.
  for (int row = 260; row < height; ++row) {
    const int b = blue(f.rgb[row * width + 320]);
    near_lo = std::min(near_lo, b);
    near_hi = std::max(near_hi, b);
    near_between += b > 8 && b < 40;
  }
  // Rows 241 to 246 look 160 to 37 m ahead: 4 to 45 texels a row.
  for (int row = 241; row < 247; ++row) {
    far_lo = std::min(far_lo, blue(f.rgb[row * width + 320]));
    far_hi = std::max(far_hi, blue(f.rgb[row * width + 320]));
  }
  EXPECT_LE(near_lo, 2) << "near road blurred";
  // Software renderers on other processors may round the filtered
  // colour one level down, never three.
  EXPECT_NEAR(near_hi, blue(road_stripe), 1) << "stripe colour not kept";
  EXPECT_GT(near_between, 20) << "near road blocky";
  EXPECT_GE(far_lo, 16) << "far road shimmers";
  EXPECT_LE(far_hi, 32) << "far road shimmers";
}

// Close to a bank, where a texel covers several rows, the image is
// smoothed: between its green and blue halves lie rows of neither.
TEST_F(Scene, BankBlendsBetweenItsHalvesUpClose)
{
  const frame f = draw(18.0f, 1000.0f, static_cast<float>(pi / 2));
  EXPECT_GT(f.count(seen::bank_low, 320, 321, 0, height), 20);
  EXPECT_GT(f.count(seen::bank_high, 320, 321, 0, height), 20);
  EXPECT_GE(f.count(seen::other, 320, 321, 0, height), 4) << "blocky";
}

// From beyond a bank and below its top the bank hides the far side,
// although the far bank is drawn after it: the bank's top half (image
// bottom rows) fills the view above the horizon, its foot below.
TEST_F(Scene, BankHidesWhatLiesBehindIt)
{
  const frame f = draw(25.0f, 1000.0f, static_cast<float>(-pi / 2));
  EXPECT_EQ(f.count(seen::bank_high, 0, width, 0, 240), 0);
  EXPECT_EQ(f.count(seen::bank_low, 0, width, 240, height), 0);
  EXPECT_GT(f.count(seen::bank_low, 0, width, 160, 240), width * 70);
  EXPECT_GT(f.count(seen::bank_high, 0, width, 240, 280), width * 30);
}

// Frames keep nothing: after many frames from other poses a pose looks
// as it did the first time, and no frame raises an OpenGL error.
TEST_F(Scene, FramesLeaveNothingBehind)
{
  const std::vector<unsigned long> first = draw(3.0f, 1000.0f, 1.2f).rgb;
  for (int i = 0; i < 40; ++i) {
    car_state car{};
    car.position_wc = vec2{-18.0f + i, 100.0f * i - 25.0f};
    car.angle = 0.7f * i;
    render(&car);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_TRUE(draw(3.0f, 1000.0f, 1.2f).rgb == first);
  EXPECT_EQ(mybmp, nullptr) << "must not point at a freed bitmap";
}

// What Mesa's software renderer draws no differently but a graphics card
// does: smoothed polygon edges, and both textures filtered between
// mipmap levels, kept at 8 bits a colour.
TEST_F(Scene, AsksForSmoothEdgesAndTrilinearTextures)
{
  EXPECT_TRUE(glIsEnabled(GL_POLYGON_SMOOTH));
  for (GLuint name : {mytex, tex2}) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint format = 0, min = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT,
                             &format);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
    EXPECT_EQ(format, GL_RGB8) << "texture " << name;
    EXPECT_EQ(min, GL_LINEAR_MIPMAP_LINEAR) << "texture " << name;
  }
}

} // namespace
