// The console program's contract: what goes to standard output and error,
// and the exit status, on good, damaged and bad input.

#include <gtest/gtest.h>

#include <string>

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
            "WAVファイルが編集ソフトで再エンコードされたか、変更された可能性があります。\n");
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

}  // namespace
}  // namespace tessaro::e2e
