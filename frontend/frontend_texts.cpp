// The shared command-line texts in Japanese and English.
#include "frontend/frontend_texts.h"

namespace tessaro {
namespace {

constexpr FrontEndTexts kJapanese = {
    .stopped = "エラー：変換が、中断されました。\n",
    .outputNotWritten = "エラー：標準出力に、書き込めません。（%s）\n",
    .errorNotWritten = "エラー：標準エラー出力に、書き込めません。（%s）\n",
    .runSummary = "合計 %d ファイル：変換 %d, 異常ありで変換 %d, 失敗 %d",
    .dialogUsage = "使い方: tessaro [-s1|-s2] [-d<ms>] [入力ファイル [出力ファイル]]\n",
    .dialogOpenForm = "        tessaro --open [ファイル]\n",
    .dialogHelp =
        "AACファイル(.aac)とTSR形式のWAVファイル(.wav)を相互に変換するダイアログを開きます。\n"
        "入力ファイルを指定すると、ダイアログを開かずに一度だけ変換して終了します\n"
        "（出力ファイルを省略すると、入力ファイル名から決めます）。\n"
        "\n"
        "  -s1        WAVを16ビットで出力します（1/1、既定）\n"
        "  -s2        WAVを8ビットで出力します（1/2）\n"
        "  -d<ms>     Delayをミリ秒で指定します（0以外のとき、ファイル名のDelayより優先）\n"
        "  --lang=ja|en\n"
        "             表示の言語を日本語（ja）か英語（en）にします\n"
        "  -h, --help この説明を表示します\n"
        "  -V, --version\n"
        "             バージョンを表示します\n"
        "\n"
        "知らないオプションは無視されます。\n"
        "\n"
        "終了コード:\n"
        "  0  ダイアログを閉じました。または、変換しました\n"
        "  1  変換できませんでした\n"
        "  2  入力ファイルの指定がありません\n"
        "  3  変換しましたが、データ異常またはチェックサム不一致がありました\n"
        "     （WAVにフレームが一つも見つからなかったときも、3になります）\n",
};

constexpr FrontEndTexts kEnglish = {
    .stopped = "Error: The conversion was stopped.\n",
    .outputNotWritten = "Error: Standard output cannot be written (%s).\n",
    .errorNotWritten = "Error: Standard error cannot be written (%s).\n",
    .runSummary = "Files: %d (converted: %d, converted with damage: %d, failed: %d)",
    .dialogUsage = "Usage: tessaro [-s1|-s2] [-d<ms>] [INPUT [OUTPUT]]\n",
    .dialogOpenForm = "       tessaro --open [FILE]\n",
    .dialogHelp =
        "Opens a dialog that converts AAC files (.aac) to TSR WAV files (.wav) and\n"
        "back. With an input file, it converts once without the dialog and ends\n"
        "(without an output file, its name comes from the input file name).\n"
        "\n"
        "  -s1        Writes the WAV with 16 bits (1/1, the default)\n"
        "  -s2        Writes the WAV with 8 bits (1/2)\n"
        "  -d<ms>     Sets the delay in milliseconds (when not 0, it overrides the\n"
        "             delay in the file name)\n"
        "  --lang=ja|en\n"
        "             Shows the texts in Japanese (ja) or English (en)\n"
        "  -h, --help Shows this help\n"
        "  -V, --version\n"
        "             Shows the version\n"
        "\n"
        "Unknown options are ignored.\n"
        "\n"
        "Exit status:\n"
        "  0  The dialog was closed, or converted\n"
        "  1  Not converted\n"
        "  2  No input file was given\n"
        "  3  Converted, but with damaged data or checksum mismatches\n"
        "     (also 3 when the WAV held no frame at all)\n",
};

}  // namespace

const FrontEndTexts& FrontEndTextsFor(Language language) {
  return ForLanguage(language, kJapanese, kEnglish);
}

}  // namespace tessaro
