"""The time of a whole scripted drive through drive_model: the long drive
of the trace comparisons, a million steps, every field and part of every
step recorded; best of five, in wall and in CPU time.

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
wall = cpu = float("inf")
for _ in range(5):
    car = dm.Car(1)
    start, start_cpu = time.perf_counter(), time.process_time()
    car.drive(keys, STEPS)
    cpu = min(cpu, time.process_time() - start_cpu)
    wall = min(wall, time.perf_counter() - start)
print("drive_model: %d steps in %.3f s, %.0f ns a step; CPU %.3f s, %.0f ns"
      % (STEPS, wall, wall / STEPS * 1e9, cpu, cpu / STEPS * 1e9))
