#include "controls/controls.h"

#include "vehicle/constants.h"

#include <allegro.h>

// Steering limit and step in radians, as doubles: the stored 32-bit angle
// is compared with the double limit and each new angle is rounded to a
// float only when stored, so 65 polls reach 0.199417382478714 from centre.
static const double steer_limit = pi / 16.0;
static const double steer_step = pi / 1024.0;

// Throttle: up 2 per poll below 200, down 10 per poll from 10 up.
static void apply_throttle(car_state *car)
{
  if (key[KEY_UP] && car->throttle < 200.0f)
    car->throttle += 2.0f;
  if (key[KEY_DOWN] && car->throttle >= 10.0f)
    car->throttle -= 10.0f;
  // The brake is all or nothing and cuts the throttle of this same poll.
  if (key[KEY_SPACE]) {
    car->brake = 100.0f;
    car->throttle = 0.0f;
  } else {
    car->brake = 0.0f;
  }
}

// Steering: Right turns the wheels to negative angles and wins over Left;
// with neither held the wheels snap straight.
static void apply_steering(car_state *car)
{
  const double angle = car->steerangle;
  if (key[KEY_RIGHT]) {
    if (angle > -steer_limit)
      car->steerangle = static_cast<float>(angle - steer_step);
  } else if (key[KEY_LEFT]) {
    if (angle < steer_limit)
      car->steerangle = static_cast<float>(angle + steer_step);
  } else {
    car->steerangle = 0.0f;
  }
}

int process_input(car_state *car)
{
  const int quit = key[KEY_ESC] ? 1 : 0;
  // The reset comes first so that keys held with F12 act on the new car.
  if (key[KEY_F12])
    init_car(car, &cartypes[0]);
  if (key[KEY_F1])
    togglevel(1);
  if (key[KEY_F2])
    togglevel(0);
  apply_throttle(car);
  apply_steering(car);
  return quit;
}
