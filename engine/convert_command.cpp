#include <exception>
#include <string>

#include "engine/converters.h"
#include "engine/report_text.h"

namespace tessaro {
namespace {

bool EndsWith(const std::string& s, const char* ending) {
  const std::string e(ending);
  return s.size() >= e.size() && s.compare(s.size() - e.size(), e.size(), e) == 0;
}

}  // namespace

ConversionResult RunConversion(const ConversionRequest& request, ConversionHost& host,
                               FileSystem& fs) {
  try {
    if (EndsWith(request.inputPath, ".aac")) return ConvertAacToWav(request, host, fs);
    if (EndsWith(request.inputPath, ".wav")) return ConvertWavToAac(request, host, fs);
    host.SetInfoText(text::kBadInputName, true);
  } catch (const std::exception&) {
    // Out of memory, or a front end's callback gave up: the files have been
    // closed and the partial output removed on the way out.
    host.SetInfoText(text::kUnexpected, true);
  } catch (...) {
    host.SetInfoText(text::kUnexpected, true);
  }
  ConversionResult result;
  result.failed = true;
  return result;
}

}  // namespace tessaro
