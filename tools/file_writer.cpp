#include "tools/file_writer.h"

#include <cstdio>

static bool write_bytes(const std::string &path, const void *data,
                        std::size_t size)
{
  std::FILE *f = std::fopen(path.c_str(), "wb");
  if (!f)
    return false;
  const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

bool write_file(const std::string &path, const std::string &text)
{
  return write_bytes(path, text.data(), text.size());
}

bool write_file(const std::string &path,
                const std::vector<unsigned char> &bytes)
{
  return write_bytes(path, bytes.data(), bytes.size());
}
