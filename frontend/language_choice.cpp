// Choosing the language from the locale variables.
#include "frontend/language_choice.h"

#include <string_view>

namespace tessaro {
namespace {

// The language part of a locale name: "ja_JP.UTF-8@x" -> "ja", "C.utf8" -> "C".
std::string_view LanguagePart(std::string_view name) {
  return name.substr(0, name.find_first_of("_.@"));
}

Language LanguageOfLocaleName(std::string_view name) {
  const std::string_view part = LanguagePart(name);
  if (part == "ja" || part == "C" || part == "POSIX") return Language::kJapanese;
  return Language::kEnglish;
}

// LANGUAGE's first entry that is not empty ("en:ja" -> "en").
std::string_view FirstListEntry(std::string_view list) {
  while (!list.empty()) {
    const size_t colon = list.find(':');
    const std::string_view entry = list.substr(0, colon);
    if (!entry.empty()) return entry;
    if (colon == std::string_view::npos) break;
    list.remove_prefix(colon + 1);
  }
  return {};
}

}  // namespace

Language LanguageFromLocaleVariables(const char* language, const char* lcAll,
                                     const char* lcMessages, const char* lang) {
  std::string_view locale = "C";  // none set
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value != nullptr && value[0] != '\0') {
      locale = value;
      break;
    }
  }
  if (locale != "C" && locale != "POSIX") {
    const std::string_view first = FirstListEntry(language != nullptr ? language : "");
    if (!first.empty()) return LanguageOfLocaleName(first);
  }
  return LanguageOfLocaleName(locale);
}

}  // namespace tessaro
