"""The steady yaw rate per unit steering angle, measured, against the
single-track ("bicycle") model's V / (L + K V^2).

    python yaw_gain.py [PICTURE]
"""
import math
import sys

import matplotlib.pyplot as plt
import numpy as np

import drive_model as dm

G = 9.8  # m/s^2
STEER = math.pi / 1024  # rad: one poll of Left
UP = dm.key_mask("Up")


def steady_gain(preset, kmh):
    """Speed (m/s) and yaw rate per unit steering angle (1/s) once a turn
    with the wheel held at STEER has settled."""
    car = dm.Car(preset)
    v = kmh / 3.6
    # 100 N of traction per unit of throttle balances drag and rolling
    # resistance; Up adds 2 a poll.
    throttle = (car.RESISTANCE * v + car.DRAG * v * v) / 100
    car.drive([UP] * round(throttle / 2) + [0] * 2000)  # 40 s to settle
    for _ in range(1500):  # 30 s with the wheel held still
        car.poll([])  # no arrow held: the poll snaps the wheel straight,
        car.steerangle = STEER  # so it is written back after every poll
        car.step()
        car.step()
    return car.speed, car.angular_velocity / car.steerangle


def understeer(car):
    """K (rad per m/s^2): the textbook's (m_f / C_f - m_r / C_r) / g with
    half the weight on each axle and C = -CA x load. CA_F and CA_R are
    negative in this model."""
    return (1 / -car.CA_F - 1 / -car.CA_R) / G


speeds = np.arange(0, 201, 2) / 3.6  # m/s
for preset, colour in ((1, "tab:blue"), (0, "tab:red")):
    k = understeer(dm.Car(preset))
    wheelbase = dm.CAR_TYPE["wheelbase"]
    measured = [steady_gain(preset, kmh) for kmh in range(20, 160, 10)]
    v, gain = np.array(measured).T
    plt.plot(v * 3.6, gain, "o", color=colour,
             label="preset %d: measured" % preset)
    plt.plot(speeds * 3.6, speeds / (wheelbase + k * speeds**2), "--",
             color=colour, label="preset %d: V/(L + K V²), L = %g m"
             % (preset, wheelbase))
    # The model's slip angles swing the axles by 0.1 x wheelbase x yaw
    # rate, where the textbook has the cg's distance to each axle (1 m):
    # its steady turn is the textbook's with 2 x 0.1 x L for L.
    plt.plot(speeds * 3.6, speeds / (0.2 * wheelbase + k * speeds**2),
             color=colour, label="preset %d: V/(0.2 L + K V²)" % preset)
    print("preset %d: K = %.3e rad per m/s², gain %.2f 1/s at %.1f km/h"
          % (preset, k, gain[-1], v[-1] * 3.6))
plt.title("Steady yaw rate per unit steering angle")
plt.xlabel("speed (km/h)")
plt.ylabel("yaw rate / steering angle (1/s)")
plt.legend(fontsize="small")
plt.savefig(sys.argv[1] if len(sys.argv) > 1 else "yaw_gain.svg")
