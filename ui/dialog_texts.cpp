// The dialog logic's texts in Japanese and in English.
#include "ui/dialog_texts.h"

#include "res/texts.h"

namespace tessaro {
namespace {

constexpr DialogTexts kJapanese{
    .countdown = "あと%5.1f秒で消えます。",
    .settingsNotOpenable = "ファイル（%s）が開けません%.0s",
    .logInputFileOpen = "入力ファイル：(",
    .logDroppedSentence = "大きく音ズレが発生する可能性があります。",
    .cancelButton = "中止",
    .stopped = "エラー：変換が、中断されました。出力ファイルは、元のままです。\r\n",
    .folderNotShown = "エラー：出力ファイル（%s）を、フォルダーで表示できません。\r\n",
    .editorsChoice = "「" TSR_TEXT_FOR_EDITORS "」にチェックを入れて",
};

constexpr DialogTexts kEnglish{
    .countdown = "Closes in %.1f seconds.",
    .settingsNotOpenable =
        "The settings file (%s) cannot be written%s, so the window's position and size, the last "
        "input file and the size and \"For editors\" choices were not saved. Check that its folder "
        "can be written to.",
    .logInputFileOpen = "Input file: (",
    .logDroppedSentence = "The audio may be badly out of sync.",
    .cancelButton = "Cancel",
    .stopped = "Error: The conversion was stopped. The output file is as it was.\r\n",
    .folderNotShown = "Error: The output file \"%s\" cannot be shown in its folder.\r\n",
    .editorsChoice = "with \"For editors\" checked",
};

}  // namespace

const DialogTexts& DialogTextsFor(Language language) {
  return ForLanguage(language, kJapanese, kEnglish);
}

}  // namespace tessaro
