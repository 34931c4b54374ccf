// Runs the real tessaro-cli on the committed samples and checks its work with
// real tools: ffprobe decodes what it writes, sox reads and edits its WAVs.

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/e2e_inputs.h"
#include "tests/e2e/process.h"
#include "tests/support/temp_dir.h"

namespace tessaro::e2e {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

class CliEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveTool("ffprobe") || !HaveTool("sox")) GTEST_SKIP() << "ffprobe and sox are needed";
  }

  std::string Sample(const std::string& name, const std::string& as) {
    const std::string path = dir_.File(as);
    WriteFile(path, ReadFile(kSamples + "/" + name));
    return path;
  }

  // Frames ffprobe decodes; fails the test on any decoder complaint.
  int DecodedFrames(const std::string& path) {
    const ProcessResult r = RunProgram({"ffprobe", "-v", "error", "-count_frames", "-select_streams", "a",
                                 "-show_entries", "stream=nb_read_frames", "-of", "csv=p=0", path});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "") << "decoder errors in " << path;
    return std::stoi(r.out);
  }

  std::string SoxInfo(const std::string& option, const std::string& path) {
    ProcessResult r = RunProgram({"sox", "--i", option, path});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    while (!r.out.empty() && (r.out.back() == '\n' || r.out.back() == '\r')) r.out.pop_back();
    return r.out;
  }

  TempDir dir_;
};

TEST_F(CliEndToEnd, RoundTripGivesTheFramesBackPlusOneSilentFrame) {
  const std::string aac = Sample("tone48k_stereo.aac", "tone.aac");
  const ProcessResult toWav = RunProgram({kCli, aac});
  ASSERT_EQ(toWav.exitCode, 0) << toWav.out << toWav.err;
  EXPECT_EQ(toWav.err, "");
  const int frames = DecodedFrames(aac);

  EXPECT_EQ(SoxInfo("-r", dir_.File("tone_aac.wav")), "48000");
  EXPECT_EQ(SoxInfo("-c", dir_.File("tone_aac.wav")), "2");
  EXPECT_EQ(SoxInfo("-b", dir_.File("tone_aac.wav")), "16");
  EXPECT_EQ(SoxInfo("-s", dir_.File("tone_aac.wav")), std::to_string(1024 * frames));

  const ProcessResult toAac = RunProgram({kCli, dir_.File("tone_aac.wav")});
  ASSERT_EQ(toAac.exitCode, 0) << toAac.out;
  const std::string back = ReadFile(dir_.File("tone_out.aac"));
  EXPECT_EQ(back, ReadFile(aac) + kSilentStereo);
  EXPECT_EQ(DecodedFrames(dir_.File("tone_out.aac")), frames + 1);
}

TEST_F(CliEndToEnd, HalfSizeWavIsEightBitAndStillRoundTrips) {
  const std::string aac = Sample("tone48k_stereo.aac", "half.aac");
  ASSERT_EQ(RunProgram({kCli, "-s2", aac, dir_.File("half.wav")}).exitCode, 0);
  EXPECT_EQ(SoxInfo("-b", dir_.File("half.wav")), "8");
  EXPECT_EQ(SoxInfo("-s", dir_.File("half.wav")), std::to_string(1024 * DecodedFrames(aac)));
  ASSERT_EQ(RunProgram({kCli, dir_.File("half.wav"), dir_.File("half_back.aac")}).exitCode, 0);
  EXPECT_EQ(ReadFile(dir_.File("half_back.aac")), ReadFile(aac) + kSilentStereo);
}

TEST_F(CliEndToEnd, MonoAt44100RoundTripsWithoutPadding) {
  const std::string aac = Sample("tone44k_mono.aac", "mono.aac");
  ASSERT_EQ(RunProgram({kCli, aac}).exitCode, 0);
  EXPECT_EQ(SoxInfo("-r", dir_.File("mono_aac.wav")), "48000");
  ASSERT_EQ(RunProgram({kCli, dir_.File("mono_aac.wav")}).exitCode, 0);
  // No silent frame exists for 44.1 kHz, so nothing is added at the end.
  EXPECT_EQ(ReadFile(dir_.File("mono_out.aac")), ReadFile(aac));
}

// Edits made in a WAV editor carry over: the frame counts follow from the
// block distances (1024 samples per frame, half a block of tolerance).
TEST_F(CliEndToEnd, SoxEditsRetimeTheFrames) {
  const std::string aac = Sample("tone48k_stereo.aac", "edit.aac");
  ASSERT_EQ(RunProgram({kCli, aac}).exitCode, 0);
  const std::string wav = dir_.File("edit_aac.wav");
  const int n = DecodedFrames(aac);
  struct Case {
    const char* name;
    std::vector<std::string> effect;
    int expectedFrames;
  };
  const Case cases[] = {
      // 0.5 s = 23.4 blocks cut: 24 frames lost, one filler for the 0.44-block
      // remainder, one silent frame at the end.
      {"trim", {"trim", "0.5"}, n - 24 + 1 + 1},
      // 1 s of silence = 46.9 blocks: 47 fillers in front, one silent frame at the end.
      {"pad", {"pad", "1.0", "0"}, n + 47 + 1},
      // 0.5 s cut out at 2 s: as the trim, in the middle.
      {"splice", {"trim", "0", "2", "=2.5"}, n - 24 + 1 + 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string edited = dir_.File(std::string(c.name) + ".wav");
    std::vector<std::string> sox = {"sox", wav, edited};
    sox.insert(sox.end(), c.effect.begin(), c.effect.end());
    ASSERT_EQ(RunProgram(sox).exitCode, 0);
    const std::string out = dir_.File(std::string(c.name) + ".aac");
    ASSERT_EQ(RunProgram({kCli, edited, out}).exitCode, 0);
    EXPECT_EQ(DecodedFrames(out), c.expectedFrames);
  }
}

// Exactly half a block of silence in front is no gap: not one frame moves.
// The frame count alone would not show a filler put in front instead of at
// the end.
TEST_F(CliEndToEnd, HalfABlockOfSilenceInFrontMovesNoFrame) {
  ASSERT_EQ(RunProgram({kCli, Sample("tone48k_stereo.aac", "edit.aac")}).exitCode, 0);
  const std::string wav = dir_.File("edit_aac.wav");
  const std::string half = dir_.File("half.wav");
  ASSERT_EQ(RunProgram({"sox", wav, half, "pad", "512s", "0"}).exitCode, 0);
  ASSERT_EQ(RunProgram({kCli, half, dir_.File("half.aac")}).exitCode, 0);
  ASSERT_EQ(RunProgram({kCli, wav, dir_.File("plain.aac")}).exitCode, 0);
  EXPECT_TRUE(ReadFile(dir_.File("half.aac")) == ReadFile(dir_.File("plain.aac")));
}

TEST_F(CliEndToEnd, DelayTagInTheNameShiftsTheStream) {
  const std::string aac = Sample("tone48k_stereo.aac", "song DELAY 120ms.aac");
  const ProcessResult r = RunProgram({kCli, aac});
  ASSERT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("Delay：120 ms\n"), std::string::npos) << r.out;
  const std::string wav = ReadFile(dir_.File("song DELAY 0ms_aac.wav"));
  // 120 ms at 48 kHz, 4 bytes per sample frame, of zeros before the first block.
  ASSERT_GT(wav.size(), 44u + 23040u + 12u);
  EXPECT_EQ(wav.substr(44, 23040), std::string(23040, '\0'));
  EXPECT_EQ(wav.substr(44 + 23040 + 4, 4), std::string("\x72\xF8\x1F\x4E", 4));
  EXPECT_EQ(SoxInfo("-s", dir_.File("song DELAY 0ms_aac.wav")),
            std::to_string(1024 * DecodedFrames(aac)));
}

TEST_F(CliEndToEnd, DelayOptionOverridesTheName) {
  const std::string aac = Sample("tone48k_stereo.aac", "x DELAY 120ms.aac");
  const ProcessResult r = RunProgram({kCli, "-d-250", aac});
  ASSERT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("Delay：-250 ms\n"), std::string::npos) << r.out;
  const ProcessResult keep = RunProgram({kCli, "-d0", aac});
  EXPECT_NE(keep.out.find("Delay：120 ms\n"), std::string::npos) << keep.out;
}

}  // namespace
}  // namespace tessaro::e2e
