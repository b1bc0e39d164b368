// Writes the loader's test files into a folder, as NAME.bmp, and lists
// them one a line on standard output: "NAME.bmp|" for a file that loads,
// "NAME.bmp|REASON" for one refused, with the reason it is refused for.
// The fuzzer's seeds and the end-to-end runs of hostile images use them.
//   write_bmp_cases DIR
#include "tests/image/bmp_cases.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  bool ok = true;
  for (const bmp_layout_case &c : layout_cases()) {
    ok = ok && write_file(dir + "/" + c.name + ".bmp", c.file);
    std::printf("%s.bmp|\n", c.name);
  }
  for (const bmp_refusal_case &c : refusal_cases()) {
    ok = ok && write_file(dir + "/" + c.name + ".bmp", c.file);
    std::printf("%s.bmp|%s\n", c.name, c.problem);
  }
  if (!ok)
    std::perror(dir.c_str());
  return ok ? 0 : 1;
}
