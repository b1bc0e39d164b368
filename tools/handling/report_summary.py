"""The Markdown summary: the figures of every manoeuvre, and the steady
turns beside the single-track model."""
from handling.report import DEGREES, KMH
from handling.single_track import GRAVITY, yaw_gain


def circle_cell(c):
    if not c.steady:
        return "no steady circle: " + c.why_not
    return ("radius %.1f m" % c.radius + ", %.1f km/h" % (c.speed * KMH)
            + ", lateral %.2f m/s²" % c.lateral_accel
            + " (%.2f g)" % (c.lateral_accel / GRAVITY))


def steer_cell(s):
    return ("entry %.1f km/h; " % (s.entry_speed * KMH)
            + "peak %.1f deg/s, " % (s.peak_yaw_rate * DEGREES)
            + "%.1f deg/s after 8 s; " % (s.final_yaw_rate * DEGREES)
            + "heading %+.0f deg; " % (s.heading_change * DEGREES)
            + "%.1f km/h at the end" % (s.final_speed * KMH))


def steady_cell(t, s):
    if not t.steady:
        return "no steady turn: " + t.why_not + " | | | |"
    return ("%.1f km/h" % (t.speed * KMH) + " | %g" % t.throttle
            + " | %.2f m/s²" % (t.speed * t.yaw_rate)
            + " | **%.2f**" % (t.yaw_rate / t.steer)
            + " | %.2f" % yaw_gain(t.speed, s.wheelbase, s.understeer)
            + " | %.2f" % yaw_gain(t.speed, s.yaw_length, s.understeer))


def summary_markdown(p1, p0):
    rows = [
        "| | Preset 1 (F1, the default) | Preset 0 (F2) |",
        "|---|---|---|",
        "| 0 to 100 km/h, Up held |",
        "| Top speed (drag and rolling resistance balance full traction) |",
        "| Stop from 100 km/h with Space: time, distance |",
        "| Once stopped, Space still held (5 s) |",
        "| Step steer at 60 km/h |",
        "| Step steer at 120 km/h |",
        "| Full lock at throttle 60 |"]
    for r in (p1, p0):
        a, b = r.acceleration, r.braking
        rows[2] += " %.2f s |" % a.time_to_100
        rows[3] += (" %.1f km/h" % (a.top_speed * KMH)
                    + " (balance %.1f km/h) |" % (a.balance_speed * KMH))
        rows[4] += " %.2f s, " % b.stop_time + "%.1f m |" % b.stop_distance
        rows[5] += (" creeps at up to %.2f km/h" % (b.after_stop_speed * KMH)
                    + " and turns %+.1f deg |" % (b.after_stop_turn * DEGREES))
        rows[6] += " " + steer_cell(r.steer_60) + " |"
        rows[7] += " " + steer_cell(r.steer_120) + " |"
        rows[8] += " " + circle_cell(r.circle) + " |"
    return "".join(row + "\n" for row in rows)


def yaw_gain_markdown(p1, p0):
    s1, s0 = p1.textbook, p0.textbook
    steer = p1.steady[0].steer
    text = ("Front wheels held at %.6f rad" % steer
            + " (%.3f deg, one poll of Left)" % (steer * DEGREES)
            + " by writing it into the car after every poll; the throttle "
            "steady; speeds as settled. "
            + "L = %g m; " % s1.wheelbase
            + "K = %.3e rad per m/s² (preset 1), " % s1.understeer
            + "%.3e (preset 0).\n\n" % s0.understeer
            + "| Preset | Speed | Throttle | Lateral acceleration | "
            "Measured r/δ (1/s) | Textbook V/(L + K V²) | "
            + "Model's yaw term V/(%g m + K V²) |\n" % s1.yaw_length
            + "|---|---|---|---|---|---|---|\n")
    for r in (p1, p0):
        for t in r.steady:
            text += ("| %d | " % r.preset + steady_cell(t, r.textbook)
                     + " |\n")
    return text


def summary_file(p1, p0):
    return ("# Handling report\n\nMade by tools/handling_report through the "
            "real keyboard poll and physics, one poll every second step of "
            "0.01 s.\n\n" + summary_markdown(p1, p0)
            + "\n## Steady turns beside the single-track model\n\n"
            + yaw_gain_markdown(p1, p0))
