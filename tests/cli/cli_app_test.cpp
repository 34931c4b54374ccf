// The console program's token rules and output, on an in-memory file system.

#include "cli/cli_app.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/run_options.h"
#include "frontend/interrupts.h"
#include "tests/support/adts_builder.h"
#include "tests/support/container_builder.h"
#include "tests/support/help_width.h"
#include "tests/support/memory_console.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/temp_dir.h"
#include "tests/support/text_tables.h"

namespace tessaro::cli {
namespace {

using tessaro::testing::AdtsFields;
using tessaro::testing::AdtsStream;
using tessaro::testing::FsOp;
using tessaro::testing::MemoryFileSystem;
using CaptureConsole = tessaro::testing::MemoryConsole;

AdtsStream ThreeFrames() {
  AdtsFields fields;
  fields.frame_length = 100;
  return AdtsStream().Frames(3, fields);
}

TEST(ConsoleText, PlainLineEndsAndExactlyOneFinalNewline) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"a\r\nb\r\n", "a\nb\n"}, {"a\r\nb", "a\nb\n"}, {"abc", "abc\n"},
      {"a\n", "a\n"},           {"", "\n"},           {"エラー：入力ファイル名が不正です。", "エラー：入力ファイル名が不正です。\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(ConsoleText(c.in), c.out) << c.in;
}

TEST(RunCli, TokensChooseSizeDelayAndPaths) {
  struct Case {
    std::vector<std::string> args;
    const char* output;     // file that must be written
    int bitsPerSample;
    const char* delayText;  // part of the report
  } cases[] = {
      {{"in.aac"}, "in_aac.wav", 16, "Delay：0 ms"},
      {{"-s2", "in.aac"}, "in_aac.wav", 8, "Delay：0 ms"},
      {{"in.aac", "-s2"}, "in_aac.wav", 8, "Delay：0 ms"},  // holds wherever it stands
      {{"-s2", "-s1", "in.aac"}, "in_aac.wav", 16, "Delay：0 ms"},
      {{"in.aac", "out.wav"}, "out.wav", 16, "Delay：0 ms"},
      {{"x DELAY 10ms.aac"}, "x DELAY 0ms_aac.wav", 16, "Delay：10 ms"},
      {{"-d48", "x DELAY 10ms.aac"}, "x DELAY 0ms_aac.wav", 16, "Delay：48 ms"},
      {{"x DELAY 10ms.aac", "-d-5"}, "x DELAY 0ms_aac.wav", 16, "Delay：-5 ms"},
      {{"-d0", "x DELAY 10ms.aac"}, "x DELAY 0ms_aac.wav", 16, "Delay：10 ms"},
      {{"-d+7", "in.aac"}, "in_aac.wav", 16, "Delay：7 ms"},
      // An explicit output keeps the delay the input's name states.
      {{"x DELAY 10ms.aac", "o.wav"}, "o.wav", 16, "Delay：10 ms"},
      // "--" ends the options: what follows is a path, also when it begins with "-".
      {{"--", "-in.aac"}, "-in_aac.wav", 16, "Delay：0 ms"},
      {{"-s2", "in.aac", "--", "-s1"}, "-s1", 8, "Delay：0 ms"},
      {{"--lang=ja", "in.aac", "--lang=en"}, "in_aac.wav", 16, "Delay：0 ms"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front() + " " + c.output);
    MemoryFileSystem fs;
    const AdtsStream stream = ThreeFrames();
    fs.SetFile("in.aac", stream.bytes());
    fs.SetFile("-in.aac", stream.bytes());
    fs.SetFile("x DELAY 10ms.aac", stream.bytes());
    CaptureConsole console;
    EXPECT_EQ(RunCli(c.args, console, fs, Language::kJapanese), kExitOk) << console.out << console.err;
    ASSERT_TRUE(fs.Exists(c.output));
    EXPECT_EQ(fs.Contents(c.output).at(34), c.bitsPerSample);
    EXPECT_NE(console.out.find(c.delayText), std::string::npos) << console.out;
    EXPECT_EQ(console.err, "");
  }
}

// An option it does not know, more paths than INPUT and OUTPUT, or --out-dir
// without --batch: nothing is read or written, the message names the cause.
TEST(RunCli, TheOneFileFormRefusesWhatItCannotMean) {
  const char* const tooMany =
      "入力ファイルと出力ファイルのほかには、ファイルを指定できません。"
      "複数のファイルを変換するときは、--batch を使ってください。";
  struct Case {
    std::vector<std::string> args;
    std::string message;
  } const cases[] = {
      {{"-o", "x.wav", "song.aac"}, "-o というオプションはありません。"},
      {{"song.aac", "-q"}, "-q というオプションはありません。"},
      {{"--force", "song.aac"}, "--force というオプションはありません。"},
      // "-" where it cannot stand: nothing is read from standard input.
      {{"-"},
       "入力ファイルが「-」（標準入力）のときは、出力ファイル名を決められません。"
       "出力ファイルを指定してください（標準出力に書くときは「-」です）。"},
      {{"-", "song.mp3"},
       "入力ファイルが「-」（標準入力）のときは、出力ファイル song.mp3 の拡張子で変換の向きを"
       "決めます。.wav か .aac で終わる名前を指定してください。"},
      {{"-", "x DELAY 120ms.wav"},
       "出力ファイル名 x DELAY 120ms.wav にDelay 120 ms が書かれていますが、標準入力には、"
       "Delayを読み取るファイル名がありません。補正するときは -d120 のように指定し、"
       "補正しないときはDelayのない名前にしてください。"},
      {{"--lang", "song.aac"}, "--lang というオプションはありません。"},
      // Look-alikes of the known options are not taken for them.
      {{"-dry-run", "song.aac"}, "-dry-run というオプションはありません。"},
      {{"-silent", "-delete", "song.aac"}, "-silent というオプションはありません。"},
      {{"-s3", "song.aac"}, "-s3 というオプションはありません。"},
      {{"-d", "song.aac"}, "Delayの指定 -d に、ミリ秒の整数が続いていません。-d120 や -d-120 のように指定してください。"},
      {{"-d 7", "song.aac"}, "Delayの指定 -d 7 に、ミリ秒の整数が続いていません。-d120 や -d-120 のように指定してください。"},
      {{"-dx", "song.aac"}, "-dx というオプションはありません。"},
      {{"--lang=xx", "song.aac"}, "--lang=xx という言語の指定はありません。--lang=ja か --lang=en を指定してください。"},
      {{"--out-dirs=o", "--batch", "song.aac"}, "--out-dirs=o というオプションはありません。"},
      {{"a.aac", "b.aac", "song.aac"}, tooMany},
      {{"a.aac", "b.aac", "--", "-x"}, tooMany},
      {{"song.aac", "--out-dir", "o"}, "--out-dir は --batch と一緒に指定してください。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    MemoryFileSystem fs;
    for (const char* name : {"song.aac", "a.aac", "b.aac", "x.wav"}) fs.SetFile(name, ThreeFrames().bytes());
    const std::vector<std::string> before = fs.Paths();
    CaptureConsole console;
    EXPECT_EQ(RunCli(c.args, console, fs, Language::kJapanese), kExitUsage);
    EXPECT_EQ(console.out, "");
    EXPECT_EQ(console.err.substr(0, console.err.find('\n')), c.message);
    EXPECT_NE(console.err.find("\n使い方: tessaro-cli [-s1|-s2] [-d<ms>] 入力ファイル [出力ファイル]\n"),
              std::string::npos);
    EXPECT_EQ(fs.Paths(), before);
  }
  MemoryFileSystem fs;
  CaptureConsole console;
  EXPECT_EQ(RunCli({"-x", "in.aac"}, console, fs, Language::kEnglish), kExitUsage);
  EXPECT_EQ(console.err.substr(0, console.err.find('\n')), "Unknown option -x.");
  console.err.clear();
  EXPECT_EQ(RunCli({"--batch", "--check", "in.aac"}, console, fs, Language::kEnglish), kExitUsage);
  EXPECT_EQ(console.err.rfind("--batch and --check cannot be used together", 0), 0u) << console.err;
}

TEST(RunCli, ExitStatusTellsWhatHappened) {
  MemoryFileSystem fs;
  AdtsStream damaged = ThreeFrames();
  damaged.Insert(200, {1, 2, 3});  // behind the second frame, which is lost
  fs.SetFile("good.aac", ThreeFrames().bytes());
  fs.SetFile("bad.aac", damaged.bytes());
  tessaro::testing::Bytes reencoded = tessaro::testing::ContainerHeader(false, 8192);
  reencoded.resize(reencoded.size() + 8192, 0x11);  // two blocks of PCM, no frame
  fs.SetFile("reencoded.wav", reencoded);
  struct Case {
    std::vector<std::string> args;
    int exitCode;
  } cases[] = {
      {{"good.aac"}, kExitOk},
      {{"bad.aac"}, kExitConvertedWithDamage},
      {{"reencoded.wav"}, kExitConvertedWithDamage},
      {{"missing.aac"}, kExitFailed},
      {{"good.mp4"}, kExitFailed},
      {{}, kExitUsage},
      {{"-s2", "-d10", "--unknown"}, kExitUsage},
      {{"--version", "good.aac"}, kExitOk},
  };
  for (const Case& c : cases) {
    CaptureConsole console;
    EXPECT_EQ(RunCli(c.args, console, fs, Language::kJapanese), c.exitCode) << console.out << console.err;
  }
}

TEST(RunCli, DamageReportGoesToStandardErrorOnly) {
  MemoryFileSystem fs;
  AdtsStream damaged = ThreeFrames();
  damaged.Insert(200, {1, 2, 3});  // behind the second frame, which is lost
  fs.SetFile("bad.aac", damaged.bytes());
  CaptureConsole console;
  ASSERT_EQ(RunCli({"bad.aac"}, console, fs, Language::kJapanese), kExitConvertedWithDamage);
  EXPECT_EQ(console.err,
            "エラー：このAACファイルは正常ではありません。\n大きく音ズレが発生する可能性があります。\n\n"
            "データ異常が発見された位置↓　(1ヵ所)\n　時間：00:00:00.02\n");
  EXPECT_EQ(console.out.find("エラー"), std::string::npos);
}

std::vector<const char*> Members(const CliTexts& t) {
  static_assert(sizeof(CliTexts) == 20 * sizeof(const char*));  // every member listed
  return {t.usage.c_str(),          t.moreForms.c_str(),          t.help.c_str(),
          t.outDirWithoutFolder.c_str(), t.outDirWithoutBatch.c_str(), t.tooManyPaths.c_str(),
          t.batchWithCheck.c_str(), t.standardStreamInBatchOrCheck.c_str(),
          t.standardInputWithoutOutput.c_str(), t.directionUnknown.c_str(),
          t.inputIsTerminal.c_str(), t.outputIsTerminal.c_str(), t.delayTagInOutputName.c_str(),
          t.checkSummary.c_str(),
          t.checkWavLayout.c_str(), t.checkMismatchCount.c_str(), t.checkFrameCount.c_str(),
          t.checkFlavours.c_str(),  t.flavourEditors.c_str(),   t.flavourMixed.c_str()};
}

TEST(CliTexts, BothLanguagesCompleteEnglishInAscii) {
  tessaro::testing::ExpectTablePair(Members(CliTextsFor(Language::kJapanese)),
                                    Members(CliTextsFor(Language::kEnglish)));
}

// --help fits a terminal and ends with three examples, each of them a run
// the reader takes.
TEST(CliTexts, HelpFitsATerminalAndEndsWithThreeExamplesThatRead) {
  for (const Language language : {Language::kJapanese, Language::kEnglish}) {
    const CliTexts& t = CliTextsFor(language);
    const std::string help = std::string(t.usage) + t.moreForms.c_str() + t.help.c_str();
    tessaro::testing::ExpectLinesFit(help);
    const std::string last = help.substr(help.rfind("\n\n") + 2);
    int examples = 0;
    for (size_t at = 0; (at = last.find("\n  tessaro-cli ", at)) != std::string::npos; ++examples) {
      at += 15;
      const std::string line = last.substr(at, last.find('\n', at) - at);
      std::vector<std::string> args(1);  // one blank between, double quotes around blanks
      bool quoted = false;
      for (const char c : line) {
        if (c == '"') {
          quoted = !quoted;
        } else if (c == ' ' && !quoted) {
          args.emplace_back();
        } else {
          args.back() += c;
        }
      }
      EXPECT_EQ(ReadRunOptions(args, language).usage, Failure::kNone) << line;
    }
    EXPECT_EQ(examples, 3) << last;
  }
}

#ifndef _WIN32
// The memory file system, with a stop signal arriving while the new file is
// renamed onto the output path (after a rename that succeeds or fails).
class StopAtRename final : public FileSystem {
 public:
  StopAtRename(FileSystem& inner, bool renames) : inner_(inner), renames_(renames) {}
  std::unique_ptr<File> OpenRead(const std::string& path) override { return inner_.OpenRead(path); }
  PathInfo Stat(const std::string& path) override { return inner_.Stat(path); }
  std::string ResolveLinks(const std::string& path) override { return inner_.ResolveLinks(path); }
  std::unique_ptr<File> CreateExclusive(const std::string& path, const PathInfo* like) override {
    return inner_.CreateExclusive(path, like);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    const bool renamed = renames_ && inner_.Rename(from, to);
    std::raise(SIGTERM);
    return renamed;
  }
  bool Remove(const std::string& path) override { return inner_.Remove(path); }
  bool SameFile(const std::string& a, const std::string& b) override { return inner_.SameFile(a, b); }

 private:
  FileSystem& inner_;
  bool renames_;
};

// A stop once the output is in place no longer claims the conversion was
// stopped: the report is printed and the status is the conversion's. A
// rename that fails still lets the stop end the run.
TEST(StopHandlingDeathTest, AStopAfterTheOutputIsInPlaceLetsTheRunFinish) {
  struct Case {
    bool renames;
    int exitCode;
    const char* err;  // a pattern of standard error
  } const cases[] = {
      {true, kExitOk, "^出力サイズ：[^\n]*\n$"},
      {false, 143, "^stopped\n$"},
  };
  for (const Case& c : cases) {
    EXPECT_EXIT(
        {
          InstallInterruptHandlers("stopped\n");
          MemoryFileSystem memory;
          memory.SetFile("in.aac", ThreeFrames().bytes());
          StopAtRename stopping(memory, c.renames);
          WatchedFileSystem watched(stopping);
          CaptureConsole console;
          const int status = RunCli({"in.aac"}, console, watched, Language::kJapanese);
          const size_t last = console.out.find("出力サイズ");
          if (last != std::string::npos) std::fputs(console.out.substr(last).c_str(), stderr);
          std::exit(status);
        },
        ::testing::ExitedWithCode(c.exitCode), c.err);
  }
}

// A terminal that gets a stop signal at the second progress line, while the
// new file is being written (the first comes before the output is opened).
class TerminalStoppedWhileWriting final : public Console {
 public:
  explicit TerminalStoppedWhileWriting(int signal) : signal_(signal) {}
  void Out(std::string_view) override {}
  void Err(std::string_view) override {
    if (++lines_ == 2) std::raise(signal_);
  }
  bool ErrIsTerminal() override { return true; }

 private:
  int signal_;
  int lines_ = 0;
};

// Where the new file has a name while it is written (a file system without
// unnamed files), each stop signal's handler removes it: the folder keeps
// only the input, and the status names the signal.
TEST(StopHandlingDeathTest, EachStopSignalRemovesTheNamedNewFile) {
  struct Case {
    int signal;
    int exitCode;
  } const cases[] = {{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.signal);
    const testing::TempDir dir;
    const AdtsStream stream = ThreeFrames();
    const auto& bytes = stream.bytes();
    testing::WriteFile(dir.File("in.aac"), std::string(bytes.begin(), bytes.end()));
    EXPECT_EXIT(
        {
          InstallInterruptHandlers("stopped\n");
          TerminalStoppedWhileWriting console(c.signal);
          WatchedFileSystem watched(RealFileSystemWithHiddenNames());
          std::exit(RunCli({dir.File("in.aac")}, console, watched, Language::kJapanese));
        },
        ::testing::ExitedWithCode(c.exitCode), "^stopped\n$");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(testing::Utf8Path(dir.Dir()))) {
      names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"in.aac"});
  }
}

// The process's standard output and error, as tessaro-cli's; a stop signal
// comes right after the nth text written to standard output.
class StoppingConsole final : public Console {
 public:
  explicit StoppingConsole(int stopAfter) : stopAfter_(stopAfter) {}
  void Out(std::string_view text) override {
    (void)!::write(STDOUT_FILENO, text.data(), text.size());
    if (++outs_ == stopAfter_) std::raise(SIGTERM);
  }
  void Err(std::string_view text) override { (void)!::write(STDERR_FILENO, text.data(), text.size()); }
  bool ErrIsTerminal() override { return false; }

 private:
  int stopAfter_;
  int outs_ = 0;
};

// A line of standard output in few words: a JSON object by its kind, file,
// status and counts; a text line as it is.
std::string Described(const std::string& line) {
  if (!line.starts_with("{")) return line;
  const nlohmann::json j = nlohmann::json::parse(line);
  const std::string status = j["status"].get<std::string>() + " " + j["exitStatus"].dump();
  if (j["kind"] == "summary") {
    return "summary of " + j["files"].dump() + " (" + j["ok"].dump() + " ok) " + status;
  }
  std::string text = j["input"].get<std::string>() + " " + status;
  if (j["status"] == "stopped") text += ", input size " + j["inputSize"].dump();
  return text;
}

// What each form writes when a stop comes at each moment of its run (a
// file system call or a line it makes): the files done, the file stopped,
// the summary whose counts add up; nothing of a file is lost or told twice.
TEST(StopHandlingDeathTest, EachMomentOfARunGivesTheReportOfThatMoment) {
  const std::vector<std::string> batchJson = {"--batch", "--json", "a.aac", "b.aac"};
  const std::vector<std::string> checkJson = {"--check", "--json", "a.aac", "b.aac"};
  struct Case {
    const char* moment;
    std::vector<std::string> args;
    std::optional<FsOp> op;  // the stop comes as the nth such call starts ...
    int nth;
    int afterLine;  // ... or after the nth text written to standard output
    int exitCode;
    std::vector<std::string> out;
  } const cases[] = {
      {"before the first file", batchJson, FsOp::kSameFile, 1, 0, 143,
       {"summary of 0 (0 ok) stopped 143"}},
      {"while the first is read", batchJson, FsOp::kRead, 1, 0, 143,
       {"a.aac stopped 143, input size 300", "summary of 0 (0 ok) stopped 143"}},
      {"while its output is put in place", batchJson, FsOp::kRename, 1, 0, 143,
       {"a.aac ok 0", "summary of 1 (1 ok) stopped 143"}},
      {"after its line", batchJson, std::nullopt, 0, 1, 143,
       {"a.aac ok 0", "summary of 1 (1 ok) stopped 143"}},
      {"while the last output is put in place", batchJson, FsOp::kRename, 2, 0, 0,
       {"a.aac ok 0", "b.aac ok 0", "summary of 2 (2 ok) ok 0"}},
      {"before the second is open", checkJson, FsOp::kOpenRead, 2, 0, 143,
       {"a.aac ok 0", "b.aac stopped 143, input size null", "summary of 1 (1 ok) stopped 143"}},
      {"before the input is open", {"--json", "a.aac"}, FsOp::kOpenRead, 1, 0, 143,
       {"a.aac stopped 143, input size null"}},
      {"while the input is read", {"--json", "a.aac"}, FsOp::kRead, 1, 0, 143,
       {"a.aac stopped 143, input size 300"}},
      {"while the output is put in place", {"--json", "a.aac"}, FsOp::kRename, 1, 0, 0,
       {"a.aac ok 0"}},
      {"while the first is read", {"--batch", "a.aac", "b.aac"}, FsOp::kRead, 1, 0, 143,
       {"[1/2] a.aac", "合計 0 ファイル：変換 0, 異常ありで変換 0, 失敗 0"}},
      {"after the first report", {"--check", "a.aac", "b.aac"}, std::nullopt, 0, 2, 143,
       {"[1/2] a.aac", "入力サイズ：300 Bytes, サンプリング周波数：48000 Hz, チャンネル数：2",
        "フレーム数：3, 時間：00:00:00.06", "合計 1 ファイル：正常 1, 異常あり 0, 失敗 0"}},
      {"while the input is read", {"a.aac"}, FsOp::kRead, 1, 0, 143, {}},
  };
  const testing::TempDir dir;
  const std::string outPath = dir.File("out.txt");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front() + " ... " + c.args.back() + ", " + c.moment);
    EXPECT_EXIT(
        {
          ::dup2(::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
          InstallInterruptHandlers("stopped\n");
          MemoryFileSystem memory;
          memory.SetFile("a.aac", ThreeFrames().bytes());
          memory.SetFile("b.aac", ThreeFrames().bytes());
          int calls = 0;
          memory.whileCalling = [&](FsOp op) {
            if (op == c.op && ++calls == c.nth) std::raise(SIGTERM);
          };
          WatchedFileSystem watched(memory);
          StoppingConsole console(c.afterLine);
          std::exit(RunCli(c.args, console, watched, Language::kJapanese));
        },
        ::testing::ExitedWithCode(c.exitCode), c.exitCode == 143 ? "^stopped\n$" : "^$");
    std::vector<std::string> out;
    std::istringstream lines(testing::ReadFile(outPath));
    for (std::string line; std::getline(lines, line);) out.push_back(Described(line));
    EXPECT_EQ(out, c.out);
  }
}
#endif

}  // namespace
}  // namespace tessaro::cli
