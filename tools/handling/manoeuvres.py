"""The report's standard manoeuvres, driven through the real keyboard poll
and physics of drive_model at the loop's nominal pacing: a poll before
every second step of 0.01 s.

Every figure is a double computed in the order the program's tools always
computed it, so that the report's files stay the same to the byte.
"""
import math
from dataclasses import dataclass, field

import drive_model as dm

STEPS_PER_SECOND = 100
RECORD_EVERY = 5  # steps between recorded samples (0.05 s)


def keys(*names):
    return dm.key_mask(list(names))


@dataclass
class Sample:
    """One recorded step. The open-plane path integrates the world velocity
    without the road's bounds: the forces never depend on the position, so
    it is where the car would go on an open plane."""
    time: float  # s since the manoeuvre's start
    speed: float  # m/s, magnitude of the world velocity
    forward: float  # m/s, along the car's heading
    yaw_rate: float  # rad/s
    heading: float  # rad, unwrapped
    path_x: float  # m, open plane, world x (positive to the left)
    path_y: float  # m, open plane, world y (down the road at start)
    road_x: float  # m, across the road, as the model holds it
    throttle: float
    steer: float  # rad


class Driver:
    """A car, the keys held now and what the manoeuvre has measured."""

    def __init__(self, car):
        self.car = car
        self.held = 0  # the key mask the next poll sees
        self.restart()

    def restart(self):
        """The clock, the path and the distance start again from here."""
        self.step = 0
        self.path_x = self.path_y = self.distance = 0.0
        self.steer = None  # rad, written after every poll when set

    def snapshot(self):
        c = self.car
        x, _ = c.position_wc
        return Sample(self.step / STEPS_PER_SECOND, c.speed, c.forward_speed,
                      c.angular_velocity, c.angle, self.path_x, self.path_y,
                      x, c.throttle, c.steerangle)

    def advance(self):
        """One step, after a poll when one is due. A steering wheel held
        still is written into the car after the poll: the keys can only
        turn the wheels on to full lock or snap them straight."""
        c = self.car
        if self.step % 2 == 0:
            c.poll(self.held)
            if self.steer is not None:
                c.steerangle = self.steer
        c.step()
        self.step += 1
        vx, vy = c.velocity_wc
        self.path_x += dm.STEP * vx
        self.path_y += dm.STEP * vy
        self.distance += dm.STEP * c.speed

    def run_for(self, steps, out=None):
        for _ in range(steps):
            self.advance()
            if out is not None and self.step % RECORD_EVERY == 0:
                out.append(self.snapshot())


def start(preset):
    """A reset car (F12) with the preset's key (F1 or F2) held for one poll;
    the clock and the path start after its two steps."""
    d = Driver(dm.Car(preset))
    d.held = keys("F12", "F1" if preset else "F2")
    d.run_for(2)
    d.held = 0
    d.restart()
    return d


def accelerate_to(d, target):
    """Holds Up until the forward speed reaches target (m/s)."""
    d.held = keys("Up")
    while d.car.forward_speed < target:
        d.advance()
    d.held = 0


def cruise(d, target, seconds):
    """Holds the speed near target a while with Up and Down, as a driver
    would: up in steps of 2, down in steps of 10."""
    i = 0
    while i < seconds * STEPS_PER_SECOND:
        if d.step % 2 == 0:
            v = d.car.forward_speed
            if v < target - 0.05:
                d.held = keys("Up")
            elif v > target + 0.5:
                d.held = keys("Down")
            else:
                d.held = 0
        d.advance()
        i += 1
    d.held = 0


@dataclass
class Acceleration:
    samples: list = field(default_factory=list)
    time_to_100: float = -1.0  # s, -1 if never reached
    top_speed: float = 0.0  # m/s
    balance_speed: float = 0.0  # m/s, full traction = drag + rolling


def run_acceleration(preset):
    r = Acceleration()
    d = start(preset)
    d.held = keys("Up")
    r.samples.append(d.snapshot())
    v100 = 100.0 / 3.6
    previous = 0.0
    for _ in range(120 * STEPS_PER_SECOND):
        d.advance()
        v = d.car.speed
        if r.time_to_100 < 0 and v >= v100:
            # Linear interpolation within the step.
            t = d.step / STEPS_PER_SECOND
            r.time_to_100 = t - 0.01 * (v - v100) / (v - previous)
        r.top_speed = max(r.top_speed, v)
        previous = v
        if d.step % (4 * RECORD_EVERY) == 0:
            r.samples.append(d.snapshot())
    # Full throttle gives 100 * 200 N; drag and rolling resistance balance
    # it where DRAG v^2 + RESISTANCE v = 20000.
    drag, rolling = d.car.DRAG, d.car.RESISTANCE
    r.balance_speed = ((-rolling + math.sqrt(rolling * rolling
                                             + 4.0 * drag * 20000.0))
                       / (2.0 * drag))
    return r


@dataclass
class Braking:
    samples: list = field(default_factory=list)  # from Space going down
    start_speed: float = 0.0  # m/s
    stop_time: float = 0.0  # s to the first step with no forward speed
    stop_distance: float = 0.0  # m travelled until then
    after_stop_speed: float = 0.0  # m/s, largest in the 5 s after
    after_stop_turn: float = 0.0  # rad, heading change in the 5 s after


def run_braking(preset):
    r = Braking()
    d = start(preset)
    accelerate_to(d, 100.0 / 3.6)
    r.start_speed = d.car.forward_speed
    d.restart()
    d.held = keys("Space")
    r.samples.append(d.snapshot())
    while d.car.forward_speed > 0.0:
        d.advance()
        if d.step % RECORD_EVERY == 0:
            r.samples.append(d.snapshot())
    r.samples.append(d.snapshot())
    r.stop_time = d.step / STEPS_PER_SECOND
    r.stop_distance = d.distance
    heading_at_stop = d.car.angle
    for _ in range(5 * STEPS_PER_SECOND):
        d.advance()
        r.after_stop_speed = max(r.after_stop_speed, d.car.speed)
        if d.step % RECORD_EVERY == 0:
            r.samples.append(d.snapshot())
    r.after_stop_turn = d.car.angle - heading_at_stop
    return r


@dataclass
class StepSteer:
    samples: list = field(default_factory=list)  # from Left going down
    entry_speed: float = 0.0  # m/s
    peak_yaw_rate: float = 0.0  # rad/s
    final_yaw_rate: float = 0.0  # rad/s, at the end
    final_speed: float = 0.0  # m/s, at the end
    heading_change: float = 0.0  # rad over the manoeuvre


def run_step_steer(preset, speed_kmh):
    r = StepSteer()
    d = start(preset)
    target = speed_kmh / 3.6
    accelerate_to(d, target)
    cruise(d, target, 10.0)
    r.entry_speed = d.car.speed
    d.restart()
    r.samples.append(d.snapshot())
    d.held = keys("Left")  # the throttle stays where the cruise left it
    d.run_for(8 * STEPS_PER_SECOND, r.samples)
    for s in r.samples:
        if abs(s.yaw_rate) > abs(r.peak_yaw_rate):
            r.peak_yaw_rate = s.yaw_rate
    r.final_yaw_rate = d.car.angular_velocity
    r.final_speed = d.car.speed
    r.heading_change = r.samples[-1].heading - r.samples[0].heading
    return r


def relative_spread(samples, last, name):
    """Spread of a quantity over the last samples, relative to its mean
    size."""
    lo, hi, total = 1e300, -1e300, 0.0
    for s in samples[len(samples) - last:]:
        x = getattr(s, name)
        lo, hi = min(lo, x), max(hi, x)
        total += abs(x)  # one by one, in order, as the report always added
    mean = total / last
    return (hi - lo) / mean if mean > 0.0 else 0.0


def settled(samples):
    """Whether, over the last 10 s, neither yaw rate nor speed moves by more
    than 1% of its size; otherwise by how much they move."""
    last = 10 * STEPS_PER_SECOND // RECORD_EVERY
    yaw = relative_spread(samples, last, "yaw_rate")
    speed = relative_spread(samples, last, "speed")
    if yaw < 0.01 and speed < 0.01:
        return True, ""
    return False, ("over the last 10 s the yaw rate varies by %f%% and the "
                   "speed by %f%%" % (yaw * 100.0, speed * 100.0))


@dataclass
class Circle:
    samples: list = field(default_factory=list)
    throttle: float = 0.0  # held
    steady: bool = False  # yaw rate and speed settled
    radius: float = 0.0  # m, speed / yaw rate, when steady
    lateral_accel: float = 0.0  # m/s^2, speed * yaw rate, when steady
    speed: float = 0.0  # m/s at the end
    yaw_rate: float = 0.0  # rad/s at the end
    why_not: str = ""  # what happens instead when not steady


def run_full_lock_circle(preset):
    r = Circle()
    d = start(preset)
    d.held = keys("Up")
    while d.car.throttle < 60.0:
        d.advance()
    r.throttle = d.car.throttle
    d.restart()
    r.samples.append(d.snapshot())
    d.held = keys("Left")  # full lock after 65 polls, held from then on
    d.run_for(60 * STEPS_PER_SECOND, r.samples)
    r.speed = d.car.speed
    r.yaw_rate = d.car.angular_velocity
    r.steady, r.why_not = settled(r.samples)
    r.steady = r.steady and r.yaw_rate != 0.0
    if r.steady:
        r.radius = r.speed / abs(r.yaw_rate)
        r.lateral_accel = r.speed * abs(r.yaw_rate)
    return r


@dataclass
class SteadySteer:
    """A steady turn: the throttle held at the even value whose traction
    balances drag and rolling resistance nearest the speed asked for, and,
    once the speed has settled, the front wheels held at steer. The keys
    cannot hold a small angle, so it is written into the car after every
    poll, as a steering wheel held still would."""
    samples: list = field(default_factory=list)  # from the wheels turning
    steer: float = 0.0  # rad, held
    throttle: float = 0.0  # held
    steady: bool = False
    speed: float = 0.0  # m/s at the end
    yaw_rate: float = 0.0  # rad/s at the end
    why_not: str = ""


def round_half_away(x):
    """C's round(): halves go away from zero, not to the even neighbour as
    Python's round() takes them."""
    whole = math.floor(abs(x))
    return math.copysign(whole + (1.0 if abs(x) - whole >= 0.5 else 0.0), x)


def run_steady_steer(preset, speed_kmh, steer):
    r = SteadySteer()
    d = start(preset)
    # Traction is 100 N per unit of throttle, which Up raises by 2.
    v = speed_kmh / 3.6
    need = (d.car.RESISTANCE * v + d.car.DRAG * v * v) / 100.0
    r.throttle = 2.0 * round_half_away(need / 2.0)
    d.held = keys("Up")
    while d.car.throttle < r.throttle:
        d.advance()
    d.held = 0
    d.run_for(60 * STEPS_PER_SECOND)
    d.restart()
    d.steer = r.steer = steer
    d.car.steerangle = steer
    r.samples.append(d.snapshot())
    d.run_for(60 * STEPS_PER_SECOND, r.samples)
    r.speed = d.car.speed
    r.yaw_rate = d.car.angular_velocity
    r.steady, r.why_not = settled(r.samples)
    return r


def one_poll_of_left():
    """The steering angle (rad) that one poll with Left held gives from
    centre: the smallest the keys make."""
    car = dm.Car()
    car.poll("Left")
    return car.steerangle
