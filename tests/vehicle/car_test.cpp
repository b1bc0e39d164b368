// The car type table, the start state and the handling presets.
#include "tests/support/case_name.h"
#include "vehicle/car.h"

#include <gtest/gtest.h>

#include <ostream>

namespace
{

struct preset_row {
  const char *name;
  int flag;
  // Expected values as the doubles that the 32-bit constants hold.
  double drag, resistance, ca_r, ca_f, max_grip;
};

// Test names carry the case's name rather than its bytes.
void PrintTo(const preset_row &c, std::ostream *out)
{
  *out << c.name;
}

// Any non-zero flag selects preset 1; the stiffnesses are not exactly
// representable, so they are checked as the floats nearest -15.2 and -5.2.
const preset_row preset_rows[] = {
    {"one", 1, 8.0, 50.0, -15.199999809265137, -15.0, 5.0},
    {"two", 2, 8.0, 50.0, -15.199999809265137, -15.0, 5.0},
    {"minus_one", -1, 8.0, 50.0, -15.199999809265137, -15.0, 5.0},
    {"zero", 0, 5.0, 30.0, -5.1999998092651367, -5.0, 2.0},
};

class Presets : public testing::TestWithParam<preset_row>
{
};

TEST_P(Presets, FlagSelectsPresetValues)
{
  const preset_row &row = GetParam();
  togglevel(row.flag == 0 ? 1 : 0); // start from the other preset
  togglevel(row.flag);
  EXPECT_EQ(static_cast<double>(DRAG), row.drag);
  EXPECT_EQ(static_cast<double>(RESISTANCE), row.resistance);
  EXPECT_EQ(static_cast<double>(CA_R), row.ca_r);
  EXPECT_EQ(static_cast<double>(CA_F), row.ca_f);
  EXPECT_EQ(static_cast<double>(MAX_GRIP), row.max_grip);
}

INSTANTIATE_TEST_SUITE_P(Flags, Presets, testing::ValuesIn(preset_rows),
                         case_name());

TEST(Presets, SelectingThePresetInForceChangesNothing)
{
  togglevel(0);
  const float before[] = {DRAG, RESISTANCE, CA_R, CA_F, MAX_GRIP};
  togglevel(0);
  const float after[] = {DRAG, RESISTANCE, CA_R, CA_F, MAX_GRIP};
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(before[i], after[i]) << "constant " << i;
}

TEST(CarTypes, OneCarWithAxlesSummingToTheWheelbase)
{
  init_cartypes();
  const car_type &t = cartypes[0];
  EXPECT_EQ(t.wheelbase, 2.0f);
  EXPECT_EQ(t.cg_to_front_axle + t.cg_to_rear_axle, t.wheelbase);
  EXPECT_EQ(t.mass, 1500.0f);
  EXPECT_EQ(t.inertia, 1500.0f);
}

TEST(InitCar, StopsAMovingCarAndKeepsThePreset)
{
  init_cartypes();
  togglevel(0);
  car_state car{};
  car.position_wc = vec2{-12.0f, 1234.5f};
  car.velocity_wc = vec2{4.0f, 30.0f};
  car.angle = 7.5f;
  car.angular_velocity = -1.25f;
  car.steerangle = 0.19f;
  car.throttle = 120.0f;
  car.brake = 100.0f;

  init_car(&car, &cartypes[0]);

  EXPECT_EQ(car.type, &cartypes[0]);
  EXPECT_EQ(car.position_wc.x, 0.0f);
  EXPECT_EQ(car.position_wc.y, -25.0f);
  EXPECT_EQ(car.velocity_wc.x, 0.0f);
  EXPECT_EQ(car.velocity_wc.y, 0.0f);
  EXPECT_EQ(car.angle, 0.0f);
  EXPECT_EQ(car.angular_velocity, 0.0f);
  EXPECT_EQ(car.steerangle, 0.0f);
  EXPECT_EQ(car.throttle, 0.0f);
  EXPECT_EQ(car.brake, 0.0f);
  EXPECT_EQ(MAX_GRIP, 2.0f) << "the reset must leave preset 0 in force";
  EXPECT_EQ(cartypes[0].mass, 1500.0f);
}

} // namespace
