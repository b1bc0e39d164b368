// BMP files for the loader's tests, its fuzzer's seeds and the end-to-end
// runs: every layout that image tools write, with the pixels it holds,
// and broken and hostile files, with the reason each is refused for.
#ifndef TESTS_IMAGE_BMP_CASES_H
#define TESTS_IMAGE_BMP_CASES_H

#include "tools/bmp_file.h"

#include <cstdint>
#include <iosfwd>
#include <vector>

using pixels = std::vector<std::uint32_t>; // 0xRRGGBB, top row first

struct bmp_layout_case {
  const char *name;
  bytes file;
  pixels expected;
};

struct bmp_refusal_case {
  const char *name;
  bytes file;
  const char *problem;
};

std::vector<bmp_layout_case> layout_cases();
std::vector<bmp_refusal_case> refusal_cases();

// Test frameworks print a case by its name.
void PrintTo(const bmp_layout_case &c, std::ostream *out);
void PrintTo(const bmp_refusal_case &c, std::ostream *out);

#endif
