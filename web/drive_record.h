// The drive's record that the page saves and its model panel reads
// (record/drive_row.h): one row a physics step, plus one for each poll
// that no step followed before the next poll, the last record_row_limit
// rows at most. The program's loop fills it (web/record_hooks.cpp); the
// page reads it (web/record_exports.cpp). Memory is taken a block at a
// time as the record fills, so a start costs none.
#ifndef WEB_DRIVE_RECORD_H
#define WEB_DRIVE_RECORD_H

#include "record/drive_row.h"

#include <cstdint>

// Rows of one block of memory: 2,000 rows, about 0.4 MB.
const long record_block_rows = 2000;

// Forgets every row and frees their memory; wall times count from
// start_ms on. Memory is taken for most_rows rows at most (in whole
// blocks), or as much as there is: where it runs out, the rows kept so
// far are the most the record keeps.
void record_start(double start_ms, long most_rows = record_row_limit);

// A poll has just run with the keys held as it began; car, parts and
// constants are as it left them (parts those of the last step).
void record_poll(std::uint32_t keys, const car_state &car,
                 const step_parts &parts, const handling &constants,
                 double now_ms);

// A step has just run; car, its parts and the constants as it left them.
void record_step(const car_state &car, const step_parts &parts,
                 const handling &constants, double now_ms);

// Rows are numbered from 0 at the start; [record_begin(), record_end())
// are kept. The last of them may be a poll that awaits its step: it
// shows stepped 0 until a step comes and takes it over.
long record_begin();
long record_end();

// Row n, or null if n is not kept.
const drive_row *record_row(long n);

#endif
