// The console program's --batch, --check and --json forms, on an in-memory
// file system.

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "cli/cli_app.h"
#include "tests/support/adts_builder.h"
#include "tests/support/container_builder.h"
#include "tests/support/memory_console.h"
#include "tests/support/memory_file_system.h"

namespace tessaro::cli {
namespace {

using tessaro::testing::AdtsFields;
using tessaro::testing::AdtsStream;
using tessaro::testing::Bytes;
using tessaro::testing::MemoryFileSystem;
using CaptureConsole = tessaro::testing::MemoryConsole;
using Json = nlohmann::json;

AdtsStream ThreeFrames() {
  AdtsFields fields;
  fields.frame_length = 100;
  return AdtsStream().Frames(3, fields);
}

// good.aac, bad.aac (one damaged region), x DELAY 10ms.aac, and the
// container of good.aac as good_aac.wav.
void SetFiles(MemoryFileSystem& fs) {
  AdtsStream damaged = ThreeFrames();
  damaged.Insert(200, {1, 2, 3});
  fs.SetFile("good.aac", ThreeFrames().bytes());
  fs.SetFile("bad.aac", damaged.bytes());
  fs.SetFile("x DELAY 10ms.aac", ThreeFrames().bytes());
  CaptureConsole console;
  ASSERT_EQ(RunCli({"good.aac"}, console, fs, Language::kJapanese), kExitOk);
}

std::vector<Json> JsonLines(const std::string& out) {
  std::vector<Json> lines;
  size_t start = 0;
  for (size_t end = out.find('\n'); end != std::string::npos; end = out.find('\n', start)) {
    lines.push_back(Json::parse(out.substr(start, end - start)));
    start = end + 1;
  }
  EXPECT_EQ(start, out.size()) << "the last line has no line end";
  return lines;
}

TEST(Batch, ExitStatusIsTheWorstAndOneFailureStopsNothing) {
  struct Case {
    std::vector<std::string> files;
    int exitCode;
    const char* summary;
  } cases[] = {
      {{"good.aac", "x DELAY 10ms.aac"}, kExitOk,
       "合計 2 ファイル：変換 2, 異常ありで変換 0, 失敗 0\n"},
      // The first output would replace the second input before it is read.
      {{"good.aac", "good_aac.wav"}, kExitFailed,
       "合計 2 ファイル：変換 1, 異常ありで変換 0, 失敗 1\n"},
      {{"bad.aac", "good.aac"}, kExitConvertedWithDamage,
       "合計 2 ファイル：変換 1, 異常ありで変換 1, 失敗 0\n"},
      {{"missing.aac", "bad.aac", "good.aac"}, kExitFailed,
       "合計 3 ファイル：変換 1, 異常ありで変換 1, 失敗 1\n"},
      {{"bad.aac", "song.mp3"}, kExitFailed, "合計 2 ファイル：変換 0, 異常ありで変換 1, 失敗 1\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.files.front());
    MemoryFileSystem fs;
    SetFiles(fs);
    std::vector<std::string> args = {"--batch"};
    args.insert(args.end(), c.files.begin(), c.files.end());
    CaptureConsole console;
    EXPECT_EQ(RunCli(args, console, fs, Language::kJapanese), c.exitCode);
    // Every file named on its own line before its report, the summary last.
    size_t at = 0;
    for (size_t i = 0; i < c.files.size(); ++i) {
      const std::string label =
          "[" + std::to_string(i + 1) + "/" + std::to_string(c.files.size()) + "] " + c.files[i] + "\n";
      at = console.out.find(label, at);
      ASSERT_NE(at, std::string::npos) << label << console.out;
    }
    EXPECT_TRUE(console.out.ends_with(c.summary)) << console.out;
    EXPECT_TRUE(fs.Exists("good_aac.wav"));  // converted whatever failed before it
  }
}

TEST(Batch, OptionsApplyToEveryFileAsInAOneFileRun) {
  MemoryFileSystem fs;
  SetFiles(fs);
  CaptureConsole console;
  ASSERT_EQ(RunCli({"--batch", "-s2", "good.aac", "-d48", "x DELAY 10ms.aac", "--out-dir", "out",
                    "--for-editors"},
                   console, fs, Language::kJapanese),
            kExitOk)
      << console.out;
  for (const char* output : {"out/good_aac.wav", "out/x DELAY 0ms_aac.wav"}) {
    ASSERT_TRUE(fs.Exists(output)) << output;
    const Bytes wav = fs.Contents(output);
    EXPECT_EQ(wav.at(34), 8) << output;  // bits per sample
    // The first block's preamble, behind the delay's zeros.
    const size_t preamble = 44 + 48 * 48 * 2 + 4;
    EXPECT_EQ(std::string(wav.begin() + preamble, wav.begin() + preamble + 8), "TSRADTS\x01") << output;
  }
  EXPECT_NE(console.out.find("Delay：48 ms"), std::string::npos);
  EXPECT_EQ(console.out.find("Delay：10 ms"), std::string::npos);
}

TEST(Batch, OutputFolderTakesTheProposedName) {
  struct Case {
    const char* dir;
    const char* path;
    const char* expected;
  } cases[] = {
      {"out", "a/b/song_aac.wav", "out/song_aac.wav"},
      {"out/", "song_aac.wav", "out/song_aac.wav"},
      {"/abs", "/x/y_out.aac", "/abs/y_out.aac"},
      {"out", "", ""},  // no proposal: the conversion refuses the name
  };
  for (const Case& c : cases) EXPECT_EQ(InFolder(c.dir, c.path), c.expected) << c.path;
}

TEST(Check, ReportsWithoutCreatingAnyFile) {
  MemoryFileSystem fs;
  SetFiles(fs);
  Bytes wav = fs.Contents("good_aac.wav");
  wav[44 + 4096 + 12 + 20] ^= 0x55;  // inside the second frame
  fs.SetFile("mismatch.wav", wav);
  // 1,001 blocks, each with a damaged frame: the count is grouped like every other.
  AdtsFields many;
  many.frame_length = 100;
  fs.SetFile("many.aac", AdtsStream().Frames(1001, many).bytes());
  CaptureConsole maker;
  ASSERT_EQ(RunCli({"many.aac"}, maker, fs, Language::kJapanese), kExitOk);
  Bytes manyWav = fs.Contents("many_aac.wav");
  for (size_t i = 0; i < 1001; ++i) manyWav[44 + i * 4096 + 12 + 20] ^= 0x55;
  fs.SetFile("many_aac.wav", manyWav);
  // Where the conversion would fail for its output: a folder in the way.
  fs.SetFile("folder.aac", ThreeFrames().bytes());
  fs.AddSpecial("folder_aac.wav");
  AdtsFields reserved;
  reserved.frame_length = 100;
  reserved.sampling_frequency_index = 12;  // no rate: 0 Hz, no known duration
  fs.SetFile("reserved.aac", AdtsStream().Frames(3, reserved).bytes());
  // The editors' flavour, and a file joined of both.
  ASSERT_EQ(RunCli({"--for-editors", "good.aac", "editors.wav"}, maker, fs, Language::kJapanese), kExitOk);
  Bytes mixed = fs.Contents("editors.wav");
  const Bytes classic = fs.Contents("good_aac.wav");
  std::copy(classic.begin(), classic.begin() + 44 + 4096, mixed.begin());
  fs.SetFile("mixed.wav", mixed);
  const std::vector<std::string> before = fs.Paths();
  struct Case {
    std::string file;
    int exitCode;
    std::string text;  // after the file's label
    std::string err;
  } cases[] = {
      {"good.aac", kExitOk,
       "入力サイズ：300 Bytes, サンプリング周波数：48000 Hz, チャンネル数：2\n"
       "フレーム数：3, 時間：00:00:00.06\n", ""},
      {"bad.aac", kExitConvertedWithDamage,
       "入力サイズ：303 Bytes, サンプリング周波数：48000 Hz, チャンネル数：2\n"
       "フレーム数：2, 時間：00:00:00.06\n",
       "[1/1] bad.aac\nエラー：このAACファイルは正常ではありません。"},
      {"good_aac.wav", kExitOk,
       "入力サイズ：12,332 Bytes, データ開始：44, ブロック長：4,096 Bytes, サンプリング周波数：48000 Hz, "
       "チャンネル数：2\nフレーム数：3, 時間：00:00:00.09\n", ""},
      {"editors.wav", kExitOk,
       "入力サイズ：12,332 Bytes, データ開始：44, ブロック長：4,096 Bytes, サンプリング周波数：48000 Hz, "
       "チャンネル数：2\nフレーム数：3, ブロック：編集ソフト用, 時間：00:00:00.09\n", ""},
      {"mixed.wav", kExitOk,
       "入力サイズ：12,332 Bytes, データ開始：44, ブロック長：4,096 Bytes, サンプリング周波数：48000 Hz, "
       "チャンネル数：2\nフレーム数：3, ブロック：標準と編集ソフト用, 時間：00:00:00.09\n", ""},
      {"mismatch.wav", kExitConvertedWithDamage,
       "入力サイズ：12,332 Bytes, データ開始：44, ブロック長：4,096 Bytes, サンプリング周波数：48000 Hz, "
       "チャンネル数：2\nチェックサム不一致：1ヵ所[00001030:", ""},
      {"many_aac.wav", kExitConvertedWithDamage,
       "入力サイズ：4,100,140 Bytes, データ開始：44, ブロック長：4,096 Bytes\n"
       "チェックサム不一致：1,001ヵ所[00000030:",
       "[1/1] many_aac.wav\nエラー：このWAVファイルには、AACのフレームが見つかりませんでした。"},
      {"missing.wav", kExitFailed, "エラー：入力ファイルが、開けません。\n", ""},
      {"folder.aac", kExitFailed, "エラー：出力ファイルが、開けません。\n", ""},
      {"reserved.aac", kExitOk,
       "入力サイズ：300 Bytes, サンプリング周波数：0 Hz, チャンネル数：2\n"
       "フレーム数：3, 時間：--:--:--.--\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    CaptureConsole console;
    EXPECT_EQ(RunCli({"--check", c.file}, console, fs, Language::kJapanese), c.exitCode);
    EXPECT_NE(console.out.find("[1/1] " + c.file + "\n" + c.text), std::string::npos) << console.out;
    if (c.err.empty()) {
      EXPECT_EQ(console.err, "");
    }
    EXPECT_EQ(console.err.rfind(c.err, 0), 0u) << console.err;
    EXPECT_EQ(fs.Paths(), before);
  }
}

TEST(Json, OneLinePerFileWithTheReportsFigures) {
  MemoryFileSystem fs;
  SetFiles(fs);
  CaptureConsole console;
  EXPECT_EQ(RunCli({"--batch", "--json", "bad.aac", "missing.wav", "good_aac.wav"}, console, fs, Language::kJapanese),
            kExitFailed);
  EXPECT_EQ(console.err, "");  // the damage report is in the object
  const std::vector<Json> lines = JsonLines(console.out);
  ASSERT_EQ(lines.size(), 4u);

  EXPECT_EQ(console.out.rfind("{\"schema\":1,\"kind\":\"file\",", 0), 0u);
  EXPECT_EQ(lines[0]["input"], "bad.aac");
  EXPECT_EQ(lines[0]["output"], "bad_aac.wav");
  EXPECT_EQ(lines[0]["direction"], "aac_to_wav");
  EXPECT_EQ(lines[0]["status"], "damaged");
  EXPECT_EQ(lines[0]["exitStatus"], 3);
  EXPECT_EQ(lines[0]["inputSize"], 303);
  EXPECT_EQ(lines[0]["outputSize"], fs.Contents("bad_aac.wav").size());
  EXPECT_EQ(lines[0]["sampleRate"], 48000);
  EXPECT_EQ(lines[0]["channelConfiguration"], 2);
  EXPECT_EQ(lines[0]["channelCount"], 2);
  EXPECT_EQ(lines[0]["delayMs"], 0);
  EXPECT_EQ(lines[0]["frames"], 2);
  // The second frame, at 100, is lost: the bytes behind it are no frame.
  EXPECT_EQ(lines[0]["damage"], Json::parse(R"([{"seconds":0.021333333333333333,"offset":100}])"));
  EXPECT_EQ(lines[0]["error"], nullptr);
  EXPECT_EQ(lines[0]["errorCode"], "stream_damaged");
  EXPECT_EQ(lines[0]["blockFlavour"], "classic");
  // What standard error would have shown, its lines joined by "\n".
  EXPECT_EQ(lines[0]["warning"].get<std::string>().rfind(
                "エラー：このAACファイルは正常ではありません。\n大きく音ズレが", 0),
            0u);

  EXPECT_EQ(lines[1]["status"], "failed");
  EXPECT_EQ(lines[1]["errorCode"], "input_not_openable");
  EXPECT_EQ(lines[1]["exitStatus"], 1);
  EXPECT_EQ(lines[1]["error"], "エラー：入力ファイルが、開けません。");
  EXPECT_EQ(lines[1]["inputSize"], nullptr);
  EXPECT_EQ(lines[1]["blockFlavour"], nullptr);
  EXPECT_EQ(lines[1]["warning"], nullptr);

  EXPECT_EQ(lines[2]["direction"], "wav_to_aac");
  EXPECT_EQ(lines[2]["status"], "ok");
  EXPECT_EQ(lines[2]["frames"], 3);
  EXPECT_EQ(lines[2]["outputFrames"], 4);
  EXPECT_EQ(lines[2]["dataStart"], 44);
  EXPECT_EQ(lines[2]["blockLength"], 4096);
  EXPECT_EQ(lines[2]["delayMs"], nullptr);
  EXPECT_EQ(lines[2]["blockFlavour"], "classic");
  EXPECT_EQ(lines[2]["warning"], nullptr);

  EXPECT_EQ(lines[3], Json::parse(R"({"schema":1,"kind":"summary","mode":"batch","files":3,"ok":1,)"
                                  R"("damaged":1,"failed":1,"status":"failed","exitStatus":1})"));
}

TEST(Json, MismatchRecordsAndCheckHasNoOutput) {
  MemoryFileSystem fs;
  SetFiles(fs);
  Bytes wav = fs.Contents("good_aac.wav");
  wav[44 + 4096 + 12 + 20] ^= 0x55;
  fs.SetFile("m.wav", wav);
  CaptureConsole console;
  EXPECT_EQ(RunCli({"--check", "--json", "m.wav"}, console, fs, Language::kJapanese), kExitConvertedWithDamage);
  const std::vector<Json> lines = JsonLines(console.out);
  ASSERT_EQ(lines.size(), 2u);  // and the summary
  EXPECT_EQ(lines[0]["mode"], "check");
  EXPECT_EQ(lines[0]["errorCode"], "checksum_mismatch");
  EXPECT_EQ(lines[0]["output"], nullptr);
  EXPECT_EQ(lines[0]["outputSize"], nullptr);
  EXPECT_EQ(lines[0]["mismatchCount"], 1);
  ASSERT_EQ(lines[0]["mismatches"].size(), 1u);
  EXPECT_EQ(lines[0]["mismatches"][0]["offset"], 0x1030);
  EXPECT_EQ(lines[0]["mismatches"][0]["stored"].size(), 4u);
  EXPECT_FALSE(fs.Exists("m_out.aac"));
}

TEST(Json, PathsThatAreNotUtf8StillGiveValidJson) {
  MemoryFileSystem fs;
  const std::string sjis = "\x83\x65\x83\x58\x83\x67.aac";  // "テスト.aac" in Shift-JIS
  fs.SetFile(sjis, ThreeFrames().bytes());
  CaptureConsole console;
  EXPECT_EQ(RunCli({"--json", sjis}, console, fs, Language::kJapanese), kExitOk);
  const std::vector<Json> lines = JsonLines(console.out);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]["inputHex"], "8365835883672e616163");
  EXPECT_EQ(lines[0]["outputHex"], "836583588367" + std::string("5f6161632e776176"));  // _aac.wav
  EXPECT_NE(lines[0]["input"].get<std::string>().find("\xEF\xBF\xBD"), std::string::npos);  // U+FFFD
  EXPECT_TRUE(fs.Exists("\x83\x65\x83\x58\x83\x67_aac.wav"));
}

TEST(ReportForms, UsageErrorsExitTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"--batch"}, {"--check", "-s2"}, {"--json"}, {"--batch", "a.aac", "--out-dir"},
      {"--check", "--out-dir", "d", "a.aac"},
      // --json counts wherever it stands, also after the first unknown option.
      {"--bogus", "--json", "a.aac"}, {"--batch", "-x", "a.aac", "--json"},
  };
  for (const auto& args : cases) {
    MemoryFileSystem fs;
    CaptureConsole console;
    EXPECT_EQ(RunCli(args, console, fs, Language::kJapanese), kExitUsage) << args.back();
    // Under --json the one usage object, else nothing.
    const bool json = std::find(args.begin(), args.end(), "--json") != args.end();
    EXPECT_EQ(console.out.rfind("{\"schema\":1,\"kind\":\"usage\",", 0), json ? 0 : std::string::npos);
    EXPECT_NE(console.err.find("tessaro-cli --batch"), std::string::npos);
    EXPECT_TRUE(fs.Paths().empty());
  }
}

}  // namespace
}  // namespace tessaro::cli
