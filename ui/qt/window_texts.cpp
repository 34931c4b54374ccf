// The Qt windows' texts in Japanese and in English.
#include "ui/qt/window_texts.h"

#include <string_view>

#include "res/texts.h"

namespace tessaro::qt {
namespace {

constexpr QtWindowTexts kJapanese{
    .inputLabel = "入力",
    .outputLabel = "出力",
    .browseInput = "参照",
    .browseOutput = "参照",
    .sizeLabel = "TSRｻｲｽﾞ",
    .sizeTooltip = "1/1：16ビットのWAVにします。\n1/2：8ビットのWAVにします（大きさは半分です）。",
    .forEditors = TSR_TEXT_FOR_EDITORS,
    .forEditorsTooltip = TSR_TEXT_FOR_EDITORS_TIP,
    .convert = "変換",
    .browseInputName = TSR_TEXT_BROWSE_IN_NAME,
    .browseOutputName = TSR_TEXT_BROWSE_OUT_NAME,
    .progressName = TSR_TEXT_PROGRESS_NAME,
    .progressDamagedName = TSR_TEXT_PROGRESS_DAMAGED_NAME,
    .reportName = TSR_TEXT_REPORT_NAME,
    .messageName = TSR_TEXT_MESSAGE_NAME,
    .aboutEntry = TSR_TEXT_ABOUT_ENTRY,
    .showDamageEntry = "データ異常の報告を表示(&D)...",
    .showOutputEntry = TSR_TEXT_SHOW_OUTPUT_ENTRY,
    .damageMark = TSR_TEXT_DAMAGE_MARK,
    .damageMarkTooltip = "最後のファイルに、データ異常がありました。右クリックで、報告を表示します。",
    .errorTitle = "TSR エラーメッセージ",
    .closeButton = "閉じる",
    .aboutTitle = "Tessaroのﾊﾞｰｼﾞｮﾝ情報",
    .aboutNotice = TSR_TEXT_ABOUT_NOTICE,
};

constexpr QtWindowTexts kEnglish{
    .inputLabel = "&Input",
    .outputLabel = "&Output",
    .browseInput = "&Browse…",
    .browseOutput = "B&rowse…",
    .sizeLabel = "WAV &size",
    .sizeTooltip = "1/1: a 16-bit WAV.\n1/2: an 8-bit WAV (half the size).",
    .forEditors = TSR_TEXT_FOR_EDITORS_EN,
    .forEditorsTooltip = TSR_TEXT_FOR_EDITORS_TIP_EN,
    .convert = "&Convert",
    .browseInputName = TSR_TEXT_BROWSE_IN_NAME_EN,
    .browseOutputName = TSR_TEXT_BROWSE_OUT_NAME_EN,
    .progressName = TSR_TEXT_PROGRESS_NAME_EN,
    .progressDamagedName = TSR_TEXT_PROGRESS_DAMAGED_NAME_EN,
    .reportName = TSR_TEXT_REPORT_NAME_EN,
    .messageName = TSR_TEXT_MESSAGE_NAME_EN,
    .aboutEntry = TSR_TEXT_ABOUT_ENTRY_EN,
    .showDamageEntry = "Show the &damage report…",
    .showOutputEntry = TSR_TEXT_SHOW_OUTPUT_ENTRY_EN,
    .damageMark = TSR_TEXT_DAMAGE_MARK_EN,
    .damageMarkTooltip =
        "The last file had damaged places. Right-click to show the report again.",
    .errorTitle = "Message from Tessaro",
    .closeButton = "Close",
    .aboutTitle = "About Tessaro",
    .aboutNotice = TSR_TEXT_ABOUT_NOTICE_EN,
};

}  // namespace

const QtWindowTexts& QtWindowTextsFor(Language language) {
  return ForLanguage(language, kJapanese, kEnglish);
}

}  // namespace tessaro::qt
