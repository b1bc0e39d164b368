// Saved drives in Python: replay reads one, as the page saves it, and
// drives the module's car through it; save_drive makes one. Either takes
// a path or a file, text or binary.
#include "python/arguments.h"
#include "python/bindings.h"
#include "python/drive_arrays.h"
#include "python/replay_drive.h"
#include "python/saved_drive.h"
#include "record/columns.h"
#include "record/csv_reader.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <optional>
#include <string>

namespace py = pybind11;

namespace
{

bool is_path(py::handle x)
{
  return py::isinstance<py::str>(x) || py::isinstance<py::bytes>(x) ||
         py::hasattr(x, "__fspath__");
}

// Calls use(file) with the file given, or with the one that a path names,
// opened in mode and closed again, whatever use does.
template <class function>
void with_file(py::handle given, const char *mode, const char *method,
               const function &use)
{
  if (!is_path(given)) {
    if (!py::hasattr(given, method))
      throw py::type_error(std::string("a path or a file with ") + method +
                           "(), not " +
                           std::string(py::str(py::type::of(given))));
    use(py::reinterpret_borrow<py::object>(given));
    return;
  }
  py::object file = py::module_::import("io").attr("open")(given, mode);
  try {
    use(file);
  } catch (...) {
    file.attr("close")();
    throw;
  }
  file.attr("close")();
}

// The next piece of a file's text as bytes; empty at its end. Text is
// taken as UTF-8: a saved drive is ASCII, and any other character is
// refused where it stands.
py::bytes next_piece(const py::object &file)
{
  const py::object piece = file.attr("read")(1 << 16);
  if (py::isinstance<py::str>(piece))
    return piece.attr("encode")("utf-8", "replace");
  if (py::isinstance<py::bytes>(piece))
    return piece;
  throw py::type_error("the file's read() gave " +
                       std::string(py::str(py::type::of(piece))) +
                       ", not text or bytes");
}

std::vector<drive_row> read_saved_drive(const py::object &file)
{
  record_reader r;
  for (;;) {
    const std::string piece = next_piece(file);
    if (piece.empty())
      break;
    if (!read_record_text(&r, piece.data(), piece.size()))
      break;
  }
  if (!end_record_text(&r))
    throw py::value_error("not a drive to replay: " +
                          record_fault_text(r.fault));
  return std::move(r.rows);
}

// What the rows held besides the car: the step, the wall time, and what
// the program did, with which keys.
template <class type, class value>
py::array_t<type> row_column(const std::vector<drive_row> &rows, long first,
                             value drive_row::*member)
{
  py::array_t<type> a(static_cast<long>(rows.size()) - first);
  type *out = a.mutable_data();
  for (std::size_t i = first; i < rows.size(); ++i)
    out[i - first] = static_cast<type>(rows[i].*member);
  return a;
}

// The handling constants, which F1 and F2 change in a drive.
const struct {
  const char *name;
  float handling::*member;
} constant_columns[] = {{"DRAG", &handling::DRAG},
                        {"RESISTANCE", &handling::RESISTANCE},
                        {"CA_F", &handling::CA_F},
                        {"CA_R", &handling::CA_R},
                        {"MAX_GRIP", &handling::MAX_GRIP}};

py::dict replay(py::handle path_or_file)
{
  std::vector<drive_row> rows;
  with_file(path_or_file, "rb", "read",
            [&rows](const py::object &f) { rows = read_saved_drive(f); });
  const long first = first_replayed_row(rows);
  const drive_arrays a =
      make_drive_arrays(static_cast<long>(rows.size()) - first);
  std::vector<handling> constants(rows.size() - first);
  replay_differences d;
  replay_rows(rows, a.out, constants.data(), &d);
  py::dict run = drive_dict(a, static_cast<long>(rows.size()) - first);
  for (const auto &c : constant_columns) {
    py::array_t<float> values(static_cast<long>(constants.size()));
    for (std::size_t i = 0; i < constants.size(); ++i)
      values.mutable_data()[i] = constants[i].*c.member;
    run[c.name] = values;
  }
  run["step"] = row_column<long long>(rows, first, &drive_row::step);
  run["wall_time"] = row_column<double>(rows, first, &drive_row::wall_time);
  run["polled"] = row_column<bool>(rows, first, &drive_row::polled);
  run["stepped"] = row_column<bool>(rows, first, &drive_row::stepped);
  run["keys"] = row_column<long long>(rows, first, &drive_row::keys);
  py::dict differences;
  for (int i = 0; i < record_column_count; ++i)
    if (d.largest[i] >= 0)
      differences[record_columns[i].name] = d.largest[i];
  run["first_difference"] =
      d.first_step < 0 ? py::object(py::none()) : py::int_(d.first_step);
  run["differences"] = differences;
  return run;
}

void save_drive(py::handle path_or_file, const py::object &keys,
                std::optional<long> steps_given)
{
  const long steps =
      steps_given.value_or(static_cast<long>(py::len(keys)) * steps_per_poll);
  const std::vector<std::uint32_t> masks = drive_masks(keys, steps);
  with_file(path_or_file, "wb", "write", [&](const py::object &f) {
    const bool text =
        py::isinstance(f, py::module_::import("io").attr("TextIOBase"));
    save_model_drive(masks.data(), steps, [&](const std::string &piece) {
      if (text)
        f.attr("write")(py::str(piece));
      else
        f.attr("write")(py::bytes(piece));
    });
  });
}

py::tuple column_list()
{
  py::tuple columns(record_column_count);
  for (int i = 0; i < record_column_count; ++i)
    columns[i] = py::make_tuple(record_columns[i].name, record_columns[i].unit);
  return columns;
}

} // namespace

void add_record_functions(py::module_ &m)
{
  m.attr("RECORD_COLUMNS") = column_list();
  m.attr("RECORD_ROW_LIMIT") = record_row_limit;
  m.def("replay", &replay, py::arg("path_or_file"),
        "Reads a drive saved by the page (or save_drive) and drives a car "
        "through its polls and steps: a fresh car with preset 1, or for a "
        "drive cut to its last rows the state of its first row. Returns "
        "what Car.drive returns, an entry a replayed row, and the row's "
        "step, wall_time, polled, stepped and keys; first_difference, the "
        "step of the first row whose saved values are not the replay's to "
        "the bit (None if none is), and differences, the largest absolute "
        "difference of each column apart. A file that is not a whole, "
        "well-formed saved drive raises ValueError naming its line and "
        "column.");
  m.def("save_drive", &save_drive, py::arg("path_or_file"), py::arg("keys"),
        py::arg("steps") = py::none(),
        "Drives a fresh car with preset 1 as Car.drive does and saves the "
        "drive as the page saves one, a row a step; the wall time is the "
        "model time.");
}
