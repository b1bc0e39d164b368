// Writes the diagrams of docs/model.md into the named folder.
//
//   model_diagrams OUTPUT_DIR
#include "tools/diagrams/diagrams.h"
#include "tools/file_writer.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  const struct {
    const char *name;
    std::string (*svg)();
  } diagrams[] = {{"frames", frames_svg}, {"forces", forces_svg}};
  for (const auto &diagram : diagrams) {
    const std::string path = dir + "/" + diagram.name + ".svg";
    if (!write_file(path, diagram.svg())) {
      std::perror(("model_diagrams: " + path).c_str());
      return 1;
    }
  }
  return 0;
}
