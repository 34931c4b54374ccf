// Regression: a read that returned fewer bytes than asked in the middle of the
// input was taken for the end of the file, and the conversion "succeeded"
// with the rest of the stream silently missing.

#include <gtest/gtest.h>

#include "engine/aac_to_wav.h"
#include "engine/wav_to_aac.h"
#include "tests/support/adts_builder.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_host.h"

namespace tessaro::hardening {
namespace {

using testing::Bytes;
using testing::FaultMode;
using testing::FsOp;
using testing::MemoryFileSystem;

ConversionRequest Request(const char* input, const char* output) {
  return {input, output, 0, 0, Language::kJapanese};
}

constexpr char kReadFailed[] = "エラー：入力ファイルが、読み込めません。\r\n";

Bytes Stream() {
  testing::AdtsFields fields;
  fields.frame_length = 1500;
  return testing::AdtsStream().Frames(1000, fields).bytes();  // three read windows
}

TEST(ShortRead, InTheMiddleOfAnAacInputIsAReadErrorNotTheEnd) {
  for (uint64_t nth : {1, 2}) {
    MemoryFileSystem fs;
    fs.SetFile("in.aac", Stream());
    fs.FailOp(FsOp::kRead, nth, FaultMode::kShort);
    testing::RecordingHost host;
    const ConversionResult r = ConvertAacToWav(Request("in.aac", "out.wav"), host, fs);
    EXPECT_TRUE(fs.faultHit());
    EXPECT_TRUE(r.failed) << "read " << nth;
    EXPECT_EQ(host.info, kReadFailed);
    EXPECT_FALSE(fs.Exists("out.wav"));
  }
}

TEST(ShortRead, InTheMiddleOfAWavInputIsAReadErrorNotTheEnd) {
  MemoryFileSystem maker;
  maker.SetFile("in.aac", Stream());
  testing::RecordingHost makerHost;
  ASSERT_FALSE(ConvertAacToWav(Request("in.aac", "in.wav"), makerHost, maker).failed);
  const Bytes wav = maker.Contents("in.wav");

  // The reads after the header walk fill the data window.
  MemoryFileSystem probe;
  probe.SetFile("in.wav", wav);
  testing::RecordingHost probeHost;
  ASSERT_FALSE(ConvertWavToAac(Request("in.wav", "out.aac"), probeHost, probe).failed);
  const uint64_t reads = probe.callCount(FsOp::kRead);
  ASSERT_GE(reads, 4u);

  for (uint64_t nth = reads - 2; nth < reads; ++nth) {
    MemoryFileSystem fs;
    fs.SetFile("in.wav", wav);
    fs.FailOp(FsOp::kRead, nth, FaultMode::kShort);
    testing::RecordingHost host;
    const ConversionResult r = ConvertWavToAac(Request("in.wav", "out.aac"), host, fs);
    EXPECT_TRUE(r.failed) << "read " << nth;
    EXPECT_EQ(host.info, kReadFailed);
    EXPECT_FALSE(fs.Exists("out.aac"));
  }
}

// The end of the file is still the end: a read that comes back short exactly
// there is no error.
TEST(ShortRead, AtTheRealEndOfTheFileIsTheEnd) {
  MemoryFileSystem fs;
  fs.SetFile("in.aac", Stream());
  testing::RecordingHost host;
  EXPECT_FALSE(ConvertAacToWav(Request("in.aac", "out.wav"), host, fs).failed) << host.info;
  EXPECT_EQ(fs.Contents("out.wav").size(), 44u + 1000 * 4096);
}

}  // namespace
}  // namespace tessaro::hardening
