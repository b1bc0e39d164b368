// One CSV file per manoeuvre and preset: every recorded sample, in the
// report's units.
#include "tools/handling/report.h"

#include <cstdio>

static std::string csv(const std::vector<sample> &samples)
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

bool write_csv_files(const std::string &dir, const preset_results &p1,
                     const preset_results &p0)
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
      if (!write_report_file(dir + "/" + f.first + suffix, csv(*f.second)))
        return false;
  }
  return true;
}
