// The image loader on files built field by field: every layout that
// image tools write decodes to the pixels it holds, and every broken or
// hostile file is refused with its reason. Headless: no display needed.
#include "image/image_file.h"
#include "tests/image/bmp_cases.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace
{

class Loader : public testing::Environment
{
public:
  void SetUp() override
  {
    ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
    set_color_depth(32);
  }
};

testing::Environment *const loader =
    testing::AddGlobalTestEnvironment(new Loader);

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

// Loads the bytes through a file; problem is null when it loads.
pixels load(const bytes &file, const char **problem)
{
  const std::string path = temp_path();
  EXPECT_TRUE(write_file(path, file));
  *problem = nullptr;
  BITMAP *bmp = load_image_file(path.c_str(), problem);
  std::remove(path.c_str());
  pixels got;
  for (int y = 0; bmp && y < bmp->h; ++y)
    for (int x = 0; x < bmp->w; ++x) {
      const int c = getpixel(bmp, x, y);
      got.push_back(getr(c) << 16 | getg(c) << 8 | getb(c));
    }
  if (bmp)
    destroy_bitmap(bmp);
  return got;
}

class ImageLayout : public testing::TestWithParam<bmp_layout_case>
{
};

TEST_P(ImageLayout, DecodesEveryPixel)
{
  const char *problem;
  EXPECT_EQ(load(GetParam().file, &problem), GetParam().expected);
  EXPECT_EQ(problem, nullptr) << problem;
}

INSTANTIATE_TEST_SUITE_P(Files, ImageLayout, testing::ValuesIn(layout_cases()),
                         case_name());

class ImageRefusal : public testing::TestWithParam<bmp_refusal_case>
{
};

TEST_P(ImageRefusal, GivesItsReason)
{
  const char *problem;
  EXPECT_TRUE(load(GetParam().file, &problem).empty());
  EXPECT_STREQ(problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(Files, ImageRefusal,
                         testing::ValuesIn(refusal_cases()), case_name());

TEST(ImageFile, NamesWhatIsWrongWithTheFileItself)
{
  const char *problem = nullptr;
  EXPECT_EQ(load_image_file("/nonexistent/lep.bmp", &problem), nullptr);
  EXPECT_STREQ(problem, "no se puede abrir el archivo");
  EXPECT_EQ(load_image_file(testing::TempDir().c_str(), &problem), nullptr);
  EXPECT_STREQ(problem, "no se puede leer el archivo");
  // Bigger than any image within the limit: 4096 x 4096 x 4 bytes and
  // the headers. The file is sparse, so it costs no disk.
  const std::string path = temp_path();
  std::FILE *f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite("BM", 1, 2, f);
  std::fseek(f, 80L << 20, SEEK_SET);
  std::fputc(0, f);
  std::fclose(f);
  EXPECT_EQ(load_image_file(path.c_str(), &problem), nullptr);
  EXPECT_STREQ(problem, "el archivo es demasiado grande");
  std::remove(path.c_str());
}

// The header of a 32-bit image of 65536 x 16384 pixels followed by every
// one of its 2^32 bytes of pixels: refused for the file's size before
// any of it is read. The file is sparse, so it costs no disk.
TEST(ImageFile, RefusesAFileAsLargeAsItsHeaderSays)
{
  const std::vector<bmp_refusal_case> cases = refusal_cases();
  const auto huge = std::find_if(cases.begin(), cases.end(), [](const auto &c) {
    return std::strcmp(c.name, "bits32_65536_by_16384") == 0;
  });
  ASSERT_NE(huge, cases.end());
  const std::string path = temp_path();
  ASSERT_TRUE(write_file(path, huge->file));
  const std::uintmax_t headers = 54, pixel_bytes = std::uintmax_t{1} << 32;
  std::filesystem::resize_file(path, headers + pixel_bytes);
  const char *problem = nullptr;
  EXPECT_EQ(load_image_file(path.c_str(), &problem), nullptr);
  EXPECT_STREQ(problem, "el archivo es demasiado grande");
  std::remove(path.c_str());
}

// The shipped images give the very bitmaps that the library's own loader
// gives at each colour depth the display may have, so the textures made
// from them are what they always were.
class ShippedImage : public testing::TestWithParam<int>
{
};

TEST_P(ShippedImage, MatchesTheLibrarysLoaderBitForBit)
{
  set_color_depth(GetParam());
  for (const char *name : {"lep.bmp", "emblem.bmp"}) {
    const std::string path = std::string(DRIVE_DATA_DIR "/") + name;
    const char *problem = nullptr;
    BITMAP *ours = load_image_file(path.c_str(), &problem);
    BITMAP *theirs = load_bmp(path.c_str(), nullptr);
    ASSERT_NE(ours, nullptr) << problem;
    ASSERT_NE(theirs, nullptr);
    EXPECT_EQ(bitmap_color_depth(ours), GetParam());
    EXPECT_EQ(bitmap_color_depth(theirs), GetParam());
    ASSERT_EQ(ours->w, theirs->w);
    ASSERT_EQ(ours->h, theirs->h);
    const int row_bytes = ours->w * ((GetParam() + 7) / 8);
    int rows_differing = 0;
    for (int y = 0; y < ours->h; ++y)
      rows_differing +=
          std::memcmp(ours->line[y], theirs->line[y], row_bytes) != 0;
    EXPECT_EQ(rows_differing, 0) << name << " at " << GetParam() << " bits";
    destroy_bitmap(ours);
    destroy_bitmap(theirs);
  }
  set_color_depth(32);
}

INSTANTIATE_TEST_SUITE_P(Depths, ShippedImage, testing::Values(15, 16, 24, 32));

} // namespace
