// Reading the delay tag from a file name and rewriting it to 0 ms.

#include "naming/delay_tag.h"

#include <array>
#include <limits>
#include <string_view>

namespace tessaro {
namespace {

// One way of writing the tag: the name must end in the terminator, the tag is
// one of two spellings, and everything after the tag becomes the replacement tail.
struct TagForm {
  std::string_view terminator;
  std::array<std::string_view, 2> variants;
  std::string_view replacementTail;
};

// The bracketed form is tried first: a name ending in "ms)_aac.wav" is never
// searched for the plain spellings.
constexpr std::array<TagForm, 2> kTagForms = {{
    {"ms)_aac.wav", {"(delay ", "(DELAY "}, "0ms)_aac.wav"},
    {"ms_aac.wav", {"DELAY ", "delay "}, "0ms_aac.wav"},
}};

bool IsAtoiSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const TagForm* FormOf(std::string_view path) {
  for (const TagForm& form : kTagForms) {
    if (path.ends_with(form.terminator)) return &form;
  }
  return nullptr;
}

}  // namespace

int64_t ReverseFindText(const std::string& text, const std::string& pattern) {
  const size_t at = text.rfind(pattern);
  return at == std::string::npos ? -1 : static_cast<int64_t>(at);
}

DelayTagResult ParseDelayTag(const std::string& path) {
  DelayTagResult result;
  result.outputPath = path;
  const TagForm* form = FormOf(path);
  if (form == nullptr) return result;

  int64_t tagAt = -1;
  size_t tagLength = 0;
  for (std::string_view variant : form->variants) {
    const int64_t at = ReverseFindText(path, std::string(variant));
    if (at > tagAt) {
      tagAt = at;
      tagLength = variant.size();
    }
  }
  if (tagAt < 0) return result;

  // Every spelling ends in a space and no terminator holds one, so the tag lies
  // wholly in front of the terminator that ends the path.
  const size_t numberAt = static_cast<size_t>(tagAt) + tagLength;
  size_t numberEnd = path.find(form->terminator, numberAt);
  if (numberEnd == std::string::npos) numberEnd = path.size();
  result.delayMs = ReadDelayNumber(std::string_view(path).substr(numberAt, numberEnd - numberAt));
  result.outputPath = path.substr(0, numberAt);
  result.outputPath += form->replacementTail;
  return result;
}

int32_t DelayStatedByWavName(const std::string& path) {
  constexpr std::string_view kWav = ".wav";
  constexpr std::string_view kProposed = "_aac.wav";
  if (!path.ends_with(kWav)) return 0;
  if (path.ends_with(kProposed)) return ParseDelayTag(path).delayMs;
  return ParseDelayTag(path.substr(0, path.size() - kWav.size()) + std::string(kProposed)).delayMs;
}

int32_t ReadDelayNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsAtoiSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Magnitude limit: 2147483647, or 2147483648 for a negative number.
  const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                 : static_cast<int64_t>(std::numeric_limits<int32_t>::max());
  int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > limit) magnitude = limit;  // stays below 2^32: no overflow
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace tessaro
