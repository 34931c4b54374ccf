// The environment's language on Windows: the user's display language.
#include "frontend/system_language.h"

#include <windows.h>

namespace tessaro {

Language SystemLanguage() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::kJapanese
                                                                    : Language::kEnglish;
}

}  // namespace tessaro
