#pragma once
// UTF-8 inside, UTF-16 at every Win32 call.

#include <string>

namespace tessaro {

// UTF-8 to UTF-16; invalid sequences become U+FFFD.
std::wstring Widen(const std::string& utf8);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string Narrow(const std::wstring& wide);
std::string Narrow(const wchar_t* wide, size_t length);

// The system's ANSI code page (Shift-JIS on a Japanese system) and back, for
// the text files other programs of that system read. Characters the code page
// lacks become its default character.
std::string Utf8ToAnsi(const std::string& utf8);
std::string AnsiToUtf8(const std::string& ansi);

}  // namespace tessaro
