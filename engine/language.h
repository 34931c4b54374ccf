#pragma once
// The languages of the user-visible texts.

namespace tessaro {

// Japanese is the default: no language set, C and POSIX give it too.
enum class Language { kJapanese, kEnglish };

}  // namespace tessaro
