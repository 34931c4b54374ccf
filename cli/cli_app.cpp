// tessaro-cli's run: options, one conversion, the report and the exit status.
#include "cli/cli_app.h"

#include "cli/batch_run.h"
#include "cli/check_run.h"
#include "cli/cli_host.h"
#include "cli/file_arguments.h"
#include "cli/json_report.h"
#include "cli/run_options.h"
#include "engine/convert_command.h"
#include "naming/command_tokens.h"
#include "tessaro_version.h"

namespace tessaro::cli {
namespace {

constexpr char kUsage[] = "使い方: tessaro-cli [-s1|-s2] [-d<ms>] 入力ファイル [出力ファイル]\n";

// The forms that take several files or report as JSON, below kUsage.
constexpr char kMoreForms[] =
    "        tessaro-cli --batch [-s1|-s2] [-d<ms>] [--out-dir フォルダ] [--json] ファイル...\n"
    "        tessaro-cli --check [--json] ファイル...\n"
    "        tessaro-cli --json [-s1|-s2] [-d<ms>] 入力ファイル [出力ファイル]\n";

constexpr char kHelp[] =
    "AACファイル(.aac)とTSR形式のWAVファイル(.wav)を相互に変換します。\n"
    "\n"
    "  -s1        WAVを16ビットで出力します（1/1、既定）\n"
    "  -s2        WAVを8ビットで出力します（1/2）\n"
    "  -d<ms>     Delayをミリ秒で指定します（0以外のとき、ファイル名のDelayより優先）\n"
    "  --batch    複数のファイルを順に変換します。1つが失敗しても、残りは変換します\n"
    "             （出力ファイル名は、それぞれの入力ファイル名から決めます）\n"
    "  --out-dir フォルダ\n"
    "             --batch の出力ファイルを、このフォルダに作ります\n"
    "  --check    ファイルを読んで調べるだけで、ファイルは作りません\n"
    "             （AAC：フレーム数、時間、データ異常　WAV：見つかったフレーム数、\n"
    "             チェックサム不一致、変換後の時間）\n"
    "  --json     結果を文章の代わりに、ファイルごとに1行のJSONで標準出力に書きます\n"
    "  --help     この説明を表示します\n"
    "  --version  バージョンを表示します\n"
    "\n"
    "出力ファイルを省略すると、入力ファイル名から決めます（song.aac → song_aac.wav、\n"
    "song_aac.wav → song_out.aac）。\n"
    "「-」で始まるファイル名は、./-x.aac のようにフォルダを付けて指定します\n"
    "（「-」で始まる引数はオプションとして扱われ、知らないものは無視されます）。\n"
    "Windowsでは、ファイル名の * と ? は tessaro-cli が展開します（--batch、--check）。\n"
    "\n"
    "終了コード:\n"
    "  0  変換しました\n"
    "  1  変換できませんでした（標準出力にエラー内容）\n"
    "  2  入力ファイルの指定がありません\n"
    "  3  変換しましたが、データ異常またはチェックサム不一致がありました\n"
    "     （WAVにフレームが一つも見つからなかったときも、3になります）\n"
    "  --batch と --check では、全ファイルのうち最も悪いもの（1、3、0 の順）になります。\n"
    "  --check の 0 と 3 は、変換したときに返す値です。\n";

// --json with a single file: the one-file run, reported as one JSON line.
int RunOneFileJson(const RunOptions& options, Console& console, FileSystem& fs) {
  std::vector<std::string> tokens = options.optionTokens;
  tokens.insert(tokens.end(), options.files.begin(), options.files.end());
  const ConversionRequest request = ReadCommandTokens(tokens).request;
  CliHost host(console, {}, true);
  const ConversionResult result = RunConversion(request, host, fs);
  host.EndProgress();
  console.Out(JsonReportLine({false, request, result, result.failed ? host.info() : ""}));
  return StatusOfConversion(result);
}

int RunReportForm(const std::vector<std::string>& args, Console& console, FileSystem& fs) {
  RunOptions options = ReadRunOptions(args);
  if (!options.usageError.empty()) {
    console.Err(options.usageError + "\n" + kUsage + kMoreForms);
    return kExitUsage;
  }
  if (options.batch || options.check) options.files = ExpandFileArguments(options.files);
  if (options.check) return RunCheck(options, console, fs);
  if (options.batch) return RunBatch(options, console, fs);
  return RunOneFileJson(options, console, fs);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, Console& console, FileSystem& fs) {
  for (const std::string& token : args) {
    if (token == "--help") {
      console.Out(std::string(kUsage) + kMoreForms + kHelp);
      return kExitOk;
    }
    if (token == "--version") {
      console.Out("tessaro-cli " TESSARO_VERSION_STRING "\n");
      return kExitOk;
    }
  }
  if (IsReportForm(args)) return RunReportForm(args, console, fs);
  const CommandTokens read = ReadCommandTokens(args);
  if (read.pathCount == 0) {
    console.Err(kUsage);
    return kExitUsage;
  }

  CliHost host(console);
  const ConversionResult result = RunConversion(read.request, host, fs);
  host.EndProgress();
  console.Out(ConsoleText(host.info()));
  return StatusOfConversion(result);
}

}  // namespace tessaro::cli
