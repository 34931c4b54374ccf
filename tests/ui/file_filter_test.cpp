// File-dialog filters in their "Desc|pattern||" form.
#include <gtest/gtest.h>

#include "ui/file_filter.h"

namespace tessaro {
namespace {

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
