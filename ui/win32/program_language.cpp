// The language of tessaro.exe from its arguments or from Windows.
#include "ui/win32/program_language.h"

#include <optional>

#include "engine/environment_language.h"
#include "naming/language_choice.h"

namespace tessaro {

Language TakeProgramLanguage(CommandLine& line) {
  const std::optional<Language> chosen = LanguageFromTokens(line.tokens);
  if (!chosen) return EnvironmentLanguage();
  std::erase_if(line.tokens, [](const std::string& token) { return ReadLanguageToken(token).has_value(); });
  if (line.tokens.empty()) line.empty = true;
  return *chosen;
}

LANGID ResourceLanguage(Language language) {
  return language == Language::kEnglish ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)
                                        : MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
}

}  // namespace tessaro
