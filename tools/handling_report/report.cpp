#include "tools/handling_report/report.h"

#include "tools/handling_report/svg_chart.h"
#include "vehicle/constants.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace
{

const double kmh = 3.6; // km/h per m/s
const double degrees = 180.0 / pi;

std::string fmt(const char *format, double v)
{
  char buf[64];
  std::snprintf(buf, sizeof buf, format, v);
  return buf;
}

std::string preset_name(int preset)
{
  return preset ? "preset 1 (F1)" : "preset 0 (F2)";
}

std::string csv(const std::vector<sample> &samples)
{
  std::string s = "time_s,speed_kmh,forward_kmh,yaw_rate_deg_s,heading_deg,"
                  "path_x_m,path_y_m,road_x_m,throttle,steer_rad\n";
  for (const sample &x : samples) {
    char row[256];
    std::snprintf(
        row, sizeof row, "%.2f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%g,%.6f\n",
        x.time, x.speed * kmh, x.forward * kmh, x.yaw_rate * degrees,
        x.heading * degrees, x.path_x, x.path_y, x.road_x, x.throttle, x.steer);
    s += row;
  }
  return s;
}

// One chart of a quantity against time, or of the path, for both presets.
using pick = std::pair<double, double> (*)(const sample &);

// Samples after time_limit (s) are left off the chart; 0 keeps them all.
chart_series series_of(int preset, const std::vector<sample> &samples, pick f,
                       double time_limit)
{
  chart_series s{preset_name(preset), preset ? "#1f77b4" : "#d62728", {}};
  for (const sample &x : samples)
    if (time_limit <= 0.0 || x.time <= time_limit)
      s.points.push_back(f(x));
  return s;
}

std::pair<double, double> speed_in_time(const sample &s)
{
  return {s.time, s.speed * kmh};
}

std::pair<double, double> yaw_in_time(const sample &s)
{
  return {s.time, s.yaw_rate * degrees};
}

std::pair<double, double> heading_in_time(const sample &s)
{
  return {s.time, s.heading * degrees};
}

// Bird's eye view: down the road to the right, the driver's left up.
std::pair<double, double> path(const sample &s)
{
  return {s.path_y, s.path_x};
}

struct chart_file {
  std::string name;
  std::string title;
  std::string x_label, y_label;
  pick f;
  const std::vector<sample> &(*of)(const preset_results &);
  bool equal_scales;
  double time_limit; // s, 0 for the whole manoeuvre
};

const std::vector<sample> &acceleration_of(const preset_results &r)
{
  return r.acceleration.samples;
}
const std::vector<sample> &braking_of(const preset_results &r)
{
  return r.braking.samples;
}
const std::vector<sample> &steer_60_of(const preset_results &r)
{
  return r.steer_60.samples;
}
const std::vector<sample> &steer_120_of(const preset_results &r)
{
  return r.steer_120.samples;
}
const std::vector<sample> &circle_of(const preset_results &r)
{
  return r.circle.samples;
}

const std::string path_x = "distance down the road (m)";
const std::string path_y = "distance to the left (m)";

const chart_file charts[] = {
    {"acceleration", "Full throttle from rest", "time (s)", "speed (km/h)",
     speed_in_time, acceleration_of, false, 40.0},
    {"braking", "Braking with Space from 100 km/h", "time (s)", "speed (km/h)",
     speed_in_time, braking_of, false, 0.0},
    {"step_steer_60_yaw", "Step steer (Left held) at 60 km/h", "time (s)",
     "yaw rate (deg/s)", yaw_in_time, steer_60_of, false, 0.0},
    {"step_steer_60_heading", "Step steer at 60 km/h: heading", "time (s)",
     "heading (deg, left positive)", heading_in_time, steer_60_of, false, 0.0},
    {"step_steer_60_path", "Step steer at 60 km/h: path on an open plane",
     path_x, path_y, path, steer_60_of, true, 0.0},
    {"step_steer_120_yaw", "Step steer (Left held) at 120 km/h", "time (s)",
     "yaw rate (deg/s)", yaw_in_time, steer_120_of, false, 0.0},
    {"step_steer_120_heading", "Step steer at 120 km/h: heading", "time (s)",
     "heading (deg, left positive)", heading_in_time, steer_120_of, false, 0.0},
    {"step_steer_120_path", "Step steer at 120 km/h: path on an open plane",
     path_x, path_y, path, steer_120_of, true, 0.0},
    {"full_lock_yaw", "Full lock at throttle 60", "time (s)",
     "yaw rate (deg/s)", yaw_in_time, circle_of, false, 0.0},
    {"full_lock_path", "Full lock at throttle 60: path on an open plane",
     path_x, path_y, path, circle_of, true, 0.0},
};

bool write_file(const std::string &path, const std::string &text,
                std::string &error)
{
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  if (!out) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

std::string circle_cell(const circle_result &c)
{
  if (!c.steady)
    return "no steady circle: " + c.why_not;
  return fmt("radius %.1f m", c.radius) + fmt(", %.1f km/h", c.speed * kmh) +
         fmt(", lateral %.2f m/s²", c.lateral_accel) +
         fmt(" (%.2f g)", c.lateral_accel / gravity);
}

std::string steer_cell(const step_steer_result &s)
{
  return fmt("entry %.1f km/h; ", s.entry_speed * kmh) +
         fmt("peak %.1f deg/s, ", s.peak_yaw_rate * degrees) +
         fmt("%.1f deg/s after 8 s; ", s.final_yaw_rate * degrees) +
         fmt("heading %+.0f deg; ", s.heading_change * degrees) +
         fmt("%.1f km/h at the end", s.final_speed * kmh);
}

// Yaw-rate gain against speed: the single-track model, with the
// textbook's wheelbase and with the model's yaw term, and the steady
// turns measured.
chart yaw_gain_chart(const preset_results &p1, const preset_results &p0)
{
  chart c{"Steady yaw rate per unit steering angle, one poll of Left held",
          "speed (km/h)",
          "yaw rate / steering angle (1/s)",
          {},
          false,
          true};
  for (const preset_results *r : {&p1, &p0}) {
    const std::string name = r->preset ? "preset 1: " : "preset 0: ";
    const std::string colour = r->preset ? "#1f77b4" : "#d62728";
    const single_track &s = r->textbook;
    chart_series textbook{name + fmt("textbook, L = %g m", s.wheelbase),
                          colour,
                          {},
                          series_style::dashed};
    chart_series lever{
        name + fmt("model's yaw term, %g m", s.yaw_length), colour, {}};
    chart_series measured{name + "measured", colour, {}, series_style::dots};
    for (int v = 0; v <= 200; v += 2) {
      textbook.points.push_back(
          {v, yaw_gain(v / kmh, s.wheelbase, s.understeer)});
      lever.points.push_back(
          {v, yaw_gain(v / kmh, s.yaw_length, s.understeer)});
    }
    for (const steady_steer_result &t : r->steady)
      measured.points.push_back({t.speed * kmh, t.yaw_rate / t.steer});
    c.series.insert(c.series.end(), {textbook, lever, measured});
  }
  return c;
}

std::string steady_cell(const steady_steer_result &t, const single_track &s)
{
  if (!t.steady)
    return "no steady turn: " + t.why_not + " | | | |";
  return fmt("%.1f km/h", t.speed * kmh) + fmt(" | %g", t.throttle) +
         fmt(" | %.2f m/s²", t.speed * t.yaw_rate) +
         fmt(" | **%.2f**", t.yaw_rate / t.steer) +
         fmt(" | %.2f", yaw_gain(t.speed, s.wheelbase, s.understeer)) +
         fmt(" | %.2f", yaw_gain(t.speed, s.yaw_length, s.understeer));
}

} // namespace

const double steady_speeds_kmh[steady_turns] = {30, 60, 90, 120, 150};

preset_results run_all(int preset)
{
  preset_results r;
  r.preset = preset;
  r.acceleration = run_acceleration(preset);
  r.braking = run_braking(preset);
  r.steer_60 = run_step_steer(preset, 60.0);
  r.steer_120 = run_step_steer(preset, 120.0);
  r.circle = run_full_lock_circle(preset);
  const float steer = one_poll_of_left();
  for (int i = 0; i < steady_turns; ++i)
    r.steady[i] = run_steady_steer(preset, steady_speeds_kmh[i], steer);
  r.textbook = single_track_of(cartypes[0]);
  return r;
}

std::string summary_markdown(const preset_results &p1, const preset_results &p0)
{
  const preset_results *both[] = {&p1, &p0};
  std::string rows[9] = {
      "| | Preset 1 (F1, the default) | Preset 0 (F2) |",
      "|---|---|---|",
      "| 0 to 100 km/h, Up held |",
      "| Top speed (drag and rolling resistance balance full traction) |",
      "| Stop from 100 km/h with Space: time, distance |",
      "| Once stopped, Space still held (5 s) |",
      "| Step steer at 60 km/h |",
      "| Step steer at 120 km/h |",
      "| Full lock at throttle 60 |"};
  for (const preset_results *r : both) {
    rows[2] += fmt(" %.2f s |", r->acceleration.time_to_100);
    rows[3] +=
        fmt(" %.1f km/h", r->acceleration.top_speed * kmh) +
        fmt(" (balance %.1f km/h) |", r->acceleration.balance_speed * kmh);
    rows[4] += fmt(" %.2f s, ", r->braking.stop_time) +
               fmt("%.1f m |", r->braking.stop_distance);
    rows[5] +=
        fmt(" creeps at up to %.2f km/h", r->braking.after_stop_speed * kmh) +
        fmt(" and turns %+.1f deg |", r->braking.after_stop_turn * degrees);
    rows[6] += " " + steer_cell(r->steer_60) + " |";
    rows[7] += " " + steer_cell(r->steer_120) + " |";
    rows[8] += " " + circle_cell(r->circle) + " |";
  }
  std::string s;
  for (const std::string &row : rows)
    s += row + "\n";
  return s;
}

std::string yaw_gain_markdown(const preset_results &p1,
                              const preset_results &p0)
{
  const single_track &s1 = p1.textbook, &s0 = p0.textbook;
  std::string s =
      fmt("Front wheels held at %.6f rad", p1.steady[0].steer) +
      fmt(" (%.3f deg, one poll of Left)", p1.steady[0].steer * degrees) +
      " by writing it into the car after every poll; the throttle steady; "
      "speeds as settled. " +
      fmt("L = %g m; ", s1.wheelbase) +
      fmt("K = %.3e rad per m/s² (preset 1), ", s1.understeer) +
      fmt("%.3e (preset 0).\n\n", s0.understeer) +
      "| Preset | Speed | Throttle | Lateral acceleration | Measured r/δ "
      "(1/s) | Textbook V/(L + K V²) | " +
      fmt("Model's yaw term V/(%g m + K V²) |\n", s1.yaw_length) +
      "|---|---|---|---|---|---|---|\n";
  for (const preset_results *r : {&p1, &p0})
    for (const steady_steer_result &t : r->steady)
      s += "| " + std::to_string(r->preset) + " | " +
           steady_cell(t, r->textbook) + " |\n";
  return s;
}

bool write_report(const std::string &dir, const preset_results &p1,
                  const preset_results &p0, std::string &error)
{
  for (const preset_results *r : {&p1, &p0}) {
    const std::string suffix = r->preset ? "_preset1.csv" : "_preset0.csv";
    const std::pair<const char *, const std::vector<sample> *> files[] = {
        {"acceleration", &r->acceleration.samples},
        {"braking", &r->braking.samples},
        {"step_steer_60", &r->steer_60.samples},
        {"step_steer_120", &r->steer_120.samples},
        {"full_lock", &r->circle.samples}};
    for (const auto &f : files)
      if (!write_file(dir + "/" + f.first + suffix, csv(*f.second), error))
        return false;
  }
  for (const chart_file &c : charts) {
    chart ch{c.title,
             c.x_label,
             c.y_label,
             {series_of(1, c.of(p1), c.f, c.time_limit),
              series_of(0, c.of(p0), c.f, c.time_limit)},
             c.equal_scales};
    if (!write_file(dir + "/" + c.name + ".svg", chart_svg(ch), error))
      return false;
  }
  if (!write_file(dir + "/yaw_gain.svg", chart_svg(yaw_gain_chart(p1, p0)),
                  error))
    return false;
  const std::string summary =
      "# Handling report\n\nMade by tools/handling_report through the real "
      "keyboard poll and physics, one poll every second step of 0.01 s.\n\n" +
      summary_markdown(p1, p0) +
      "\n## Steady turns beside the single-track model\n\n" +
      yaw_gain_markdown(p1, p0);
  return write_file(dir + "/summary.md", summary, error);
}
