#pragma once
// Byte counts and play times as the reports show them, and the report lines built from them.

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

struct EngineTexts;
struct MismatchPlace;

// One checksum mismatch record, the same in every language and in every
// report that lists it: "[OOOOOOOO:SSSS,XXXX B0 B1 B2 B3]", the preamble's
// offset, the computed sum and exclusive-or, the four stored bytes, in hex.
std::string MismatchRecord(const MismatchPlace& place);

// "時間：HH:MM:SS.hh\r\n" in the language of texts.
std::string TimeLine(const EngineTexts& texts, double seconds);
// "　時間：HH:MM:SS.hh\r\n", one position entry of the damage report.
std::string AnomalyEntry(const EngineTexts& texts, double seconds);

}  // namespace tessaro
