#pragma once
// The language tessaro.exe speaks, and the resources that go with it.

#include <windows.h>

#include "engine/language.h"
#include "frontend/start_up.h"
#include "ui/command_line.h"

namespace tessaro {

// The command line as the dialog takes it after the start-up: the
// --lang=ja / --lang=en tokens are taken out; when they were all it held,
// the line counts as empty and the dialog opens as usual.
void ApplyProgramStart(const ProgramStart& start, CommandLine& line);

// The resource language of the dialogs for a language.
LANGID ResourceLanguage(Language language);

}  // namespace tessaro
