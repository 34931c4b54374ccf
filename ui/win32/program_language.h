#pragma once
// The language tessaro.exe speaks, and the resources that go with it.

#include <windows.h>

#include "engine/language.h"
#include "ui/command_line.h"

namespace tessaro {

// The last "--lang=ja" / "--lang=en" among the arguments, else the user's
// Windows display language (Japanese for Japanese, English for any other).
// The --lang=ja / --lang=en tokens are taken out of the command line; when they
// were all it held, the line counts as empty and the dialog opens as usual.
Language TakeProgramLanguage(CommandLine& line);

// The resource language of the dialogs for a language.
LANGID ResourceLanguage(Language language);

}  // namespace tessaro
