// The shared command-line texts in Japanese and English.
#include "frontend/frontend_texts.h"

namespace tessaro {
namespace {

constexpr FrontEndTexts kJapanese = {
    .stopped = "エラー：変換が、中断されました。\n",
};

constexpr FrontEndTexts kEnglish = {
    .stopped = "Error: The conversion was stopped.\n",
};

}  // namespace

const FrontEndTexts& FrontEndTextsFor(Language language) {
  return ForLanguage(language, kJapanese, kEnglish);
}

}  // namespace tessaro
