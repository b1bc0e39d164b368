"""Each axle's tyre curve, its lateral force against its slip angle, from
a drive with each preset: the wheel turned to full lock at speed and
held while the car slides and spins.

    python tyre_curve.py [PICTURE]
"""
import sys

import matplotlib.pyplot as plt
import numpy as np

import drive_model as dm

UP, LEFT = dm.key_mask("Up"), dm.key_mask("Left")
# Throttle 60 (30 polls of Up), 14 s to reach speed, then Left for 5 s.
KEYS = [UP] * 30 + [0] * 700 + [LEFT] * 250
TURN = 2 * 730  # the first step with Left held

fig, axles = plt.subplots(1, 2, figsize=(10, 4), sharey=True)
for preset, colour in ((1, "tab:blue"), (0, "tab:red")):
    car = dm.Car(preset)
    run = car.drive(KEYS)
    load = run["weight"][TURN:]  # N on each axle
    for ax, axle, stiffness in ((axles[0], "front", car.CA_F),
                                (axles[1], "rear", car.CA_R)):
        slip = run["slipangle" + axle][TURN:]  # rad
        force = run["flat" + axle[0]][TURN:, 1]  # N, the car's y axis
        per_load = force / load
        ax.plot(np.degrees(slip[::4]), per_load[::4], ".", ms=3,
                color=colour, label="preset %d, every 4th step" % preset)
        # The model's curve: stiffness x slip, capped at MAX_GRIP either
        # way. The stiffness is negative: the force opposes the slip.
        line = np.radians(np.linspace(-45, 45, 181))
        ax.plot(np.degrees(line), np.clip(stiffness * line, -car.MAX_GRIP,
                                          car.MAX_GRIP),
                "--", color=colour, lw=1,
                label="preset %d: CA × slip, within ±MAX_GRIP" % preset)
        # Measured: the slope of the linear part, where the limit starts,
        # and how much of the turn the axle spent at it.
        limited = np.abs(per_load) >= car.MAX_GRIP * (1 - 1e-6)
        slope = np.polyfit(slip[~limited], per_load[~limited], 1)[0]
        print("preset %d %s: %.2f per rad, limit %.2f from %.1f deg; "
              "%.0f%% of the turn at the limit"
              % (preset, axle, slope, np.abs(per_load).max(),
                 np.degrees(np.abs(slip[limited]).min()),
                 100 * limited.mean()))
for ax, axle in zip(axles, ("Front", "Rear")):
    ax.set(title="%s axle" % axle, xlabel="slip angle (deg)", xlim=(-45, 45))
    ax.axhline(0, color="grey", lw=0.5)
    ax.axvline(0, color="grey", lw=0.5)
axles[0].set_ylabel("lateral force / axle load")
axles[1].legend(fontsize="small")
fig.tight_layout()
fig.savefig(sys.argv[1] if len(sys.argv) > 1 else "tyre_curve.svg")
