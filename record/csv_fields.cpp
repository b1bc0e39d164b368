#include "record/csv_fields.h"

#include "record/csv_writer.h"
#include "record/keys.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace
{

template <class type> void put(drive_row *row, std::size_t offset, type value)
{
  std::memcpy(reinterpret_cast<char *>(row) + offset, &value, sizeof value);
}

// A whole number of up to 18 digits, no sign: fits a long.
bool whole_number(std::string_view s, long *out)
{
  if (s.empty() || s.size() > 18)
    return false;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), *out);
  return r.ec == std::errc() && r.ptr == s.data() + s.size() && s[0] != '-';
}

// A decimal number as the writer writes one: digits, a point, a sign,
// an exponent; never "inf", "nan", hexadecimal or a space. from_chars
// reads it exactly and in any locale.
template <class type> std::string number(std::string_view s, type *out)
{
  const char *what = sizeof(type) == 4 ? "a 32-bit float" : "a 64-bit double";
  if (s.empty() || s.find_first_not_of("0123456789.-+eE") != s.npos)
    return quoted(s) + " is not a number";
  const auto r = std::from_chars(s.data(), s.data() + s.size(), *out);
  if (r.ec == std::errc::result_out_of_range)
    return quoted(s) + " is out of " + what + "'s range";
  if (r.ec != std::errc() || r.ptr != s.data() + s.size())
    return quoted(s) + " is not a number";
  return "";
}

template <class type>
std::string read_number(std::string_view s, drive_row *row, std::size_t at)
{
  type value;
  std::string fault = number(s, &value);
  if (fault.empty())
    put(row, at, value);
  return fault;
}

std::string read_keys(std::string_view s, drive_row *row, std::size_t at)
{
  std::uint32_t mask = 0;
  while (!s.empty()) {
    const std::size_t plus = s.find('+');
    const std::string name(s.substr(0, plus));
    const std::uint32_t bit = key_bit(name.c_str());
    if (bit == 0)
      return quoted(name) + " is not a key; the keys are " + key_name_list() +
             ", joined by '+'";
    if (mask & bit)
      return quoted(name) + " is held twice";
    mask |= bit;
    s = plus == s.npos ? std::string_view() : s.substr(plus + 1);
    if (plus != s.npos && s.empty())
      return "the keys end with a '+'";
  }
  put(row, at, mask);
  return "";
}

std::string read_count(std::string_view s, drive_row *row, std::size_t at)
{
  long n;
  if (!whole_number(s, &n))
    return quoted(s) + " is not a step count, a whole number";
  put(row, at, n);
  return "";
}

std::string read_flag(std::string_view s, drive_row *row, std::size_t at)
{
  if (s != "0" && s != "1")
    return quoted(s) + " is not 0 or 1";
  put(row, at, s == "1" ? 1 : 0);
  return "";
}

// Written exactly as the writer writes the row's step's.
std::string check_model_time(std::string_view s, const drive_row &row,
                             const record_column &c)
{
  std::string text;
  append_record_field(&text, row, c);
  if (s != text)
    return quoted(s) + " is not step " + std::to_string(row.step) +
           "'s model time, " + text;
  return "";
}

std::string read_seconds(std::string_view s, drive_row *row, std::size_t at)
{
  double t;
  std::string fault = number(s, &t);
  if (fault.empty() && !(t >= 0))
    fault = quoted(s) + " is before the start";
  if (fault.empty())
    put(row, at, t);
  return fault;
}

} // namespace

std::string read_record_field(std::string_view s, const record_column &c,
                              drive_row *row)
{
  switch (c.type) {
  case column_type::count:
    return read_count(s, row, c.offset);
  case column_type::model_time:
    return check_model_time(s, *row, c);
  case column_type::seconds:
    return read_seconds(s, row, c.offset);
  case column_type::flag:
    return read_flag(s, row, c.offset);
  case column_type::keys:
    return read_keys(s, row, c.offset);
  case column_type::f32:
    return read_number<float>(s, row, c.offset);
  case column_type::f64:
    return read_number<double>(s, row, c.offset);
  }
  return "a column of no known type";
}

std::string quoted(std::string_view text)
{
  std::string q = "'";
  for (std::size_t i = 0; i < text.size() && i < 40; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02x", c);
    if (c >= 0x20 && c < 0x7f && c != '\\')
      q.push_back(static_cast<char>(c));
    else
      q += hex;
  }
  return q + (text.size() > 40 ? "...'" : "'");
}
