// libFuzzer target for the saved drive's reader: each input is read in
// pieces of a size its length picks, as a file's reads may cut it, and a
// drive that is read is replayed through the module's car. Built by the
// fuzz preset with AddressSanitizer and UndefinedBehaviorSanitizer.
#include "python/replay_drive.h"
#include "record/csv_reader.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace
{

void replay(const std::vector<drive_row> &rows)
{
  const std::size_t n = rows.size() - first_replayed_row(rows);
  std::vector<float> f(14 * 2 * n + 1);
  std::vector<double> d(5 * n + 1);
  float *const floats[] = {&f[0],      &f[2 * n],  &f[4 * n],  &f[6 * n],
                           &f[8 * n],  &f[10 * n], &f[12 * n], &f[14 * n],
                           &f[16 * n], &f[18 * n], &f[20 * n], &f[22 * n],
                           &f[24 * n], &f[26 * n]};
  const drive_columns out{floats[0], floats[1],  floats[2],  floats[3],
                          floats[4], floats[5],  floats[6],  floats[7],
                          &d[0],     &d[n],      &d[2 * n],  floats[8],
                          floats[9], floats[10], floats[11], floats[12],
                          &d[3 * n], floats[13], &d[4 * n]};
  std::vector<handling> constants(n + 1);
  replay_differences differences;
  replay_rows(rows, out, constants.data(), &differences);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data,
                                      std::size_t size)
{
  const char *text = reinterpret_cast<const char *>(data);
  const std::size_t piece = 1 + size % 251;
  record_reader r;
  for (std::size_t at = 0; at < size && !r.failed; at += piece)
    read_record_text(&r, text + at, std::min(piece, size - at));
  if (!end_record_text(&r)) {
    // A refusal always says where and why.
    if (r.fault.line < 1 || r.fault.column < 1 || r.fault.what.empty())
      std::abort();
    return 0;
  }
  if (r.rows.empty() || r.rows.size() > record_row_limit)
    std::abort();
  replay(r.rows);
  return 0;
}
