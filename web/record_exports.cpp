#include "web/record_exports.h"

#include "record/columns.h"
#include "record/csv_writer.h"
#include "web/drive_record.h"

#include <emscripten.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace
{

// The text handed to the page last.
std::string text;

template <class type> double at(const drive_row &row, std::size_t offset)
{
  type value;
  std::memcpy(&value, reinterpret_cast<const char *>(&row) + offset,
              sizeof value);
  return static_cast<double>(value);
}

} // namespace

EMSCRIPTEN_KEEPALIVE long drive_record_begin()
{
  return record_begin();
}

EMSCRIPTEN_KEEPALIVE long drive_record_end()
{
  return record_end();
}

EMSCRIPTEN_KEEPALIVE long drive_record_limit()
{
  return record_row_limit;
}

EMSCRIPTEN_KEEPALIVE int drive_record_columns()
{
  return record_column_count;
}

EMSCRIPTEN_KEEPALIVE const char *drive_record_column_name(int i)
{
  return i >= 0 && i < record_column_count ? record_columns[i].name : nullptr;
}

EMSCRIPTEN_KEEPALIVE double drive_record_value(long n, int column)
{
  const drive_row *row = record_row(n);
  if (!row || column < 0 || column >= record_column_count)
    return NAN;
  const record_column &c = record_columns[column];
  switch (c.type) {
  case column_type::count:
    return at<long>(*row, c.offset);
  case column_type::model_time:
    return at<long>(*row, c.offset) / 100.0;
  case column_type::seconds:
  case column_type::f64:
    return at<double>(*row, c.offset);
  case column_type::flag:
    return at<int>(*row, c.offset);
  case column_type::keys:
    return at<std::uint32_t>(*row, c.offset);
  case column_type::f32:
    return at<float>(*row, c.offset);
  }
  return NAN;
}

EMSCRIPTEN_KEEPALIVE const char *drive_record_head()
{
  text = record_csv_head();
  return text.c_str();
}

EMSCRIPTEN_KEEPALIVE const char *drive_record_lines(long first, long count)
{
  text.clear();
  for (long n = first; n - first < count; ++n)
    if (const drive_row *row = record_row(n))
      append_record_line(&text, *row);
  return text.c_str();
}
