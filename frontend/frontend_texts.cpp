// The shared command-line texts in Japanese and English.
#include "frontend/frontend_texts.h"

namespace tessaro {
namespace {

constexpr FrontEndTexts kJapanese = {
    .stopped = "エラー：変換が、中断されました。\n",
    .outputNotWritten = "エラー：標準出力に、書き込めません。（%s）\n",
    .errorNotWritten = "エラー：標準エラー出力に、書き込めません。（%s）\n",
    .runSummary = "合計 %d ファイル：変換 %d, 異常ありで変換 %d, 失敗 %d",
    .outputIsAnInput = "エラー：出力ファイルが、入力ファイル %s と同じです。上書きできません。%.0s\r\n",
    .outputWrittenBefore =
        "エラー：出力ファイル%.0sは、%s の出力として、すでに書き込まれています。上書きできません。%.0s\r\n",
    .unknownOption = "%s というオプションはありません。",
    .delayWithoutNumber =
        "Delayの指定 %s に、ミリ秒の整数が続いていません。-d120 や -d-120 のように指定してください。",
    .unknownLanguage = "%s という言語の指定はありません。--lang=ja か --lang=en を指定してください。",
    .dashAlone = "「-」というオプションはありません。標準入力と標準出力は、ファイルの代わりに使えません。"
                 "「-」という名前のファイルは、./- と指定してください。",
    .noInputFiles = "入力ファイルの指定がありません。",
    .consoleOnlyOption = "%s は tessaro-cli のオプションです。tessaro では使えません。",
    .dialogTooManyPaths = "入力ファイルと出力ファイルのほかには、ファイルを指定できません。"
                          "複数のファイルを変換するときは、ウィンドウにドロップするか、"
                          "tessaro-cli --batch を使ってください。",
    .dialogUsage = "使い方: tessaro [-s1|-s2] [-d<ms>] [--for-editors] [入力ファイル [出力ファイル]]\n",
    .dialogOpenForm = "        tessaro --open [ファイル]\n",
    .dialogHelp =
        "AACファイル(.aac)とTSR形式のWAVファイル(.wav)を相互に変換するダイアログを\n"
        "開きます。入力ファイルを指定すると、ウィンドウを開いてすぐに一度だけ変換し、\n"
        "終了します（出力ファイルを省略すると、入力ファイル名から決めます。設定ファイル\n"
        "は書き換えません）。\n"
        "\n"
        "  -s1        WAVを16ビットで出力します（1/1、既定）\n"
        "  -s2        WAVを8ビットで出力します（1/2）\n"
        "  -d<ms>     Delayをミリ秒で指定します（0以外のとき、ファイル名のDelayより\n"
        "             優先）。AACからWAVへの変換だけです。正の値では音を遅らせ\n"
        "             （前に無音を入れます）、負の値では早めます（その分、先頭を\n"
        "             削ります）\n"
        "  --for-editors\n"
        "             WAVを、動画編集ソフトが残すブロックで書きます（ウィンドウの\n"
        "             「編集ソフト用」と同じです。ウィンドウで選んであれば、付けなくても\n"
        "             そうなります）。AACからWAVへの変換だけです\n"
        "  --lang=ja|en\n"
        "             表示の言語を日本語（ja）か英語（en）にします\n"
        "  -h, --help この説明を表示します\n"
        "  -V, --version\n"
        "             バージョンを表示します\n"
        "  --         オプションの終わりです。後の引数は、「-」で始まってもファイルです\n"
        "\n"
        "ほかの「-」で始まる引数や3つ目のファイルは、使い方の誤りです。何も変換せず、\n"
        "メッセージを標準エラー出力に出します（端末がないときは、エラーウィンドウにも\n"
        "出します）。\n"
        "\n"
        "終了コード:\n"
        "  0  変換しました（入力ファイルなしでダイアログを閉じたときも、0になります）\n"
        "  1  変換できませんでした（理由はウィンドウに出ます）\n"
        "  2  使い方の誤り（入力ファイルの指定がない、知らないオプションなど）\n"
        "  3  変換しましたが、データ異常またはチェックサム不一致がありました\n"
        "     （WAVにフレームが一つも見つからなかったときも、3になります）\n",
};

constexpr FrontEndTexts kEnglish = {
    .stopped = "Error: The conversion was stopped.\n",
    .outputNotWritten = "Error: Standard output cannot be written (%s).\n",
    .errorNotWritten = "Error: Standard error cannot be written (%s).\n",
    .runSummary = "Files: %d (converted: %d, converted with damage: %d, failed: %d)",
    .outputIsAnInput =
        "Error: The output file is the same file as %s, another input of this run, so it is not "
        "overwritten and %s is not converted. Convert that file on its own with another output "
        "name.\r\n",
    .outputWrittenBefore =
        "Error: The output file %s was already written for %s, so it is not overwritten and %s is "
        "not converted. Convert that file on its own with another output name.\r\n",
    .unknownOption = "Unknown option %s.",
    .delayWithoutNumber =
        "The delay option %s has no whole number of milliseconds joined to it; write it like "
        "-d120 or -d-120.",
    .unknownLanguage = "Unknown language in %s; give --lang=ja or --lang=en.",
    .dashAlone = "\"-\" is not an option, and standard input and output cannot stand for a file; "
                 "give a file named - as ./-.",
    .noInputFiles = "No input file was given.",
    .consoleOnlyOption = "%s is an option of tessaro-cli; tessaro does not take it.",
    .dialogTooManyPaths = "Only an input and an output file can be given; to convert several "
                          "files, drop them onto the window, or use tessaro-cli --batch.",
    .dialogUsage = "Usage: tessaro [-s1|-s2] [-d<ms>] [--for-editors] [INPUT [OUTPUT]]\n",
    .dialogOpenForm = "       tessaro --open [FILE]\n",
    .dialogHelp =
        "Opens a dialog that converts AAC files (ADTS, .aac) to WAV files (.wav) that\n"
        "carry each AAC frame untouched, and back. With an input file, the window\n"
        "converts that file at once, without waiting for the user, and closes when\n"
        "done (without an output file, its name comes from the input file name; the\n"
        "settings file is not rewritten).\n"
        "\n"
        "  -s1        Writes the WAV with 16 bits (1/1, the default)\n"
        "  -s2        Writes the WAV with 8 bits (1/2)\n"
        "  -d<ms>     Sets the delay in milliseconds (when not 0, it overrides the\n"
        "             delay in the file name); AAC to WAV only. A positive delay\n"
        "             starts the audio later (silence is put in front), a negative\n"
        "             one earlier (as much of its start is cut)\n"
        "  --for-editors\n"
        "             Writes the WAV in the blocks that video editors keep (as the\n"
        "             window's \"For editors\" choice does; when that is ticked, also\n"
        "             without the option); AAC to WAV only\n"
        "  --lang=ja|en\n"
        "             Shows the texts in Japanese (ja) or English (en)\n"
        "  -h, --help Shows this help\n"
        "  -V, --version\n"
        "             Shows the version\n"
        "  --         Ends the options: what follows is a file, also when it begins\n"
        "             with \"-\"\n"
        "\n"
        "Any other argument that begins with \"-\", or a third file, is a usage error:\n"
        "nothing is converted, and the message goes to standard error (and, where no\n"
        "terminal shows it, to the error window).\n"
        "\n"
        "Exit status:\n"
        "  0  Converted (also 0 when the dialog was opened without one and closed)\n"
        "  1  Not converted (the window shows why)\n"
        "  2  Usage error (no input file, an unknown option, ...)\n"
        "  3  Converted, but with damaged data or checksum mismatches\n"
        "     (also 3 when the WAV held no frame at all)\n",
};

}  // namespace

const FrontEndTexts& FrontEndTextsFor(Language language) {
  return ForLanguage(language, kJapanese, kEnglish);
}

std::string OwnFileRefusal(const OwnFileHit& hit, const std::string& output,
                           const std::string& other, const std::string& skipped, Language language) {
  const FrontEndTexts& texts = FrontEndTextsFor(language);
  if (hit.kind == OwnFileHit::Kind::kInput) {
    return texts.outputIsAnInput(other.c_str(), skipped.c_str());
  }
  return texts.outputWrittenBefore(output.c_str(), other.c_str(), skipped.c_str());
}

}  // namespace tessaro
