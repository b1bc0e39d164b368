// The handling report: every manoeuvre for one preset, and the files,
// each kind written by a file of its own: report_csv.cpp the samples,
// report_charts.cpp the SVG charts and report_summary.cpp the Markdown.
#ifndef TOOLS_HANDLING_REPORT_H
#define TOOLS_HANDLING_REPORT_H

#include "tools/handling/manoeuvres.h"
#include "tools/handling/single_track.h"
#include "vehicle/constants.h"

#include <string>

const double kmh = 3.6;            // km/h per m/s
const double degrees = 180.0 / pi; // degrees per radian

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
// on each) and summary.md into dir, which must exist. False, when a file
// cannot be written, once the reason is on standard error.
bool write_report(const std::string &dir, const preset_results &p1,
                  const preset_results &p0);

// The Markdown summary table alone.
std::string summary_markdown(const preset_results &p1,
                             const preset_results &p0);

// The steady turns beside the single-track model: a line of its
// figures, then a Markdown table.
std::string yaw_gain_markdown(const preset_results &p1,
                              const preset_results &p0);

// The parts of write_report, one for each kind of file.
bool write_csv_files(const std::string &dir, const preset_results &p1,
                     const preset_results &p0);
bool write_charts(const std::string &dir, const preset_results &p1,
                  const preset_results &p0);
bool write_summary(const std::string &dir, const preset_results &p1,
                   const preset_results &p0);

// v written with a printf format.
std::string fmt(const char *format, double v);

// Writes a file of the report, or says why it cannot and returns false.
bool write_report_file(const std::string &path, const std::string &text);

#endif
