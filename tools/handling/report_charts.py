"""The report's charts: each quantity against time, or the path, for both
presets, and the steady turns' yaw-rate gain beside the single-track
model's. Each chart is first a Chart, the data it is drawn from, then an
SVG file drawn by matplotlib."""
from handling.chart import Chart, Series, draw_svg
from handling.report import DEGREES, KMH
from handling.single_track import yaw_gain

PRESET_COLOURS = {1: "#1f77b4", 0: "#d62728"}
PRESET_NAMES = {1: "preset 1 (F1)", 0: "preset 0 (F2)"}


def speed_in_time(s):
    return s.time, s.speed * KMH


def yaw_in_time(s):
    return s.time, s.yaw_rate * DEGREES


def heading_in_time(s):
    return s.time, s.heading * DEGREES


def path(s):
    """Bird's eye view: down the road to the right, the driver's left up."""
    return s.path_y, s.path_x


PATH_X = "distance down the road (m)"
PATH_Y = "distance to the left (m)"
TIME = "time (s)"

# name, title, x label, y label, what is drawn, of which manoeuvre, equal
# scales, the time (s) after which samples are left off (None: none).
TIME_CHARTS = [
    ("acceleration", "Full throttle from rest", TIME, "speed (km/h)",
     speed_in_time, "acceleration", False, 40.0),
    ("braking", "Braking with Space from 100 km/h", TIME, "speed (km/h)",
     speed_in_time, "braking", False, None),
    ("step_steer_60_yaw", "Step steer (Left held) at 60 km/h", TIME,
     "yaw rate (deg/s)", yaw_in_time, "steer_60", False, None),
    ("step_steer_60_heading", "Step steer at 60 km/h: heading", TIME,
     "heading (deg, left positive)", heading_in_time, "steer_60", False, None),
    ("step_steer_60_path", "Step steer at 60 km/h: path on an open plane",
     PATH_X, PATH_Y, path, "steer_60", True, None),
    ("step_steer_120_yaw", "Step steer (Left held) at 120 km/h", TIME,
     "yaw rate (deg/s)", yaw_in_time, "steer_120", False, None),
    ("step_steer_120_heading", "Step steer at 120 km/h: heading", TIME,
     "heading (deg, left positive)", heading_in_time, "steer_120", False,
     None),
    ("step_steer_120_path", "Step steer at 120 km/h: path on an open plane",
     PATH_X, PATH_Y, path, "steer_120", True, None),
    ("full_lock_yaw", "Full lock at throttle 60", TIME, "yaw rate (deg/s)",
     yaw_in_time, "circle", False, None),
    ("full_lock_path", "Full lock at throttle 60: path on an open plane",
     PATH_X, PATH_Y, path, "circle", True, None),
]


def time_chart(entry, p1, p0):
    _, title, x_label, y_label, pick, manoeuvre, equal, limit = entry
    series = []
    for r in (p1, p0):
        samples = getattr(r, manoeuvre).samples
        points = [pick(s) for s in samples if limit is None or s.time <= limit]
        series.append(Series(PRESET_NAMES[r.preset],
                             PRESET_COLOURS[r.preset], points))
    return Chart(title, x_label, y_label, series, equal_scales=equal)


def yaw_gain_chart(p1, p0):
    """Yaw-rate gain against speed: the single-track model with the
    textbook's wheelbase and with the model's yaw term, and the steady
    turns measured."""
    series = []
    for r in (p1, p0):
        name, colour, s = "preset %d: " % r.preset, PRESET_COLOURS[r.preset], \
            r.textbook
        speeds = range(0, 201, 2)
        series += [
            Series(name + "textbook, L = %g m" % s.wheelbase, colour,
                   [(v, yaw_gain(v / KMH, s.wheelbase, s.understeer))
                    for v in speeds], "dashed"),
            Series(name + "model's yaw term, %g m" % s.yaw_length, colour,
                   [(v, yaw_gain(v / KMH, s.yaw_length, s.understeer))
                    for v in speeds]),
            Series(name + "measured", colour,
                   [(t.speed * KMH, t.yaw_rate / t.steer) for t in r.steady],
                   "dots")]
    return Chart("Steady yaw rate per unit steering angle, one poll of Left "
                 "held", "speed (km/h)", "yaw rate / steering angle (1/s)",
                 series, legend_left=True)


def charts(p1, p0):
    """Every chart of the report, by file name."""
    made = {e[0]: time_chart(e, p1, p0) for e in TIME_CHARTS}
    made["yaw_gain"] = yaw_gain_chart(p1, p0)
    return made


def write_charts(folder, p1, p0):
    for name, chart in charts(p1, p0).items():
        draw_svg(chart, folder / (name + ".svg"))
