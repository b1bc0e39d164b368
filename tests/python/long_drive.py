"""The long scripted drive that builds are compared on, for Python."""
import numpy as np

import drive_model as dm


def long_drive_masks(polls):
    """The keys of tests/windows/trace_compare.cpp's long drive, poll by
    poll: its 64-bit generator picks each manoeuvre's keys and length."""
    k = dm.KEYS
    pedals = (k["Up"], k["Up"], k["Down"], k["Space"], 0)
    wheel = (k["Left"], k["Right"], 0, 0)
    state, left, held, masks = 12345, 0, 0, np.empty(polls, np.int64)

    def pick(n):
        nonlocal state
        state = (state * 6364136223846793005 + 1442695040888963407) % 2**64
        return (state >> 33) % n

    for i in range(polls):
        if left == 0:
            held = pedals[pick(5)] | wheel[pick(4)]
            if pick(20) == 0:
                held |= k["F1"] if pick(2) else k["F2"]
            left = 20 + pick(381)
        else:
            left -= 1
        masks[i] = held
    return masks
