#include "python/replay_drive.h"

#include <cmath>
#include <cstring>

namespace
{

template <class type>
double apart_by(const drive_row &a, const drive_row &b, std::size_t offset,
                bool *apart)
{
  type x, y;
  std::memcpy(&x, reinterpret_cast<const char *>(&a) + offset, sizeof x);
  std::memcpy(&y, reinterpret_cast<const char *>(&b) + offset, sizeof y);
  // To the bit: -0 and 0 are apart too.
  *apart = std::memcmp(&x, &y, sizeof x) != 0;
  return std::fabs(static_cast<double>(x) - static_cast<double>(y));
}

// Every value of the car's, its step's and its constants, saved and
// replayed: the columns of 32- and 64-bit numbers.
void compare(const drive_row &saved, const drive_row &replayed,
             replay_differences *d)
{
  for (int i = 0; i < record_column_count; ++i) {
    const record_column &c = record_columns[i];
    bool apart = false;
    double by = 0;
    if (c.type == column_type::f32)
      by = apart_by<float>(saved, replayed, c.offset, &apart);
    else if (c.type == column_type::f64)
      by = apart_by<double>(saved, replayed, c.offset, &apart);
    if (!apart)
      continue;
    if (d->first_step < 0)
      d->first_step = saved.step;
    d->largest[i] = by > d->largest[i] ? by : d->largest[i];
  }
}

model_car start_car(const std::vector<drive_row> &rows)
{
  model_car car = make_model_car(preset_handling(1));
  if (first_replayed_row(rows) == 1) {
    car_type *type = car.state.type;
    car.state = rows[0].car;
    car.state.type = type;
    car.constants = rows[0].constants;
    car.parts = rows[0].parts;
  }
  return car;
}

} // namespace

long first_replayed_row(const std::vector<drive_row> &rows)
{
  return !rows.empty() && rows[0].step > 1 ? 1 : 0;
}

void replay_rows(const std::vector<drive_row> &rows, const drive_columns &out,
                 handling *constants, replay_differences *d)
{
  model_car car = start_car(rows);
  const long first = first_replayed_row(rows);
  for (long i = first; i < static_cast<long>(rows.size()); ++i) {
    const drive_row &saved = rows[i];
    if (saved.polled)
      model_poll(&car, saved.keys);
    if (saved.stepped)
      model_step(&car);
    drive_row replayed = saved;
    replayed.car = car.state;
    replayed.parts = car.parts;
    replayed.constants = car.constants;
    compare(saved, replayed, d);
    const drive_step after{car.state, car.parts};
    record_steps(&after, 1, i - first, out);
    constants[i - first] = car.constants;
  }
}
