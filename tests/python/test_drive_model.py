"""drive_model against the program: the same digits, cars that keep to
themselves, and a clear exception for every bad input."""
import math
import os
import pathlib
import re
import subprocess

import numpy as np
import pytest

import drive_model as dm
from long_drive import long_drive_masks

ROOT = pathlib.Path(__file__).resolve().parents[2]
FIELDS = ("position_wc", "velocity_wc", "angle", "angular_velocity",
          "steerangle", "throttle", "brake")


def near_sig6(actual, expected):
    """Within one unit of the sixth significant digit of expected."""
    unit = 10.0 ** (math.floor(math.log10(abs(expected))) - 5)
    return abs(actual - expected) <= unit


def test_worked_step_gives_the_worked_state():
    car = dm.Car(1)
    car.position_wc = (1.5, 800)
    car.velocity_wc = (3, 20)
    car.angle, car.angular_velocity, car.steerangle = 0.25, 0.5, 0.0625
    car.throttle, car.brake = 100, 0
    car.step()
    (vx, vy), (x, y) = car.velocity_wc, car.position_wc
    rows = [("velocity_wc.x", vx, 3.19967), ("velocity_wc.y", vy, 19.9886),
            ("position_wc.x", x, 1.53200), ("position_wc.y", y, 800.200),
            ("angular_velocity", car.angular_velocity, 0.537592),
            ("angle", car.angle, 0.255376)]
    for name, actual, expected in rows:
        assert near_sig6(actual, expected), (name, actual, expected)


def flat(car):
    """The car's nine fields in drive_trace's order."""
    return [*car.position_wc, *car.velocity_wc,
            *(getattr(car, f) for f in FIELDS[2:])]


def trace_lines(first, run):
    """drive_trace's lines: each step's fields as their bits, in hex."""
    rest = np.column_stack([run["position_wc"], run["velocity_wc"]]
                           + [run[f] for f in FIELDS[2:]])
    bits = np.concatenate([np.array([first], np.float32), rest])
    bits = bits.view(np.uint32)
    return "".join("%d %s\n" % (i, " ".join("%08x" % b for b in row))
                   for i, row in enumerate(bits, start=1))


def test_the_long_drive_is_drive_traces_to_the_last_bit(tmp_path):
    steps = 1_000_000
    car = dm.Car(1)
    # drive_trace polls before its even steps, from step 1: its first
    # step comes before any poll.
    car.step()
    first = flat(car)
    run = car.drive(long_drive_masks(steps // 2), steps - 1)
    trace = tmp_path / "trace.txt"
    trace.write_text(trace_lines(first, run))
    done = subprocess.run([os.environ["DRIVE_TRACE"], str(steps), str(trace),
                           "0"], capture_output=True, text=True, check=False)
    assert done.returncode == 0, done.stdout + done.stderr
    assert "identical to the last bit" in done.stdout


def poll_and_step(car, masks, steps):
    """What drive() does, one call at a time."""
    for i in range(steps):
        if i % 2 == 0:
            car.poll(int(masks[i // 2]))
        car.step()


def state(car):
    return tuple(getattr(car, f) for f in FIELDS)


def handling(car):
    return tuple(getattr(car, c)
                 for c in ("DRAG", "RESISTANCE", "CA_F", "CA_R", "MAX_GRIP"))


def test_drive_is_a_poll_before_every_second_step():
    masks = long_drive_masks(3000)
    by_call, driven = dm.Car(1), dm.Car(1)
    run = driven.drive(masks)
    for i in range(6000):
        if i % 2 == 0:
            by_call.poll(int(masks[i // 2]))
        by_call.step()
        if i in (0, 1, 2999, 5999):
            (x, y), (vx, vy) = by_call.position_wc, by_call.velocity_wc
            assert (x, y) == tuple(run["position_wc"][i])
            assert (vx, vy) == tuple(run["velocity_wc"][i])
            for f in FIELDS[2:]:
                assert getattr(by_call, f) == run[f][i], (f, i)
    assert state(by_call) == state(driven)


def test_cars_side_by_side_drive_as_each_would_alone():
    # The second car switches presets by its keys: F1 and F2 rewrite the
    # program's constants, and must not reach the first car.
    keys_a = long_drive_masks(2000)
    keys_b = np.where(np.arange(2000) % 300 < 5,
                      dm.key_mask(["Up", "Right", "F1"]),
                      dm.key_mask(["Up", "Left"]))
    keys_b[1900:1905] = dm.key_mask(["F2"])
    alone_a, alone_b = dm.Car(1, CA_R=-7.6), dm.Car(0, MAX_GRIP=3)
    poll_and_step(alone_a, keys_a, 4000)
    poll_and_step(alone_b, keys_b, 4000)

    a, b = dm.Car(1, CA_R=-7.6), dm.Car(0, MAX_GRIP=3)
    for i in range(4000):
        for car, keys in ((a, keys_a), (b, keys_b)):
            if i % 2 == 0:
                car.poll(int(keys[i // 2]))
            car.step()
    assert state(a) == state(alone_a) and state(b) == state(alone_b)
    assert handling(a) == handling(alone_a) == handling(dm.Car(1, CA_R=-7.6))
    assert handling(b) == handling(dm.Car(0))  # F2 came last


def test_escape_ends_a_drive_after_the_step_of_its_poll():
    keys = [dm.key_mask("Up")] * 3 + [dm.key_mask(["Up", "Escape"]), 0]
    run = dm.Car().drive(keys)
    assert len(run["angle"]) == 7  # polls 0 to 3, Escape at the fourth
    assert run["throttle"][-1] == 8
    assert dm.Car().poll(["Escape", "Up"]) is True
    assert dm.Car().poll([]) is False


def test_reset_goes_back_to_the_start_and_keeps_the_handling():
    car = dm.Car(0, DRAG=1.5)
    car.drive([dm.key_mask(["Up", "Left"])] * 200)
    car.reset()
    assert car.position_wc == (0.0, -25.0)
    assert (car.velocity_wc, car.angle, car.angular_velocity) == \
        ((0.0, 0.0), 0.0, 0.0)
    assert (car.steerangle, car.throttle, car.brake) == (0.0, 0.0, 0.0)
    assert car.DRAG == 1.5 and car.CA_R == dm.Car(0).CA_R


def test_values_are_stored_as_the_programs_32_bit_floats():
    car = dm.Car(CA_R=-15.2 / 2)
    car.angle = 0.1
    assert car.angle == float(np.float32(0.1)) != 0.1
    assert car.CA_R == float(np.float32(-7.6))
    assert dm.Car(1).CA_R == float(np.float32(-15.2))
    assert dm.STEP == float(np.float32(0.01))


def test_the_key_names_are_the_readmes():
    readme = (ROOT / "README.md").read_text(encoding="utf-8")
    table = readme.split("## Keys", 1)[1].split("\n\n")[1]
    names = re.findall(r"^\| ([^|]+?) \|", table, re.M)[1:]
    assert sorted(n for row in names for n in row.split(" / ")) == \
        sorted(dm.KEYS)


BAD = [
    ("unknown key", lambda c: c.poll(["Up", "Throttle"]), ValueError,
     "no key is named 'Throttle'"),
    ("key not a name", lambda c: c.poll([1]), TypeError, "named by a string"),
    ("mask bit of no key", lambda c: c.poll(1 << 9), ValueError, "no key"),
    ("negative mask", lambda c: c.drive([-1]), ValueError, "no key"),
    ("preset 2", lambda c: dm.Car(2), ValueError, "preset must be"),
    ("preset -1", lambda c: dm.Car(-1), ValueError, "preset must be"),
    ("negative steps", lambda c: c.drive([0], -1), ValueError, "0 or more"),
    ("too few polls", lambda c: c.drive([0, 0], 5), ValueError, "3 times"),
    ("keys of floats", lambda c: c.drive([1.5]), TypeError, "integer"),
    ("keys of names", lambda c: c.drive(["Up"]), TypeError, "integer"),
    ("keys in 2-D", lambda c: c.drive([[1], [1]]), ValueError, "1-D"),
    ("NaN field", lambda c: setattr(c, "angle", math.nan), ValueError,
     "angle must be a finite"),
    ("infinite field", lambda c: setattr(c, "throttle", -math.inf),
     ValueError, "throttle must be a finite"),
    ("past float range", lambda c: setattr(c, "brake", 1e39), ValueError,
     "brake must be a finite"),
    ("NaN in a vector", lambda c: setattr(c, "velocity_wc", (0, math.nan)),
     ValueError, "velocity_wc must be a finite"),
    ("vector of three", lambda c: setattr(c, "position_wc", (1, 2, 3)),
     TypeError, ""),
    ("NaN constant", lambda c: setattr(c, "MAX_GRIP", math.nan), ValueError,
     "MAX_GRIP must be a finite"),
    ("infinite constant", lambda c: dm.Car(CA_F=math.inf), ValueError,
     "CA_F must be a finite"),
]


@pytest.mark.parametrize("what, call, error, words", BAD,
                         ids=[b[0] for b in BAD])
def test_bad_input_raises_and_leaves_the_car_alone(what, call, error, words):
    car = dm.Car(1)
    car.drive([dm.key_mask(["Up", "Left"])] * 50)
    before = state(car) + handling(car)
    with pytest.raises(error, match=re.escape(words)):
        call(car)
    assert state(car) + handling(car) == before, what
