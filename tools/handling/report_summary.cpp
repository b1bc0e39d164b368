// The Markdown summary: the figures of every manoeuvre, and the steady
// turns beside the single-track model.
#include "tools/handling/report.h"

namespace
{

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

bool write_summary(const std::string &dir, const preset_results &p1,
                   const preset_results &p0)
{
  const std::string summary =
      "# Handling report\n\nMade by tools/handling_report through the real "
      "keyboard poll and physics, one poll every second step of 0.01 s.\n\n" +
      summary_markdown(p1, p0) +
      "\n## Steady turns beside the single-track model\n\n" +
      yaw_gain_markdown(p1, p0);
  return write_report_file(dir + "/summary.md", summary);
}
