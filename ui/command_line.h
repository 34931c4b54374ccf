#pragma once
// The command line of the dialog program as a list of tokens.

#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// What the program was started with. `empty` is true when there was no text
// at all after the program name; the dialog then opens normally. Otherwise
// the dialog runs the command-line run, also when no token survived the scan.
struct CommandLine {
  bool empty = true;
  std::vector<std::string> tokens;
};

// Splits a raw Windows command line (the text after the program name, leading
// blanks skipped) into tokens:
//   - a space outside double quotes, a tab (also inside quotes) or a NUL byte
//     ends the current token; a NUL also ends the scan;
//   - a double quote turns the quote state over and is not part of the token;
//   - every other byte belongs to the token.
// Empty tokens (two separators in a row, "") are skipped: they never name a
// file. Tokens have no length limit: a long path is taken whole.
std::vector<std::string> ScanCommandLine(std::string_view raw);

// The command line from a raw Windows command line.
CommandLine CommandLineFromRaw(std::string_view raw);

// The command line from POSIX arguments: each element after the program name
// is one token as it stands (quotes included); empty elements are skipped.
CommandLine CommandLineFromArgs(int argc, const char* const* argv);

}  // namespace tessaro
