// The program's files on the page (web/files.h): read from the page's
// own arrays, whole and in parts, and nothing else opened.
#include "web/files.h"

#include <emscripten.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

// The page's files: a.bmp of 70000 bytes (byte i is i mod 251), empty.bmp
// of none.
EM_JS(void, hand_files, (), {
  var a = new Uint8Array(70000);
  for (var i = 0; i < a.length; ++i)
    a[i] = i % 251;
  Module["driveFiles"] = [ [ "a.bmp", a ], [ "empty.bmp", new Uint8Array(0) ] ];
});

namespace
{

std::vector<unsigned char> read_all(std::FILE *f, std::size_t part)
{
  std::vector<unsigned char> bytes;
  std::vector<unsigned char> chunk(part);
  for (std::size_t got; (got = std::fread(chunk.data(), 1, part, f)) > 0;)
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
  return bytes;
}

} // namespace

TEST(Files, ReadWholeInAnyPartsWithTheirEnd)
{
  hand_files();
  for (std::size_t part : {1u, 4096u, 65536u, 100000u}) {
    std::FILE *f = web_file_open("a.bmp", "rb");
    ASSERT_NE(f, nullptr);
    const std::vector<unsigned char> bytes = read_all(f, part);
    ASSERT_EQ(bytes.size(), 70000u) << part;
    EXPECT_EQ(bytes[69999], 69999 % 251) << part;
    EXPECT_TRUE(std::feof(f));
    EXPECT_FALSE(std::ferror(f));
    EXPECT_EQ(std::fclose(f), 0);
  }
  std::FILE *empty = web_file_open("empty.bmp", "r");
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(read_all(empty, 16).empty());
  std::fclose(empty);
}

TEST(Files, EachStreamReadsFromItsOwnStart)
{
  hand_files();
  std::FILE *first = web_file_open("a.bmp", "rb");
  std::FILE *second = web_file_open("a.bmp", "rb");
  unsigned char byte = 0;
  ASSERT_EQ(std::fread(&byte, 1, 1, first), 1u);
  ASSERT_EQ(std::fread(&byte, 1, 1, second), 1u);
  EXPECT_EQ(byte, 0);
  std::fclose(first);
  std::fclose(second);
}

TEST(Files, NothingElseOpens)
{
  hand_files();
  struct attempt {
    const char *name, *mode;
    int error;
  };
  const attempt attempts[] = {
      {"missing.bmp", "rb", ENOENT}, // not among the page's
      {"A.BMP", "rb", ENOENT},       // names are matched exactly
      {"a.bmp", "wb", EACCES},       // the program writes nothing
      {"a.bmp", "r+b", EACCES},      {"a.bmp", "ab", EACCES},
  };
  for (const attempt &a : attempts) {
    errno = 0;
    EXPECT_EQ(web_file_open(a.name, a.mode), nullptr) << a.name << a.mode;
    EXPECT_EQ(errno, a.error) << a.name << " " << a.mode;
  }
}
