#pragma once
// A help text fits a terminal of 80 columns: each line, counting a
// character beyond ASCII (Japanese, full-width signs, arrows) as two columns.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tessaro::testing {

inline void ExpectLinesFit(std::string_view text, int columns = 80) {
  int width = 0;
  std::string_view line = text;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\n') {
      EXPECT_LE(width, columns) << line.substr(0, line.find('\n'));
      width = 0;
      if (i < text.size()) line = text.substr(i + 1);
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {  // not a continuation byte
      width += static_cast<unsigned char>(text[i]) < 0x80 ? 1 : 2;
    }
  }
}

}  // namespace tessaro::testing
