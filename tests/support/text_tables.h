#pragma once
// The check every pair of text tables gets: each text present in both
// languages, the English one plain ASCII, both ending alike.

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace tessaro::testing {

// The line end a text closes with: "\r\n", "\n" or nothing.
inline std::string_view LineEnd(std::string_view text) {
  if (text.ends_with("\r\n")) return "\r\n";
  if (text.ends_with("\n")) return "\n";
  return "";
}

// ja and en list the members of one table in the same order.
inline void ExpectTablePair(const std::vector<const char*>& ja, const std::vector<const char*>& en) {
  ASSERT_EQ(ja.size(), en.size());
  for (size_t i = 0; i < ja.size(); ++i) {
    SCOPED_TRACE(en[i]);
    const std::string_view english = en[i];
    EXPECT_FALSE(std::string_view(ja[i]).empty());
    EXPECT_FALSE(english.empty());
    EXPECT_NE(english, ja[i]);
    for (const char c : english) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "member " << i;
    EXPECT_EQ(LineEnd(english), LineEnd(ja[i])) << "member " << i;
  }
}

}  // namespace tessaro::testing
