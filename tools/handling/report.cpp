#include "tools/handling/report.h"

#include "tools/file_writer.h"

#include <cstdio>

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

bool write_report(const std::string &dir, const preset_results &p1,
                  const preset_results &p0)
{
  return write_csv_files(dir, p1, p0) && write_charts(dir, p1, p0) &&
         write_summary(dir, p1, p0);
}

std::string fmt(const char *format, double v)
{
  char buf[64];
  std::snprintf(buf, sizeof buf, format, v);
  return buf;
}

bool write_report_file(const std::string &path, const std::string &text)
{
  const bool ok = write_file(path, text);
  if (!ok)
    std::perror(("handling_report: cannot write " + path).c_str());
  return ok;
}
