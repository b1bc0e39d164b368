// Car records, the one car type and the handling presets.
//
// Units: metres, seconds, kilograms, radians. World frame: x across the
// road, y along it. A car at angle 0 faces world +y; its forward axis in
// world coordinates is (sin angle, cos angle).
#ifndef VEHICLE_CAR_H
#define VEHICLE_CAR_H

// A planar vector of two 32-bit floats.
struct vec2 {
  float x;
  float y;
};

// Fixed parameters of a kind of car.
struct car_type {
  float wheelbase;        // m, cg_to_front_axle + cg_to_rear_axle
  float cg_to_front_axle; // m, lever arm of the front lateral force
  float cg_to_rear_axle;  // m, lever arm of the rear lateral force
  float mass;             // kg
  float inertia;          // kg m^2, yaw moment of inertia
};

// The simulated car. Vectors with the suffix _wc are in world coordinates.
struct car_state {
  car_type *type;
  vec2 position_wc;       // m
  vec2 velocity_wc;       // m/s
  float angle;            // rad, heading; never wrapped
  float angular_velocity; // rad/s, yaw rate
  float steerangle;       // rad, front wheels; positive steers left
  float throttle;         // 0 to 200, even whole numbers
  float brake;            // 0 or 100
};

// The table of car types: one entry, all zero until init_cartypes.
extern car_type cartypes[1];

// Handling constants, written only by togglevel. The cornering
// stiffnesses are negative: a lateral force points against its slip angle.
extern float DRAG;       // air drag: force -DRAG * v * |v| per car axis
extern float RESISTANCE; // rolling resistance: force -RESISTANCE * v
extern float CA_R;       // rear cornering stiffness, per unit load per rad
extern float CA_F;       // front cornering stiffness, per unit load per rad
extern float MAX_GRIP;   // limit of the lateral force per unit axle load

// Selects handling preset 1 for a non-zero flag, preset 0 for zero.
void togglevel(int flag);

// Fills cartypes[0] with the one car's parameters.
void init_cartypes();

// Puts the car at its start position (0, -25), at rest, controls at 0.
void init_car(car_state *car, car_type *type);

#endif
