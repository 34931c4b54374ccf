// The start-up shared by the console program and both dialog programs.
#include "frontend/start_up.h"

#include <utility>

#include "frontend/frontend_texts.h"
#include "frontend/interrupts.h"
#include "frontend/language_choice.h"
#include "frontend/system_language.h"

namespace tessaro {

ProgramStart ReadProgramStart(std::vector<std::string> tokens, ProgramKind kind) {
  ProgramStart start{.language = LanguageFromTokens(tokens).value_or(SystemLanguage()), .tokens = {}};
  if (kind == ProgramKind::kDialog) {
    const bool hadTokens = !tokens.empty();
    std::erase_if(tokens, [](const std::string& token) { return ReadLanguageToken(token).has_value(); });
    start.onlyLanguageTokens = hadTokens && tokens.empty();
    start.info = InfoRequestOf(tokens);
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
