"""Every manoeuvre for one preset, and the units the report's files use."""
import math
from dataclasses import dataclass

import drive_model as dm

from handling import manoeuvres as m
from handling.single_track import single_track_of

KMH = 3.6  # km/h per m/s
DEGREES = 180.0 / math.pi  # degrees per radian
STEADY_SPEEDS_KMH = (30, 60, 90, 120, 150)  # the steady small-steer turns


@dataclass
class PresetResults:
    preset: int  # 1 (F1) or 0 (F2)
    acceleration: m.Acceleration
    braking: m.Braking
    steer_60: m.StepSteer
    steer_120: m.StepSteer
    circle: m.Circle
    steady: list  # SteadySteer at each of STEADY_SPEEDS_KMH
    textbook: object  # the preset's SingleTrack


def run_all(preset):
    steer = m.one_poll_of_left()
    return PresetResults(
        preset, m.run_acceleration(preset), m.run_braking(preset),
        m.run_step_steer(preset, 60.0), m.run_step_steer(preset, 120.0),
        m.run_full_lock_circle(preset),
        [m.run_steady_steer(preset, v, steer) for v in STEADY_SPEEDS_KMH],
        single_track_of(dm.Car(preset)))
