// Which editing tools keep the blocks. Each row of the editor table writes a
// container of the committed sample in one of the two block flavours, edits it
// with a real tool the way that tool's editors do (a cut on a block boundary
// and one off it, a moved piece, an inserted gap), converts the result back and
// compares it frame for frame with what the edit implies. Where a tool destroys
// the blocks, tessaro-cli must warn instead of reporting success. A smaller
// table runs the container through other file formats and back.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
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
    "WAVファイルが編集ソフトで再エンコードされたか、変更された可能性があります。\n"
    "編集ソフトが、音声をデコード、リサンプリング、ディザリングなどで加工した可能性が高いです。\n"
    "--for-editors を付けてWAVファイルを作り直し、編集ソフトのプロジェクトは、48 kHz、"
    "16ビットか8ビットにして、このトラックには、エフェクトをかけないでください。\n";

// The first 60 frames of the committed sample: 1.28 s, which is exactly 32
// frames of 25 fps video, so that every edit below lies on a video frame.
constexpr int kFrames = 60;
// Every edit is made in 25 fps video frames of 1,920 samples (melt's unit);
// 8 of them are 15 blocks of 1,024 samples.
constexpr int kSamplesPerTick = 1920;
constexpr int kContainerTicks = 32;

// ---------------------------------------------------------------------------
// The two block flavours: tessaro-cli writes either, and reads both.

enum class Flavour {
  kClassic,  // the default preamble, which IEC 61937 detectors take for an AAC burst
  kEditors,  // --for-editors: a preamble that every WAV reader leaves as plain PCM
};

ProcessResult WriteContainer(const std::string& aac, const std::string& wav, bool eightBit,
                             Flavour flavour) {
  std::vector<std::string> argv = {kCli, eightBit ? "-s2" : "-s1", aac, wav};
  if (flavour == Flavour::kEditors) argv.insert(argv.begin() + 1, "--for-editors");
  return RunProgram(argv);
}

ProcessResult ReadContainer(const std::string& wav, const std::string& aac) {
  return RunProgram({kCli, wav, aac});
}

std::string ReplaceAll(std::string s, const std::string& from, const std::string& to) {
  for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size())) {
    s.replace(at, from.size(), to);
  }
  return s;
}

// ---------------------------------------------------------------------------
// What comes back.

// Frames [from, to) of the sample, or `to` silent frames where from is kSilence.
struct Span {
  int from;
  int to;
};
constexpr int kSilence = -1;

enum class Outcome {
  kKept,  // the frames the edit implies come back byte for byte, then one silent frame
  kLost,  // no frame comes back: tessaro-cli warns (exit 3), or the tool wrote no audio at all
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

// The frames of the spans, one after the other.
std::string Frames(const std::vector<std::string>& frames, const std::vector<Span>& spans) {
  std::string out;
  for (const Span& span : spans) {
    for (int i = 0; i < span.to; ++i) {
      if (span.from == kSilence) {
        out += kSilentStereo;
      } else if (i >= span.from) {
        out += frames[static_cast<size_t>(i)];
      }
    }
  }
  return out;
}

// Checks a conversion back, which wrote `back`, against the outcome.
void ExpectBack(Outcome outcome, const ProcessResult& r, const std::string& back,
                const std::vector<std::string>& frames, const std::vector<Span>& spans) {
  const std::string got = ReadFile(back);
  if (outcome == Outcome::kKept) {
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    // The end of the data pads one silent frame.
    EXPECT_EQ(got, Frames(frames, spans) + kSilentStereo);
    return;
  }
  std::string silence;
  while (silence.size() < got.size()) silence += kSilentStereo;
  EXPECT_EQ(got, silence) << "frames came back";
  if (got.size() > kSilentStereo.size()) {
    EXPECT_EQ(r.exitCode, 3) << r.out;
    EXPECT_EQ(r.err, kNoFrameWarning);
  } else {
    // Not even one block of audio came through: an empty WAV is no warning.
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
  }
}

// Runs a tool that writes `output`; a run it abandoned, one killed at the
// time limit and one ended by a signal are tried again, up to twenty runs in
// all. The limit is only a safety bound: a render here takes a second or two
// even on a loaded machine, and an abandoned run is over in a fraction of it.
ProcessResult RunTool(const std::vector<std::string>& argv, const std::string& output) {
  // melt now and then renders nothing and never ends: its render thread saw
  // the consumer not yet marked as running, so it closed the output empty and
  // ended, and then the main thread marked it as running and waits for ever
  // for it to stop. On a loaded two-core machine that was one run in five to
  // two, whatever real_time, -silent or -progress say, and five in a row did
  // happen. The empty output closed is the sign: such a run is killed at once
  // and run again.
  constexpr int kLimitSeconds = 60;
  const auto run = [&] {
    if (argv[0] == "melt") return RunWatchingOutput(argv, output, kLimitSeconds);
    std::vector<std::string> timed = {"timeout", "-k", "5", std::to_string(kLimitSeconds)};
    timed.insert(timed.end(), argv.begin(), argv.end());
    return RunProgram(timed);
  };
  constexpr int kTimedOut = 124;  // timeout's status when it ended the tool
  constexpr int kBySignal = 128;  // and above: ended by a signal
  const auto ended = [](const ProcessResult& r) {
    return r.exitCode == kGaveUp || r.exitCode == kTimedOut || r.exitCode > kBySignal;
  };
  ProcessResult r = run();
  for (int attempt = 1; attempt < 20 && ended(r); ++attempt) r = run();
  return r;
}

// ---------------------------------------------------------------------------
// The edits, in 25 fps video frames ("ticks") of the container.

// Ticks [from, to) of the container, or `to` ticks of silence where from is kGap.
struct Piece {
  int from;
  int to;
};
constexpr int kGap = -1;

struct Edit {
  const char* name;
  std::vector<Piece> pieces;  // the edited timeline, in order; never starts with a gap
  std::vector<Span> back;     // the frames converting back must give
};

const Edit kEdits[] = {
    // Ticks 8..15 are blocks 15..29.
    {"cut_on_block_boundary", {{0, 8}, {16, 32}}, {{0, 15}, {30, 60}}},
    // Ticks 4 and 12 fall in the middle of blocks 7 and 22: block 7 keeps its
    // frame in its first half, block 22 loses its frame with its first half.
    {"cut_off_block_boundary", {{0, 4}, {12, 32}}, {{0, 8}, {23, 60}}},
    {"moved_piece", {{16, 24}, {0, 16}, {24, 32}}, {{30, 45}, {0, 30}, {45, 60}}},
    {"inserted_gap", {{0, 8}, {kGap, 8}, {8, 32}}, {{0, 15}, {kSilence, 15}, {15, 60}}},
};

void PrintTo(const Edit& e, std::ostream* os) { *os << e.name; }

int TimelineTicks(const Edit& edit) {
  int ticks = 0;
  for (const Piece& p : edit.pieces) ticks += p.from == kGap ? p.to : p.to - p.from;
  return ticks;
}

std::string Samples(int ticks) { return std::to_string(ticks * kSamplesPerTick); }

// Seconds as GES reads them: a tick is 0.04 s.
std::string Seconds(int ticks) {
  const int hundredths = ticks * 4;
  const std::string cents = std::to_string(100 + hundredths % 100).substr(1);
  return std::to_string(hundredths / 100) + "." + cents;
}

std::string Fill(std::string text, const std::vector<std::pair<std::string, std::string>>& names) {
  for (const auto& [name, value] : names) text = ReplaceAll(text, "{" + name + "}", value);
  return text;
}

// ---------------------------------------------------------------------------
// How each tool makes an edit: the commands that turn `in` into `out`.

using Command = std::vector<std::string>;

struct Files {
  std::string in;       // the container
  std::string out;      // the edited WAV
  const TempDir& dir;   // for the tool's own files
};

// ffmpeg: one atrim per piece, apad for a gap behind it, concat.
std::vector<Command> Ffmpeg(const Edit& edit, const Files& f, bool eightBit) {
  int sources = 0;
  for (const Piece& p : edit.pieces) sources += p.from != kGap;
  std::string graph = "[0]asplit=" + std::to_string(sources);
  std::string labels;
  for (int i = 0; i < sources; ++i) graph += "[s" + std::to_string(i) + "]";
  int source = 0;
  for (const Piece& p : edit.pieces) {
    if (p.from == kGap) {  // pads the piece before it, ahead of its output label
      graph.insert(graph.rfind('['), ",apad=pad_len=" + Samples(p.to));
      continue;
    }
    const std::string s = std::to_string(source++);
    graph += ";[s" + s + "]atrim=start_sample=" + Samples(p.from) + ":end_sample=" + Samples(p.to) +
             ",asetpts=PTS-STARTPTS[p" + s + "]";
    labels += "[p" + s + "]";
  }
  graph += ";" + labels + "concat=n=" + std::to_string(sources) + ":v=0:a=1";
  return {{"ffmpeg", "-v", "error", "-y", "-i", f.in, "-filter_complex", graph, "-c:a",
           eightBit ? "pcm_u8" : "pcm_s16le", f.out}};
}

// melt's own command line: a playlist of cuts and blanks, nothing else.
std::vector<Command> MeltPlaylist(const Edit& edit, const Files& f, bool eightBit) {
  Command melt = {"melt", "-silent"};
  for (const Piece& p : edit.pieces) {
    if (p.from == kGap) {
      melt.insert(melt.end(), {"-blank", std::to_string(p.to - 1)});  // -blank takes the last frame
    } else {
      melt.insert(melt.end(),
                  {f.in, "in=" + std::to_string(p.from), "out=" + std::to_string(p.to - 1)});
    }
  }
  melt.insert(melt.end(), {"-consumer", "avformat:" + f.out, "f=wav",
                           eightBit ? "acodec=pcm_u8" : "acodec=pcm_s16le", "ar=48000", "channels=2",
                           "real_time=-1"});
  return {melt};
}

// An MLT project as Kdenlive and Shotcut save and render it.
std::vector<Command> MltProject(const Edit& edit, const Files& f, bool eightBit) {
  const std::string volume =
      "<filter><property name=\"mlt_service\">volume</property>"
      "<property name=\"level\">0</property></filter>";
  std::string entries;
  for (const Piece& p : edit.pieces) {
    if (p.from == kGap) {
      entries += "  <blank length=\"" + std::to_string(p.to) + "\"/>\n";
    } else {
      entries += "  <entry producer=\"container\" in=\"" + std::to_string(p.from) + "\" out=\"" +
                 std::to_string(p.to - 1) + "\">" + volume + "</entry>\n";
    }
  }
  const int ticks = TimelineTicks(edit);
  const std::string project = f.dir.File("project.mlt");
  WriteFile(project, Fill(ReadFile(std::string(TESSARO_SOURCE_DIR) + "/tests/e2e/editors_project.mlt"),
                          {{"in", f.in},
                           {"out", f.out},
                           {"acodec", eightBit ? "pcm_u8" : "pcm_s16le"},
                           {"length", std::to_string(ticks)},
                           {"last", std::to_string(ticks - 1)},
                           {"containerLength", std::to_string(kContainerTicks)},
                           {"containerLast", std::to_string(kContainerTicks - 1)},
                           {"entries", entries}}));
  return {{"melt", "-silent", project}};
}

// GStreamer's editing services as Pitivi drives them: an audio track at the
// project's rate (Pitivi takes the first clip's, 48 kHz here), one clip per
// piece, rendered to WAV.
std::vector<Command> Ges(const Edit& edit, const Files& f, bool eightBit) {
  Command ges = {"ges-launch-1.0", "--no-interactive", "-t", "audio", "--audio-caps",
                 "audio/x-raw,rate=48000,channels=2"};
  int start = 0;
  for (const Piece& p : edit.pieces) {
    if (p.from != kGap) {
      ges.insert(ges.end(), {"+clip", f.in, "inpoint=" + Seconds(p.from),
                             "duration=" + Seconds(p.to - p.from), "start=" + Seconds(start)});
    }
    start += p.from == kGap ? p.to : p.to - p.from;
  }
  ges.insert(ges.end(), {"-o", f.out, "-f",
                         std::string("audio/x-wav:audio/x-raw,format=") + (eightBit ? "U8" : "S16LE")});
  return {ges};
}

// sox: one trim per piece, pad for a gap behind it, then the pieces joined.
std::vector<Command> Sox(const Edit& edit, const Files& f, bool /*eightBit*/) {
  std::vector<Command> commands;
  Command join = {"sox"};
  for (const Piece& p : edit.pieces) {
    if (p.from == kGap) {
      commands.back().insert(commands.back().end(), {"pad", "0", Samples(p.to) + "s"});
      continue;
    }
    const std::string piece = f.dir.File("piece" + std::to_string(commands.size()) + ".wav");
    commands.push_back({"sox", f.in, piece, "trim", Samples(p.from) + "s", "=" + Samples(p.to) + "s"});
    join.push_back(piece);
  }
  join.push_back(f.out);
  commands.push_back(join);
  return commands;
}

struct Tool {
  const char* name;
  const char* program;
  bool eightBit;
  Outcome classic;
  Outcome editors;
  std::vector<Command> (*commands)(const Edit&, const Files&, bool eightBit);
};

void PrintTo(const Tool& t, std::ostream* os) { *os << t.name; }

// Beside a tool that loses the blocks: why, and what the user can do.
// Not in the table: MLT with 8-bit files. Behind a blank it writes 16-bit
// samples into the 8-bit file, and a second cut of a file it has open can
// start one block late; keep MLT's projects at 16 bits.
const Tool kTools[] = {
    // libavformat's WAV reader takes the classic blocks for IEC 61937 AAC
    // bursts and cannot decode them: it writes no audio, or only the padded
    // silence. Write the editors' flavour (--for-editors).
    {"ffmpeg_16bit", "ffmpeg", false, Outcome::kLost, Outcome::kKept, Ffmpeg},
    {"ffmpeg_8bit", "ffmpeg", true, Outcome::kLost, Outcome::kKept, Ffmpeg},
    {"melt_playlist_16bit", "melt", false, Outcome::kLost, Outcome::kKept, MeltPlaylist},
    // MLT takes the audio of every transition and filter through 32-bit float
    // and back with a factor of 32767 instead of 32768: every sample that is
    // not zero moves one step towards zero, in either flavour. Kdenlive and
    // Shotcut put a "mix" transition on every track, so no setting helps: cut
    // the audio in a tool that passes the samples through (ffmpeg, melt
    // without transitions or filters, sox, GES at 48 kHz), in the editors'
    // flavour.
    {"mlt_project_16bit", "melt", false, Outcome::kLost, Outcome::kLost, MltProject},
    {"ges_16bit", "ges-launch-1.0", false, Outcome::kKept, Outcome::kKept, Ges},
    // GStreamer's mixer adds 8-bit samples with their offset of 128, and its
    // converter dithers on the way back to 8 bits: use the 16-bit container.
    {"ges_8bit", "ges-launch-1.0", true, Outcome::kLost, Outcome::kLost, Ges},
    {"sox_16bit", "sox", false, Outcome::kKept, Outcome::kKept, Sox},
    {"sox_8bit", "sox", true, Outcome::kKept, Outcome::kKept, Sox},
};

// The first kFrames frames of the committed sample.
std::vector<std::string> SampleFrames() {
  const std::vector<std::string> all = SplitFrames(ReadFile(kSamples + "/tone48k_stereo.aac"));
  return {all.begin(), all.begin() + kFrames};
}

const char* FlavourName(Flavour f) { return f == Flavour::kClassic ? "classic" : "editors"; }
void PrintTo(Flavour f, std::ostream* os) { *os << FlavourName(f); }

class Editors : public ::testing::TestWithParam<std::tuple<Tool, Edit, Flavour>> {};

TEST_P(Editors, KeepTheBlocksOrTessaroWarns) {
  const auto& [tool, edit, flavour] = GetParam();
  if (!HaveTool(tool.program)) {
    GTEST_SKIP() << tool.program << " is not installed (scripts/install-deps tools)";
  }
  const std::vector<std::string> frames = SampleFrames();
  TempDir dir;
  const Files files{dir.File("in.wav"), dir.File("edited.wav"), dir};
  WriteFile(dir.File("in.aac"), Frames(frames, {{0, kFrames}}));
  ASSERT_EQ(WriteContainer(dir.File("in.aac"), files.in, tool.eightBit, flavour).exitCode, 0);
  for (const Command& command : tool.commands(edit, files, tool.eightBit)) {
    const ProcessResult r = RunTool(command, files.out);
    // ffmpeg ends with status 0 even where it could not decode its input.
    ASSERT_EQ(r.exitCode, 0) << command[0] << ": " << r.err;
  }
  ASSERT_TRUE(FileExists(files.out));
  const std::string back = dir.File("back.aac");
  const ProcessResult r = ReadContainer(files.out, back);
  ExpectBack(flavour == Flavour::kClassic ? tool.classic : tool.editors, r, back, frames, edit.back);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Editors,
    ::testing::Combine(::testing::ValuesIn(kTools), ::testing::ValuesIn(kEdits),
                       ::testing::Values(Flavour::kClassic, Flavour::kEditors)),
    [](const ::testing::TestParamInfo<Editors::ParamType>& param) {
      return std::string(std::get<0>(param.param).name) + "_" + std::get<1>(param.param).name + "_" +
             FlavourName(std::get<2>(param.param));
    });

// ---------------------------------------------------------------------------
// Through other file formats and back, and joined pieces: the same in both
// flavours, since no tool here looks at the preamble.

struct RoundTrip {
  const char* name;
  const char* program;
  bool eightBit;
  // Run in order; {in} is the container, {a} and {b} containers of frames
  // 0..14 and 30..59, {tmp} a scratch name, {out} the edited WAV.
  std::vector<Command> commands;
  Outcome outcome;
  std::vector<Span> back;
};

void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }

const std::vector<Span> kWhole = {{0, kFrames}};
const std::vector<Span> kJoined = {{0, 15}, {30, kFrames}};

// ffmpeg reads the container as PCM when it is told that the data after the
// 44-byte header is raw samples; the cut is the one of kJoined.
Command FfmpegRawCut(const std::string& format, const std::string& codec) {
  return {"ffmpeg", "-v", "error", "-y", "-f", format, "-ar", "48000", "-ac", "2", "-skip_initial_bytes", "44",
          "-i", "{in}", "-filter_complex",
          "[0]atrim=end_sample=15360[a];[0]atrim=start_sample=30720,asetpts=PTS-STARTPTS[b];"
          "[a][b]concat=n=2:v=0:a=1",
          "-c:a", codec, "{out}"};
}

const RoundTrip kRoundTrips[] = {
    {"sndfile_concat_16bit", "sndfile-concat", false, {{"sndfile-concat", "{a}", "{b}", "{out}"}},
     Outcome::kKept, kJoined},
    {"sndfile_concat_8bit", "sndfile-concat", true, {{"sndfile-concat", "{a}", "{b}", "{out}"}},
     Outcome::kKept, kJoined},
    {"sndfile_convert_flac_16bit",
     "sndfile-convert",
     false,
     {{"sndfile-convert", "{in}", "{tmp}.flac"}, {"sndfile-convert", "{tmp}.flac", "{out}"}},
     Outcome::kKept,
     kWhole},
    {"sndfile_convert_aiff_8bit",
     "sndfile-convert",
     true,
     {{"sndfile-convert", "{in}", "{tmp}.aiff"}, {"sndfile-convert", "-pcmu8", "{tmp}.aiff", "{out}"}},
     Outcome::kKept,
     kWhole},
    // Editors that work in 32-bit float: libsndfile scales back by 32767, not
    // 32768, so every sample that is not zero moves one step towards zero.
    // Keep such an editor's project at 16 bits.
    {"sndfile_float_16bit",
     "sndfile-convert",
     false,
     {{"sndfile-convert", "-float32", "{in}", "{tmp}.wav"}, {"sndfile-convert", "-pcm16", "{tmp}.wav", "{out}"}},
     Outcome::kLost,
     {}},
    {"ffmpeg_raw_16bit", "ffmpeg", false, {FfmpegRawCut("s16le", "pcm_s16le")}, Outcome::kKept, kJoined},
    {"ffmpeg_raw_8bit", "ffmpeg", true, {FfmpegRawCut("u8", "pcm_u8")}, Outcome::kKept, kJoined},
};

class RoundTrips : public ::testing::TestWithParam<std::tuple<RoundTrip, Flavour>> {};

TEST_P(RoundTrips, KeepTheBlocksOrTessaroWarns) {
  const auto& [c, flavour] = GetParam();
  if (!HaveTool(c.program)) {
    GTEST_SKIP() << c.program << " is not installed (scripts/install-deps tools)";
  }
  const std::vector<std::string> frames = SampleFrames();
  TempDir dir;
  const auto container = [&](const std::string& name, const std::vector<Span>& spans) {
    WriteFile(dir.File(name + ".aac"), Frames(frames, spans));
    const std::string wav = dir.File(name + ".wav");
    EXPECT_EQ(WriteContainer(dir.File(name + ".aac"), wav, c.eightBit, flavour).exitCode, 0);
    return wav;
  };
  const std::vector<std::pair<std::string, std::string>> names = {
      {"in", container("in", kWhole)},
      {"a", container("a", {kJoined[0]})},
      {"b", container("b", {kJoined[1]})},
      {"tmp", dir.File("tmp")},
      {"out", dir.File("edited.wav")}};
  for (Command command : c.commands) {
    for (std::string& arg : command) arg = Fill(arg, names);
    const ProcessResult r = RunTool(command, dir.File("edited.wav"));
    ASSERT_EQ(r.exitCode, 0) << command[0] << ": " << r.err;
  }
  ASSERT_TRUE(FileExists(dir.File("edited.wav")));
  const std::string back = dir.File("back.aac");
  ExpectBack(c.outcome, ReadContainer(dir.File("edited.wav"), back), back, frames, c.back);
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTrips,
                         ::testing::Combine(::testing::ValuesIn(kRoundTrips),
                                            ::testing::Values(Flavour::kClassic, Flavour::kEditors)),
                         [](const ::testing::TestParamInfo<RoundTrips::ParamType>& param) {
                           return std::string(std::get<0>(param.param).name) + "_" +
                                  FlavourName(std::get<1>(param.param));
                         });

}  // namespace
}  // namespace tessaro::e2e
