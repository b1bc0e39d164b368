// One field of a saved drive's row, read by its column's type
// (record/columns.h) exactly as record/csv_writer.cpp writes it.
#ifndef RECORD_CSV_FIELDS_H
#define RECORD_CSV_FIELDS_H

#include "record/columns.h"
#include "record/drive_row.h"

#include <string>
#include <string_view>

// Puts the field's value into the row where the column says; returns
// what is wrong with the field, or "" if nothing is. A model time is
// checked against the row's step, read before it.
std::string read_record_field(std::string_view field, const record_column &c,
                              drive_row *row);

// The text in single quotes, fit for a message: printable ASCII as it
// is, any other byte as \xNN, cut to its first 40 bytes.
std::string quoted(std::string_view text);

#endif
