// The handling report: every manoeuvre for one preset, and the files.
#ifndef TOOLS_HANDLING_REPORT_REPORT_H
#define TOOLS_HANDLING_REPORT_REPORT_H

#include "tools/handling_report/manoeuvres.h"

#include <string>

struct preset_results {
  int preset; // 1 (F1) or 0 (F2)
  acceleration_result acceleration;
  braking_result braking;
  step_steer_result steer_60;
  step_steer_result steer_120;
  circle_result circle;
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

#endif
