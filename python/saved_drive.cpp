#include "python/saved_drive.h"

#include "python/scripted_drive.h"
#include "record/csv_writer.h"

// Written out a piece at a time, so that a long drive's text is never
// held whole.
static const std::size_t piece_bytes = 1 << 20;

long save_model_drive(const std::uint32_t *masks, long steps,
                      const std::function<void(const std::string &)> &write)
{
  model_car car = make_model_car(preset_handling(1));
  std::string text = record_csv_head();
  drive_row row{};
  long i = 0;
  bool quit = false;
  while (i < steps && !quit) {
    row.polled = i % steps_per_poll == 0;
    if (row.polled) {
      row.keys = masks[i / steps_per_poll];
      quit = model_poll(&car, row.keys) != 0;
    }
    model_step(&car);
    ++i;
    row.step = i;
    row.wall_time = i * 0.01;
    row.stepped = 1;
    row.car = car.state;
    row.parts = car.parts;
    row.constants = car.constants;
    append_record_line(&text, row);
    if (text.size() >= piece_bytes) {
      write(text);
      text.clear();
    }
  }
  write(text);
  return i;
}
