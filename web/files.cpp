#include "web/files.h"

#include <emscripten.h>

#include <cerrno>
#include <cstring>
#include <new>

// The index of the page's file of that name in Module.driveFiles, or -1.
EM_JS(int, page_file_find, (const char *name), {
  var files = Module["driveFiles"] || [];
  var wanted = UTF8ToString(name);
  for (var i = 0; i < files.length; ++i)
    if (files[i][0] == wanted)
      return i;
  return -1;
});

// Copies up to count bytes of file index from offset to the wasm memory
// at to; how many it copied (0 at the end).
EM_JS(int, page_file_read, (int index, double offset, char *to, int count), {
  var part = Module["driveFiles"][index][1].subarray(offset, offset + count);
  HEAPU8.set(part, to);
  return part.length;
});

namespace
{

struct page_file {
  int index;     // in Module.driveFiles
  double offset; // bytes read so far; a double holds any file's size
};

ssize_t read_part(void *cookie, char *to, size_t count)
{
  page_file *file = static_cast<page_file *>(cookie);
  // At most 1 GiB a call: the count stays an int on both sides.
  const int wanted = count < (1u << 30) ? static_cast<int>(count) : 1 << 30;
  const int got = page_file_read(file->index, file->offset, to, wanted);
  file->offset += got;
  return got;
}

int close_file(void *cookie)
{
  delete static_cast<page_file *>(cookie);
  return 0;
}

} // namespace

std::FILE *web_file_open(const char *name, const char *mode)
{
  if (std::strcmp(mode, "r") != 0 && std::strcmp(mode, "rb") != 0) {
    errno = EACCES;
    return nullptr;
  }
  const int index = page_file_find(name);
  if (index < 0) {
    errno = ENOENT;
    return nullptr;
  }
  page_file *file = new (std::nothrow) page_file{index, 0};
  std::FILE *f =
      file ? fopencookie(file, "r", {read_part, nullptr, nullptr, close_file})
           : nullptr;
  if (!f) {
    delete file;
    errno = ENOMEM;
  }
  return f;
}

// Every fopen of the program's (-Wl,--wrap=fopen).
extern "C" std::FILE *__wrap_fopen(const char *name, const char *mode);
extern "C" std::FILE *__wrap_fopen(const char *name, const char *mode)
{
  return web_file_open(name, mode);
}
