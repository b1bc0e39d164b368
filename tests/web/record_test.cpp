// The drive's record that the page keeps (web/drive_record.h) and reads
// (web/record_exports.h): the loop's passes become rows as the saved
// drive's format has them, the record keeps the last rows within its
// memory, and the page gets each column's value and the rows' lines.
#include "record/csv_writer.h"
#include "record/keys.h"
#include "web/drive_record.h"
#include "web/record_exports.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace
{

// A car told apart by its x; parts by their weight.
car_state car_at(float x)
{
  car_state car{};
  car.position_wc.x = x;
  return car;
}

step_parts parts_of(double weight)
{
  step_parts parts{};
  parts.weight = weight;
  return parts;
}

const handling grippy{8.0f, 50.0f, -15.0f, -15.2f, 5.0f};

// One pass of the loop: a poll with keys (if polled) then a step (if
// stepped), each at its own time; the car after each is told apart.
struct pass {
  bool poll;
  std::uint32_t keys;
  bool step;
};

void run(const std::vector<pass> &passes, double start_ms = 0.0)
{
  double now = start_ms;
  float x = 0.0f;
  for (const pass &p : passes) {
    now += 16.0;
    if (p.poll) {
      x += 1.0f;
      record_poll(p.keys, car_at(x), parts_of(0.0), grippy, now);
    }
    if (p.step) {
      x += 1.0f;
      record_step(car_at(x), parts_of(x), grippy, now + 1.0);
    }
  }
}

struct row_seen {
  long step;
  int polled, stepped;
  std::uint32_t keys;
  float x;
};

std::vector<row_seen> rows()
{
  std::vector<row_seen> seen;
  for (long n = record_begin(); n < record_end(); ++n) {
    const drive_row *r = record_row(n);
    seen.push_back(
        {r->step, r->polled, r->stepped, r->keys, r->car.position_wc.x});
  }
  return seen;
}

const std::uint32_t up = 1u << 0, left = 1u << 2;

TEST(DriveRecord, EachPassIsARowAsTheFormatHasIt)
{
  const struct {
    const char *what;
    std::vector<pass> passes;
    std::vector<row_seen> expected;
  } cases[] = {
      {"a poll and its step are one row, the car after both",
       {{true, up, true}},
       {{1, 1, 1, up, 2.0f}}},
      {"a step alone carries the last poll's keys",
       {{true, up | left, true}, {false, 0, true}},
       {{1, 1, 1, up | left, 2.0f}, {2, 0, 1, up | left, 3.0f}}},
      {"a poll that no step followed before the next poll is a row",
       {{true, up, false}, {true, left, true}},
       {{0, 1, 0, up, 1.0f}, {1, 1, 1, left, 3.0f}}},
      {"a poll, a pass that did nothing, then the step: one row",
       {{true, up, false}, {false, 0, false}, {false, 0, true}},
       {{1, 1, 1, up, 2.0f}}},
      {"a poll still waiting for its step shows as a row not stepped",
       {{true, 0, true}, {true, left, false}},
       {{1, 1, 1, 0, 2.0f}, {1, 1, 0, left, 3.0f}}},
  };
  for (const auto &c : cases) {
    record_start(0.0);
    run(c.passes);
    const std::vector<row_seen> seen = rows();
    ASSERT_EQ(seen.size(), c.expected.size()) << c.what;
    for (std::size_t i = 0; i < seen.size(); ++i) {
      const row_seen &s = seen[i], &e = c.expected[i];
      EXPECT_EQ(s.step, e.step) << c.what << ", row " << i;
      EXPECT_EQ(s.polled, e.polled) << c.what << ", row " << i;
      EXPECT_EQ(s.stepped, e.stepped) << c.what << ", row " << i;
      EXPECT_EQ(s.keys, e.keys) << c.what << ", row " << i;
      EXPECT_EQ(s.x, e.x) << c.what << ", row " << i;
    }
  }
}

TEST(DriveRecord, AWaitingPollIsTakenOverByItsStep)
{
  record_start(0.0);
  run({{true, up, false}});
  ASSERT_EQ(record_end(), 1);
  EXPECT_EQ(record_row(0)->stepped, 0);
  run({{false, 0, true}});
  ASSERT_EQ(record_end(), 1) << "the same row, now stepped";
  EXPECT_EQ(record_row(0)->stepped, 1);
  EXPECT_EQ(record_row(0)->polled, 1);
  EXPECT_EQ(record_row(0)->parts.weight, 1.0) << "the step's own parts";
}

TEST(DriveRecord, WallTimeCountsFromTheStartInSeconds)
{
  record_start(5000.0);
  record_step(car_at(0.0f), parts_of(0.0), grippy, 6234.0);
  EXPECT_DOUBLE_EQ(record_row(0)->wall_time, 1.234);
  record_start(0.0);
  EXPECT_EQ(record_end(), 0) << "a start forgets the last drive";
}

// Steps only, n of them, each car told apart by its step.
void steps(long n)
{
  for (long i = 1; i <= n; ++i)
    record_step(car_at(static_cast<float>(i)), parts_of(0.0), grippy, 0.0);
}

TEST(DriveRecord, KeepsTheLastRowsWithinItsLimit)
{
  record_start(0.0);
  const long extra = record_block_rows + 500;
  steps(record_row_limit + extra);
  EXPECT_EQ(record_begin(), extra);
  EXPECT_EQ(record_end(), record_row_limit + extra);
  EXPECT_EQ(record_row(extra - 1), nullptr) << "dropped";
  EXPECT_EQ(record_row(record_end()), nullptr) << "not yet";
  for (long n : {extra, record_row_limit, record_row_limit + extra - 1})
    EXPECT_EQ(record_row(n)->step, n + 1) << "row " << n;
}

TEST(DriveRecord, WhereMemoryRunsOutTheRowsSoFarAreTheMost)
{
  // Memory for 2.5 blocks is three blocks.
  record_start(0.0, record_block_rows * 5 / 2);
  steps(record_block_rows * 4);
  EXPECT_EQ(record_begin(), record_block_rows);
  for (long n = record_begin(); n < record_end(); n += 777)
    EXPECT_EQ(record_row(n)->step, n + 1) << "row " << n;
  record_start(0.0, 0);
  steps(3);
  EXPECT_EQ(record_end(), 0) << "no memory: no rows, no failure";
}

TEST(RecordExports, EachColumnComesAsItsNumber)
{
  record_start(0.0);
  steps(122);
  record_poll(up | left, car_at(-0.1f), parts_of(7350.000000000001), grippy,
              2500.0);
  const long n = record_end() - 1;
  const struct {
    const char *column;
    double value;
  } cases[] = {
      {"step", 122},
      {"time", 1.22},
      {"wall_time", 2.5},
      {"polled", 1},
      {"stepped", 0},
      {"keys", up | left},
      {"position_wc.x", -0.1f},
      {"weight", 7350.000000000001},
      {"CA_R", -15.2f},
  };
  for (const auto &c : cases) {
    int column = 0;
    while (std::strcmp(drive_record_column_name(column), c.column) != 0)
      ++column;
    EXPECT_EQ(drive_record_value(n, column), c.value) << c.column;
    EXPECT_TRUE(std::isnan(drive_record_value(n + 1, column))) << c.column;
  }
  EXPECT_EQ(drive_record_column_name(drive_record_columns()), nullptr);
  EXPECT_TRUE(std::isnan(drive_record_value(n, drive_record_columns())));
  EXPECT_TRUE(std::isnan(drive_record_value(n, -1)));
}

TEST(RecordExports, LinesAreTheKeptRowsAsTheWriterWritesThem)
{
  record_start(0.0);
  steps(3);
  record_poll(up, car_at(4.0f), parts_of(0.0), grippy, 0.0); // waiting
  EXPECT_EQ(drive_record_head(), record_csv_head());
  std::string first, all;
  append_record_line(&first, *record_row(0));
  for (long n = 0; n <= 3; ++n)
    append_record_line(&all, *record_row(n));
  EXPECT_EQ(drive_record_lines(0, 4), all) << "the waiting poll too";
  EXPECT_EQ(drive_record_lines(-5, 6), first);
  EXPECT_EQ(drive_record_lines(4, 100), std::string());
}

} // namespace
