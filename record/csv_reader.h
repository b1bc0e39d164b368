// A saved drive's text read back into rows (record/columns.h), piece by
// piece as it comes, as an attacker's file deserves: every line bounded,
// every field checked against its column before it is kept, the rows
// bounded by record_row_limit and their steps in order. The first fault
// ends the reading and says where it is.
#ifndef RECORD_CSV_READER_H
#define RECORD_CSV_READER_H

#include "record/drive_row.h"

#include <cstddef>
#include <string>
#include <vector>

// The longest line read, in bytes: a row of a saved drive takes well
// under a thousand.
const std::size_t record_line_limit = 4096;

struct record_fault {
  long line;  // from 1
  int column; // from 1; one past the last for a field too many
  std::string what;
};

struct record_reader {
  long lines = 0;              // lines read to their end
  std::string line;            // the line being read
  std::vector<drive_row> rows; // car.type is left null
  bool failed = false;
  record_fault fault;
};

// Reads size more bytes of the text; false once the text is at fault.
bool read_record_text(record_reader *r, const char *text, std::size_t size);

// Reads the last line if no line end followed it; false if the text is
// at fault, or ends before its first row.
bool end_record_text(record_reader *r);

// "line 7, column 14 (throttle): ..."
std::string record_fault_text(const record_fault &f);

#endif
