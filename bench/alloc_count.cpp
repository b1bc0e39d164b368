#include "bench/alloc_count.h"

#include <cstddef>

// glibc's own entry points: the stand-ins below count and pass on. The
// executable's definitions take the place of the C library's for every
// shared library too, and operator new calls malloc.
extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *p, std::size_t size);

void *malloc(std::size_t size);
void *calloc(std::size_t count, std::size_t size);
void *realloc(void *p, std::size_t size);
}

// Relaxed and racy on purpose: the figure is a count per frame on one
// thread; Mesa's worker threads may add a few.
static volatile unsigned long count;

void *malloc(std::size_t size)
{
  count = count + 1;
  return __libc_malloc(size);
}

void *calloc(std::size_t n, std::size_t size)
{
  count = count + 1;
  return __libc_calloc(n, size);
}

void *realloc(void *p, std::size_t size)
{
  count = count + 1;
  return __libc_realloc(p, size);
}

unsigned long allocations()
{
  return count;
}
