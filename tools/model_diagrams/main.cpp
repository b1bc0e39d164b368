// Writes the diagrams of docs/model.md into the named folder.
//
//   model_diagrams OUTPUT_DIR
#include "tools/model_diagrams/diagrams.h"

#include <cstdio>
#include <fstream>
#include <string>

static bool write_file(const std::string &path, const std::string &text)
{
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  if (!out)
    std::fprintf(stderr, "model_diagrams: cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

int main(int argc, char **argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  const bool ok = write_file(dir + "/frames.svg", frames_svg()) &&
                  write_file(dir + "/forces.svg", forces_svg());
  return ok ? 0 : 1;
}
