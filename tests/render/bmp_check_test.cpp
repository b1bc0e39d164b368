// The look at a BMP file's headers before the library loads it: files
// that the library would load as garbage, or not at all, are refused.
#include "render/bmp_check.h"
#include "tests/support/case_name.h"
#include "tools/bmp_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace
{

using bytes = std::vector<unsigned char>;

// One file per test: ctest runs the cases in parallel processes.
std::string temp_path()
{
  const testing::TestInfo *test =
      testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test->test_suite_name() + std::string("_") + test->name();
  for (char &c : name)
    if (c == '/')
      c = '_';
  return testing::TempDir() + name + ".bmp";
}

// A valid 24-bit 5x3 image: rows of 15 bytes padded to 16.
bytes valid_image()
{
  write_bmp(temp_path(), 5, 3, [](int x, int y) { return x * 40 + y; });
  std::ifstream in(temp_path(), std::ios::binary);
  return bytes(std::istreambuf_iterator<char>(in), {});
}

void put32(bytes &b, std::size_t at, unsigned v)
{
  for (int i = 0; i < 4; ++i)
    b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

struct file_case {
  const char *name;
  std::function<void(bytes &)> change; // applied to a valid image
  const char *problem;                 // null when the file is fine
};

void PrintTo(const file_case &c, std::ostream *out)
{
  *out << c.name;
}

class BmpCheck : public testing::TestWithParam<file_case>
{
};

TEST_P(BmpCheck, NamesTheProblem)
{
  bytes b = valid_image();
  ASSERT_EQ(b.size(), 54u + 16 * 3);
  GetParam().change(b);
  std::ofstream(temp_path(), std::ios::binary)
      .write(reinterpret_cast<const char *>(b.data()), b.size());
  const char *problem = bmp_file_problem(temp_path().c_str());
  std::remove(temp_path().c_str());
  if (GetParam().problem)
    EXPECT_STREQ(problem, GetParam().problem);
  else
    EXPECT_EQ(problem, nullptr) << problem;
}

const char *const incomplete = "el archivo esta incompleto";
const char *const not_bmp = "el archivo no es una imagen BMP";
const char *const bad_header = "la cabecera de la imagen no es valida";

INSTANTIATE_TEST_SUITE_P(
    Files, BmpCheck,
    testing::Values(
        file_case{"valid", [](bytes &) {}, nullptr},
        file_case{"extra_bytes_after", [](bytes &b) { b.push_back(0); },
                  nullptr},
        file_case{"top_down_rows", [](bytes &b) { put32(b, 22, -3); }, nullptr},
        file_case{"one_byte_short", [](bytes &b) { b.pop_back(); }, incomplete},
        file_case{"first_100_bytes", [](bytes &b) { b.resize(100); },
                  incomplete},
        file_case{"header_cut", [](bytes &b) { b.resize(30); }, incomplete},
        file_case{"magic_only", [](bytes &b) { b.resize(2); }, incomplete},
        file_case{"empty", [](bytes &b) { b.clear(); }, not_bmp},
        file_case{"text", [](bytes &b) { b.assign(20, 'x'); }, not_bmp},
        file_case{"pixels_past_the_end", [](bytes &b) { put32(b, 10, 60); },
                  incomplete},
        file_case{"zero_width", [](bytes &b) { put32(b, 18, 0); }, bad_header},
        file_case{"huge_height", [](bytes &b) { put32(b, 22, 1u << 30); },
                  bad_header},
        file_case{"odd_depth", [](bytes &b) { b[28] = 7; }, bad_header}),
    case_name());

TEST(BmpCheckMissing, CannotOpen)
{
  EXPECT_STREQ(bmp_file_problem("/nonexistent/lep.bmp"),
               "no se puede abrir el archivo");
}

} // namespace
