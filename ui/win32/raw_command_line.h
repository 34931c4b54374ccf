#pragma once
// The raw command line of a Windows program, as its start-up code sees it.

#include <string_view>

namespace tessaro {

// The text after the program name, leading blanks skipped: the program name
// ends at its closing double quote when it starts with one, else at the first
// blank (space or tab); everything behind it stays as typed.
std::wstring_view RawArguments(std::wstring_view commandLine);

}  // namespace tessaro
