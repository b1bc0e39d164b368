// The parts of one step as the program's step leaves them, program-wide
// (vehicle/physics.h), for the module's to be set beside. Each line read
// is one car: the five handling constants (DRAG RESISTANCE CA_F CA_R
// MAX_GRIP), then position_wc x y, velocity_wc x y, angle,
// angular_velocity, steerangle, throttle and brake, as C's %a. Each car
// takes one step; its line out is the parts in the order of the Python
// names below, as %a, exact.
#include "vehicle/physics.h"

#include <cstdio>

int main()
{
  init_cartypes();
  float f[14];
  while (std::scanf("%a %a %a %a %a %a %a %a %a %a %a %a %a %a", &f[0], &f[1],
                    &f[2], &f[3], &f[4], &f[5], &f[6], &f[7], &f[8], &f[9],
                    &f[10], &f[11], &f[12], &f[13]) == 14) {
    DRAG = f[0];
    RESISTANCE = f[1];
    CA_F = f[2];
    CA_R = f[3];
    MAX_GRIP = f[4];
    car_state car{&cartypes[0], {f[5], f[6]}, {f[7], f[8]}, f[9],
                  f[10],        f[11],        f[12],        f[13]};
    do_physics(&car, 0.01f);
    // velocity slipanglefront slipanglerear weight flatf flatr ftraction
    // resistance force torque acceleration angular_acceleration
    const double out[] = {velocity.x,
                          velocity.y,
                          slipanglefront,
                          slipanglerear,
                          weight,
                          flatf.x,
                          flatf.y,
                          flatr.x,
                          flatr.y,
                          ftraction.x,
                          ftraction.y,
                          resistance.x,
                          resistance.y,
                          force.x,
                          force.y,
                          torque,
                          acceleration.x,
                          acceleration.y,
                          angular_acceleration};
    for (double v : out)
      std::printf("%a ", v);
    std::printf("\n");
  }
  return 0;
}
