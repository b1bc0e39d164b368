"""The step's parts through the module: what the program's own step
leaves, to the bit, and each car's own, whichever car stepped last."""
import math
import os
import subprocess

import numpy as np
import pytest

import drive_model as dm
from long_drive import long_drive_masks

# In the order of tests/python/step_parts.cpp's lines.
PARTS = ("velocity", "slipanglefront", "slipanglerear", "weight", "flatf",
         "flatr", "ftraction", "resistance", "force", "torque",
         "acceleration", "angular_acceleration")
CONSTANTS = ("DRAG", "RESISTANCE", "CA_F", "CA_R", "MAX_GRIP")
FIELDS = ("position_wc", "velocity_wc", "angle", "angular_velocity",
          "steerangle", "throttle", "brake")

STATES = [
    ("the worked step", {}, dict(
        position_wc=(1.5, 800), velocity_wc=(3, 20), angle=0.25,
        angular_velocity=0.5, steerangle=0.0625, throttle=100)),
    ("at rest: no forward speed, no arctangent", {}, {}),
    ("braking while reversing", {}, dict(
        velocity_wc=(0.5, -5), angle=0.02, brake=100)),
    ("sliding past both axles' grip", {"preset": 0}, dict(
        velocity_wc=(15, 20), angle=0.1, angular_velocity=-2,
        steerangle=-0.19)),
    ("half the rear grip at full lock", {"CA_R": -7.6}, dict(
        position_wc=(-18, 1500), velocity_wc=(0.5, 30), angle=-3,
        angular_velocity=1, steerangle=0.199417382, throttle=200)),
    ("unwrapped past a full turn, sliding", {}, dict(
        velocity_wc=(-40, 2), angle=-7.5, angular_velocity=6)),
]


def car_in(handling, fields):
    car = dm.Car(**handling)
    for name, value in fields.items():
        setattr(car, name, value)
    return car


def flat(values):
    """The parts, pairs spread out, as Python floats."""
    return [float(x) for v in values for x in np.ravel(v)]


def car_parts(car):
    return flat(getattr(car, p) for p in PARTS)


def drive_parts(run, i):
    return flat(run[p][i] for p in PARTS)


@pytest.fixture(scope="module")
def programs_parts():
    """Each state's step through the program's own do_physics."""
    lines = []
    for _, handling, fields in STATES:
        car = car_in(handling, fields)
        numbers = [getattr(car, c) for c in CONSTANTS] + flat(
            getattr(car, f) for f in FIELDS)
        lines.append(" ".join(float(x).hex() for x in numbers))
    done = subprocess.run([os.environ["STEP_PARTS"]], check=True, text=True,
                          input="\n".join(lines) + "\n", capture_output=True)
    return [[float.fromhex(x) for x in line.split()]
            for line in done.stdout.splitlines()]


@pytest.mark.parametrize("index", range(len(STATES)),
                         ids=[s[0] for s in STATES])
def test_a_cars_parts_are_its_steps_to_the_bit(index, programs_parts):
    _, handling, fields = STATES[index]
    car = car_in(handling, fields)
    assert car_parts(car) == [0.0] * 19  # before its first step
    car.step()
    assert car_parts(car) == programs_parts[index]


def test_drive_gives_every_steps_parts_as_poll_and_step_do():
    # Escape at poll 700 ends the drive at step 1401, within a batch of
    # the drive's recording.
    masks = long_drive_masks(800)
    masks[700] |= dm.key_mask("Escape")
    by_call, driven = dm.Car(1), dm.Car(1)
    run = driven.drive(masks)
    assert len(run["angle"]) == 1401
    for i in range(1401):
        if i % 2 == 0:
            by_call.poll(int(masks[i // 2]))
        by_call.step()
        assert drive_parts(run, i) == car_parts(by_call), i
    assert car_parts(driven) == car_parts(by_call)
    assert run["slipanglefront"].dtype == np.float64
    assert run["flatf"].dtype == np.float32 and run["flatf"].shape == (1401, 2)


def test_cars_side_by_side_keep_their_own_parts():
    # The second car steps between the first car's step and the reading
    # of its parts: the program's parts are the second car's by then.
    keys_a = long_drive_masks(1000)
    keys_b = np.full(1000, dm.key_mask(["Up", "Right"]))
    alone_a = dm.Car(1).drive(keys_a)
    alone_b = dm.Car(0, MAX_GRIP=3).drive(keys_b)
    a, b = dm.Car(1), dm.Car(0, MAX_GRIP=3)
    for i in range(2000):
        for car, keys in ((a, keys_a), (b, keys_b)):
            if i % 2 == 0:
                car.poll(int(keys[i // 2]))
            car.step()
        assert car_parts(a) == drive_parts(alone_a, i), i
        assert car_parts(b) == drive_parts(alone_b, i), i
    assert not math.isclose(a.slipanglerear, b.slipanglerear)
