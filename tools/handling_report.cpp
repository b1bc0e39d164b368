// Runs the standard manoeuvres with both handling presets and writes
// CSV files, SVG charts and a Markdown summary into the named folder.
//
//   handling_report OUTPUT_DIR
#include "tools/handling/report.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

int main(int argc, char **argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  std::error_code failure;
  std::filesystem::create_directories(dir, failure);
  if (failure) {
    std::fprintf(stderr, "handling_report: cannot create %s: %s\n", dir.c_str(),
                 failure.message().c_str());
    return 1;
  }
  const preset_results p1 = run_all(1);
  const preset_results p0 = run_all(0);
  if (!write_report(dir, p1, p0))
    return 1;
  std::fputs(summary_markdown(p1, p0).c_str(), stdout);
  std::fputs(("\n" + yaw_gain_markdown(p1, p0)).c_str(), stdout);
  return 0;
}
