// The dialog logic's texts in Japanese and in English.
#include "ui/dialog_texts.h"

namespace tessaro {
namespace {

constexpr DialogTexts kJapanese{
    .countdown = "あと%5.1f秒で消えます。",
    .settingsNotOpenable = "ファイル（%s）が開けません",
    .logInputFileOpen = "入力ファイル：(",
    .logDroppedSentence = "大きく音ズレが発生する可能性があります。",
    .cancelButton = "中止",
    .stopped = "エラー：変換が、中断されました。出力ファイルは、元のままです。\r\n",
    .queueOverwrites = "エラー：出力ファイルが、（%s）と同じです。この変換は、行いません。\r\n",
    .folderNotShown = "エラー：出力ファイル（%s）を、フォルダーで表示できません。\r\n",
};

constexpr DialogTexts kEnglish{
    .countdown = "Closes in %.1f seconds.",
    .settingsNotOpenable = "The file (%s) cannot be opened.",
    .logInputFileOpen = "Input file: (",
    .logDroppedSentence = "The audio may be badly out of sync.",
    .cancelButton = "Cancel",
    .stopped = "Error: The conversion was stopped. The output file is as it was.\r\n",
    .queueOverwrites =
        "Error: The output file is the same as (%s). This file is not converted.\r\n",
    .folderNotShown = "Error: The output file \"%s\" cannot be shown in its folder.\r\n",
};

}  // namespace

const DialogTexts& DialogTextsFor(Language language) {
  return ForLanguage(language, kJapanese, kEnglish);
}

}  // namespace tessaro
