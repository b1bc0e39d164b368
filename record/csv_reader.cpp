#include "record/csv_reader.h"

#include "record/columns.h"
#include "record/csv_fields.h"
#include "record/keys.h"

#include <cstring>
#include <string_view>

namespace
{

bool fail(record_reader *r, int column, const std::string &what)
{
  r->failed = true;
  r->fault = record_fault{r->lines + 1, column, what};
  return false;
}

std::vector<std::string_view> fields_of(std::string_view line)
{
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t comma = line.find(',');
    fields.push_back(line.substr(0, comma));
    if (comma == line.npos)
      return fields;
    line.remove_prefix(comma + 1);
  }
}

// The names' line or the units' line: each field as the columns give it.
// Says which column is missing or out of place, by its name.
bool read_head(record_reader *r, const std::vector<std::string_view> &f,
               bool names)
{
  const char *what = names ? "column" : "unit";
  auto wanted = [names](int i) {
    return std::string_view(names ? record_columns[i].name
                                  : record_columns[i].unit);
  };
  for (int i = 0; i < record_column_count; ++i) {
    const std::string_view name = record_columns[i].name;
    if (static_cast<std::size_t>(i) == f.size())
      return fail(r, i + 1,
                  "the line ends before the " + std::string(what) + " of '" +
                      std::string(name) + "'");
    if (f[i] == wanted(i))
      continue;
    if (!names)
      return fail(r, i + 1,
                  "the unit of '" + std::string(name) + "' is " + quoted(f[i]) +
                      ", not '" + std::string(wanted(i)) + "'");
    for (std::size_t j = i + 1; j < f.size(); ++j)
      if (f[j] == name)
        return fail(r, i + 1,
                    quoted(f[i]) + " where '" + std::string(name) +
                        "' belongs: the columns are out of order");
    return fail(r, i + 1,
                quoted(f[i]) + " where '" + std::string(name) +
                    "' belongs: that column is missing");
  }
  if (f.size() > static_cast<std::size_t>(record_column_count))
    return fail(r, record_column_count + 1,
                quoted(f[record_column_count]) + " after the last " +
                    std::string(what) + ", '" +
                    std::string(wanted(record_column_count - 1)) + "'");
  return true;
}

// The row against the one before it: the steps counted one by one, and
// the keys of a row that did not poll those of the last poll.
bool check_order(record_reader *r, const drive_row &row)
{
  if (!row.polled && !row.stepped)
    return fail(r, 4, "a row that neither polled nor stepped");
  const std::string step = "step " + std::to_string(row.step);
  if (r->rows.empty() && row.step <= 1 && row.step != row.stepped)
    return fail(r, 1,
                "a drive's first row is step 1 if it stepped, 0 if not; " +
                    step + (row.stepped ? " stepped" : " did not"));
  if (r->rows.empty())
    return true; // a cut drive starts at any step, with any keys
  const drive_row &last = r->rows.back();
  const long expected = last.step + row.stepped;
  const std::string after = " after step " + std::to_string(last.step);
  if (row.step < last.step)
    return fail(r, 1, step + after + ": the steps go backwards");
  if (row.step > last.step + 1)
    return fail(r, 1, step + after + ": the steps jump");
  if (row.step != expected)
    return fail(r, 1,
                step + after + " in a row that " +
                    (row.stepped ? "stepped" : "did not step"));
  if (!row.polled && row.keys != last.keys)
    return fail(r, 6,
                quoted(key_list(row.keys)) +
                    " in a row that did not poll: "
                    "the last poll held " +
                    quoted(key_list(last.keys)));
  return true;
}

bool read_row(record_reader *r, const std::vector<std::string_view> &f)
{
  if (f.size() < static_cast<std::size_t>(record_column_count))
    return fail(r, static_cast<int>(f.size()) + 1,
                "the row ends before '" +
                    std::string(record_columns[f.size()].name) + "'");
  if (f.size() > static_cast<std::size_t>(record_column_count))
    return fail(r, record_column_count + 1,
                quoted(f[record_column_count]) + " after the last column");
  if (r->rows.size() >= static_cast<std::size_t>(record_row_limit))
    return fail(r, 1,
                "more than " + std::to_string(record_row_limit) +
                    " rows, the most a saved drive keeps");
  drive_row row{};
  for (int i = 0; i < record_column_count; ++i) {
    const std::string fault = read_record_field(f[i], record_columns[i], &row);
    if (!fault.empty())
      return fail(r, i + 1, fault);
  }
  const bool fresh = r->rows.empty() && row.step <= 1;
  if (fresh && !row.polled && row.keys)
    return fail(r, 6, quoted(key_list(row.keys)) + " held before any poll");
  if (!check_order(r, row))
    return false;
  r->rows.push_back(row);
  return true;
}

bool read_line(record_reader *r)
{
  const std::string_view line = r->line;
  if (line.empty())
    return fail(r, 1, "an empty line");
  const std::vector<std::string_view> fields = fields_of(line);
  if (r->lines == 0 && fields[0] != record_columns[0].name)
    return fail(r, 1,
                "not a saved drive: its first line starts " +
                    quoted(fields[0]) + ", a saved drive's starts '" +
                    record_columns[0].name + "'");
  if (line.back() == '\r')
    return fail(r, static_cast<int>(fields.size()),
                "the line ends in a carriage return: a saved drive's lines "
                "end in a line feed alone");
  if (r->lines < 2)
    return read_head(r, fields, r->lines == 0);
  return read_row(r, fields);
}

} // namespace

bool read_record_text(record_reader *r, const char *text, std::size_t size)
{
  while (!r->failed && size > 0) {
    const void *end = std::memchr(text, '\n', size);
    const std::size_t n = end ? static_cast<const char *>(end) - text : size;
    if (r->line.size() + n > record_line_limit) {
      r->line.append(text, record_line_limit - r->line.size());
      const int column = static_cast<int>(fields_of(r->line).size());
      return fail(r, column,
                  "a line longer than " + std::to_string(record_line_limit) +
                      " bytes: no saved drive has one");
    }
    r->line.append(text, n);
    text += n;
    size -= n;
    if (end) {
      ++text;
      --size;
      if (!read_line(r))
        return false;
      r->line.clear();
      ++r->lines;
    }
  }
  return !r->failed;
}

bool end_record_text(record_reader *r)
{
  if (r->failed)
    return false;
  if (!r->line.empty()) {
    if (!read_line(r))
      return false;
    r->line.clear();
    ++r->lines;
  }
  if (r->lines == 0)
    return fail(r, 1, "an empty file, not a saved drive");
  if (r->lines == 1)
    return fail(r, 1, "the file ends before the units' line");
  if (r->rows.empty())
    return fail(r, 1, "a saved drive with no rows");
  return true;
}

std::string record_fault_text(const record_fault &f)
{
  std::string s =
      "line " + std::to_string(f.line) + ", column " + std::to_string(f.column);
  if (f.column >= 1 && f.column <= record_column_count)
    s += std::string(" (") + record_columns[f.column - 1].name + ")";
  return s + ": " + f.what;
}
