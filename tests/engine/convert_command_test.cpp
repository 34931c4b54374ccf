#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "engine/convert_command.h"
#include "tests/support/adts_builder.h"
#include "tests/support/container_builder.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_host.h"

namespace tessaro {
namespace {

using testing::AdtsFields;
using testing::AdtsStream;
using testing::FsOp;
using testing::HostCall;
using testing::MemoryFileSystem;
using testing::RecordingHost;

constexpr char kBadName[] = "エラー：入力ファイル名が不正です。";

TEST(RunConversion, RefusesAnyOtherEndingWithoutOpeningAFile) {
  const char* const paths[] = {
      "",            // empty
      "a",           // shorter than the ending
      "aac",
      ".aa",
      "x.AAC",       // other letter case
      "x.Wav",
      "x.aac ",      // a blank behind the ending
      "x.aac.txt",
      "x.wave",
      "xaac",
  };
  for (const char* path : paths) {
    SCOPED_TRACE(std::string("'") + path + "'");
    MemoryFileSystem fs;
    fs.SetFile(path, std::string("RIFF"));
    RecordingHost host;
    ConversionRequest request;
    request.language = Language::kJapanese;
    request.inputPath = path;
    request.outputPath = "out";
    const ConversionResult r = RunConversion(request, host, fs);
    EXPECT_TRUE(r.failed);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].kind, HostCall::Kind::kSetInfo);
    EXPECT_EQ(host.calls[0].text, kBadName);  // no line break
    EXPECT_TRUE(host.calls[0].redraw);
    EXPECT_EQ(fs.callCount(), 0u);
  }
}

TEST(RunConversion, DirectionFollowsTheInputEndingOnly) {
  AdtsFields f;
  f.frame_length = 100;  // whole frame, header included
  AdtsStream s;
  s.Frames(2, f);
  struct Case {
    const char* input;
    const char* output;
    const char* infoStart;
  } const cases[] = {
      {".aac", "x.aac", "入力サイズ：200 Bytes, サンプリング周波数"},  // the whole path is the ending
      {"in.aac", "out.aac", "入力サイズ：200 Bytes, サンプリング周波数"},
      // An ADTS file under a ".wav" name goes the other way and is refused.
      {"in.wav", "out.wav", "エラー：WAVファイルでは、ありません。\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    MemoryFileSystem fs;
    fs.SetFile(c.input, s.bytes());
    RecordingHost host;
    ConversionRequest request;
    request.language = Language::kJapanese;
    request.inputPath = c.input;
    request.outputPath = c.output;
    RunConversion(request, host, fs);
    EXPECT_EQ(host.info.rfind(c.infoStart, 0), 0u) << host.info;
  }
}

// A delay the container cannot hold: the English message gives the delay and
// the range, and where the input's name states it, that only a new name helps;
// the Japanese keeps its fixed text.
TEST(RunConversion, AnOutOfRangeDelaySaysItsValueAndWhereItCameFrom) {
  AdtsFields f;
  f.frame_length = 100;
  struct Case {
    int32_t delayMs;
    bool fromName;
    int outputSize;
    Language language;
    const char* message;
  } const cases[] = {
      {INT32_MIN, false, 0, Language::kEnglish,
       "Error: The delay of -2,147,483,648 ms is out of range; it must lie between -22,369,621 and "
       "22,369,621 ms.\r\n"},
      {99999999, true, 1, Language::kEnglish,
       "Error: The delay of 99,999,999 ms that the input file name states is out of range; it must "
       "lie between -44,739,242 and 44,739,242 ms. Rename the file so that its delay lies in that "
       "range (-d0 does not override the name's delay).\r\n"},
      {99999999, true, 0, Language::kJapanese, "エラー：Delayが、大きすぎます。\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.delayMs);
    MemoryFileSystem fs;
    fs.SetFile("in.aac", AdtsStream().Frames(2, f).bytes());
    RecordingHost host;
    ConversionRequest request{"in.aac", "out.wav", c.outputSize, c.delayMs, c.language};
    request.delayFromName = c.fromName;
    const ConversionResult r = RunConversion(request, host, fs);
    EXPECT_EQ(r.failure, Failure::kDelayTooLarge);
    EXPECT_EQ(host.info, c.message);
  }
}

// An output that already holds a file of the input's kind (a second input
// named by mistake) is refused before anything is written; a file of the
// other kind, or of neither, is replaced as before.
TEST(RunConversion, AnExistingOutputOfTheInputsKindIsNeverReplaced) {
  AdtsFields f;
  f.frame_length = 100;
  const testing::Bytes adts = AdtsStream().Frames(2, f).bytes();
  const testing::Bytes tagged =
      testing::Cat({{'I', 'D', '3', 4, 0, 0, 0, 0, 0, 3, 'a', 'b', 'c'}, adts});
  // Version 4 with the footer flag: ten more bytes behind the tag's frames.
  const testing::Bytes footed =
      testing::Cat({{'I', 'D', '3', 4, 0, 0x10, 0, 0, 0, 3, 'a', 'b', 'c'},
                    {'3', 'D', 'I', 4, 0, 0x10, 0, 0, 0, 3},
                    adts});
  const testing::Bytes wav = testing::Cat({testing::ContainerHeader(false, 4), testing::Bytes(4, 0)});
  const testing::Bytes mp3 = {0xFF, 0xFB, 0x90, 0x64, 0, 0, 0, 0, 0, 0, 0, 0};
  constexpr char kIsAac[] = "エラー：出力ファイルが、入力と同じAACファイルです。上書きできません。\r\n";
  constexpr char kIsWav[] = "エラー：出力ファイルが、入力と同じWAVファイルです。上書きできません。\r\n";
  struct Case {
    const char* name;
    const char* input;
    const testing::Bytes* existing;
    const char* refusal;  // nullptr: replaced
    Language language = Language::kJapanese;
    uint32_t permissions = 0644;
  } const cases[] = {
      {"wav over aac", "in.aac", &adts, kIsAac},
      {"wav over aac behind an ID3 tag", "in.aac", &tagged, kIsAac},
      {"wav over aac behind an ID3 tag with a footer", "in.aac", &footed, kIsAac},
      {"wav over aac, English", "in.aac", &adts,
       "Error: The output file \"out\" is an AAC file, like the input, so it is not overwritten: "
       "it may be another input named by mistake. Give another output file name, or remove that "
       "file first.\r\n",
       Language::kEnglish},
      {"read-only aac keeps the older message", "in.aac", &adts,
       "エラー：出力ファイルが、開けません。\r\n", Language::kJapanese, 0444},
      {"wav over wav", "in.aac", &wav, nullptr},
      {"wav over mp3", "in.aac", &mp3, nullptr},
      {"aac over wav", "in.wav", &wav, kIsWav},
      {"aac over aac", "in.wav", &adts, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryFileSystem fs;
    fs.SetFile(c.input, std::string(c.input) == "in.aac" ? adts : wav);
    fs.SetFile("out", *c.existing);
    fs.SetPermissions("out", c.permissions);
    RecordingHost host;
    ConversionRequest request;
    request.inputPath = c.input;
    request.outputPath = "out";
    request.language = c.language;
    const ConversionResult r = RunConversion(request, host, fs);
    EXPECT_EQ(r.failed, c.refusal != nullptr) << host.info;
    if (!c.refusal) continue;
    EXPECT_EQ(host.info, c.refusal);
    EXPECT_EQ(fs.Contents("out"), *c.existing);
    EXPECT_EQ(fs.callCount(FsOp::kCreate), 0u);
    EXPECT_EQ(fs.openHandles(), 0);
  }
}

// A front end whose callback gives up in the middle of a conversion.
class ThrowingHost : public RecordingHost {
 public:
  void PumpEvents() override { throw std::runtime_error("window gone"); }
};

TEST(RunConversion, CallbackThatThrowsEndsTheConversionCleanly) {
  AdtsFields f;
  f.frame_length = 100;
  AdtsStream s;
  s.Frames(3, f);
  MemoryFileSystem fs;
  fs.SetFile("in.aac", s.bytes());
  ThrowingHost host;
  ConversionRequest request;
  request.language = Language::kJapanese;
  request.inputPath = "in.aac";
  request.outputPath = "out.wav";
  const ConversionResult r = RunConversion(request, host, fs);
  EXPECT_TRUE(r.failed);
  EXPECT_FALSE(fs.Exists("out.wav"));
  EXPECT_EQ(fs.openHandles(), 0);
  EXPECT_EQ(host.info.rfind("エラー：", 0), 0u);
  EXPECT_EQ(host.shown.back(), host.info);
}

}  // namespace
}  // namespace tessaro
