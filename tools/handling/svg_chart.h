// Line charts written directly as SVG: no plotting program is needed,
// and the same data gives the same bytes on every machine.
#ifndef TOOLS_HANDLING_SVG_CHART_H
#define TOOLS_HANDLING_SVG_CHART_H

#include <string>
#include <utility>
#include <vector>

// How a series is drawn: a line through its points, the same dashed, or
// a dot at each point (for measurements).
enum class series_style { line, dashed, dots };

struct chart_series {
  std::string name;
  std::string colour; // any SVG colour
  std::vector<std::pair<double, double>> points;
  series_style style = series_style::line;
};

struct chart {
  std::string title;
  std::string x_label; // with its unit, e.g. "time (s)"
  std::string y_label;
  std::vector<chart_series> series;
  bool equal_scales = false; // one metre is as long across as up
  bool legend_left = false;  // legend in the top left corner, not right
};

// The chart as a complete SVG document.
std::string chart_svg(const chart &c);

#endif
