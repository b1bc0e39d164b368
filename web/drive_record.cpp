#include "web/drive_record.h"

#include <algorithm>
#include <memory>
#include <new>

namespace
{

const long most_blocks =
    (record_row_limit + record_block_rows - 1) / record_block_rows;

// A ring of rows over blocks taken as the ring first reaches them. Row
// n lives at slot n % capacity, so rows are never moved.
std::unique_ptr<drive_row[]> blocks[most_blocks];
long block_limit = most_blocks;
long capacity = record_row_limit; // shrinks if memory runs out
long kept = 0;                    // rows kept since the start

double start_ms = 0.0;
long steps = 0;              // steps taken since the start
std::uint32_t last_keys = 0; // held at the last poll
bool poll_waiting = false;   // the last poll has had no step yet
drive_row waiting_row;       // that poll's row

// The block of a slot, taken if it is the first time there; null if no
// more memory may or can be taken.
drive_row *block_of(long slot)
{
  std::unique_ptr<drive_row[]> &block = blocks[slot / record_block_rows];
  if (!block && slot / record_block_rows < block_limit)
    block.reset(new (std::nothrow) drive_row[record_block_rows]);
  return block.get();
}

void keep(const drive_row &row)
{
  if (capacity == 0)
    return;
  long slot = kept % capacity;
  drive_row *block = block_of(slot);
  if (!block) {
    // The blocks so far are full (the ring first fills them in order):
    // they become the whole ring, and its oldest row makes way.
    capacity = slot;
    if (capacity == 0)
      return;
    slot = kept % capacity;
    block = block_of(slot);
  }
  block[slot % record_block_rows] = row;
  ++kept;
}

// Seconds since the start, to the millisecond as the record writes it.
double wall_time(double now_ms)
{
  return (now_ms - start_ms) / 1000.0;
}

} // namespace

void record_start(double now_ms, long most_rows)
{
  for (std::unique_ptr<drive_row[]> &block : blocks)
    block.reset();
  block_limit = std::min(
      (most_rows + record_block_rows - 1) / record_block_rows, most_blocks);
  capacity = record_row_limit;
  kept = 0;
  start_ms = now_ms;
  steps = 0;
  last_keys = 0;
  poll_waiting = false;
}

void record_poll(std::uint32_t keys, const car_state &car,
                 const step_parts &parts, const handling &constants,
                 double now_ms)
{
  if (poll_waiting)
    keep(waiting_row); // no step followed it before this poll
  waiting_row =
      drive_row{steps, wall_time(now_ms), 1, 0, keys, car, parts, constants};
  last_keys = keys;
  poll_waiting = true;
}

void record_step(const car_state &car, const step_parts &parts,
                 const handling &constants, double now_ms)
{
  ++steps;
  // The poll before it, if it has had no step yet, and this step are one
  // row: what the loop did is the same, one poll and then one step.
  drive_row row = poll_waiting ? waiting_row : drive_row{};
  row.polled = poll_waiting ? 1 : 0;
  row.keys = last_keys;
  row.step = steps;
  row.wall_time = wall_time(now_ms);
  row.stepped = 1;
  row.car = car;
  row.parts = parts;
  row.constants = constants;
  keep(row);
  poll_waiting = false;
}

long record_begin()
{
  return std::max(0L, kept - capacity);
}

long record_end()
{
  return kept + (poll_waiting ? 1 : 0);
}

const drive_row *record_row(long n)
{
  if (poll_waiting && n == kept)
    return &waiting_row;
  if (n < record_begin() || n >= kept)
    return nullptr;
  const long slot = n % capacity;
  return &blocks[slot / record_block_rows][slot % record_block_rows];
}
