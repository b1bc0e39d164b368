// One step of the model from a moving, turning, steering car with preset 1,
// checked quantity by quantity against a hand-worked table.
#include "tests/support/float_compare.h"
#include "tests/support/fresh_car.h"
#include "vehicle/car.h"
#include "vehicle/physics.h"

#include <gtest/gtest.h>

namespace
{

class WorkedStep : public testing::Test
{
protected:
  car_state car{};

  void SetUp() override
  {
    car = fresh_car(1);
    car.position_wc = vec2{1.5f, 800.0f};
    car.velocity_wc = vec2{3.0f, 20.0f};
    car.angle = 0.25f;
    car.angular_velocity = 0.5f;
    car.steerangle = 0.0625f;
    car.throttle = 100.0f;
    car.brake = 0.0f;
    do_physics(&car, 0.01f);
  }
};

struct named_quantity {
  const char *name;
  double actual;
  double expected;
};

TEST_F(WorkedStep, IntermediateQuantitiesToSixDigits)
{
  const named_quantity rows[] = {
      {"velocity.x", velocity.x, 20.1205},
      {"velocity.y", velocity.y, -2.04134},
      {"yawspeed", yawspeed, 0.1},
      {"rot_angle", rot_angle, 0.00497002},
      {"sideslip", sideslip, -0.101110},
      {"slipanglefront", slipanglefront, -0.158640},
      {"slipanglerear", slipanglerear, -0.106080},
      {"flatf.y", flatf.y, 17490.1},
      {"flatr.y", flatr.y, 11851.3},
      {"ftraction.x", ftraction.x, 10000.0},
      {"resistance.x", resistance.x, -4244.69},
      {"resistance.y", resistance.y, 135.404},
      {"force.x", force.x, 5755.31},
      {"force.y", force.y, 29442.6},
      {"torque", torque, 5638.80},
      {"acceleration.x", acceleration.x, 3.83688},
      {"acceleration.y", acceleration.y, 19.6284},
      {"angular_acceleration", angular_acceleration, 3.75920},
      {"acceleration_wc.x", acceleration_wc.x, 19.9674},
      {"acceleration_wc.y", acceleration_wc.y, -1.13855},
  };
  for (const named_quantity &row : rows)
    EXPECT_TRUE(near_sig6(row.actual, row.expected)) << row.name;
  EXPECT_EQ(flatf.x, 0.0f);
  EXPECT_EQ(flatr.x, 0.0f);
  EXPECT_EQ(ftraction.y, 0.0f);
}

// The expected floats come from an independent evaluation of the same
// formulas in double precision, rounded to 32 bits where the model
// stores; they agree with the six-digit table (3.19967, 19.9886, ...).
TEST_F(WorkedStep, NewStateToTheLastPlace)
{
  EXPECT_TRUE(within_1ulp(car.velocity_wc.x, 0x1.998efp+1f));     // 3.19967
  EXPECT_TRUE(within_1ulp(car.velocity_wc.y, 0x1.3fd15ep+4f));    // 19.9886
  EXPECT_TRUE(within_1ulp(car.position_wc.x, 0x1.8830fp+0f));     // 1.53200
  EXPECT_TRUE(within_1ulp(car.position_wc.y, 0x1.901996p+9f));    // 800.200
  EXPECT_TRUE(within_1ulp(car.angular_velocity, 0x1.133f42p-1f)); // 0.537592
  EXPECT_TRUE(within_1ulp(car.angle, 0x1.058144p-2f));            // 0.255376
}

TEST_F(WorkedStep, LeavesControlsAndTypeAlone)
{
  EXPECT_EQ(car.steerangle, 0.0625f);
  EXPECT_EQ(car.throttle, 100.0f);
  EXPECT_EQ(car.brake, 0.0f);
  EXPECT_EQ(car.type, &cartypes[0]);
}

} // namespace
