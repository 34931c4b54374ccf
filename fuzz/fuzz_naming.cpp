// Delay tag parsing, output path derivation and the locale language rule on
// arbitrary byte strings.
// Checked: the proposal's ending follows the input's, it never names the input
// itself, and the delay is the one the tag parser reads.

#include <string>

#include "frontend/language_choice.h"
#include "fuzz/fuzz_host.h"
#include "naming/delay_tag.h"
#include "naming/output_path.h"

using namespace tessaro;

namespace {

bool EndsWith(const std::string& s, const std::string& e) {
  return s.size() >= e.size() && s.compare(s.size() - e.size(), e.size(), e) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);

  const DelayTagResult tag = ParseDelayTag(path);
  if (tag.outputPath != path) {
    FUZZ_CHECK(EndsWith(tag.outputPath, "0ms_aac.wav") || EndsWith(tag.outputPath, "0ms)_aac.wav"));
    FUZZ_CHECK(tag.outputPath.size() <= path.size() + 1);
  }
  if (!EndsWith(path, "ms_aac.wav") && !EndsWith(path, "ms)_aac.wav")) {
    FUZZ_CHECK(tag.delayMs == 0 && tag.outputPath == path);
  }

  const OutputProposal proposal = DeriveOutputPath(path);
  FUZZ_CHECK(proposal.outputPath != path || proposal.outputPath.empty());
  if (EndsWith(path, ".aac")) {
    FUZZ_CHECK(proposal.setsDelay && EndsWith(proposal.outputPath, "_aac.wav"));
    const DelayTagResult again = ParseDelayTag(path.substr(0, path.size() - 4) + "_aac.wav");
    FUZZ_CHECK(proposal.delayMs == again.delayMs && proposal.outputPath == again.outputPath);
  } else if (EndsWith(path, ".wav")) {
    FUZZ_CHECK(!proposal.setsDelay && EndsWith(proposal.outputPath, "_out.aac"));
    // The input's directory and name up to the replaced ending stay as they are.
    FUZZ_CHECK(path.compare(0, proposal.outputPath.size() - 8, proposal.outputPath, 0,
                            proposal.outputPath.size() - 8) == 0);
  } else {
    FUZZ_CHECK(!proposal.setsDelay && proposal.outputPath.empty());
  }

  // The number reader saturates like a careful atoi.
  const int32_t n = ReadDelayNumber(path);
  (void)n;

  // LANGUAGE is not read where no locale is set (that is C); under a locale
  // that is neither C nor POSIX, an entry of it decides as LANG would alone.
  const std::string value = path.c_str();
  FUZZ_CHECK(LanguageFromLocaleVariables(value.c_str(), nullptr, nullptr, nullptr) ==
             Language::kJapanese);
  const Language asList = LanguageFromLocaleVariables(value.c_str(), nullptr, nullptr, "en_US.UTF-8");
  const Language asLang = LanguageFromLocaleVariables(nullptr, nullptr, nullptr, value.c_str());
  if (!value.empty() && value.find(':') == std::string::npos) FUZZ_CHECK(asList == asLang);
  return 0;
}
