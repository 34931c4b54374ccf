// The console program's texts in Japanese and in English.
#include "cli/cli_texts.h"

namespace tessaro::cli {
namespace {

constexpr CliTexts kJapanese{
    .usage = "使い方: tessaro-cli [-s1|-s2] [-d<ms>] 入力ファイル [出力ファイル]\n",
    .moreForms =
        "        tessaro-cli --batch [-s1|-s2] [-d<ms>] [--out-dir フォルダ] [--json]\n"
        "                    ファイル...\n"
        "        tessaro-cli --check [--json] ファイル...\n"
        "        tessaro-cli --json [-s1|-s2] [-d<ms>] 入力ファイル [出力ファイル]\n",
    .help =
        "AACファイル(.aac)とTSR形式のWAVファイル(.wav)を相互に変換します。\n"
        "\n"
        "  -s1        WAVを16ビットで出力します（1/1、既定）\n"
        "  -s2        WAVを8ビットで出力します（1/2）\n"
        "  -d<ms>     Delayをミリ秒で指定します（0以外のとき、ファイル名のDelayより\n"
        "             優先）。AACからWAVへの変換だけです。正の値では音を遅らせ\n"
        "             （前に無音を入れます）、負の値では早めます（その分、先頭を\n"
        "             削ります）\n"
        "  --for-editors\n"
        "             WAVを編集ソフト用のブロックで書きます。ffmpeg や MLT を使うソフト\n"
        "             も、これならPCMとして読みます。AACからWAVへの変換だけです（WAV\n"
        "             からの変換は、どちらのブロックも読みます）\n"
        "  --batch    複数のファイルを順に変換します。1つが失敗しても、残りは変換します\n"
        "             （出力ファイル名は、それぞれの入力ファイル名から決めます）\n"
        "  --out-dir フォルダ\n"
        "             --batch の出力ファイルを、このフォルダに作ります\n"
        "  --check    ファイルを読んで調べるだけで、ファイルは作りません\n"
        "             （AAC：フレーム数、時間、データ異常　WAV：見つかったフレーム数、\n"
        "             チェックサム不一致、変換後の時間）。--batch とは一緒に使えません\n"
        "  --json     結果を文章の代わりに、ファイルごとに1行のJSONで標準出力に書きます\n"
        "  --lang=ja|en\n"
        "             表示の言語を日本語（ja）か英語（en）にします。指定がなければ、\n"
        "             ロケール（LC_ALL、LC_MESSAGES、LANG のうち最初に設定されたもの）\n"
        "             が C か POSIX でないときは LANGUAGE の最初の項目が、それ以外は\n"
        "             ロケールが決めます。ja、C、POSIX で始まるか、どれも設定がないとき\n"
        "             日本語、それ以外は英語です（Windowsでは、表示言語が日本語のとき\n"
        "             日本語）\n"
        "  -h, --help この説明を表示します\n"
        "  -V, --version\n"
        "             バージョンを表示します\n"
        "  --         オプションの終わりです。後の引数は、「-」で始まってもファイルです\n"
        "\n"
        "出力ファイルを省略すると、入力ファイル名から決めます（song.aac → song_aac.wav、\n"
        "song_aac.wav → song_out.aac）。\n"
        "入力ファイルを「-」にすると標準入力から読み、出力ファイルを「-」にすると\n"
        "標準出力に書きます（1つのファイルの変換だけです。どちらも一時フォルダの\n"
        "名前のないファイルを通ります）。入力が「-」のときは、出力ファイルの拡張子で\n"
        "変換の向きを決め、両方が「-」のときは、入力の先頭（RIFF…WAVE ならWAVから\n"
        "AACへ）で決めます。Delayは -d だけで指定できます。出力が「-」のときは、\n"
        "報告はすべて標準エラー出力に出ます。端末は「-」にできません。\n"
        "「-」で始まるファイル名は、./-x.aac のようにフォルダを付けるか、-- の後に\n"
        "指定します（「-」で始まる引数はオプションとして扱われ、知らないものは\n"
        "使い方の誤りになります）。\n"
        "Windowsでは、ファイル名の * と ? は tessaro-cli が展開します（--batch、\n"
        "--check）。\n"
        "変換結果は、チェックサム不一致の記録も含めて標準出力に、データ異常の報告と、\n"
        "フレームが見つからなかったときの警告は標準エラー出力に出ます（--batch と\n"
        "--check では、どちらもそのファイルの「[n/N] ファイル」の行の後に出ます）。\n"
        "\n"
        "終了コード:\n"
        "  0  変換しました\n"
        "  1  変換できませんでした（標準出力にエラー内容）\n"
        "  2  使い方の誤り（入力ファイルの指定がない、知らないオプションなど）\n"
        "  3  変換しましたが、データ異常またはチェックサム不一致がありました\n"
        "     （WAVにフレームが一つも見つからなかったときも、3になります）\n"
        "  --batch と --check では、全ファイルのうち最も悪いもの（1、3、0 の順）に\n"
        "  なります。--check は、変換したときに返す値を返します（出力先も、作らずに\n"
        "  調べます）。\n"
        "\n"
        "例:\n"
        "  tessaro-cli -s2 \"Track1 DELAY 120ms.aac\"\n"
        "             8ビットのWAVにし、ファイル名のDelay 120 msを補正します\n"
        "  tessaro-cli --batch --out-dir wav *.aac\n"
        "             すべての .aac ファイルを、フォルダ wav の中のWAVにします\n"
        "  tessaro-cli - song.wav\n"
        "             標準入力のAAC（ffmpeg ... -f adts - | のように）をWAVにします\n",
    .outDirWithoutFolder = "--out-dir の後にフォルダを指定してください。",
    .outDirWithoutBatch = "--out-dir は --batch と一緒に指定してください。",
    .tooManyPaths = "入力ファイルと出力ファイルのほかには、ファイルを指定できません。"
                    "複数のファイルを変換するときは、--batch を使ってください。",
    .batchWithCheck = "--batch と --check は、一緒に指定できません。--check は、ファイルを調べるだけで"
                      "変換しません。変換するときは --batch だけを、調べるときは --check だけを"
                      "指定してください。",
    .standardStreamInBatchOrCheck =
        "--batch と --check では、「-」（標準入力・標準出力）は使えません。"
        "「-」という名前のファイルは、./- と指定してください。",
    .standardInputWithoutOutput =
        "入力ファイルが「-」（標準入力）のときは、出力ファイル名を決められません。"
        "出力ファイルを指定してください（標準出力に書くときは「-」です）。",
    .directionUnknown =
        "入力ファイルが「-」（標準入力）のときは、出力ファイル %s の拡張子で変換の向きを決めます。"
        ".wav か .aac で終わる名前を指定してください。",
    .inputIsTerminal =
        "標準入力が端末です。「-」で読むときは、ファイルかパイプを標準入力につないでください"
        "（< song.aac や ffmpeg ... | のように）。",
    .outputIsTerminal =
        "標準出力が端末です。変換したデータは、端末には書きません。ファイルかパイプにつなぐか"
        "（> song.wav や | のように）、出力ファイルを指定してください。",
    .delayTagInOutputName =
        "出力ファイル名 %s にDelay %d ms が書かれていますが、標準入力には、Delayを読み取る"
        "ファイル名がありません。補正するときは -d%d のように指定し、補正しないときは"
        "Delayのない名前にしてください。",
    .checkSummary = "合計 %d ファイル：正常 %d, 異常あり %d, 失敗 %d\n",
    .checkWavLayout = ", データ開始：%llu, ブロック長：%s Bytes",
    .checkMismatchCount = "チェックサム不一致：%sヵ所",
    .checkFrameCount = "フレーム数：%llu, ",
    .checkFlavours = "ブロック：%s, ",
    .flavourEditors = "編集ソフト用",
    .flavourMixed = "標準と編集ソフト用",
};

constexpr CliTexts kEnglish{
    .usage = "Usage: tessaro-cli [-s1|-s2] [-d<ms>] INPUT [OUTPUT]\n",
    .moreForms =
        "       tessaro-cli --batch [-s1|-s2] [-d<ms>] [--out-dir DIR] [--json] FILE...\n"
        "       tessaro-cli --check [--json] FILE...\n"
        "       tessaro-cli --json [-s1|-s2] [-d<ms>] INPUT [OUTPUT]\n",
    .help =
        "Converts AAC files (ADTS, .aac) to WAV files (.wav) that carry each AAC frame\n"
        "untouched, and back.\n"
        "\n"
        "  -s1        Writes the WAV with 16 bits (1/1, the default)\n"
        "  -s2        Writes the WAV with 8 bits (1/2)\n"
        "  -d<ms>     Sets the delay in milliseconds (when not 0, it overrides the\n"
        "             delay in the file name); AAC to WAV only. A positive delay\n"
        "             starts the audio later (silence is put in front), a negative\n"
        "             one earlier (as much of its start is cut)\n"
        "  --for-editors\n"
        "             Writes the WAV in the blocks for editors, which tools built on\n"
        "             ffmpeg or MLT also read as plain PCM; AAC to WAV only (converting\n"
        "             back reads both kinds of block)\n"
        "  --batch    Converts several files in turn; when one fails, the others are\n"
        "             still converted (each output name comes from its input name)\n"
        "  --out-dir DIR\n"
        "             Creates the output files of --batch in the folder DIR\n"
        "  --check    Only reads and examines the files; creates no file\n"
        "             (AAC: frames, duration, damaged data; WAV: frames found,\n"
        "             checksum mismatches, duration after conversion). Not together\n"
        "             with --batch\n"
        "  --json     Writes the results to standard output as JSON, one line per\n"
        "             file, instead of text\n"
        "  --lang=ja|en\n"
        "             Shows the texts in Japanese (ja) or English (en). Without it,\n"
        "             the first entry of LANGUAGE decides, unless the locale (the\n"
        "             first of LC_ALL, LC_MESSAGES and LANG that is set and not empty)\n"
        "             is C or POSIX; otherwise the locale decides. Japanese for ja, C\n"
        "             or POSIX (C.UTF-8 and C.utf8 count as C) and when none is set;\n"
        "             English for any other (on Windows: Japanese when the display\n"
        "             language is Japanese)\n"
        "  -h, --help Shows this help\n"
        "  -V, --version\n"
        "             Shows the version\n"
        "  --         Ends the options: what follows is a file, also when it begins\n"
        "             with \"-\"\n"
        "\n"
        "Without an output file, its name comes from the input file name\n"
        "(song.aac -> song_aac.wav, song_aac.wav -> song_out.aac).\n"
        "With - as INPUT the audio is read from standard input, with - as OUTPUT it is\n"
        "written to standard output (one file only; both pass through an unnamed file\n"
        "in the temporary folder). With - as INPUT the output's ending tells the\n"
        "direction; with both -, the input's first bytes do (RIFF...WAVE: WAV to AAC).\n"
        "Only -d gives a delay. With - as OUTPUT every report goes to standard error.\n"
        "Neither may be a terminal.\n"
        "Give a file name that begins with \"-\" with a folder, like ./-x.aac, or\n"
        "after -- (arguments that begin with \"-\" are options; an unknown one is a\n"
        "usage error).\n"
        "On Windows, tessaro-cli expands * and ? in file names (--batch, --check).\n"
        "The report goes to standard output, checksum mismatch records included; the\n"
        "damage report and the warning about a WAV without frames go to standard error\n"
        "(with --batch and --check, both behind their file's \"[n/N] FILE\" line).\n"
        "\n"
        "Exit status:\n"
        "  0  Converted\n"
        "  1  Not converted (the error is on standard output)\n"
        "  2  Usage error (no input file, an unknown option, ...)\n"
        "  3  Converted, but with damaged data or checksum mismatches\n"
        "     (also 3 when the WAV held no frame at all)\n"
        "  With --batch and --check, the worst over all files (1, then 3, then 0).\n"
        "  With --check, the status a conversion would return (where the output\n"
        "  would go is looked at too, never created).\n"
        "\n"
        "Examples:\n"
        "  tessaro-cli -s2 \"Track1 DELAY 120ms.aac\"\n"
        "             Makes an 8-bit WAV, compensating the 120 ms the name states\n"
        "  tessaro-cli --batch --out-dir wav *.aac\n"
        "             Converts every .aac file to a WAV in the folder wav\n"
        "  tessaro-cli - song.wav\n"
        "             Converts the AAC read from standard input (ffmpeg ... -f adts - |)\n",
    .outDirWithoutFolder = "--out-dir needs a folder after it.",
    .outDirWithoutBatch = "--out-dir can only be used with --batch.",
    .tooManyPaths = "Only an input and an output file can be given; to convert several "
                    "files, use --batch.",
    .batchWithCheck = "--batch and --check cannot be used together: --check only examines the "
                      "files and converts none. Give --batch to convert them, or --check to "
                      "examine them.",
    .standardStreamInBatchOrCheck =
        "- (standard input or output) cannot be used with --batch or --check; give a file "
        "named - as ./-.",
    .standardInputWithoutOutput =
        "With - (standard input) as the input there is no name to propose the output's name "
        "from; give the output file after it (- for standard output).",
    .directionUnknown =
        "With - (standard input) as the input, the output's ending tells which way to convert, "
        "and %s has neither; give an output name that ends in .wav or .aac.",
    .inputIsTerminal =
        "Standard input is a terminal; - reads the audio from a file or a pipe connected to it "
        "(< song.aac, or ffmpeg ... |).",
    .outputIsTerminal =
        "Standard output is a terminal, and converted audio is not written to one; connect it "
        "to a file or a pipe (> song.wav, or | ...), or name an output file.",
    .delayTagInOutputName =
        "The output name %s states a delay of %d ms, but standard input has no name to take a "
        "delay from; give it as -d%d to compensate it, or name the output without the delay.",
    .checkSummary = "Files: %d (OK: %d, damaged: %d, failed: %d)\n",
    .checkWavLayout = ", Data start: %llu, Block length: %s bytes",
    .checkMismatchCount = "Checksum mismatches: %s ",
    .checkFrameCount = "Frames: %llu, ",
    .checkFlavours = "Blocks: %s, ",
    .flavourEditors = "for editors",
    .flavourMixed = "classic and for editors",
};

}  // namespace

const CliTexts& CliTextsFor(Language language) {
  return ForLanguage(language, kJapanese, kEnglish);
}

}  // namespace tessaro::cli
