"""The time of a whole scripted drive through drive_model: the long drive
of the trace comparisons, a million steps, best of five.

    VENV/bin/python bench/python_drive.py
"""
import pathlib
import sys
import time

import drive_model as dm

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1]
                       / "tests" / "python"))
from long_drive import long_drive_masks  # noqa: E402

STEPS = 1_000_000
keys = long_drive_masks(STEPS // 2)
best = float("inf")
for _ in range(5):
    car = dm.Car(1)
    start = time.perf_counter()
    car.drive(keys, STEPS)
    best = min(best, time.perf_counter() - start)
print("drive_model: %d steps in %.3f s, %.0f ns a step"
      % (STEPS, best, best / STEPS * 1e9))
