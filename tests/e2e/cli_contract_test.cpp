// The console program's contract: what goes to standard output and error,
// and the exit status, on good, damaged and bad input.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/e2e/e2e_inputs.h"
#include "tests/e2e/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/version_text.h"

namespace tessaro::e2e {
namespace {

using testing::FileExists;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

class CliContract : public ::testing::Test {
 protected:
  std::string Sample(const std::string& as) { return CopySample(dir_, "tone48k_stereo.aac", as); }
  TempDir dir_;
};

TEST_F(CliContract, CleanConversionPrintsTheReportWithPlainLineEnds) {
  const std::string aac = Sample("a.aac");
  const ProcessResult r = RunProgram({kCli, aac});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.rfind("入力サイズ：99,396 Bytes, サンプリング周波数：48000 Hz, チャンネル数：2, Delay：0 ms\n", 0), 0u)
      << r.out;
  EXPECT_EQ(r.out.find('\r'), std::string::npos);
  EXPECT_EQ(r.out.back(), '\n');
  EXPECT_NE(r.out.find("\n出力サイズ：1,159,212 Bytes, 時間："), std::string::npos) << r.out;
}

TEST_F(CliContract, DamagedStreamExitsThreeWithTheReportOnStandardError) {
  std::string bytes = ReadFile(kSamples + "/tone48k_stereo.aac");
  bytes.insert(bytes.size() / 2, "garbage!");
  const std::string aac = dir_.File("damaged.aac");
  WriteFile(aac, bytes);
  const ProcessResult r = RunProgram({kCli, aac});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.err.rfind("エラー：このAACファイルは正常ではありません。\n大きく音ズレが発生する可能性があります。\n\n"
                        "データ異常が発見された位置↓　(1ヵ所)\n　時間：",
                        0),
            0u)
      << r.err;
  EXPECT_EQ(r.err.back(), '\n');
  EXPECT_TRUE(FileExists(dir_.File("damaged_aac.wav")));
}

TEST_F(CliContract, ChecksumMismatchExitsThree) {
  const std::string aac = Sample("m.aac");
  ASSERT_EQ(RunProgram({kCli, aac}).exitCode, 0);
  std::string wav = ReadFile(dir_.File("m_aac.wav"));
  wav[44 + 4096 * 3 + 12 + 20] ^= 0x55;  // inside the fourth frame
  WriteFile(dir_.File("m_aac.wav"), wav);
  const ProcessResult r = RunProgram({kCli, dir_.File("m_aac.wav")});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_NE(r.out.find("\n[00003030:"), std::string::npos) << r.out;
  EXPECT_EQ(r.err, "");
}

TEST_F(CliContract, WavWithoutAnyFrameExitsThreeWithAWarningOnStandardError) {
  const std::string aac = Sample("p.aac");
  ASSERT_EQ(RunProgram({kCli, aac}).exitCode, 0);
  std::string wav = ReadFile(dir_.File("p_aac.wav"));
  for (size_t i = 44; i < wav.size(); ++i) wav[i] = static_cast<char>(i * 7);  // "re-encoded"
  WriteFile(dir_.File("p_aac.wav"), wav);
  const ProcessResult r = RunProgram({kCli, dir_.File("p_aac.wav")});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.err,
            "エラー：このWAVファイルには、AACのフレームが見つかりませんでした。\n"
            "WAVファイルが編集ソフトで再エンコードされたか、変更された可能性があります。\n"
            "編集ソフトが、音声をデコード、リサンプリング、ディザリングなどで加工した可能性が高いです。\n"
            "--for-editors を付けてWAVファイルを作り直し、編集ソフトのプロジェクトは、48 kHz、"
            "16ビットか8ビットにして、このトラックには、エフェクトをかけないでください。\n");
  // The report and the output of silent frames stay as they were.
  EXPECT_EQ(r.out.rfind("入力サイズ：1,159,212 Bytes, 出力サイズ：", 0), 0u) << r.out;
  EXPECT_TRUE(FileExists(dir_.File("p_out.aac")));
}

TEST_F(CliContract, FailuresExitOneWithTheMessageOnStandardOutput) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  const std::string missing = dir_.File("missing.aac");
  const Case cases[] = {
      {{missing}, "エラー：入力ファイルが、開けません。\n"},
      {{dir_.File("song.mp3")}, "エラー：入力ファイル名が不正です。\n"},
      {{Sample("b.aac"), dir_.File("no/such/dir/out.wav")}, "エラー：出力ファイルが、開けません。\n"},
      // "--" ends the language choice too: after it, --lang= names a file.
      {{"--", "--lang=en"}, "エラー：入力ファイル名が不正です。\n"},
      {{"--lang=en", "--", "--lang=ja"},
       "Error: The input file name is invalid; it must end in .aac or .wav.\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> argv = {kCli};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const ProcessResult r = RunProgram(argv);
    EXPECT_EQ(r.exitCode, 1) << c.out;
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, "");
  }
}

TEST_F(CliContract, OutputNamingTheInputIsRefusedAndTheInputSurvives) {
  const std::string aac = Sample("same.aac");
  const std::string before = ReadFile(aac);
  ASSERT_EQ(::symlink(aac.c_str(), dir_.File("link.wav").c_str()), 0);
  for (const std::string& output : {aac, dir_.File("link.wav"), dir_.File("./same.aac")}) {
    const ProcessResult r = RunProgram({kCli, aac, output});
    EXPECT_EQ(r.exitCode, 1) << output;
    EXPECT_EQ(r.out, "エラー：出力ファイルが、開けません。\n");
  }
  EXPECT_EQ(ReadFile(aac), before);
}

TEST_F(CliContract, UsageHelpAndVersion) {
  const ProcessResult none = RunProgram({kCli});
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_EQ(none.out, "");
  EXPECT_NE(none.err.find("tessaro-cli"), std::string::npos);

  EXPECT_EQ(RunProgram({kCli, "-s2", "-d100"}).exitCode, 2);

  for (const char* token : {"--help", "-h"}) {
    const ProcessResult help = RunProgram({kCli, token});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("終了コード"), std::string::npos);
  }

  for (const char* token : {"--version", "-V"}) {
    const ProcessResult version = RunProgram({kCli, token});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, testing::kCliVersionLine);
  }
}

// A slip such as "-o x.wav song.aac" or a glob that expands to several files
// used to overwrite one of them; now nothing is read or written.
TEST_F(CliContract, UnknownOptionsAndFurtherPathsAreUsageErrors) {
  const std::string aac = Sample("c.aac");
  const std::string before = ReadFile(aac);
  WriteFile(dir_.File("x.wav"), "an edited WAV");
  const std::vector<std::vector<std::string>> cases = {
      {kCli, "-o", dir_.File("x.wav"), aac},
      {kCli, "-x", "-s9", aac},
      {kCli, aac, dir_.File("c.wav"), dir_.File("ignored.wav")},
      {kCli, "--out-dir", dir_.File("o"), aac},
  };
  for (const auto& args : cases) {
    const ProcessResult r = RunProgram(args);
    EXPECT_EQ(r.exitCode, 2) << args[1];
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("tessaro-cli [-s1|-s2] [-d<ms>]"), std::string::npos) << r.err;
  }
  EXPECT_EQ(ReadFile(aac), before);
  EXPECT_EQ(ReadFile(dir_.File("x.wav")), "an edited WAV");
  for (const char* name : {"c.wav", "ignored.wav", "c_aac.wav", "o"}) {
    EXPECT_FALSE(FileExists(dir_.File(name))) << name;
  }
}

// A report that cannot be written is a failure, never a success: a full
// disk under standard output or standard error ends the run with status 1
// and, where standard error still takes it, a line that says why. Every
// door that prints, the dialog program's included.
TEST_F(CliContract, AReportThatCannotBeWrittenEndsTheRunWithStatusOne) {
  const std::string good = Sample("good.aac");
  const std::string other = Sample("other.aac");
  std::string bytes = ReadFile(kSamples + "/tone48k_stereo.aac");
  bytes.insert(bytes.size() / 2, "garbage!");
  const std::string bad = dir_.File("bad.aac");
  WriteFile(bad, bytes);
  const std::string outFull = "エラー：標準出力に、書き込めません。（No space left on device）\n";
  struct Case {
    std::string program;
    std::vector<std::string> args;
    const char* full;  // the stream that goes to /dev/full
    int exitCode;
    std::string err;
  } cases[] = {
      {kCli, {good}, ">", 1, outFull},
      {kCli, {"--json", good}, ">", 1, outFull},
      {kCli, {"--batch", good, other}, ">", 1, outFull},
      {kCli, {"--batch", "--json", good, other}, ">", 1, outFull},
      {kCli, {"--check", good, other}, ">", 1, outFull},
      {kCli, {"--check", "--json", good, other}, ">", 1, outFull},
      {kCli, {"--lang=en", "--version"}, ">", 1,
       "Error: Standard output cannot be written (No space left on device).\n"},
      {kCli, {"--help"}, ">", 1, outFull},
      {kCli, {bad}, "2>", 1, ""},
      {kCli, {"--batch", bad, other}, "2>", 1, ""},
      {kCli, {"--json", bad}, "2>", 3, ""},  // nothing goes to standard error
      // The converted data written to standard output, which fails.
      {kCli, {"--lang=en", good, "-"}, ">", 1,
       "Error: The output file \"-\" cannot be written (No space left on device).\n"},
#ifdef TESSARO_DIALOG_PATH
      {TESSARO_DIALOG_PATH, {"--help"}, ">", 1, outFull},
      {TESSARO_DIALOG_PATH, {"--version"}, ">", 1, outFull},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program + " " + c.args.front() + " " + c.full + "/dev/full");
    for (const char* name : {"good_aac.wav", "other_aac.wav", "bad_aac.wav"}) {
      std::filesystem::remove(testing::Utf8Path(dir_.File(name)));
    }
    std::vector<std::string> argv = {"/bin/sh", "-c", "exec \"$0\" \"$@\" " + std::string(c.full) +
                                                          "/dev/full", c.program};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const ProcessResult r = RunProgram(argv);
    EXPECT_EQ(r.exitCode, c.exitCode);
    EXPECT_TRUE(r.err.ends_with(c.err)) << r.err;
    // A batch ends with the file whose report was lost.
    if (c.args.front() == "--batch") {
      EXPECT_FALSE(FileExists(dir_.File("other_aac.wav")));
    }
  }
}

// Every file under dir (relative name -> bytes), for "nothing was written".
std::map<std::string, std::string> Snapshot(const TempDir& dir) {
  std::map<std::string, std::string> files;
  const std::filesystem::path root = testing::Utf8Path(dir.Dir());
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::u8string name = entry.path().lexically_relative(root).u8string();
    files[std::string(name.begin(), name.end())] =
        entry.is_regular_file() ? ReadFile(entry.path().string()) : "(folder)";
  }
  return files;
}

// The same slips in each of the four forms. Where one is a usage error
// nothing is read or written, standard output is empty (under --json: the
// one usage object), and the folder keeps every byte.
TEST_F(CliContract, EachFormRefusesTheSameSlips) {
  struct Expected {
    int status;
    const char* errorCode;  // of a usage error under --json
    const char* written;    // a file that must exist afterwards, or nullptr: nothing written
    const char* preamble = nullptr;  // that WAV's first block's, where it matters
  };
  struct Case {
    std::vector<std::string> args;
    Expected plain, json, batch, check;
  };
  const Expected kUnknown{2, "unknown_option", nullptr};
  const Expected kNoDelay{2, "delay_without_number", nullptr};
  const Expected kLanguage{2, "unknown_language", nullptr};
  const Expected kChecked{0, nullptr, nullptr};
  const Expected kStreamInRun{2, "standard_stream_in_batch_or_check", nullptr};
  const Expected kForEditors{0, nullptr, "song_aac.wav", "TSRADTS\x01"};
  const Case cases[] = {
      {{"-o", "x.wav", "song.aac"}, kUnknown, kUnknown, kUnknown, kUnknown},
      {{"--force", "song.aac"}, kUnknown, kUnknown, kUnknown, kUnknown},
      {{"-dry-run", "song.aac"}, kUnknown, kUnknown, kUnknown, kUnknown},
      // "-" is standard input or output in the one-file forms only. Here
      // standard input is empty, which is no WAV: nothing is written.
      {{"-", "song.aac"}, {1, nullptr, nullptr}, {1, nullptr, nullptr}, kStreamInRun, kStreamInRun},
      {{"song.aac", "-"}, kChecked, kChecked, kStreamInRun, kStreamInRun},
      {{"-"},
       {2, "standard_input_without_output", nullptr},
       {2, "standard_input_without_output", nullptr},
       kStreamInRun,
       kStreamInRun},
      {{"-", "x.mp3"},
       {2, "direction_unknown", nullptr},
       {2, "direction_unknown", nullptr},
       kStreamInRun,
       kStreamInRun},
      {{"-", "x DELAY 5ms.wav"},
       {2, "delay_tag_in_output_name", nullptr},
       {2, "delay_tag_in_output_name", nullptr},
       kStreamInRun,
       kStreamInRun},
      {{"-d", "250", "song.aac"}, kNoDelay, kNoDelay, kNoDelay, kNoDelay},
      {{"--lang=fr", "song.aac"}, kLanguage, kLanguage, kLanguage, kLanguage},
      {{"--check", "song.aac"}, kChecked, kChecked, {2, "batch_with_check", nullptr}, kChecked},
      {{"song.aac", "x.wav", "song2.aac"},
       {2, "too_many_paths", nullptr},
       {2, "too_many_paths", nullptr},
       {1, nullptr, "song_aac.wav"},
       {1, nullptr, nullptr}},
      {{"--out-dir=out", "song.aac"},
       {2, "out_dir_without_batch", nullptr},
       {2, "out_dir_without_batch", nullptr},
       {0, nullptr, "out/song_aac.wav"},
       {2, "out_dir_without_batch", nullptr}},
      // Not a slip: the option that writes the editors' flavour, taken alike
      // by every form (--check, which writes nothing, as it takes -s2).
      {{"--for-editors", "song.aac"}, kForEditors, kForEditors, kForEditors, kChecked},
      {{"--", "-x.aac"},
       {0, nullptr, "-x_aac.wav"},
       {0, nullptr, "-x_aac.wav"},
       {0, nullptr, "-x_aac.wav"},
       {0, nullptr, nullptr}},
  };
  struct Form {
    const char* option;
    const Expected Case::*expected;
  } const forms[] = {{nullptr, &Case::plain},
                     {"--json", &Case::json},
                     {"--batch", &Case::batch},
                     {"--check", &Case::check}};
  for (const Case& c : cases) {
    for (const Form& form : forms) {
      const Expected& e = c.*form.expected;
      const TempDir dir;
      CopySample(dir, "tone48k_stereo.aac", "song.aac");
      CopySample(dir, "tone48k_stereo.aac", "-x.aac");
      WriteFile(dir.File("x.wav"), "an edited WAV");
      std::filesystem::create_directory(testing::Utf8Path(dir.File("out")));
      const std::map<std::string, std::string> before = Snapshot(dir);
      // Run in the folder, so that the names are given as a user types them.
      std::vector<std::string> argv = {"/bin/sh", "-c", "cd \"$0\" && exec \"$@\"", dir.Dir(), kCli};
      if (form.option) argv.push_back(form.option);
      argv.insert(argv.end(), c.args.begin(), c.args.end());
      const ProcessResult r = RunProgram(argv);
      const std::string trace = std::string(form.option ? form.option : "(plain)") + " " + c.args[0] +
                                " " + c.args.back();
      EXPECT_EQ(r.exitCode, e.status) << trace << "\n" << r.err;
      const bool json = form.option && std::string(form.option) == "--json";
      if (e.status == 2 && json) {
        EXPECT_EQ(r.out.rfind("{\"schema\":1,\"kind\":\"usage\",\"status\":\"usage\",\"exitStatus\":2,"
                              "\"errorCode\":\"" + std::string(e.errorCode) + "\",",
                              0),
                  0u)
            << trace << "\n" << r.out;
      } else if (e.status == 2) {
        EXPECT_EQ(r.out, "") << trace;
      } else {
        EXPECT_NE(r.out, "") << trace;
      }
      if (e.written) {
        EXPECT_TRUE(FileExists(dir.File(e.written))) << trace;
        if (e.preamble) {
          EXPECT_EQ(ReadFile(dir.File(e.written)).substr(48, 8), e.preamble) << trace;
        }
      } else {
        EXPECT_EQ(Snapshot(dir), before) << trace;
      }
    }
  }
}

// "-" reads standard input and writes standard output: a pipe or a
// redirected file in, a pipe or a file out, each direction gives the bytes
// of the conversion of files and its report, apart from the input's name
// (the report on standard error where standard output carries the data).
TEST_F(CliContract, StandardInputAndOutputGiveTheBytesAndTheReportOfFiles) {
  Sample("song.aac");
  const ProcessResult toWav = RunProgram({kCli, dir_.File("song.aac"), dir_.File("ref.wav")});
  const ProcessResult toAac = RunProgram({kCli, dir_.File("ref.wav"), dir_.File("ref.aac")});
  const ProcessResult jsonToAac =
      RunProgram({kCli, "--json", dir_.File("ref.wav"), dir_.File("ref2.aac")});
  ASSERT_EQ(toWav.exitCode, 0);
  ASSERT_EQ(toAac.exitCode, 0);
  struct Case {
    const char* command;  // run in the folder, "$0" the program
    const char* made;     // the file the data went to
    const char* reference;
    const ProcessResult* report;
    bool reportOnError;  // the report on standard error
  } const cases[] = {
      {"\"$0\" - out.wav < song.aac", "out.wav", "ref.wav", &toWav, false},
      {"cat song.aac | \"$0\" - out.wav", "out.wav", "ref.wav", &toWav, false},
      {"\"$0\" song.aac - > out.wav", "out.wav", "ref.wav", &toWav, true},
      {"cat song.aac | \"$0\" - - | cat > out.wav", "out.wav", "ref.wav", &toWav, true},
      {"cat ref.wav | \"$0\" - out.aac", "out.aac", "ref.aac", &toAac, false},
      {"\"$0\" ref.wav - | cat > out.aac", "out.aac", "ref.aac", &toAac, true},
      {"cat ref.wav | \"$0\" - - > out.aac", "out.aac", "ref.aac", &toAac, true},
      {"cat ref.wav | \"$0\" --json - - > out.aac", "out.aac", "ref.aac", &jsonToAac, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    std::filesystem::remove(testing::Utf8Path(dir_.File(c.made)));
    const ProcessResult r =
        RunProgram({"/bin/sh", "-c", "cd \"$1\" && " + std::string(c.command), kCli, dir_.Dir()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFile(dir_.File(c.made)), ReadFile(dir_.File(c.reference)));
    std::string report = c.reportOnError ? r.err : r.out;
    if (c.report == &jsonToAac) {  // the names aside, the same object
      nlohmann::json got = nlohmann::json::parse(report);
      nlohmann::json expected = nlohmann::json::parse(c.report->out);
      EXPECT_EQ(got["input"], "-");
      EXPECT_EQ(got["output"], "-");
      for (nlohmann::json* j : {&got, &expected}) j->erase("input"), j->erase("output");
      EXPECT_EQ(got, expected);
    } else {
      EXPECT_EQ(report, c.report->out);
    }
    if (!c.reportOnError) {
      EXPECT_EQ(r.err, "");
    }
  }
}

// "-" is never a terminal: binary audio is neither read from one nor
// written to one (the usage error then on the terminal), and nothing is
// written. script(1) gives the program a terminal.
TEST_F(CliContract, StandardStreamsThatAreTerminalsAreRefused) {
  Sample("song.aac");
  const std::map<std::string, std::string> before = Snapshot(dir_);
  for (const char* command : {"song.aac -", "- out.wav", "--json - -", "--lang=en - -"}) {
    SCOPED_TRACE(command);
    const ProcessResult r = RunProgram(
        {"script", "-qec", "cd \"$DIR\" && exec \"$CLI\" " + std::string(command), "/dev/null"},
        {"LANG=C.UTF-8", "DIR=" + dir_.Dir(), "CLI=" + kCli});
    EXPECT_EQ(r.exitCode, 2);
    const bool english = std::string(command).starts_with("--lang=en");
    EXPECT_NE(r.out.find(english ? " is a terminal" : "が端末です。"), std::string::npos) << r.out;
    if (std::string(command).starts_with("--json")) {
      EXPECT_NE(r.out.find("\"errorCode\":\"standard_stream_is_terminal\""), std::string::npos);
    }
  }
  EXPECT_EQ(Snapshot(dir_), before);
}

// A script reading --json sees JSON for a usage error and for a stopped run.
TEST_F(CliContract, JsonConsumersGetAnObjectForUsageErrorsAndStops) {
  // --json counts before the unknown option and after it.
  for (const auto& args : {std::vector<std::string>{"--json", "-q"}, {"-q", "--json"}}) {
    const ProcessResult usage = RunProgram({kCli, args[0], args[1], Sample("u.aac")});
    EXPECT_EQ(usage.exitCode, 2) << args[0];
    EXPECT_EQ(usage.out,
              "{\"schema\":1,\"kind\":\"usage\",\"status\":\"usage\",\"exitStatus\":2,"
              "\"errorCode\":\"unknown_option\",\"error\":\"-q というオプションはありません。\"}\n")
        << args[0];
  }

  // A check of many files, stopped once it has reported its first file (it
  // then waits on the pipe): each file done has its object, a file stopped
  // part-way its stopped one, and the summary of the files done is last,
  // all with the stop's status.
  const std::string one = Sample("s.aac");
  std::vector<std::string> argv = {kCli, "--check", "--json"};
  for (int i = 0; i < 20000; ++i) {
    argv.push_back(dir_.File("t" + std::to_string(i) + ".aac"));
    std::filesystem::create_hard_link(testing::Utf8Path(one), testing::Utf8Path(argv.back()));
  }
  RunningProgram check(argv);
  ASSERT_NE(check.ReadLine(), "");
  check.Signal(SIGTERM);
  const ProcessResult stopped = check.Finish();
  EXPECT_EQ(stopped.exitCode, 143);
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = stopped.out.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(stopped.out.substr(at, end - at));
  }
  ASSERT_GE(lines.size(), 2u) << stopped.out;
  size_t done = lines.size() - 1;
  const std::string& last = lines[done - 1];
  if (last.find("\"status\":\"stopped\"") != std::string::npos) {
    EXPECT_EQ(last.rfind("{\"schema\":1,\"kind\":\"file\",\"mode\":\"check\",", 0), 0u) << last;
    EXPECT_NE(last.find("\"status\":\"stopped\",\"exitStatus\":143,\"errorCode\":\"stopped\""),
              std::string::npos)
        << last;
    --done;
  }
  for (size_t i = 0; i < done; ++i) {
    EXPECT_NE(lines[i].find("\"status\":\"ok\",\"exitStatus\":0,"), std::string::npos) << lines[i];
  }
  const std::string files = std::to_string(done);
  EXPECT_EQ(lines.back(), "{\"schema\":1,\"kind\":\"summary\",\"mode\":\"check\",\"files\":" + files +
                              ",\"ok\":" + files +
                              ",\"damaged\":0,\"failed\":0,\"status\":\"stopped\",\"exitStatus\":143}");
}

}  // namespace
}  // namespace tessaro::e2e
