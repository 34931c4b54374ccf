#pragma once
// Which language the programs speak when no --lang= chooses: from the
// locale variables.

#include "engine/language.h"

namespace tessaro {

// The values of LANGUAGE, LC_ALL, LC_MESSAGES and LANG (null: unset), read
// as gettext reads them. The locale is the first of LC_ALL, LC_MESSAGES and
// LANG that is set and not empty ("C" when none is). Unless the locale is
// "C" or "POSIX", the first entry of LANGUAGE's ':'-separated list that is
// not empty decides, when there is one; otherwise the locale decides.
// "ja" or "ja_..." / "ja.<codeset>" / "ja@..." is Japanese, and so are "C",
// "POSIX" and "C.<codeset>"; any other value is English.
Language LanguageFromLocaleVariables(const char* language, const char* lcAll,
                                     const char* lcMessages, const char* lang);

}  // namespace tessaro
