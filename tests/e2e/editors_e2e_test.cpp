// Which audio tools keep the blocks: each row runs a real tool on a container
// that tessaro-cli wrote, cuts or converts it, and converts the result back.
// Where the blocks survive, the frames come back byte for byte; where a tool
// destroys them, tessaro-cli must warn instead of reporting success.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/e2e/e2e_inputs.h"
#include "tests/e2e/process.h"
#include "tests/support/temp_dir.h"

namespace tessaro::e2e {
namespace {

using testing::FileExists;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

const std::string kNoFrameWarning =
    "エラー：このWAVファイルには、AACのフレームが見つかりませんでした。\n"
    "WAVファイルが編集ソフトで再エンコードされたか、変更された可能性があります。\n";

// The cut every editing row makes: blocks 10 to 29 go, on block boundaries.
constexpr int kCutFrom = 10;
constexpr int kCutTo = 30;
constexpr int kSampleFrames = 64;  // about 1.4 s of the committed sample

enum class Outcome {
  kCut,        // frames 0..9 and 30.. come back exactly, then one silent frame
  kWhole,      // all frames come back exactly, then one silent frame
  kRefused,    // the tool takes no audio from the container
  kDestroyed,  // the blocks are gone: tessaro-cli warns and exits 3
};

struct EditorCase {
  const char* name;
  std::vector<std::string> tools;
  bool eightBit;
  // Commands run in order; {in} is the container, {a} and {b} containers of
  // frames 0..9 and 30.., {tmp} a scratch file, {out} the edited WAV.
  std::vector<std::vector<std::string>> commands;
  Outcome outcome;
};

void PrintTo(const EditorCase& c, std::ostream* os) { *os << c.name; }

const std::string kFfmpegCut =
    "[0]atrim=end_sample=10240[a];[0]atrim=start_sample=30720[b];[a][b]concat=n=2:v=0:a=1";

const EditorCase kCases[] = {
    {"sox_16bit", {"sox"}, false, {{"sox", "{in}", "{out}", "trim", "0", "=10240s", "=30720s"}},
     Outcome::kCut},
    {"sox_8bit", {"sox"}, true, {{"sox", "{in}", "{out}", "trim", "0", "=10240s", "=30720s"}},
     Outcome::kCut},
    {"sndfile_concat_16bit", {"sndfile-concat"}, false, {{"sndfile-concat", "{a}", "{b}", "{out}"}},
     Outcome::kCut},
    {"sndfile_concat_8bit", {"sndfile-concat"}, true, {{"sndfile-concat", "{a}", "{b}", "{out}"}},
     Outcome::kCut},
    {"sndfile_convert_flac_16bit",
     {"sndfile-convert"},
     false,
     {{"sndfile-convert", "{in}", "{tmp}.flac"}, {"sndfile-convert", "{tmp}.flac", "{out}"}},
     Outcome::kWhole},
    {"sndfile_convert_aiff_8bit",
     {"sndfile-convert"},
     true,
     {{"sndfile-convert", "{in}", "{tmp}.aiff"}, {"sndfile-convert", "-pcmu8", "{tmp}.aiff", "{out}"}},
     Outcome::kWhole},
    // Editors that work in 32-bit float: libsndfile scales back by 32767, not 32768.
    {"sndfile_float_16bit",
     {"sndfile-convert"},
     false,
     {{"sndfile-convert", "-float32", "{in}", "{tmp}.wav"},
      {"sndfile-convert", "-pcm16", "{tmp}.wav", "{out}"}},
     Outcome::kDestroyed},
    {"ffmpeg_16bit", {"ffmpeg"}, false, {{"ffmpeg", "-v", "quiet", "-y", "-i", "{in}", "-c:a", "pcm_s16le", "{out}"}},
     Outcome::kRefused},
    {"ffmpeg_8bit", {"ffmpeg"}, true, {{"ffmpeg", "-v", "quiet", "-y", "-i", "{in}", "-c:a", "pcm_u8", "{out}"}},
     Outcome::kRefused},
    {"ffmpeg_raw_16bit",
     {"ffmpeg"},
     false,
     {{"ffmpeg", "-v", "error", "-y", "-f", "s16le", "-ar", "48000", "-ac", "2", "-skip_initial_bytes",
       "44", "-i", "{in}", "-filter_complex", kFfmpegCut, "-c:a", "pcm_s16le", "{out}"}},
     Outcome::kCut},
    {"ffmpeg_raw_8bit",
     {"ffmpeg"},
     true,
     {{"ffmpeg", "-v", "error", "-y", "-f", "u8", "-ar", "48000", "-ac", "2", "-skip_initial_bytes", "44",
       "-i", "{in}", "-filter_complex", kFfmpegCut, "-c:a", "pcm_u8", "{out}"}},
     Outcome::kCut},
    // melt's clip cut is in frames of its 25 fps profile: 10 frames are 0.4 s.
    {"melt_16bit", {"melt"}, false,
     {{"melt", "-silent", "{in}", "in=10", "-consumer", "avformat:{out}", "acodec=pcm_s16le"}},
     Outcome::kDestroyed},
    {"melt_8bit", {"melt"}, true,
     {{"melt", "-silent", "{in}", "in=10", "-consumer", "avformat:{out}", "acodec=pcm_u8"}},
     Outcome::kDestroyed},
};

// The ADTS frames of a stream, each with its header.
std::vector<std::string> SplitFrames(const std::string& aac) {
  std::vector<std::string> frames;
  size_t pos = 0;
  while (pos + 7 <= aac.size()) {
    const auto b = [&](size_t i) { return static_cast<uint8_t>(aac[pos + i]); };
    const size_t length = ((b(3) & 3u) << 11) | (b(4) << 3) | (b(5) >> 5);  // frame_length
    frames.push_back(aac.substr(pos, length));
    pos += length;
  }
  return frames;
}

std::string Join(const std::vector<std::string>& frames, size_t from, size_t to) {
  std::string out;
  for (size_t i = from; i < to && i < frames.size(); ++i) out += frames[i];
  return out;
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
  for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size())) {
    s.replace(at, from.size(), to);
  }
  return s;
}

class Editors : public ::testing::TestWithParam<EditorCase> {
 protected:
  // Converts frames [from, to) of the sample into a container; returns its path.
  std::string Container(const std::string& name, size_t from, size_t to, bool eightBit) {
    const std::string aac = dir_.File(name + ".aac");
    WriteFile(aac, Join(frames_, from, to));
    const std::string wav = dir_.File(name + ".wav");
    const ProcessResult r = RunProgram({kCli, eightBit ? "-s2" : "-s1", aac, wav});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    return wav;
  }

  TempDir dir_;
  std::vector<std::string> frames_;
};

TEST_P(Editors, KeepTheBlocksOrTessaroWarns) {
  const EditorCase& c = GetParam();
  for (const std::string& tool : c.tools) {
    if (!HaveTool(tool)) GTEST_SKIP() << tool << " is not installed (scripts/install-deps tools)";
  }
  const std::vector<std::string> all = SplitFrames(ReadFile(kSamples + "/tone48k_stereo.aac"));
  frames_.assign(all.begin(), all.begin() + kSampleFrames);

  const std::string in = Container("in", 0, frames_.size(), c.eightBit);
  const std::string a = Container("a", 0, kCutFrom, c.eightBit);
  const std::string b = Container("b", kCutTo, frames_.size(), c.eightBit);
  const std::string edited = dir_.File("edited.wav");
  for (const std::vector<std::string>& command : c.commands) {
    std::vector<std::string> argv;
    for (std::string arg : command) {
      arg = Replace(arg, "{in}", in);
      arg = Replace(arg, "{a}", a);
      arg = Replace(arg, "{b}", b);
      arg = Replace(arg, "{tmp}", dir_.File("tmp"));
      arg = Replace(arg, "{out}", edited);
      argv.push_back(arg);
    }
    // melt now and then hangs before it writes anything, most often on a busy
    // machine: a tool that has not finished within a minute is tried once more.
    std::vector<std::string> timed = {"timeout", "-k", "5", "60"};
    timed.insert(timed.end(), argv.begin(), argv.end());
    constexpr int kTimedOut = 124;  // timeout's status when it ended the tool
    ProcessResult r = RunProgram(timed);
    if (r.exitCode == kTimedOut) r = RunProgram(timed);
    // A refusal may or may not show in the tool's exit status.
    if (c.outcome != Outcome::kRefused) {
      ASSERT_EQ(r.exitCode, 0) << argv[0] << ": " << r.err;
    }
  }

  if (c.outcome == Outcome::kRefused) {
    // Nothing but a header: not even one block of audio came through.
    EXPECT_LT(ReadFile(edited).size(), 44u + (c.eightBit ? 2048u : 4096u));
    return;
  }
  ASSERT_TRUE(FileExists(edited));
  const std::string back = dir_.File("back.aac");
  const ProcessResult r = RunProgram({kCli, edited, back});
  switch (c.outcome) {
    case Outcome::kCut:
      EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
      EXPECT_EQ(ReadFile(back), Join(frames_, 0, kCutFrom) + Join(frames_, kCutTo, frames_.size()) +
                                    kSilentStereo);
      break;
    case Outcome::kWhole:
      EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
      EXPECT_EQ(ReadFile(back), Join(frames_, 0, frames_.size()) + kSilentStereo);
      break;
    case Outcome::kDestroyed:
      EXPECT_EQ(r.exitCode, 3) << r.out;
      EXPECT_EQ(r.err, kNoFrameWarning);
      break;
    case Outcome::kRefused:
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(Tools, Editors, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<EditorCase>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
}  // namespace tessaro::e2e
