#pragma once
// The language the user's environment asks for, before any --lang= token.

#include "engine/language.h"

namespace tessaro::cli {

// POSIX: LANGUAGE, LC_ALL, LC_MESSAGES and LANG (naming/language_choice.h).
// Windows: Japanese when the user's display language is Japanese.
Language EnvironmentLanguage();

}  // namespace tessaro::cli
