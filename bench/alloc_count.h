// Counts heap allocations made anywhere in the process (our code, the
// C++ library, Allegro, Mesa, Xlib) by standing in for malloc.
#ifndef BENCH_ALLOC_COUNT_H
#define BENCH_ALLOC_COUNT_H

// malloc, calloc and realloc calls since the program started.
unsigned long allocations();

#endif
