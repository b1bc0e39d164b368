// The handling report: every manoeuvre for one preset, and the files.
#ifndef TOOLS_HANDLING_REPORT_REPORT_H
#define TOOLS_HANDLING_REPORT_REPORT_H

#include "tools/handling_report/manoeuvres.h"
#include "tools/handling_report/single_track.h"

#include <string>

// Speeds (km/h) of the steady small-steer turns.
const int steady_turns = 5;
extern const double steady_speeds_kmh[steady_turns];

struct preset_results {
  int preset; // 1 (F1) or 0 (F2)
  acceleration_result acceleration;
  braking_result braking;
  step_steer_result steer_60;
  step_steer_result steer_120;
  circle_result circle;
  steady_steer_result steady[steady_turns]; // one poll of Left, held
  single_track textbook;                    // the preset's single-track figures
};

// Runs every manoeuvre with the given preset.
preset_results run_all(int preset);

// Writes one CSV per manoeuvre and preset, the SVG charts (both presets
// on each) and summary.md into dir, which must exist. Returns false and
// names the file in error when one cannot be written.
bool write_report(const std::string &dir, const preset_results &p1,
                  const preset_results &p0, std::string &error);

// The Markdown summary table alone.
std::string summary_markdown(const preset_results &p1,
                             const preset_results &p0);

// The steady turns beside the single-track model: a line of its
// figures, then a Markdown table.
std::string yaw_gain_markdown(const preset_results &p1,
                              const preset_results &p0);

#endif
