#pragma once
// UTF-8 inside, UTF-16 at every Win32 call: the one conversion between them.

#include <string>
#include <string_view>

namespace tessaro {

// What a conversion does with a sequence that is invalid in its source
// encoding (bad UTF-8, an unpaired UTF-16 surrogate).
enum class BadText {
  kReplace,  // it becomes U+FFFD and the rest is kept: for text shown to a person
  kRefuse,   // the whole result is empty: for file names, so that a garbled
             // name fails instead of naming some other file
};

std::wstring Widen(std::string_view utf8, BadText bad);
std::string Narrow(std::wstring_view wide, BadText bad);

// The system's ANSI code page (Shift-JIS on a Japanese system) and back, for
// the text files other programs of that system read. Characters the code page
// lacks become its default character; bad UTF-8 becomes U+FFFD first.
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace tessaro
