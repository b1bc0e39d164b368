// The handling presets and the reset, seen in how the car moves. The exact
// figures of each preset are pinned by the worked step and the handling
// report; here they must show as a player would feel them.
#include "vehicle/car.h"
#include "vehicle/constants.h"
#include "vehicle/physics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

const float full_lock = 0.199417382478714f; // rad, 65 polls of Left

// The car after the given seconds of 0.01 s steps with its controls held.
car_state drive(car_state car, double seconds)
{
  for (int i = 0; i < static_cast<int>(seconds * 100 + 0.5); ++i)
    do_physics(&car, 0.01f);
  return car;
}

// A car of the one type at rest mid-road, with the given controls.
car_state parked(float throttle, float steer)
{
  init_cartypes();
  car_state car{};
  car.type = &cartypes[0];
  car.position_wc = vec2{0.0f, 1000.0f};
  car.throttle = throttle;
  car.steerangle = steer;
  return car;
}

double speed(const car_state &car)
{
  return std::hypot(car.velocity_wc.x, car.velocity_wc.y);
}

// A steady circle at full lock, throttle 60: its lateral acceleration in
// g and its radius in metres.
struct circle {
  double g, radius;
};

circle full_lock_circle()
{
  const car_state car = drive(parked(60.0f, full_lock), 20.0);
  const double yaw_rate = std::fabs(car.angular_velocity);
  return circle{speed(car) * yaw_rate / gravity, speed(car) / yaw_rate};
}

// Speed in km/h after a minute flat out.
double top_speed_kmh()
{
  return speed(drive(parked(200.0f, 0.0f), 60.0)) * 3.6;
}

// Where two cars are and how they move, compared to the last bit.
testing::AssertionResult same_motion(const car_state &a, const car_state &b)
{
  const float pa[] = {a.position_wc.x, a.position_wc.y, a.velocity_wc.x,
                      a.velocity_wc.y, a.angle,         a.angular_velocity};
  const float pb[] = {b.position_wc.x, b.position_wc.y, b.velocity_wc.x,
                      b.velocity_wc.y, b.angle,         b.angular_velocity};
  for (int i = 0; i < 6; ++i)
    if (pa[i] != pb[i])
      return testing::AssertionFailure()
             << "quantity " << i << ": " << pa[i] << " against " << pb[i];
  return testing::AssertionSuccess();
}

// F1 (preset 1) grips: a tighter circle at full lock, beyond what F2's
// grip of 2 g could hold. F2 (preset 0) has less drag: faster flat out.
TEST(Presets, GripPresetCornersHarderAndSlipperyOneIsFasterFlatOut)
{
  togglevel(1);
  const circle grip = full_lock_circle();
  const double grip_top = top_speed_kmh();
  togglevel(0);
  const circle slip = full_lock_circle();
  EXPECT_GT(grip.g, 3.0);
  EXPECT_LE(slip.g, 2.0);
  EXPECT_LT(grip.radius, slip.radius);
  EXPECT_LT(grip_top, top_speed_kmh() - 20.0);
  EXPECT_GT(grip_top, 100.0) << "flat out must pass 100 km/h";
}

// Any non-zero flag gives the grip preset, zero the slippery one, whatever
// was in force, so that selecting the preset in force changes nothing.
TEST(Presets, FlagsGiveTheHandlingOfTheirPreset)
{
  struct {
    int flag, before, same_as; // same_as: the flag whose handling it gives
  } const rows[] = {{2, 0, 1}, {-1, 0, 1}, {1, 1, 1}, {0, 1, 0}, {0, 0, 0}};
  const car_state start = parked(60.0f, full_lock);
  for (const auto &row : rows) {
    togglevel(row.same_as);
    const car_state expected = drive(start, 3.0);
    togglevel(row.before);
    togglevel(row.flag);
    EXPECT_TRUE(same_motion(drive(start, 3.0), expected)) << row.flag;
    togglevel(1 - row.same_as);
    EXPECT_FALSE(same_motion(drive(start, 3.0), expected)) << "presets alike";
  }
}

// A car reset after a wild drive, of another type, drives from then on
// exactly as a car never driven, under the preset that was in force.
TEST(InitCar, ResetCarDrivesAsAFreshOne)
{
  for (int preset : {0, 1}) {
    init_cartypes();
    car_state fresh{};
    init_car(&fresh, &cartypes[0]);
    togglevel(preset);

    car_type heavy = cartypes[0];
    heavy.mass = 3000.0f;
    car_state used = parked(150.0f, -0.1f);
    used.type = &heavy;
    used.brake = 100.0f;
    used = drive(used, 2.5);
    used.angle = 7.5f;
    init_car(&used, &cartypes[0]);

    // Held controls first (none), then Up and Left.
    for (car_state *car : {&fresh, &used}) {
      *car = drive(*car, 1.0);
      car->throttle = 100.0f;
      car->steerangle = 0.1f;
      *car = drive(*car, 3.0);
    }
    EXPECT_TRUE(same_motion(used, fresh)) << "preset " << preset;
    EXPECT_GT(speed(used), 5.0) << "the drive must go somewhere";
  }
}

} // namespace
