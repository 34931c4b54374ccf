#pragma once
// The texts every program's command-line run shares, one table per language.

#include "engine/language.h"
#include "engine/text_types.h"

namespace tessaro {

struct FrontEndTexts {
  // On standard error when a stop ends the program.
  Text stopped;
};

const FrontEndTexts& FrontEndTextsFor(Language language);

}  // namespace tessaro
