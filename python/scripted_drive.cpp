#include "python/scripted_drive.h"

static void record(const car_state &car, long i, const drive_columns &out)
{
  out.position_wc[2 * i] = car.position_wc.x;
  out.position_wc[2 * i + 1] = car.position_wc.y;
  out.velocity_wc[2 * i] = car.velocity_wc.x;
  out.velocity_wc[2 * i + 1] = car.velocity_wc.y;
  out.angle[i] = car.angle;
  out.angular_velocity[i] = car.angular_velocity;
  out.steerangle[i] = car.steerangle;
  out.throttle[i] = car.throttle;
  out.brake[i] = car.brake;
}

long model_drive(model_car *car, const std::uint32_t *masks, long steps,
                 const drive_columns &out)
{
  for (long i = 0; i < steps; ++i) {
    const bool quit =
        i % steps_per_poll == 0 && model_poll(car, masks[i / steps_per_poll]);
    model_step(car);
    record(car->state, i, out);
    if (quit)
      return i + 1;
  }
  return steps;
}
