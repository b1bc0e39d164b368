"""Step steer at 60 km/h, the preset against the same car with the rear
tyres' cornering stiffness halved.

    python rear_grip.py [PICTURE]
"""
import sys

import matplotlib.pyplot as plt
import numpy as np

import drive_model as dm

UP, LEFT = dm.key_mask("Up"), dm.key_mask("Left")


def step_steer(car):
    """Throttle 28 (14 polls of Up) holds about 60 km/h; 15 s to settle,
    then Left held for 8 s. A poll every 0.02 s, two steps of 0.01 s."""
    before = np.concatenate([np.full(14, UP), np.zeros(750, int)])
    keys = np.concatenate([before, np.full(400, LEFT)])
    run = car.drive(keys)
    steps = np.arange(1, len(run["angle"]) + 1)
    t = (steps - 2 * len(before)) * dm.STEP  # s since Left went down
    return t, run


cars = {"preset 1": dm.Car(1),
        # Cornering stiffnesses are negative: halving the grip halves the
        # magnitude.
        "preset 1, rear CA_R halved": dm.Car(1, CA_R=dm.Car(1).CA_R / 2)}

fig, (yaw, path) = plt.subplots(1, 2, figsize=(10, 4))
for name, car in cars.items():
    t, run = step_steer(car)
    turning = t >= 0
    yaw.plot(t[turning], np.degrees(run["angular_velocity"][turning]),
             label=name)
    # The road moves the car back 500 m at a time: the open-plane path
    # comes from adding up the velocity instead.
    xy = np.cumsum(run["velocity_wc"][turning] * dm.STEP, axis=0)
    path.plot(xy[:, 1], xy[:, 0], label=name)
    print("%s: %.1f deg/s after 1 s" % (name, np.degrees(
        run["angular_velocity"][np.searchsorted(t, 1.0)])))
yaw.set(title="Yaw rate after Left goes down at 60 km/h",
        xlabel="time (s)", ylabel="yaw rate (deg/s)")
path.set(title="Path on an open plane", xlabel="down the road (m)",
         ylabel="to the left (m)", aspect="equal")
yaw.legend()
fig.tight_layout()
fig.savefig(sys.argv[1] if len(sys.argv) > 1 else "rear_grip.svg")
