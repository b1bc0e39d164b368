"""The textbook linear single-track ("bicycle") model's steady-state yaw-rate
gain, with the axle loads and cornering stiffnesses as this model's
constants define them.

Steady turning at speed V (m/s) with the front wheels at delta (rad) gives
the yaw rate r = delta V / (L + K V^2), where L (m) is the wheelbase and K
(rad per m/s^2) the understeer gradient.
"""
from dataclasses import dataclass

import drive_model as dm

GRAVITY = 9.8  # m/s^2, as the model's axle loads take it

# The model swings the axles at 0.1 * wheelbase * yaw rate in the slip
# angles, where the textbook has the cg's distance to each axle.
YAW_LEVER_PER_WHEELBASE = 0.1


@dataclass
class SingleTrack:
    front_load: float  # N, weight on the front axle
    rear_load: float  # N
    front_stiffness: float  # N/rad, lateral force per rad of front slip
    rear_stiffness: float  # N/rad
    understeer: float  # rad per m/s^2; positive understeers
    wheelbase: float  # m, L
    yaw_length: float  # m, what the model's slip angles put for L


def single_track_of(car):
    """The single-track figures of the car type under car's handling."""
    t = dm.CAR_TYPE
    # The model puts half the weight on each axle, whatever the cg.
    front_load = GRAVITY * t["mass"] * 0.5
    rear_load = front_load
    # CA_F and CA_R are per unit load and negative (the force opposes the
    # slip); the textbook's stiffnesses are positive.
    front_stiffness = -car.CA_F * front_load
    rear_stiffness = -car.CA_R * rear_load
    understeer = (front_load / front_stiffness
                  - rear_load / rear_stiffness) / GRAVITY
    # With cg-to-axle distances a = b, the steady turn needs 2 * lever / V
    # of steering per unit yaw rate where the textbook needs L / V.
    yaw_length = 2.0 * YAW_LEVER_PER_WHEELBASE * t["wheelbase"]
    return SingleTrack(front_load, rear_load, front_stiffness, rear_stiffness,
                       understeer, t["wheelbase"], yaw_length)


def yaw_gain(speed, length, understeer):
    """Steady-state yaw rate per unit steering angle, 1/s, at speed (m/s),
    for a wheelbase-like length (m) and understeer gradient."""
    return speed / (length + understeer * speed * speed)
