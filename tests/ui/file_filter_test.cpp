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
  // Both windows show the English descriptions alike.
  EXPECT_EQ(ParseFileFilter(InputFilter(Language::kEnglish))[0].description, "AAC files (*.aac)");
  EXPECT_EQ(ParseFileFilter(OutputFilter(Language::kEnglish))[0].description, "WAV files (*.wav)");
  EXPECT_STREQ(InputFilter(Language::kJapanese), kInputFilter);
}

}  // namespace
}  // namespace tessaro
