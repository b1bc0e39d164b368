#include "python/scripted_drive.h"

#include "controls/controls.h"
#include "record/keys.h"
#include "vehicle/physics.h"

namespace
{

template <class type, class value>
void column(type *out, const drive_step *steps, long count,
            value drive_step::*part, type value::*field)
{
  for (long i = 0; i < count; ++i)
    out[i] = steps[i].*part.*field;
}

template <class value>
void pairs(float *out, const drive_step *steps, long count,
           value drive_step::*part, vec2 value::*field)
{
  for (long i = 0; i < count; ++i) {
    out[2 * i] = (steps[i].*part.*field).x;
    out[2 * i + 1] = (steps[i].*part.*field).y;
  }
}

// Steps kept before they are written out: a drive writes nineteen
// arrays, and a few hundred steps at a time, column by column, write
// them three times as fast as one step at a time across all nineteen.
const long steps_per_batch = 256;

} // namespace

void record_steps(const drive_step *s, long n, long first,
                  const drive_columns &out)
{
  const auto car = &drive_step::car;
  const auto parts = &drive_step::parts;
  pairs(out.position_wc + 2 * first, s, n, car, &car_state::position_wc);
  pairs(out.velocity_wc + 2 * first, s, n, car, &car_state::velocity_wc);
  column(out.angle + first, s, n, car, &car_state::angle);
  column(out.angular_velocity + first, s, n, car, &car_state::angular_velocity);
  column(out.steerangle + first, s, n, car, &car_state::steerangle);
  column(out.throttle + first, s, n, car, &car_state::throttle);
  column(out.brake + first, s, n, car, &car_state::brake);
  pairs(out.velocity + 2 * first, s, n, parts, &step_parts::velocity);
  column(out.slipanglefront + first, s, n, parts, &step_parts::slipanglefront);
  column(out.slipanglerear + first, s, n, parts, &step_parts::slipanglerear);
  column(out.weight + first, s, n, parts, &step_parts::weight);
  pairs(out.flatf + 2 * first, s, n, parts, &step_parts::flatf);
  pairs(out.flatr + 2 * first, s, n, parts, &step_parts::flatr);
  pairs(out.ftraction + 2 * first, s, n, parts, &step_parts::ftraction);
  pairs(out.resistance + 2 * first, s, n, parts, &step_parts::resistance);
  pairs(out.force + 2 * first, s, n, parts, &step_parts::force);
  column(out.torque + first, s, n, parts, &step_parts::torque);
  pairs(out.acceleration + 2 * first, s, n, parts, &step_parts::acceleration);
  column(out.angular_acceleration + first, s, n, parts,
         &step_parts::angular_acceleration);
}

// The car's constants are lent once for the whole drive, and the keys
// held from one poll to the next: no other car runs in between.
long model_drive(model_car *car, const std::uint32_t *masks, long steps,
                 const drive_columns &out)
{
  const lent_handling lent(car);
  drive_step batch[steps_per_batch];
  long i = 0;
  bool quit = false;
  while (i < steps && !quit) {
    if (i % steps_per_poll == 0) {
      hold_mask(masks[i / steps_per_poll]);
      quit = process_input(&car->state) != 0;
    }
    do_physics(&car->state, model_step_length);
    car->parts = last_step_parts();
    batch[i % steps_per_batch] = drive_step{car->state, car->parts};
    ++i;
    if (i % steps_per_batch == 0 || i == steps || quit)
      record_steps(batch, (i - 1) % steps_per_batch + 1,
                   (i - 1) / steps_per_batch * steps_per_batch, out);
  }
  hold_mask(0);
  return i;
}
