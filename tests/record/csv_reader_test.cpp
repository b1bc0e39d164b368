// The saved drive's writer and reader together: every value that a row
// can hold comes back to the bit, however the text is cut into pieces.
#include "record/columns.h"
#include "record/csv_reader.h"
#include "record/csv_writer.h"
#include "record/keys.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace
{

// Rows whose values the writer must write with all their digits, or in
// its exponent form: the extremes of a float and a double, subnormals,
// a negative zero, every key.
std::vector<drive_row> extreme_rows()
{
  drive_row a{};
  a.step = 999999999999;
  a.wall_time = 86400.125;
  a.polled = 1;
  a.stepped = 1;
  a.keys = all_keys;
  a.car.position_wc = vec2{-FLT_MAX, FLT_TRUE_MIN};
  a.car.velocity_wc = vec2{-0.0f, FLT_MIN};
  a.car.angle = 0.1f;
  a.car.angular_velocity = -1e-40f;
  a.car.throttle = 200;
  a.parts.slipanglefront = DBL_TRUE_MIN;
  a.parts.slipanglerear = -DBL_MAX;
  a.parts.weight = 0.1;
  a.parts.torque = -0.0;
  a.parts.angular_acceleration = 1.0 / 3;
  a.parts.force = vec2{16777217.0f, 1.0f / 3};
  a.constants = handling{FLT_EPSILON, 5e-45f, -15.2f, -1e38f, 8};
  drive_row b = a;
  b.step = a.step + 1;
  b.polled = 0;
  b.wall_time = 0;
  b.car.position_wc = vec2{FLT_MAX, -FLT_TRUE_MIN};
  b.parts.slipanglefront = -DBL_MIN;
  b.parts.weight = 1e-310;
  return {a, b};
}

std::string text_of(const std::vector<drive_row> &rows)
{
  std::string text = record_csv_head();
  for (const drive_row &row : rows)
    append_record_line(&text, row);
  return text;
}

// Reads the text in pieces of the given size.
record_reader read_in_pieces(const std::string &text, std::size_t piece)
{
  record_reader r;
  for (std::size_t at = 0; at < text.size() && !r.failed; at += piece)
    read_record_text(&r, text.data() + at, std::min(piece, text.size() - at));
  end_record_text(&r);
  return r;
}

// The bytes of each column's value, as the columns place them.
void expect_same_values(const drive_row &a, const drive_row &b)
{
  // By column_type: count, model_time (the step), seconds, flag, keys,
  // f32, f64.
  const std::size_t width[] = {
      sizeof(long),  sizeof(long),  sizeof(double), sizeof(int), 4,
      sizeof(float), sizeof(double)};
  for (int i = 0; i < record_column_count; ++i) {
    const record_column &c = record_columns[i];
    const char *x = reinterpret_cast<const char *>(&a) + c.offset;
    const char *y = reinterpret_cast<const char *>(&b) + c.offset;
    EXPECT_EQ(std::memcmp(x, y, width[static_cast<int>(c.type)]), 0) << c.name;
  }
}

TEST(CsvReader, ReadsBackEveryValueToTheBitInAnyPieces)
{
  const std::vector<drive_row> rows = extreme_rows();
  const std::string text = text_of(rows);
  for (std::size_t piece : {std::size_t{1}, std::size_t{7}, text.size()}) {
    const record_reader r = read_in_pieces(text, piece);
    ASSERT_FALSE(r.failed) << record_fault_text(r.fault);
    ASSERT_EQ(r.rows.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
      expect_same_values(r.rows[i], rows[i]);
  }
}

TEST(CsvReader, FindsAFaultAtTheSamePlaceInAnyPieces)
{
  // A line past the limit in the third row, and a bad key in the first.
  const std::string head = record_csv_head();
  const std::string good = text_of(extreme_rows()).substr(head.size());
  struct {
    std::string text;
    long line;
    int column;
  } cases[] = {
      {head + good + good.substr(0, 40) + std::string(5000, '1') + "\n", 5, 5},
      {head + good.substr(0, good.find(",Up+") + 3) + "+Up" +
           good.substr(good.find(",Up+") + 3),
       3, 6},
  };
  for (const auto &c : cases)
    for (std::size_t piece : {std::size_t{1}, std::size_t{4096}}) {
      const record_reader r = read_in_pieces(c.text, piece);
      ASSERT_TRUE(r.failed);
      EXPECT_EQ(r.fault.line, c.line) << record_fault_text(r.fault);
      EXPECT_EQ(r.fault.column, c.column) << record_fault_text(r.fault);
    }
}

} // namespace
