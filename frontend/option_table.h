#pragma once
// Every option of both programs, once: how it is written, which program
// takes it and what it sets. The reader of the arguments
// (frontend/command_tokens.h), the manual pages and the shell completions
// all go by this table; a new option is one row and its meaning.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/failure.h"

namespace tessaro {

struct CommandArguments;

// The two programs that read arguments.
enum class ProgramKind {
  kConsole,  // tessaro-cli
  kDialog,   // tessaro, on Qt and on Win32
};

// What belongs to an option besides its name.
enum class OptionValue {
  kNone,           // nothing: the token is the name exactly
  kJoinedInteger,  // a whole number joined to the name, with an optional sign: "-d-120"
  kChoice,         // one of the row's choices joined to the name: "--lang=en"
  kFolder,         // the next token, or the rest after "=": "--out-dir DIR", "--out-dir=DIR"
};

// The dialog program refuses the console program's own options.
enum class OptionUse { kBoth, kConsoleOnly };

struct OptionRow {
  std::string_view name;
  OptionValue value;
  OptionUse use;
  // What the option sets; value is what belongs to it ("" for kNone),
  // already checked.
  void (*apply)(CommandArguments& arguments, std::string_view value);
  // The usage error of a value that is missing or not one the option takes.
  Failure badValue = Failure::kNone;
  std::span<const std::string_view> choices = {};  // kChoice
};

// The rows in the order the help texts list them.
std::span<const OptionRow> OptionTable();

// The row a token is written as, its value aside: the name exactly; for
// kJoinedInteger the name alone or followed by a sign, a digit or a blank
// ("-dry-run" is not a delay); for kChoice the name followed by anything;
// for kFolder the name alone or followed by "=". Nullptr for any other token.
const OptionRow* FindOption(std::string_view token);

// Whether value is one the row's option takes ("" for kNone; for kFolder
// any but "").
bool TakesValue(const OptionRow& row, std::string_view value);

// How the row's option is written in full: its name, or for kChoice the
// name with each choice ("--lang=ja", "--lang=en").
std::vector<std::string> WrittenForms(const OptionRow& row);

// Whether a program takes the row's option.
inline bool Takes(ProgramKind program, const OptionRow& row) {
  return row.use == OptionUse::kBoth || program == ProgramKind::kConsole;
}

}  // namespace tessaro
