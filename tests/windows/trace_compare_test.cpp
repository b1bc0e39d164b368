// Traces must carry every bit of the car's fields from one system to
// another, and the comparison must say where two drives part.
#include "tests/windows/trace_compare.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace
{

car_state awkward_car()
{
  car_state car{};
  car.position_wc = vec2{-0.0f, 1499.9999f};
  car.velocity_wc = vec2{std::numeric_limits<float>::denorm_min(), -3.5e7f};
  car.angle = 1234.5678f;
  car.angular_velocity = -std::numeric_limits<float>::min();
  car.steerangle = 0.19941738f;
  car.throttle = 200.0f;
  car.brake = 100.0f;
  return car;
}

bool same_bits(const car_state &a, const car_state &b)
{
  float fa[car_field_count];
  float fb[car_field_count];
  car_fields(a, fa);
  car_fields(b, fb);
  return std::memcmp(fa, fb, sizeof fa) == 0;
}

// Writes text to a temporary file and rewinds it for reading.
std::FILE *file_with(const char *text)
{
  std::FILE *f = std::tmpfile();
  std::fputs(text, f);
  std::rewind(f);
  return f;
}

TEST(TraceLine, CarriesEveryBitThroughText)
{
  const car_state car = awkward_car();
  std::FILE *f = std::tmpfile();
  print_trace_line(f, 41, car);
  print_trace_line(f, 42, car);
  std::rewind(f);
  car_state back{};
  ASSERT_TRUE(read_trace_line(f, 41, &back));
  EXPECT_TRUE(same_bits(back, car));
  ASSERT_TRUE(read_trace_line(f, 42, &back));
  EXPECT_TRUE(std::signbit(back.position_wc.x)) << "negative zero kept";
  EXPECT_FALSE(read_trace_line(f, 43, &back)) << "end of file";
  std::fclose(f);
}

struct bad_line {
  const char *name;
  const char *text;
};

TEST(TraceLine, ReadsWindowsLineEndsAndRejectsBadLines)
{
  car_state car{};
  std::FILE *crlf = file_with("7 0 3f800000 0 0 0 0 0 0 0\r\n"
                              "8 0 40000000 0 0 0 0 0 0 0\r\n");
  ASSERT_TRUE(read_trace_line(crlf, 7, &car));
  ASSERT_TRUE(read_trace_line(crlf, 8, &car));
  EXPECT_EQ(car.position_wc.y, 2.0f);
  std::fclose(crlf);

  const bad_line bad[] = {
      {"another step", "9 0 0 0 0 0 0 0 0 0\n"},
      {"a field short", "1 0 0 0 0 0 0 0 0\n"},
      {"not hexadecimal", "1 0 0 0 0 zz 0 0 0 0\n"},
      {"empty", ""},
  };
  for (const bad_line &b : bad) {
    std::FILE *f = file_with(b.text);
    EXPECT_FALSE(read_trace_line(f, 1, &car)) << b.name;
    std::fclose(f);
  }
}

TEST(TraceDifference, NamesTheFirstStepApartAndTheLargestGap)
{
  const car_state a = awkward_car();
  car_state b = a;
  trace_difference diff{};
  add_difference(&diff, 1, a, b);
  EXPECT_EQ(diff.first_step, 0) << "identical so far";

  b.steerangle = std::nextafter(a.steerangle, 1.0f);
  add_difference(&diff, 2, a, b);
  b.position_wc.y = a.position_wc.y + 0.5f;
  add_difference(&diff, 3, a, b);
  add_difference(&diff, 4, a, a);
  b = a;
  b.angle = a.angle + 0.25f;
  add_difference(&diff, 5, a, b);

  EXPECT_EQ(diff.first_step, 2);
  EXPECT_EQ(diff.steps_apart, 3);
  EXPECT_STREQ(trace_field_name(diff.field), "position_wc.y");
  EXPECT_NEAR(diff.largest, 0.5, 1e-3);
  EXPECT_EQ(diff.largest_step, 3);
}

TEST(TraceDifference, SignOfZeroCountsAsApartButAsNoDistance)
{
  car_state a{};
  car_state b{};
  b.velocity_wc.x = -0.0f;
  trace_difference diff{};
  add_difference(&diff, 9, a, b);
  EXPECT_EQ(diff.first_step, 9);
  EXPECT_STREQ(trace_field_name(diff.field), "velocity_wc.x");
  EXPECT_EQ(diff.largest, 0.0);
}

} // namespace
