// The drive's record as the page reads it (web/page/drive_record.js):
// functions of the wasm module, by plain numbers and C strings. Rows are
// numbered as in web/drive_record.h, columns as in record/columns.h.
#ifndef WEB_RECORD_EXPORTS_H
#define WEB_RECORD_EXPORTS_H

extern "C" {

// The kept rows, [drive_record_begin(), drive_record_end()), and the
// most that are kept.
long drive_record_begin();
long drive_record_end();
long drive_record_limit();

// The number of columns, and the name of column i (null outside).
int drive_record_columns();
const char *drive_record_column_name(int i);

// The value of a column in row n as a number: a count, a flag, the keys'
// mask, a float or a double; model time in s. NaN if either is not there.
double drive_record_value(long n, int column);

// The saved drive's head (names and units lines), and the lines of the
// kept rows among count rows from first on: the text stays until the
// next call.
const char *drive_record_head();
const char *drive_record_lines(long first, long count);
}

#endif
