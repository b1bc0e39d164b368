#include "record/csv_writer.h"

#include "record/columns.h"
#include "record/keys.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

// The fewest significant digits that read back to the same bits: 0.1f
// is written 0.1, not 0.100000001. Nine digits always do for a float,
// seventeen for a double.
void append_float(std::string *out, float f)
{
  char text[32];
  for (int digits = 6; digits <= 9; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(f));
    if (!std::isfinite(f) || std::strtof(text, nullptr) == f)
      break;
  }
  out->append(text);
}

void append_double(std::string *out, double d)
{
  char text[32];
  for (int digits = 15; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, d);
    if (!std::isfinite(d) || std::strtod(text, nullptr) == d)
      break;
  }
  out->append(text);
}

template <class type> type at(const drive_row &row, std::size_t offset)
{
  type value;
  std::memcpy(&value, reinterpret_cast<const char *>(&row) + offset,
              sizeof value);
  return value;
}

} // namespace

void append_record_field(std::string *out, const drive_row &row,
                         const record_column &c)
{
  char text[32];
  switch (c.type) {
  case column_type::count:
    std::snprintf(text, sizeof text, "%ld", at<long>(row, c.offset));
    break;
  case column_type::flag:
    std::snprintf(text, sizeof text, "%d", at<int>(row, c.offset));
    break;
  case column_type::model_time: {
    // 0.01 s a step, as exact decimal text: 1234 steps are 12.34 s.
    const long step = at<long>(row, c.offset);
    std::snprintf(text, sizeof text, "%ld.%02ld", step / 100, step % 100);
    break;
  }
  case column_type::seconds:
    std::snprintf(text, sizeof text, "%.3f", at<double>(row, c.offset));
    break;
  case column_type::keys:
    out->append(key_list(at<std::uint32_t>(row, c.offset)));
    return;
  case column_type::f32:
    return append_float(out, at<float>(row, c.offset));
  case column_type::f64:
    return append_double(out, at<double>(row, c.offset));
  }
  out->append(text);
}

std::string record_csv_head()
{
  std::string names, units;
  for (int i = 0; i < record_column_count; ++i) {
    const char *joint = i ? "," : "";
    names.append(joint).append(record_columns[i].name);
    units.append(joint).append(record_columns[i].unit);
  }
  return names + "\n" + units + "\n";
}

void append_record_line(std::string *out, const drive_row &row)
{
  for (int i = 0; i < record_column_count; ++i) {
    if (i)
      out->push_back(',');
    append_record_field(out, row, record_columns[i]);
  }
  out->push_back('\n');
}
