#include "python/drive_arrays.h"

#include <sys/mman.h>

#include <cstdint>

namespace py = pybind11;

namespace
{

// Each array's name, and where drive_columns keeps its data: a float
// array (of pairs where pair is set) or a double one.
struct drive_array {
  const char *name;
  float *drive_columns::*f32;
  double *drive_columns::*f64;
  bool pair;
};

const drive_array drive_array_list[] = {
    {"position_wc", &drive_columns::position_wc, nullptr, true},
    {"velocity_wc", &drive_columns::velocity_wc, nullptr, true},
    {"angle", &drive_columns::angle, nullptr, false},
    {"angular_velocity", &drive_columns::angular_velocity, nullptr, false},
    {"steerangle", &drive_columns::steerangle, nullptr, false},
    {"throttle", &drive_columns::throttle, nullptr, false},
    {"brake", &drive_columns::brake, nullptr, false},
    {"velocity", &drive_columns::velocity, nullptr, true},
    {"slipanglefront", nullptr, &drive_columns::slipanglefront, false},
    {"slipanglerear", nullptr, &drive_columns::slipanglerear, false},
    {"weight", nullptr, &drive_columns::weight, false},
    {"flatf", &drive_columns::flatf, nullptr, true},
    {"flatr", &drive_columns::flatr, nullptr, true},
    {"ftraction", &drive_columns::ftraction, nullptr, true},
    {"resistance", &drive_columns::resistance, nullptr, true},
    {"force", &drive_columns::force, nullptr, true},
    {"torque", nullptr, &drive_columns::torque, false},
    {"acceleration", &drive_columns::acceleration, nullptr, true},
    {"angular_acceleration", nullptr, &drive_columns::angular_acceleration,
     false},
};

// An array of numbers of the given type, its memory in huge pages where
// the kernel has them. A drive writes 140 bytes a step to memory new to
// it: a page fault every 4 KiB, dear in a virtual machine, costs as much
// as the step itself; a fault every 2 MiB, nothing to speak of.
template <class type> py::array_t<type> new_array(long steps, long width)
{
  const std::size_t huge_page = std::size_t{1} << 21;
  const std::size_t bytes = sizeof(type) * steps * width;
  if (bytes < huge_page)
    return width == 1 ? py::array_t<type>(steps)
                      : py::array_t<type>({steps, width});
  // A 2 MiB boundary within a block 2 MiB longer than needed, which
  // stays the array's owner.
  py::array_t<std::uint8_t> block(bytes + huge_page);
  const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(block.data());
  const std::uintptr_t start = (at + huge_page - 1) / huge_page * huge_page;
  void *data = reinterpret_cast<void *>(start);
#ifdef MADV_HUGEPAGE
  madvise(data, bytes, MADV_HUGEPAGE); // a hint: fails harmlessly
#endif
  return width == 1
             ? py::array_t<type>({steps}, static_cast<type *>(data), block)
             : py::array_t<type>({steps, width}, static_cast<type *>(data),
                                 block);
}

} // namespace

drive_arrays make_drive_arrays(long steps)
{
  drive_arrays a;
  for (const drive_array &d : drive_array_list) {
    if (d.f64) {
      py::array_t<double> x = new_array<double>(steps, 1);
      a.out.*d.f64 = x.mutable_data();
      a.arrays.push_back(x);
    } else {
      py::array_t<float> x = new_array<float>(steps, d.pair ? 2 : 1);
      a.out.*d.f32 = x.mutable_data();
      a.arrays.push_back(x);
    }
  }
  return a;
}

py::dict drive_dict(const drive_arrays &a, long taken)
{
  py::dict run;
  for (std::size_t i = 0; i < a.arrays.size(); ++i)
    run[drive_array_list[i].name] = a.arrays[i][py::slice(0, taken, 1)];
  return run;
}
