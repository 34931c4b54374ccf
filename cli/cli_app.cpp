// tessaro-cli's run: options, one conversion, the report and the exit status.
#include "cli/cli_app.h"

#include <chrono>
#include <cstdio>

#include "engine/conversion_host.h"
#include "engine/convert_command.h"
#include "naming/command_tokens.h"
#include "tessaro_version.h"

namespace tessaro::cli {
namespace {

constexpr char kUsage[] = "使い方: tessaro-cli [-s1|-s2] [-d<ms>] 入力ファイル [出力ファイル]\n";

constexpr char kHelp[] =
    "AACファイル(.aac)とTSR形式のWAVファイル(.wav)を相互に変換します。\n"
    "\n"
    "  -s1        WAVを16ビットで出力します（1/1、既定）\n"
    "  -s2        WAVを8ビットで出力します（1/2）\n"
    "  -d<ms>     Delayをミリ秒で指定します（0以外のとき、ファイル名のDelayより優先）\n"
    "  --help     この説明を表示します\n"
    "  --version  バージョンを表示します\n"
    "\n"
    "出力ファイルを省略すると、入力ファイル名から決めます（song.aac → song_aac.wav、\n"
    "song_aac.wav → song_out.aac）。\n"
    "「-」で始まるファイル名は、./-x.aac のようにフォルダを付けて指定します\n"
    "（「-」で始まる引数はオプションとして扱われ、知らないものは無視されます）。\n"
    "\n"
    "終了コード:\n"
    "  0  変換しました\n"
    "  1  変換できませんでした（標準出力にエラー内容）\n"
    "  2  入力ファイルの指定がありません\n"
    "  3  変換しましたが、データ異常またはチェックサム不一致がありました\n"
    "     （WAVにフレームが一つも見つからなかったときも、3になります）\n";

// Reports to the terminal: the info text is kept and printed at the end, the
// damage report goes to standard error at once, progress only to a terminal.
class CliHost final : public ConversionHost {
 public:
  explicit CliHost(Console& console) : console_(console), showProgress_(console.ErrIsTerminal()) {}

  void SetProgress(int percent) override {
    if (!showProgress_) return;
    const auto now = std::chrono::steady_clock::now();
    if (progressShown_ && percent != 100 && now - lastProgress_ < std::chrono::milliseconds(100)) {
      return;
    }
    lastProgress_ = now;
    progressShown_ = true;
    char line[32];
    std::snprintf(line, sizeof line, "\r%3d%%", percent > 100 ? 100 : percent);
    console_.Err(line);
  }
  void SetInfoText(const std::string& text, bool) override { info_ = text; }
  void AppendInfoText(const std::string& text, bool) override { info_ += text; }
  void PumpEvents() override {}
  void ShowErrorMessage(const std::string& text, int) override {
    EndProgress();
    console_.Err(ConsoleText(text));
  }

  // Ends the progress line so that whatever follows starts on a line of its own.
  void EndProgress() {
    if (progressShown_) console_.Err("\n");
    progressShown_ = false;
  }
  const std::string& info() const { return info_; }

 private:
  Console& console_;
  bool showProgress_;
  bool progressShown_ = false;
  std::chrono::steady_clock::time_point lastProgress_{};
  std::string info_;
};

}  // namespace

std::string ConsoleText(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  if (out.empty() || out.back() != '\n') out += '\n';
  return out;
}

int RunCli(const std::vector<std::string>& args, Console& console, FileSystem& fs) {
  for (const std::string& token : args) {
    if (token == "--help") {
      console.Out(std::string(kUsage) + kHelp);
      return kExitOk;
    }
    if (token == "--version") {
      console.Out("tessaro-cli " TESSARO_VERSION_STRING "\n");
      return kExitOk;
    }
  }
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
