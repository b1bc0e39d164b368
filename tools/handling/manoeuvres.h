// Scripted drives through the real keyboard poll and physics, and the
// report's standard manoeuvres: keys go into Allegro's key array,
// process_input reads them once every second step of 0.01 s (the loop's
// nominal pacing) and do_physics moves the car. The soak test and the
// cross-build comparisons drive the same way.
#ifndef TOOLS_HANDLING_MANOEUVRES_H
#define TOOLS_HANDLING_MANOEUVRES_H

#include "vehicle/car.h"

#include <initializer_list>
#include <string>
#include <vector>

const float drive_dt = 0.01f; // s per step
const int drive_steps_per_second = 100;

// Holds exactly the given keys (Allegro key codes) down, every other up.
void hold_keys(std::initializer_list<int> codes);

// The loop polls the keyboard before every even-numbered step.
bool polls_before(long step);

// Takes the step numbered step: the poll first when it is due, then
// drive_dt of physics. A steering wheel held still (held_steer, rad, when
// given) is written into the car after the poll: the keys can only turn
// the wheels on to full lock or snap them straight.
void drive_step(car_state *car, long step, const float *held_steer = nullptr);

// One recorded step. The open-plane path integrates the car's world
// velocity without the road's bounds: the forces never depend on the
// position, so this is where the car would go on an open plane.
struct sample {
  double time;     // s since the manoeuvre's start
  double speed;    // m/s, magnitude of the world velocity
  double forward;  // m/s, speed along the car's forward axis
  double yaw_rate; // rad/s
  double heading;  // rad, unwrapped
  double path_x;   // m, open plane, world x (positive to the left)
  double path_y;   // m, open plane, world y (down the road at start)
  double road_x;   // m, position across the road, as the model holds it
  double throttle; // 0 to 200
  double steer;    // rad
};

struct acceleration_result {
  std::vector<sample> samples;
  double time_to_100;   // s, -1 if never reached
  double top_speed;     // m/s, highest speed reached
  double balance_speed; // m/s, where full traction meets drag + rolling
};

struct braking_result {
  std::vector<sample> samples; // from the moment Space goes down
  double start_speed;          // m/s
  double stop_time;            // s to the first step with no forward speed
  double stop_distance;        // m travelled until then
  double after_stop_speed;     // m/s, largest speed in the 5 s after
  double after_stop_turn;      // rad, heading change in the 5 s after
};

struct step_steer_result {
  std::vector<sample> samples; // from the moment Left goes down
  double entry_speed;          // m/s
  double peak_yaw_rate;        // rad/s
  double final_yaw_rate;       // rad/s, at the end
  double final_speed;          // m/s, at the end
  double heading_change;       // rad over the manoeuvre
};

struct circle_result {
  std::vector<sample> samples;
  double throttle;      // the steady throttle held
  bool steady;          // yaw rate and speed settled
  double radius;        // m, speed / yaw rate, when steady
  double lateral_accel; // m/s^2, speed * yaw rate, when steady
  double speed;         // m/s at the end
  double yaw_rate;      // rad/s at the end
  std::string why_not;  // what happens instead when not steady
};

// A steady turn: the throttle held at the even value whose traction
// balances drag and rolling resistance nearest speed_kmh, and, once the
// speed has settled, the front wheels held at steer (rad). The keyboard
// cannot hold a small angle (Left turns on to full lock, and with neither
// key held the poll snaps the wheels straight), so the angle is written
// into the car after every poll, as a steering wheel held still would.
struct steady_steer_result {
  std::vector<sample> samples; // from the moment the wheels turn
  double steer;                // rad, held
  double throttle;             // held
  bool steady;                 // yaw rate and speed settled
  double speed;                // m/s at the end
  double yaw_rate;             // rad/s at the end
  std::string why_not;         // what happens instead when not steady
};

// Each manoeuvre starts from a reset car with the given handling preset
// (1: F1, 0: F2).
acceleration_result run_acceleration(int preset);
braking_result run_braking(int preset);
step_steer_result run_step_steer(int preset, double speed_kmh);
circle_result run_full_lock_circle(int preset);
steady_steer_result run_steady_steer(int preset, double speed_kmh, float steer);

// The steering angle (rad) that one poll with Left held gives from
// centre: the smallest the keyboard makes.
float one_poll_of_left();

#endif
