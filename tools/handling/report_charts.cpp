// The SVG charts: each quantity against time, or the path, for both
// presets, and the steady turns' yaw-rate gain beside the single-track
// model's.
#include "tools/handling/report.h"

#include "tools/handling/svg_chart.h"

namespace
{

std::string preset_name(int preset)
{
  return preset ? "preset 1 (F1)" : "preset 0 (F2)";
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

} // namespace

bool write_charts(const std::string &dir, const preset_results &p1,
                  const preset_results &p0)
{
  for (const chart_file &c : charts) {
    chart ch{c.title,
             c.x_label,
             c.y_label,
             {series_of(1, c.of(p1), c.f, c.time_limit),
              series_of(0, c.of(p0), c.f, c.time_limit)},
             c.equal_scales};
    if (!write_report_file(dir + "/" + c.name + ".svg", chart_svg(ch)))
      return false;
  }
  return write_report_file(dir + "/yaw_gain.svg",
                           chart_svg(yaw_gain_chart(p1, p0)));
}
