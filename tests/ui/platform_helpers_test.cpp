#include <gtest/gtest.h>

#include "ui/data_directory.h"
#include "ui/file_filter.h"

namespace tessaro {
namespace {

TEST(DataDirectoryFor, BesideProgramElseConfigHome) {
  struct Case {
    bool writable;
    const char* xdg;
    const char* home;
    const char* expected;
  } cases[] = {
      {true, "/x", "/h", "/opt/t/"},
      {false, "/x/cfg", "/h", "/x/cfg/tessaro/"},
      {false, "/x/cfg/", "/h", "/x/cfg/tessaro/"},
      {false, nullptr, "/home/u", "/home/u/.config/tessaro/"},
      {false, "", "/home/u", "/home/u/.config/tessaro/"},
      {false, "relative", "/home/u", "/home/u/.config/tessaro/"},
      {false, nullptr, nullptr, "/opt/t/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DataDirectoryFor("/opt/t/", c.writable, c.xdg, c.home), c.expected)
        << c.writable << " " << (c.xdg ? c.xdg : "(null)");
  }
}

TEST(ParseFileFilter, PairsUpToTheEmptyEntry) {
  const auto entries = ParseFileFilter(kInputFilter);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].description, "AAC File(*.aac)");
  EXPECT_EQ(entries[0].pattern, "*.aac");
  EXPECT_EQ(entries[2].pattern, "*.*");
  EXPECT_TRUE(ParseFileFilter("").empty());
}

}  // namespace
}  // namespace tessaro
