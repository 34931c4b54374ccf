#pragma once
// Which language the programs speak: from the locale variables and --lang=.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/language.h"

namespace tessaro {

// The values of LANGUAGE, LC_ALL, LC_MESSAGES and LANG (null: unset). The
// first set and not empty decides, LANGUAGE by its first ':'-separated entry
// that is not empty: "ja" or "ja_..." / "ja.<codeset>" / "ja@..." is Japanese,
// and so are "C", "POSIX" and "C.<codeset>"; any other value is English. With
// none set, Japanese.
Language LanguageFromLocaleVariables(const char* language, const char* lcAll,
                                     const char* lcMessages, const char* lang);

// "--lang=ja" and "--lang=en" give their language; any other token nullopt.
std::optional<Language> ReadLanguageToken(std::string_view token);

// The language the last "--lang=ja" / "--lang=en" token chooses, if any.
std::optional<Language> LanguageFromTokens(const std::vector<std::string>& tokens);

}  // namespace tessaro
