// Byte counts, play times and the report lines built from them.

#include "engine/report_text.h"

#include "engine/engine_texts.h"
#include "engine/wav_container.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace tessaro {

std::string StringPrintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  char small[256];
  const int needed = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string out;
  if (needed < 0) {
    va_end(copy);
    return out;
  }
  if (static_cast<size_t>(needed) < sizeof small) {
    out.assign(small, static_cast<size_t>(needed));
  } else {
    std::vector<char> big(static_cast<size_t>(needed) + 1);
    std::vsnprintf(big.data(), big.size(), format, copy);
    out.assign(big.data(), static_cast<size_t>(needed));
  }
  va_end(copy);
  return out;
}

std::string FormatByteCount(uint64_t n) {
  // Groups of three digits from the right, the leading group not zero-filled.
  std::string digits = std::to_string(n);
  std::string out;
  out.reserve(digits.size() + digits.size() / 3);
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

DurationFields FormatDuration(double x) {
  DurationFields f;
  if (x >= 3600.0) {
    f.hours = static_cast<int>(x / 3600.0);
    x = x - f.hours * 3600.0;
  }
  if (x >= 60.0) {
    f.minutes = static_cast<int>(x / 60.0);
    x = x - f.minutes * 60.0;
  }
  if (x >= 1.0) {
    f.seconds = static_cast<int>(x);
    x = x - f.seconds;
  }
  f.hundredths = static_cast<int>(x * 100.0 + 0.5);
  return f;
}

std::string FormatTimeFields(double seconds) {
  // Keep the integer conversions defined: an unknown or absurd time prints as such.
  if (!std::isfinite(seconds) || seconds < 0.0 || seconds > 1.0e12) return "--:--:--.--";
  const DurationFields f = FormatDuration(seconds);
  return StringPrintf("%02d:%02d:%02d.%02d", f.hours, f.minutes, f.seconds, f.hundredths);
}

double PlayTimeSeconds(uint64_t frameCount, uint32_t samplingFrequency) {
  return static_cast<double>(frameCount) * 1024.0 / static_cast<double>(samplingFrequency);
}

std::string MismatchRecord(const MismatchPlace& place) {
  return StringPrintf("[%08llX:%04X,%04X %02X %02X %02X %02X]",
                      static_cast<unsigned long long>(place.offset), place.computed.sum,
                      place.computed.exclusiveOr, place.stored[0], place.stored[1],
                      place.stored[2], place.stored[3]);
}

std::string TimeLine(const EngineTexts& texts, double seconds) {
  return std::string(texts.timeLinePrefix.c_str()) + FormatTimeFields(seconds) + "\r\n";
}

std::string AnomalyEntry(const EngineTexts& texts, double seconds) {
  return std::string(texts.anomalyEntryPrefix.c_str()) + FormatTimeFields(seconds) + "\r\n";
}

}  // namespace tessaro
