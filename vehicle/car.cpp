#include "vehicle/car.h"

car_type cartypes[1];

float DRAG;
float RESISTANCE;
float CA_R;
float CA_F;
float MAX_GRIP;

// One handling preset: the five constants in the order togglevel sets them.
struct handling_preset {
  float drag;
  float resistance;
  float ca_r;
  float ca_f;
  float max_grip;
};

// Preset 0 is soft and slippery, preset 1 about three times as stiff with
// two and a half times the grip, the rear axle a little stiffer in both.
static const handling_preset presets[2] = {
    {5.0f, 30.0f, -5.2f, -5.0f, 2.0f},
    {8.0f, 50.0f, -15.2f, -15.0f, 5.0f},
};

void togglevel(int flag)
{
  const handling_preset &p = presets[flag != 0 ? 1 : 0];
  DRAG = p.drag;
  RESISTANCE = p.resistance;
  CA_R = p.ca_r;
  CA_F = p.ca_f;
  MAX_GRIP = p.max_grip;
}

void init_cartypes()
{
  car_type &t = cartypes[0];
  t.cg_to_front_axle = 1.0f;
  t.cg_to_rear_axle = 1.0f;
  t.wheelbase = t.cg_to_front_axle + t.cg_to_rear_axle;
  t.mass = 1500.0f;
  t.inertia = 1500.0f;
}

void init_car(car_state *car, car_type *type)
{
  car->type = type;
  car->position_wc = vec2{0.0f, -25.0f};
  car->velocity_wc = vec2{0.0f, 0.0f};
  car->angle = 0.0f;
  car->angular_velocity = 0.0f;
  car->steerangle = 0.0f;
  car->throttle = 0.0f;
  car->brake = 0.0f;
}
