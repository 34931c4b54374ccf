#pragma once
// What every program does first with its arguments: choose the language,
// take out the tokens that only choose it, and install the stop handling.

#include <string>
#include <string_view>
#include <vector>

#include "engine/language.h"
#include "frontend/command_tokens.h"

namespace tessaro {

// The first token of the dialog program's "open with" form, which file
// managers start it with: the dialog opens on the file that follows.
inline constexpr std::string_view kOpenToken = "--open";

// How the two programs start (ProgramKind, frontend/option_table.h):
//   kConsole: the tokens stay as given for its own reader (help and version
//     included), stops are always handled;
//   kDialog: the --lang= tokens before a "--" are taken out (they only choose
//     the language; "tessaro --lang=en" opens the dialog like "tessaro");
//     stops are handled when the tokens make a command-line run (any token
//     left, unless the first is kOpenToken or the program is asked for its
//     help or version).

struct ProgramStart {
  Language language;
  std::vector<std::string> tokens;
  // kDialog: there were tokens and all of them chose the language.
  bool onlyLanguageTokens = false;
  // kDialog, --help / -h or --version / -V: the program answers and ends, no run.
  InfoRequest info = InfoRequest::kNone;
};

// The language is the last "--lang=ja" / "--lang=en" option's (not one after
// "--", which is a file), else the system's (frontend/system_language.h).
// Reads only: nothing is installed.
ProgramStart ReadProgramStart(std::vector<std::string> tokens, ProgramKind kind);

// ReadProgramStart, then the stop handling of the run (frontend/interrupts.h)
// with the stop message in the chosen language: a stop removes the new file
// the run is writing, says so on standard error and ends the program with
// 128 + the signal's number. tokens are the arguments after the program name.
ProgramStart StartProgram(std::vector<std::string> tokens, ProgramKind kind);

}  // namespace tessaro
