#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "engine/convert_command.h"
#include "tests/support/adts_builder.h"
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
    request.inputPath = c.input;
    request.outputPath = c.output;
    RunConversion(request, host, fs);
    EXPECT_EQ(host.info.rfind(c.infoStart, 0), 0u) << host.info;
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
