// The web layer's own arithmetic: the timer service driven by a made-up
// clock, bitmaps at 16 bits a pixel, the mipmap chain, and the keys.
#include "web/bitmap_rgb.h"
#include "web/keyboard.h"
#include "web/mipmaps.h"
#include "web/timers.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <vector>

namespace
{

int ms_runs = 0;
int poll_runs = 0;
void count_ms()
{
  ++ms_runs;
}
void count_poll()
{
  ++poll_runs;
}

class Timers : public testing::Test
{
protected:
  void SetUp() override
  {
    timers_remove_all();
    ms_runs = poll_runs = 0;
    ASSERT_EQ(timers_install_at(count_ms, MSEC_TO_TIMER(1), 100.0), 0);
    ASSERT_EQ(timers_install_at(count_poll, MSEC_TO_TIMER(20), 100.0), 0);
  }
  void TearDown() override
  {
    timers_remove_all();
  }
};

// The program's two periods, 1193 and 23860 timer units, are 0.99984 ms
// and 19.997 ms: a few runs more than whole milliseconds over a minute.
TEST_F(Timers, CatchUpWithEveryPeriodThatEnded)
{
  struct step {
    double now_ms;
    int ms_runs, poll_runs;
  };
  const step steps[] = {
      {100.0, 0, 0},          // nothing is due at the start
      {100.9, 0, 0},          // nor before one period
      {116.7, 16, 0},         // one frame at 60 Hz
      {150.0, 50, 2},         // flips that fall anywhere lose nothing
      {140.0, 50, 2},         // a clock that goes back runs nothing
      {60100.0, 60009, 3000}, // a minute's stall is made up at once
  };
  for (const step &s : steps) {
    timers_run_until(s.now_ms);
    EXPECT_EQ(ms_runs, s.ms_runs) << "at " << s.now_ms << " ms";
    EXPECT_EQ(poll_runs, s.poll_runs) << "at " << s.now_ms << " ms";
  }
}

// A run falls due at the end of its period, not a frame later: a period
// of TIMERS_PER_SECOND units is exactly one second.
TEST_F(Timers, ARunDueExactlyNowRunsNow)
{
  static int second_runs;
  second_runs = 0;
  ASSERT_EQ(timers_install_at([] { ++second_runs; }, TIMERS_PER_SECOND, 100.0),
            0);
  timers_run_until(1099.9);
  EXPECT_EQ(second_runs, 0);
  timers_run_until(1100.0);
  EXPECT_EQ(second_runs, 1);
}

TEST_F(Timers, SlotsRunOutAndAreGivenBack)
{
  // Installing a callback again changes its period and takes no slot;
  // the run already due stays due when it was (at 120 ms).
  EXPECT_EQ(timers_install_at(count_poll, MSEC_TO_TIMER(10), 100.0), 0);
  timers_run_until(130.0);
  EXPECT_EQ(poll_runs, 2);
  void (*const others[])() = {[] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {},
                              [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}};
  for (auto proc : others)
    EXPECT_EQ(timers_install_at(proc, 1193, 0.0), 0);
  EXPECT_EQ(timers_install_at([] {}, 1193, 0.0), -1) << "a 17th slot";
  EXPECT_EQ(timers_install_at(count_ms, 0, 0.0), -1) << "a zero period";
  remove_timer();
  EXPECT_EQ(timers_install_at([] {}, 1193, 0.0), 0);
  timers_run_until(1000.0);
  EXPECT_EQ(ms_runs, 30) << "removed callbacks stay removed";
}

// 16 bits a pixel, as the program asks for: 5-6-5 bits, widened back to
// 8 bits a colour, rounded, for the texture.
TEST(Bitmap, SixteenBitColoursComeBackWidened)
{
  set_color_depth(16);
  struct colour_case {
    int r, g, b;
    int r8, g8, b8;
  };
  const colour_case cases[] = {
      {255, 255, 255, 255, 255, 255},
      {0, 0, 0, 0, 0, 0},
      {7, 3, 7, 0, 0, 0},
      {8, 4, 8, 8, 4, 8},
      {128, 128, 128, 132, 130, 132},
      {127, 127, 255, 123, 125, 255},
  };
  BITMAP *bmp = create_bitmap(6, 2);
  ASSERT_NE(bmp, nullptr);
  for (int i = 0; i < 6; ++i)
    putpixel(bmp, i, 1, makecol(cases[i].r, cases[i].g, cases[i].b));
  putpixel(bmp, 6, 0, makecol(255, 255, 255)); // outside: not drawn
  putpixel(bmp, -1, 1, makecol(255, 255, 255));
  const rgb_image image = bitmap_rgb(bmp);
  destroy_bitmap(bmp);
  for (int i = 0; i < 6; ++i) {
    const unsigned char *p = &image.bytes[(6 + i) * 3];
    EXPECT_EQ(p[0], cases[i].r8) << "case " << i;
    EXPECT_EQ(p[1], cases[i].g8) << "case " << i;
    EXPECT_EQ(p[2], cases[i].b8) << "case " << i;
  }
  for (int i = 0; i < 6 * 3; ++i)
    EXPECT_EQ(image.bytes[i], 0) << "the top row is untouched";
  EXPECT_EQ(create_bitmap(0, 5), nullptr);
}

TEST(Mipmaps, SidesGoToTheNearestPowerOfTwoAsInGlu)
{
  const int sides[][3] = {
      // side, largest side allowed, result
      {1, 4096, 1},       {2, 4096, 2},       {3, 4096, 4},
      {5, 4096, 4},       {6, 4096, 8},       {7, 4096, 8},
      {12, 4096, 16},     {500, 4096, 512},   {3000, 4096, 2048},
      {3100, 4096, 4096}, {4096, 2048, 2048},
  };
  for (const auto &s : sides)
    EXPECT_EQ(nearest_power_of_two(s[0], s[1]), s[2]) << s[0];
}

rgb_image grey_row(std::vector<unsigned char> values)
{
  rgb_image image{static_cast<int>(values.size()), 1, {}};
  for (unsigned char v : values)
    image.bytes.insert(image.bytes.end(), {v, v, v});
  return image;
}

TEST(Mipmaps, ScalingWeighsEachOldPixelByTheAreaItCovers)
{
  // 3 -> 4: the new pixels cover 3/4 of an old one each.
  const rgb_image up = scale_image(grey_row({0, 100, 200}), 4, 1);
  EXPECT_EQ(up.bytes, grey_row({0, 67, 133, 200}).bytes);
  // 6 -> 4: 1.5 old pixels each.
  const rgb_image down = scale_image(grey_row({0, 30, 60, 90, 120, 150}), 4, 1);
  EXPECT_EQ(down.bytes, grey_row({10, 50, 100, 140}).bytes);
  // Along y as along x: a column of 3 becomes 1.
  rgb_image column = grey_row({10, 20, 60});
  column.h = 3, column.w = 1;
  EXPECT_EQ(scale_image(column, 1, 1).bytes, grey_row({30}).bytes);
}

TEST(Mipmaps, HalvingAveragesWithRoundingDownToOnePixel)
{
  rgb_image square{2, 2, {0, 0, 0, 1, 2, 3, 2, 4, 6, 3, 7, 255}};
  EXPECT_EQ(halve_image(square).bytes,
            (std::vector<unsigned char>{2, 3, 66})); // (sum + 2) / 4
  // A side of 1 stays 1; pairs along the other: (a + b + 1) / 2.
  EXPECT_EQ(halve_image(grey_row({0, 1, 10, 20})).bytes,
            grey_row({1, 15}).bytes);
  // The included road, 512 x 128: nine halvings down to 1 x 1.
  rgb_image level{512, 128, std::vector<unsigned char>(512 * 128 * 3, 9)};
  int levels = 0;
  while (level.w > 1 || level.h > 1) {
    level = halve_image(level);
    ++levels;
  }
  EXPECT_EQ(levels, 9);
  EXPECT_EQ(level.bytes, grey_row({9}).bytes);
}

// Every key of the page reaches the program as a KeyboardEvent.code (the
// keyboard's own, and those that touch.js and gamepad.js send): each
// holds its own key, the arrows each their own way, and other keys none.
TEST(Keyboard, EachCodeHoldsItsOwnKey)
{
  const struct {
    const char *code;
    int key;
  } codes[] = {
      {"ArrowLeft", KEY_LEFT}, {"ArrowRight", KEY_RIGHT},
      {"ArrowUp", KEY_UP},     {"ArrowDown", KEY_DOWN},
      {"Space", KEY_SPACE},    {"F1", KEY_F1},
      {"F2", KEY_F2},          {"F12", KEY_F12},
      {"Escape", KEY_ESC},     {"KeyA", 0},
      {"Numpad4", 0},          {"", 0},
  };
  for (const auto &c : codes)
    EXPECT_EQ(key_for_code(c.code), c.key) << c.code;
}

} // namespace
