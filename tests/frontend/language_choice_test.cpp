// The language choice from the locale variables.
#include "frontend/language_choice.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

constexpr Language kJa = Language::kJapanese;
constexpr Language kEn = Language::kEnglish;

TEST(LanguageFromLocaleVariables, FirstSetVariableDecides) {
  struct Case {
    const char* language;
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    Language expected;
  } cases[] = {
      {nullptr, nullptr, nullptr, nullptr, kJa},  // nothing set
      {"", "", "", "", kJa},
      {nullptr, nullptr, nullptr, "C", kJa},
      {nullptr, nullptr, nullptr, "POSIX", kJa},
      {nullptr, nullptr, nullptr, "C.UTF-8", kJa},
      {nullptr, nullptr, nullptr, "C.utf8", kJa},
      {nullptr, nullptr, nullptr, "ja", kJa},
      {nullptr, nullptr, nullptr, "ja_JP", kJa},
      {nullptr, nullptr, nullptr, "ja_JP.UTF-8", kJa},
      {nullptr, nullptr, nullptr, "ja_JP.eucJP@x", kJa},
      {nullptr, nullptr, nullptr, "en_US.UTF-8", kEn},
      {nullptr, nullptr, nullptr, "de_DE", kEn},
      {nullptr, nullptr, nullptr, "jav", kEn},  // Javanese, not Japanese
      {"en:ja", nullptr, nullptr, "ja_JP.UTF-8", kEn},
      {"ja:en", nullptr, nullptr, "en_US.UTF-8", kJa},
      {":en", nullptr, nullptr, "ja_JP.UTF-8", kEn},  // an empty entry is skipped
      {"", "en_US.UTF-8", nullptr, "ja_JP.UTF-8", kEn},
      {nullptr, "en_US.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8", kEn},  // LC_ALL beats the rest
      {nullptr, "C", nullptr, "en_US.UTF-8", kJa},
      {nullptr, "", "de_DE.UTF-8", "ja_JP.UTF-8", kEn},
      {nullptr, nullptr, "ja_JP.UTF-8", "en_US.UTF-8", kJa},  // LC_MESSAGES beats LANG
      {"de", "ja_JP.UTF-8", nullptr, nullptr, kEn},           // LANGUAGE beats LC_ALL
      // ... but not where the locale is C or POSIX: a script's LC_ALL=C keeps its texts.
      {"en_US:en", "C", nullptr, nullptr, kJa},
      {"en", nullptr, "POSIX", "en_US.UTF-8", kJa},
      {"en", nullptr, nullptr, nullptr, kJa},
      {"en", nullptr, nullptr, "C.UTF-8", kEn},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.language ? c.language : "-") + "|" + (c.lcAll ? c.lcAll : "-") +
                 "|" + (c.lcMessages ? c.lcMessages : "-") + "|" + (c.lang ? c.lang : "-"));
    EXPECT_EQ(LanguageFromLocaleVariables(c.language, c.lcAll, c.lcMessages, c.lang), c.expected);
  }
}

}  // namespace
}  // namespace tessaro
