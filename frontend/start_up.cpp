// The start-up shared by the console program and both dialog programs.
#include "frontend/start_up.h"

#include <algorithm>
#include <utility>

#include "frontend/frontend_texts.h"
#include "frontend/interrupts.h"
#include "frontend/system_language.h"

namespace tessaro {

ProgramStart ReadProgramStart(std::vector<std::string> tokens, ProgramKind kind) {
  const CommandArguments read = ReadArguments(tokens, kind);
  ProgramStart start{.language = read.language.value_or(SystemLanguage()), .tokens = {}};
  if (kind == ProgramKind::kDialog) {
    const bool hadTokens = !tokens.empty();
    // The options before a "--" that only choose the language.
    const auto end = std::find(tokens.begin(), tokens.end(), "--");
    tokens.erase(std::remove_if(tokens.begin(), end,
                                [](const std::string& token) {
                                  return ReadArguments({token}, ProgramKind::kDialog).language.has_value();
                                }),
                 end);
    start.onlyLanguageTokens = hadTokens && tokens.empty();
    start.info = read.info;
  }
  start.tokens = std::move(tokens);
  return start;
}

namespace {

bool HandlesStops(const ProgramStart& start, ProgramKind kind) {
  if (kind == ProgramKind::kConsole) return true;
  return start.info == InfoRequest::kNone && !start.tokens.empty() &&
         start.tokens.front() != kOpenToken;
}

}  // namespace

ProgramStart StartProgram(std::vector<std::string> tokens, ProgramKind kind) {
  ProgramStart start = ReadProgramStart(std::move(tokens), kind);
  if (HandlesStops(start, kind)) {
    InstallInterruptHandlers(FrontEndTextsFor(start.language).stopped.c_str());
  }
  return start;
}

}  // namespace tessaro
