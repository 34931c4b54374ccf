// The dialog logic's texts in Japanese and in English.
#include "ui/dialog_texts.h"

namespace tessaro {
namespace {

constexpr DialogTexts kJapanese{
    .countdown = "あと%5.1f秒で消えます。",
    .settingsNotOpenable = "ファイル（%s）が開けません",
    .logInputFileOpen = "入力ファイル：(",
    .logDroppedSentence = "大きく音ズレが発生する可能性があります。",
};

constexpr DialogTexts kEnglish{
    .countdown = "Closes in %.1f seconds.",
    .settingsNotOpenable = "The file (%s) cannot be opened.",
    .logInputFileOpen = "Input file: (",
    .logDroppedSentence = "The audio may be badly out of sync.",
};

}  // namespace

const DialogTexts& DialogTextsFor(Language language) {
  return ForLanguage(language, kJapanese, kEnglish);
}

}  // namespace tessaro
