"""The two presets braking with Space from 100 km/h.

    python braking.py [PICTURE]
"""
import sys

import matplotlib.pyplot as plt
import numpy as np

import drive_model as dm

fig, (speed, gone) = plt.subplots(1, 2, figsize=(10, 4))
for preset, name in ((1, "preset 1 (F1)"), (0, "preset 0 (F2)")):
    car = dm.Car(preset)
    while car.speed < 100 / 3.6:  # m/s; Up held, a poll every second step
        car.poll("Up")
        car.step()
        car.step()
    run = car.drive([dm.key_mask("Space")] * 250)  # 5 s
    vx, vy = run["velocity_wc"].T  # m/s, world frame
    v = np.hypot(vx, vy)
    forward = np.sin(run["angle"]) * vx + np.cos(run["angle"]) * vy
    t = np.arange(1, len(v) + 1) * dm.STEP
    # Stopped: the first step with no forward speed. After it the brake,
    # which pushes against the forward speed, jitters the car about 0.
    stop = np.argmax(forward <= 0)
    distance = np.cumsum(v * dm.STEP)
    speed.plot(t, v * 3.6, label=name)
    gone.plot(t, distance, label=name)
    print("%s: stops after %.2f s and %.1f m" %
          (name, t[stop], distance[stop]))
speed.set(title="Braking from 100 km/h", xlabel="time (s)",
          ylabel="speed (km/h)")
gone.set(title="Distance travelled", xlabel="time (s)", ylabel="m")
speed.legend()
fig.tight_layout()
fig.savefig(sys.argv[1] if len(sys.argv) > 1 else "braking.svg")
