// A drive's record as CSV text: a row of the columns' names, a row of
// their units, then one line a drive_row (record/columns.h).
#ifndef RECORD_CSV_WRITER_H
#define RECORD_CSV_WRITER_H

#include "record/columns.h"
#include "record/drive_row.h"

#include <string>

// The names' line and the units' line.
std::string record_csv_head();

// Appends the row's field of column c to out.
void append_record_field(std::string *out, const drive_row &row,
                         const record_column &c);

// Appends the row's line to out.
void append_record_line(std::string *out, const drive_row &row);

#endif
