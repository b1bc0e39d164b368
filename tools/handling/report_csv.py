"""One CSV file per manoeuvre and preset: every recorded sample, in the
report's units."""
from handling.report import DEGREES, KMH

HEADER = ("time_s,speed_kmh,forward_kmh,yaw_rate_deg_s,heading_deg,"
          "path_x_m,path_y_m,road_x_m,throttle,steer_rad\n")
ROW = "%.2f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%g,%.6f\n"


def csv(samples):
    return HEADER + "".join(
        ROW % (s.time, s.speed * KMH, s.forward * KMH, s.yaw_rate * DEGREES,
               s.heading * DEGREES, s.path_x, s.path_y, s.road_x, s.throttle,
               s.steer) for s in samples)


def manoeuvre_samples(r):
    """Each manoeuvre's file name and samples."""
    return {"acceleration": r.acceleration.samples,
            "braking": r.braking.samples,
            "step_steer_60": r.steer_60.samples,
            "step_steer_120": r.steer_120.samples,
            "full_lock": r.circle.samples}


def write_csv_files(folder, p1, p0):
    for r in (p1, p0):
        for name, samples in manoeuvre_samples(r).items():
            path = folder / ("%s_preset%d.csv" % (name, r.preset))
            path.write_text(csv(samples), encoding="utf-8")
