// The keyboard poll, driven through the library's real key array (an
// ordinary array: no keyboard handler needs installing to set it).
#include "controls/controls.h"
#include "tests/support/case_name.h"
#include "tests/support/fresh_car.h"
#include "vehicle/physics.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <vector>

namespace
{

class Controls : public testing::Test
{
protected:
  car_state car{};

  void SetUp() override
  {
    release_all();
    car = fresh_car(1);
    car.position_wc = vec2{0.0f, 1000.0f};
  }

  void TearDown() override
  {
    release_all();
  }

  static void release_all()
  {
    for (int k = 0; k < KEY_MAX; ++k)
      key[k] = 0;
  }

  static void hold(std::initializer_list<int> codes)
  {
    release_all();
    for (int k : codes)
      key[k] = 1;
  }

  // Yaw rate in rad/s of a car after 2 s at full lock from rest at
  // throttle 60, under the handling in force: faster with more grip.
  static float turn_rate()
  {
    car_state probe{};
    init_car(&probe, &cartypes[0]);
    probe.position_wc = vec2{0.0f, 1000.0f};
    probe.throttle = 60.0f;
    probe.steerangle = 0.199417382478714f;
    for (int i = 0; i < 200; ++i)
      do_physics(&probe, 0.01f);
    return probe.angular_velocity;
  }

  // Throttle after each of n polls.
  std::vector<float> throttle_run(int n)
  {
    std::vector<float> seen;
    for (int i = 0; i < n; ++i) {
      process_input(&car);
      seen.push_back(car.throttle);
    }
    return seen;
  }
};

TEST_F(Controls, UpClimbsByTwoToTwoHundredAndStops)
{
  hold({KEY_UP});
  const std::vector<float> seen = throttle_run(110);
  for (int i = 0; i < 100; ++i)
    ASSERT_EQ(seen[i], 2.0f * (i + 1)) << "poll " << i + 1;
  for (int i = 100; i < 110; ++i)
    EXPECT_EQ(seen[i], 200.0f);
}

struct throttle_case {
  const char *name;
  std::vector<int> keys;
  float start;
  std::vector<float> expected;
};

// Test names carry the case's name rather than its bytes.
void PrintTo(const throttle_case &c, std::ostream *out)
{
  *out << c.name;
}

class ThrottleRuns : public Controls,
                     public testing::WithParamInterface<throttle_case>
{
};

TEST_P(ThrottleRuns, FollowTheSequence)
{
  const throttle_case &c = GetParam();
  car.throttle = c.start;
  release_all();
  for (int k : c.keys)
    key[k] = 1;
  EXPECT_EQ(throttle_run(static_cast<int>(c.expected.size())), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ThrottleRuns,
    testing::Values(
        throttle_case{"down_from_16", {KEY_DOWN}, 16, {6, 6, 6}},
        throttle_case{"down_from_200",
                      {KEY_DOWN},
                      200,
                      {190, 180, 170, 160, 150, 140, 130, 120, 110, 100, 90,
                       80,  70,  60,  50,  40,  30,  20,  10,  0,   0}},
        // Up acts first; Down only once the sum has reached 10.
        throttle_case{"up_and_down",
                      {KEY_UP, KEY_DOWN},
                      0,
                      {2, 4, 6, 8, 0, 2, 4, 6, 8, 0}},
        throttle_case{"space_cuts_up", {KEY_UP, KEY_SPACE}, 50, {0, 0, 0}},
        throttle_case{"no_key_keeps", {}, 42, {42, 42}}),
    case_name());

TEST_F(Controls, SpaceBrakesUntilReleased)
{
  hold({KEY_UP, KEY_SPACE});
  for (int i = 0; i < 3; ++i) {
    process_input(&car);
    EXPECT_EQ(car.brake, 100.0f);
    EXPECT_EQ(car.throttle, 0.0f);
  }
  hold({KEY_UP});
  process_input(&car);
  EXPECT_EQ(car.brake, 0.0f);
  EXPECT_EQ(car.throttle, 2.0f);
}

struct steer_case {
  const char *name;
  std::vector<int> keys;
  double sign; // +1 to the left, -1 to the right
};

// Test names carry the case's name rather than its bytes.
void PrintTo(const steer_case &c, std::ostream *out)
{
  *out << c.name;
}

class Steering : public Controls, public testing::WithParamInterface<steer_case>
{
};

// 64 steps of pi/1024 stay just inside pi/16, so a 65th is taken and the
// wheel stops one step beyond the limit.
TEST_P(Steering, ReachesFullLockIn65Polls)
{
  const steer_case &c = GetParam();
  release_all();
  for (int k : c.keys)
    key[k] = 1;
  for (int i = 0; i < 64; ++i)
    process_input(&car);
  EXPECT_EQ(static_cast<double>(car.steerangle), c.sign * 0.19634942710399628);
  process_input(&car);
  EXPECT_EQ(static_cast<double>(car.steerangle), c.sign * 0.199417382478714);
  for (int i = 0; i < 10; ++i)
    process_input(&car);
  EXPECT_EQ(static_cast<double>(car.steerangle), c.sign * 0.199417382478714);
}

INSTANTIATE_TEST_SUITE_P(Keys, Steering,
                         testing::Values(steer_case{"left", {KEY_LEFT}, 1.0},
                                         steer_case{"right", {KEY_RIGHT}, -1.0},
                                         steer_case{"both_act_as_right",
                                                    {KEY_RIGHT, KEY_LEFT},
                                                    -1.0}),
                         case_name());

TEST_F(Controls, ReleasingTheArrowsCentresTheWheelExactly)
{
  hold({KEY_LEFT});
  for (int i = 0; i < 37; ++i)
    process_input(&car);
  ASSERT_GT(car.steerangle, 0.0f);
  hold({});
  process_input(&car);
  EXPECT_EQ(car.steerangle, 0.0f);
  EXPECT_EQ(car.brake, 0.0f);
}

TEST_F(Controls, SwitchingRightToLeftClimbsFromWhereItWas)
{
  hold({KEY_RIGHT});
  for (int i = 0; i < 10; ++i)
    process_input(&car);
  const float after_right = car.steerangle;
  hold({KEY_LEFT});
  process_input(&car);
  EXPECT_LT(car.steerangle, 0.0f);
  EXPECT_GT(car.steerangle, after_right);
}

TEST_F(Controls, ResetComesBeforeTheOtherKeys)
{
  car.velocity_wc = vec2{3.0f, 40.0f};
  car.angle = 1.0f;
  car.throttle = 150.0f;
  hold({KEY_F12, KEY_UP});
  for (int i = 0; i < 3; ++i) {
    process_input(&car);
    EXPECT_EQ(car.position_wc.y, -25.0f);
    EXPECT_EQ(car.velocity_wc.y, 0.0f);
    EXPECT_EQ(car.angle, 0.0f);
    EXPECT_EQ(car.throttle, 2.0f);
  }
}

TEST_F(Controls, F1GripsAndF2SlidesWhicheverCameLast)
{
  hold({KEY_F2});
  process_input(&car);
  const float slippery = turn_rate();
  hold({KEY_F1});
  process_input(&car);
  EXPECT_GT(turn_rate(), 1.2f * slippery);
  hold({KEY_F1, KEY_F2}); // F2 acts last
  process_input(&car);
  EXPECT_EQ(turn_rate(), slippery);
}

TEST_F(Controls, EscapeQuitsWhileTheOtherKeysStillAct)
{
  hold({});
  EXPECT_EQ(process_input(&car), 0);
  const float gripping = turn_rate();
  hold({KEY_ESC, KEY_UP, KEY_LEFT, KEY_F2});
  EXPECT_EQ(process_input(&car), 1);
  EXPECT_EQ(car.throttle, 2.0f);
  EXPECT_GT(car.steerangle, 0.0f);
  EXPECT_LT(turn_rate(), gripping) << "F2 must still act";
}

} // namespace
