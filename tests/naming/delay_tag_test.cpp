#include "naming/delay_tag.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace tessaro {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct TagCase {
  const char* path;
  int32_t delayMs;
  const char* outputPath;
};

void ExpectTagCases(const TagCase* begin, const TagCase* end) {
  for (const TagCase* c = begin; c != end; ++c) {
    SCOPED_TRACE(c->path);
    const DelayTagResult r = ParseDelayTag(c->path);
    EXPECT_EQ(r.delayMs, c->delayMs);
    EXPECT_EQ(r.outputPath, c->outputPath);
  }
}

TEST(ParseDelayTag, FormsVariantsAndNumbers) {
  const TagCase cases[] = {
      {"Track1 DELAY 120ms_aac.wav", 120, "Track1 DELAY 0ms_aac.wav"},
      {"Track1 delay -48ms_aac.wav", -48, "Track1 delay 0ms_aac.wav"},
      {"Track1 (DELAY 300ms)_aac.wav", 300, "Track1 (DELAY 0ms)_aac.wav"},
      {"Track1 (delay -20ms)_aac.wav", -20, "Track1 (delay 0ms)_aac.wav"},
      {"Track1 DELAY 0ms_aac.wav", 0, "Track1 DELAY 0ms_aac.wav"},
      {"song_aac.wav", 0, "song_aac.wav"},
      {"rooms_aac.wav", 0, "rooms_aac.wav"},
      {"Track1 Delay 120ms_aac.wav", 0, "Track1 Delay 120ms_aac.wav"},
      {"Track1 DELAY 120MS_aac.wav", 0, "Track1 DELAY 120MS_aac.wav"},
      {"Track1 DELAY120ms_aac.wav", 0, "Track1 DELAY120ms_aac.wav"},
      {"Track1 DELAY  120 ms_aac.wav", 120, "Track1 DELAY 0ms_aac.wav"},
      {"x DELAY ms_aac.wav", 0, "x DELAY 0ms_aac.wav"},
      {"x DELAY abc ms_aac.wav", 0, "x DELAY 0ms_aac.wav"},
      {"x DELAY 12.5ms_aac.wav", 12, "x DELAY 0ms_aac.wav"},
      {"x DELAY 1,500ms_aac.wav", 1, "x DELAY 0ms_aac.wav"},
      {"x DELAY +7ms_aac.wav", 7, "x DELAY 0ms_aac.wav"},
      {"x DELAY \t\r\n\v\f-3ms_aac.wav", -3, "x DELAY 0ms_aac.wav"},
      {"x DELAY +-3ms_aac.wav", 0, "x DELAY 0ms_aac.wav"},
      {"x DELAY - 3ms_aac.wav", 0, "x DELAY 0ms_aac.wav"},
      {"_aac.wav", 0, "_aac.wav"},
      {"", 0, ""},
  };
  ExpectTagCases(std::begin(cases), std::end(cases));
}

TEST(ParseDelayTag, WhichOccurrenceIsTheTag) {
  const TagCase cases[] = {
      {"a DELAY 10ms b delay 20ms_aac.wav", 20, "a DELAY 10ms b delay 0ms_aac.wav"},
      {"delay 10ms delay 20ms_aac.wav", 20, "delay 10ms delay 0ms_aac.wav"},
      {"x DELAY 120ms extra ms_aac.wav", 120, "x DELAY 0ms_aac.wav"},
      {"x DELAY 30ms (2)_aac.wav", 0, "x DELAY 30ms (2)_aac.wav"},
      {"x delay 40ms)_aac.wav", 0, "x delay 40ms)_aac.wav"},
      {"x DELAY 5ms (delay 9ms)_aac.wav", 9, "x DELAY 5ms (delay 0ms)_aac.wav"},
      {"x(delay 5ms)_aac.wav", 5, "x(delay 0ms)_aac.wav"},
      {"x (delay 5ms) 9ms_aac.wav", 5, "x (delay 0ms_aac.wav"},
      {"xdelay 5ms_aac.wav", 5, "xdelay 0ms_aac.wav"},
      {"D:\\delay 5ms\\song 20ms_aac.wav", 5, "D:\\delay 0ms_aac.wav"},
      {"/home/delay 5ms/song 20ms_aac.wav", 5, "/home/delay 0ms_aac.wav"},
  };
  ExpectTagCases(std::begin(cases), std::end(cases));
}

// Numbers beyond the int32_t range saturate at its limits rather than wrap.
TEST(ParseDelayTag, OutOfRangeNumberSaturates) {
  const TagCase cases[] = {
      {"x DELAY 2147483647ms_aac.wav", kMax, "x DELAY 0ms_aac.wav"},
      {"x DELAY 2147483648ms_aac.wav", kMax, "x DELAY 0ms_aac.wav"},
      {"x DELAY 4294967416ms_aac.wav", kMax, "x DELAY 0ms_aac.wav"},
      {"x DELAY 99999999999999999999999999ms_aac.wav", kMax, "x DELAY 0ms_aac.wav"},
      {"x DELAY -2147483648ms_aac.wav", kMin, "x DELAY 0ms_aac.wav"},
      {"x DELAY -2147483649ms_aac.wav", kMin, "x DELAY 0ms_aac.wav"},
      {"x DELAY -99999999999999999999999999ms_aac.wav", kMin, "x DELAY 0ms_aac.wav"},
      {"x DELAY 000000000000000000000120ms_aac.wav", 120, "x DELAY 0ms_aac.wav"},
  };
  ExpectTagCases(std::begin(cases), std::end(cases));
}

TEST(ParseDelayTag, JapaneseNames) {
  const TagCase cases[] = {
      {"D:\\音楽\\曲 DELAY 120ms_aac.wav", 120, "D:\\音楽\\曲 DELAY 0ms_aac.wav"},
      {"/home/ユーザー/曲（ライブ） (delay -48ms)_aac.wav", -48,
       "/home/ユーザー/曲（ライブ） (delay 0ms)_aac.wav"},
      // Only ASCII white space is skipped before the number: U+3000 stops it.
      {"曲 DELAY 　120ms_aac.wav", 0, "曲 DELAY 0ms_aac.wav"},
      // Full-width letters or digits are not a tag or a number.
      {"曲 ＤＥＬＡＹ 120ms_aac.wav", 0, "曲 ＤＥＬＡＹ 120ms_aac.wav"},
      {"曲 DELAY １２０ms_aac.wav", 0, "曲 DELAY 0ms_aac.wav"},
  };
  ExpectTagCases(std::begin(cases), std::end(cases));
}

// A WAV output's name read as an input's proposed name would be: with its
// own ending or the proposed one; other names state nothing.
TEST(DelayStatedByWavName, BothEndingsOfAWavName) {
  const struct {
    const char* path;
    int32_t delayMs;
  } cases[] = {
      {"x DELAY 120ms.wav", 120},      {"x DELAY 120ms_aac.wav", 120},
      {"x (delay -5ms).wav", -5},      {"x DELAY 0ms.wav", 0},
      {"x DELAY 120ms.aac", 0},        {"x DELAY 120ms.wav.bak", 0},
      {"rooms.wav", 0},                {".wav", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(DelayStatedByWavName(c.path), c.delayMs) << c.path;
}

TEST(ReverseFindText, LastOccurrenceByteOffset) {
  struct Case {
    const char* text;
    const char* pattern;
    int64_t offset;
  } const cases[] = {
      {"ab", "abc", -1},  // pattern longer than the text
      {"abc", "abc", 0},
      {"aaa", "aa", 1},
      {"abc", "", 3},
      {"", "", 0},
      {"", "a", -1},
      {"abcabc", "bc", 4},
      {"abc", "d", -1},
      {"abc", "a", 0},
      {"Delay", "delay", -1},  // case-sensitive
      {"音楽 delay 曲 delay x", "delay", 17},  // offsets are in bytes
      {"音楽", "楽", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " / " + c.pattern);
    EXPECT_EQ(ReverseFindText(c.text, c.pattern), c.offset);
  }
}

}  // namespace
}  // namespace tessaro
