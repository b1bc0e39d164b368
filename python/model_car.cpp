#include "python/model_car.h"

#include "controls/controls.h"
#include "record/keys.h"
#include "vehicle/physics.h"

#include <cmath>

lent_handling::lent_handling(model_car *c) : car(c), before(program_handling())
{
  set_program_handling(car->constants);
}

lent_handling::~lent_handling()
{
  car->constants = program_handling();
  set_program_handling(before);
}

handling preset_handling(int preset)
{
  const handling before = program_handling();
  togglevel(preset);
  const handling h = program_handling();
  set_program_handling(before);
  return h;
}

model_car make_model_car(const handling &constants)
{
  init_cartypes();
  model_car car{};
  init_car(&car.state, &cartypes[0]);
  car.constants = constants;
  return car;
}

void model_step(model_car *car)
{
  const lent_handling lent(car);
  do_physics(&car->state, model_step_length);
  car->parts = last_step_parts();
}

int model_poll(model_car *car, std::uint32_t mask)
{
  const lent_handling lent(car);
  hold_mask(mask);
  const int quit = process_input(&car->state);
  hold_mask(0);
  return quit;
}

void model_reset(model_car *car)
{
  init_car(&car->state, &cartypes[0]);
}

double model_speed(const model_car &car)
{
  const vec2 v = car.state.velocity_wc;
  return std::hypot(static_cast<double>(v.x), v.y);
}

double model_forward_speed(const model_car &car)
{
  const double a = car.state.angle;
  const vec2 v = car.state.velocity_wc;
  return std::sin(a) * v.x + std::cos(a) * v.y;
}
