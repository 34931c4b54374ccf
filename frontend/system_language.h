#pragma once
// The language the user's system asks for, before any --lang= token. The
// programs ask for it at start-up and pass the language into each request;
// conversions never read the environment themselves.

#include "engine/language.h"

namespace tessaro {

// POSIX: LANGUAGE, LC_ALL, LC_MESSAGES and LANG (frontend/language_choice.h).
// Windows: Japanese when the user's display language is Japanese.
Language SystemLanguage();

}  // namespace tessaro
