// The real tessaro-cli in its --batch, --check and --json forms.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
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
  EXPECT_NE(r.err.find("データ異常が発見された位置"), std::string::npos);
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
  ASSERT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2) << r.out;
  const Json first = Json::parse(r.out.substr(0, r.out.find('\n')));
  const Json second = Json::parse(r.out.substr(r.out.find('\n') + 1));
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

}  // namespace
}  // namespace tessaro::e2e
