// The real tessaro-cli in its --batch, --check and --json forms.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>

#include "tests/e2e/e2e_inputs.h"
#include "tests/e2e/process.h"

namespace tessaro::e2e {
namespace {

using testing::FileExists;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

using Json = nlohmann::json;

class CliReportForms : public ::testing::Test {
 protected:
  std::string Sample(const std::string& as) { return CopySample(dir_, "tone48k_stereo.aac", as); }
  std::string Damaged(const std::string& as) {
    std::string bytes = ReadFile(kSamples + "/tone48k_stereo.aac");
    bytes.insert(bytes.size() / 2, "garbage!");
    const std::string path = dir_.File(as);
    WriteFile(path, bytes);
    return path;
  }
  std::set<std::string> Listing(const std::string& folder) const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  TempDir dir_;
};

TEST_F(CliReportForms, BatchConvertsEveryFileAndExitsWithTheWorst) {
  const std::string good = Sample("good.aac");
  const std::string bad = Damaged("bad.aac");
  const std::string missing = dir_.File("missing.aac");
  std::filesystem::create_directory(dir_.File("out"));
  const ProcessResult r =
      RunProgram({kCli, "--batch", "-s2", good, missing, bad, "--out-dir", dir_.File("out")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out.rfind("[1/3] " + good + "\n入力サイズ：99,396 Bytes, ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("[2/3] " + missing + "\nエラー：入力ファイルが、開けません。\n[3/3] " + bad + "\n"),
            std::string::npos)
      << r.out;
  EXPECT_TRUE(r.out.ends_with("\n合計 3 ファイル：変換 1, 異常ありで変換 1, 失敗 1\n")) << r.out;
  // On standard error too, each message names its file.
  EXPECT_EQ(r.err.rfind("[3/3] " + bad + "\nエラー：このAACファイルは正常ではありません。", 0), 0u) << r.err;
  EXPECT_EQ(Listing(dir_.File("out")), (std::set<std::string>{"good_aac.wav", "bad_aac.wav"}));
  EXPECT_EQ(ReadFile(dir_.File("out/good_aac.wav")).size(), 579628u);  // 8-bit

  // Back again: both WAVs, the damaged one in order too.
  const ProcessResult back = RunProgram({kCli, "--batch", dir_.File("out/good_aac.wav"),
                                         dir_.File("out/bad_aac.wav")});
  EXPECT_EQ(back.exitCode, 0) << back.out;
  EXPECT_EQ(ReadFile(dir_.File("out/good_out.aac")), ReadFile(good) + kSilentStereo);
}

TEST_F(CliReportForms, CheckWritesNothingAndExitsAsTheConversionWould) {
  const std::string good = Sample("good.aac");
  ASSERT_EQ(RunProgram({kCli, good}).exitCode, 0);
  std::string wav = ReadFile(dir_.File("good_aac.wav"));
  wav[44 + 4096 * 3 + 12 + 20] ^= 0x55;  // inside the fourth frame
  WriteFile(dir_.File("mismatch.wav"), wav);
  const std::set<std::string> before = Listing(dir_.File(""));

  const ProcessResult r = RunProgram({kCli, "--check", good, dir_.File("good_aac.wav"),
                                      dir_.File("mismatch.wav")});
  EXPECT_EQ(r.exitCode, 3);
  const std::string wavLine =
      "入力サイズ：1,159,212 Bytes, データ開始：44, ブロック長：4,096 Bytes, "
      "サンプリング周波数：48000 Hz, チャンネル数：2\n";
  EXPECT_EQ(r.out.rfind("[1/3] " + good + "\n"
                        "入力サイズ：99,396 Bytes, サンプリング周波数：48000 Hz, チャンネル数：2\n"
                        "フレーム数：283, 時間：00:00:06.04\n"
                        "[2/3] " + dir_.File("good_aac.wav") + "\n" + wavLine +
                        "フレーム数：283, 時間：00:00:06.06\n"
                        "[3/3] " + dir_.File("mismatch.wav") + "\n" + wavLine +
                        "チェックサム不一致：1ヵ所[00003030:",
                    0),
            0u)
      << r.out;
  EXPECT_TRUE(r.out.ends_with("]\nフレーム数：282, 時間：00:00:06.06\n"
                              "合計 3 ファイル：正常 2, 異常あり 1, 失敗 0\n"))
      << r.out;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Listing(dir_.File("")), before);
}

TEST_F(CliReportForms, JsonIsOneValidObjectPerLineEvenForPathsThatAreNotUtf8) {
  const std::string sjis = Sample("\x83\x65\x83\x58\x83\x67.aac");  // Shift-JIS name
  const std::string bad = Damaged("bad.aac");
  const ProcessResult r = RunProgram({kCli, "--batch", "--json", sjis, bad});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.err, "");
  ASSERT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3) << r.out;  // and the summary
  const Json first = Json::parse(r.out.substr(0, r.out.find('\n')));
  const size_t secondStart = r.out.find('\n') + 1;
  const Json second = Json::parse(r.out.substr(secondStart, r.out.find('\n', secondStart) - secondStart));
  EXPECT_EQ(first["status"], "ok");
  EXPECT_EQ(first["frames"], 283);
  EXPECT_TRUE(first.contains("inputHex"));
  EXPECT_TRUE(FileExists(dir_.File("\x83\x65\x83\x58\x83\x67_aac.wav")));
  EXPECT_EQ(second["status"], "damaged");
  EXPECT_EQ(second["damageCount"], 1);
  EXPECT_EQ(second["damage"].size(), 1u);

  const ProcessResult one = RunProgram({kCli, "--json", Sample("one.aac"), dir_.File("one.wav")});
  EXPECT_EQ(one.exitCode, 0);
  const Json j = Json::parse(one.out);
  EXPECT_EQ(j["output"], dir_.File("one.wav"));
  EXPECT_EQ(j["outputSize"], 1159212);
}

// "frames" counts the frames taken from a damaged stream, as its report does.
TEST_F(CliReportForms, JsonFramesOfADamagedInputAreTheFramesTaken) {
  const ProcessResult r = RunProgram({kCli, "--json", Damaged("bad.aac")});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(Json::parse(r.out)["frames"], 283 - 1);  // one lost to the damage
}

// A script that branches on the schema and the stable error codes alone: the
// same in either language, one object per file, the summary last.
TEST_F(CliReportForms, JsonConsumerNeedsOnlySchemaKindAndErrorCode) {
  const std::string good = Sample("good.aac");
  const std::string bad = Damaged("bad.aac");
  const std::string missing = dir_.File("missing.aac");
  ASSERT_EQ(RunProgram({kCli, good}).exitCode, 0);
  const std::string wav = dir_.File("good_aac.wav");
  std::string noFrames = ReadFile(wav);
  for (size_t i = 44; i < noFrames.size(); ++i) noFrames[i] = static_cast<char>(i * 7);
  WriteFile(dir_.File("noframes.wav"), noFrames);
  Sample("folder.aac");
  std::filesystem::create_directory(dir_.File("folder_aac.wav"));
  const std::string otherAac = Sample("other.aac");
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::vector<Json> codes;  // errorCode of each line; the summary's is its status
  } const cases[] = {
      {{"--json", good, dir_.File("one.wav")}, 0, {nullptr}},
      {{"--json", bad, dir_.File("two.wav")}, 3, {"stream_damaged"}},
      {{"--json", missing}, 1, {"input_not_openable"}},
      {{"--json", "-d99999999", good, dir_.File("three.wav")}, 1, {"delay_too_large"}},
      {{"--json", dir_.File("song.mp3")}, 1, {"input_name_invalid"}},
      // An output of the input's own kind, each named for its kind.
      {{"--json", good, otherAac}, 1, {"output_is_aac"}},
      {{"--json", wav, dir_.File("noframes.wav")}, 1, {"output_is_wav"}},
      {{"--batch", "--json", "--out-dir", dir_.File("nowhere"), good},
       1, {"output_not_openable", "failed"}},
      {{"--batch", "--json", good, missing, bad}, 1,
       {nullptr, "input_not_openable", "stream_damaged", "failed"}},
      {{"--check", "--json", wav, dir_.File("noframes.wav"), bad}, 3,
       {nullptr, "no_frame_found", "stream_damaged", "damaged"}},
      // The check looks at where the output would go: a folder is in the way.
      {{"--check", "--json", good, dir_.File("folder.aac")}, 1,
       {nullptr, "output_not_openable", "failed"}},
  };
  for (const char* lang : {"--lang=ja", "--lang=en"}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(lang) + " " + c.args.back());
      std::vector<std::string> argv = {kCli, lang};
      argv.insert(argv.end(), c.args.begin(), c.args.end());
      const ProcessResult r = RunProgram(argv);
      EXPECT_EQ(r.exitCode, c.exitCode);
      EXPECT_EQ(r.err, "");
      std::vector<Json> codes;
      std::istringstream lines(r.out);
      for (std::string line; std::getline(lines, line);) {
        ASSERT_EQ(line.rfind("{\"schema\":1,", 0), 0u) << line;  // first, whatever follows
        const Json j = Json::parse(line);
        codes.push_back(j["kind"] == "summary" ? j["status"] : j["errorCode"]);
        // The input's size is given whenever the input was opened.
        if (j["kind"] == "file") {
          const bool opened =
              j["errorCode"] != "input_not_openable" && j["errorCode"] != "input_name_invalid";
          EXPECT_EQ(j["inputSize"].is_null(), !opened) << line;
        }
      }
      EXPECT_EQ(codes, c.codes) << r.out;
    }
  }
}

}  // namespace
}  // namespace tessaro::e2e
