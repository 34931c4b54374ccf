// The language of tessaro.exe and its command line after the start-up.
#include "ui/win32/program_language.h"

namespace tessaro {

void ApplyProgramStart(const ProgramStart& start, CommandLine& line) {
  line.tokens = start.tokens;
  if (start.onlyLanguageTokens) line.empty = true;
}

LANGID ResourceLanguage(Language language) {
  return language == Language::kEnglish ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)
                                        : MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
}

}  // namespace tessaro
