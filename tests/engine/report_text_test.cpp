#include "engine/report_text.h"

#include "engine/engine_texts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace tessaro {
namespace {

TEST(FormatByteCount, GroupsOfThreeDigits) {
  struct Case {
    uint64_t n;
    const char* text;
  } const cases[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1,000"},
      {1001, "1,001"},
      {999999, "999,999"},
      {1000000, "1,000,000"},
      {1002003, "1,002,003"},
      {999999999, "999,999,999"},
      {1000000000, "1,000,000,000"},
      {4294967295, "4,294,967,295"},
      {4294967296, "4,294,967,296"},      // 4 GiB and more is reported in full
      {5368709120, "5,368,709,120"},
      {1000000000000ull, "1,000,000,000,000"},
      {18446744073709551615ull, "18,446,744,073,709,551,615"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(FormatByteCount(c.n), c.text);
  }
}

TEST(FormatTimeFields, PlayTimeOfFrames) {
  struct Case {
    uint64_t frames;
    uint32_t frequency;
    const char* text;
  } const cases[] = {
      {1000, 48000, "00:00:21.33"},
      {10000, 44100, "00:03:52.20"},
      {168750, 48000, "01:00:00.00"},  // exactly one hour
      {0, 48000, "00:00:00.00"},
      {328, 48000, "00:00:06.100"},     // 6.997 s: no carry into the seconds
      {16875000, 48000, "100:00:00.00"},  // hours are not limited to two digits
      {1000, 0, "--:--:--.--"},         // unknown sampling frequency
      {0, 0, "--:--:--.--"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.frames) + " frames at " + std::to_string(c.frequency));
    EXPECT_EQ(FormatTimeFields(PlayTimeSeconds(c.frames, c.frequency)), c.text);
  }
}

TEST(FormatDuration, SplitsIntoFields) {
  struct Case {
    double seconds;
    int hours, minutes, secs, hundredths;
  } const cases[] = {
      {0.0, 0, 0, 0, 0},
      {59.994, 0, 0, 59, 99},
      {59.996, 0, 0, 59, 100},
      {60.0, 0, 1, 0, 0},
      {3599.999, 0, 59, 59, 100},
      {3661.25, 1, 1, 1, 25},
      {PlayTimeSeconds(328, 48000), 0, 0, 6, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seconds);
    const DurationFields f = FormatDuration(c.seconds);
    EXPECT_EQ(f.hours, c.hours);
    EXPECT_EQ(f.minutes, c.minutes);
    EXPECT_EQ(f.seconds, c.secs);
    EXPECT_EQ(f.hundredths, c.hundredths);
  }
}

TEST(FormatTimeFields, UnprintableTimesShowDashes) {
  for (double seconds : {-1.0, 1.0e13, std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()}) {
    SCOPED_TRACE(seconds);
    EXPECT_EQ(FormatTimeFields(seconds), "--:--:--.--");
  }
}

TEST(ReportLines, TimeLineAndAnomalyEntry) {
  const EngineTexts& ja = EngineTextsFor(Language::kJapanese);
  EXPECT_EQ(TimeLine(ja, PlayTimeSeconds(1000, 48000)), "時間：00:00:21.33\r\n");
  EXPECT_EQ(AnomalyEntry(ja, PlayTimeSeconds(10000, 44100)), "　時間：00:03:52.20\r\n");
  EXPECT_EQ(TimeLine(ja, PlayTimeSeconds(5, 0)), "時間：--:--:--.--\r\n");
  EXPECT_EQ(ja.inputSize(FormatByteCount(2048044).c_str()),
            "入力サイズ：2,048,044 Bytes, ");
}

}  // namespace
}  // namespace tessaro
