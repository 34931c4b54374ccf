#pragma once
// Byte counts and play times as the reports show them, and the report lines.

#include <cstdint>
#include <string>

namespace tessaro {

// Decimal with a comma between groups of three digits: 1002003 -> "1,002,003".
std::string FormatByteCount(uint64_t n);

struct DurationFields {
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
  int hundredths = 0;  // 0..100: no carry into the seconds
};

// Splits a number of seconds into the four fields of a time line.
DurationFields FormatDuration(double seconds);

// "HH:MM:SS.hh" from FormatDuration, each field "%02d"; "--:--:--.--" when the
// play time is unknown (a stream whose sampling frequency is not in the table).
std::string FormatTimeFields(double seconds);

// Play time of frameCount frames of 1024 samples at samplingFrequency Hz; not
// finite when the frequency is 0.
double PlayTimeSeconds(uint64_t frameCount, uint32_t samplingFrequency);

// printf into a std::string.
std::string StringPrintf(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The fixed report texts, byte for byte.
namespace text {
inline constexpr const char kInputSize[] = "入力サイズ：%s Bytes, ";
inline constexpr const char kOutputSize[] = "出力サイズ：%s Bytes, ";
inline constexpr const char kTimeLinePrefix[] = "時間：";
inline constexpr const char kAnomalyEntryPrefix[] = "　時間：";  // opens with U+3000
inline constexpr const char kSamplingLineWav[] = "サンプリング周波数：%d Hz, チャンネル数：%d\r\n";
inline constexpr const char kSamplingLineAac[] =
    "サンプリング周波数：%d Hz, チャンネル数：%d, Delay：%d ms\r\n";
inline constexpr const char kMismatchRecord[] = "[%08llX:%04X,%04X %02X %02X %02X %02X]";
// Behind the first 1,000 mismatch records, on a line of its own.
inline constexpr const char kMoreMismatches[] = "ほかのチェックサム不一致：%s ヵ所\r\n";

inline constexpr const char kInputNotOpenable[] = "エラー：入力ファイルが、開けません。\r\n";
inline constexpr const char kOutputNotOpenable[] = "エラー：出力ファイルが、開けません。\r\n";
inline constexpr const char kInputBroken[] = "エラー：入力ファイルが、異常です。\r\n";
inline constexpr const char kInputBrokenChunk[] = "エラー：入力ファイルが、異常です。%d,%d\r\n";
inline constexpr const char kNotWav[] = "エラー：WAVファイルでは、ありません。\r\n";
inline constexpr const char kBadInputName[] = "エラー：入力ファイル名が不正です。";
inline constexpr const char kReadFailed[] = "エラー：入力ファイルが、読み込めません。\r\n";
inline constexpr const char kWriteFailed[] = "エラー：出力ファイルに、書き込めません。\r\n";
inline constexpr const char kDelayTooLarge[] = "エラー：Delayが、大きすぎます。\r\n";
inline constexpr const char kUnexpected[] = "エラー：変換中に、予期しない異常が発生しました。\r\n";

inline constexpr const char kDamageReportHead[] =
    "エラー：このAACファイルは正常ではありません。\r\n"
    "大きく音ズレが発生する可能性があります。\r\n\r\n"
    "データ異常が発見された位置↓";
inline constexpr const char kNoFrameFound[] =
    "エラー：このWAVファイルには、AACのフレームが見つかりませんでした。\r\n"
    "WAVファイルが編集ソフトで再エンコードされたか、変更された可能性があります。\r\n";
inline constexpr const char kDamageReportCount[] = "　(%dヵ所)";  // opens with U+3000
}  // namespace text

// "時間：HH:MM:SS.hh\r\n"
std::string TimeLine(double seconds);
// "　時間：HH:MM:SS.hh\r\n", one position entry of the damage report.
std::string AnomalyEntry(double seconds);

}  // namespace tessaro
