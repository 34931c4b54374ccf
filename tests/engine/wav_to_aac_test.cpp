#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "engine/wav_to_aac.h"
#include "tests/support/adts_builder.h"
#include "tests/support/container_builder.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_host.h"

namespace tessaro {
namespace {

using testing::AdtsFields;
using testing::AdtsFrame;
using testing::AdtsStream;
using testing::Bytes;
using testing::Cat;
using testing::ContainerHeader;
using testing::ExpectedBlock;
using testing::FaultMode;
using testing::FsOp;
using testing::HostCall;
using testing::MemoryFileSystem;
using testing::RecordingHost;

constexpr char kIn[] = "in.wav";
constexpr char kOut[] = "out.aac";
constexpr size_t kHeader = 44;

// The 48 kHz stereo silent frame the converter fills gaps with.
const Bytes kSilentStereo = {0xFF, 0xF9, 0x4C, 0x80, 0x02, 0x1F, 0xFC, 0x21,
                             0x00, 0x49, 0x90, 0x02, 0x19, 0x00, 0x23, 0x80};

AdtsFields Frame(uint32_t length, uint32_t samplingIndex = 3, uint32_t channels = 2) {
  AdtsFields f;
  f.sampling_frequency_index = samplingIndex;  // 3: 48000 Hz
  f.channel_configuration = channels;
  f.frame_length = length;                     // whole frame, header included
  return f;
}

// The container the other direction writes for these frames (no delay, no damage).
Bytes Container(const std::vector<Bytes>& frames, size_t blockSize = 4096,
                BlockFlavour flavour = BlockFlavour::kClassic) {
  Bytes out = ContainerHeader(blockSize == 2048, static_cast<uint32_t>(frames.size() * blockSize));
  for (const Bytes& f : frames) {
    const Bytes b = ExpectedBlock(f, blockSize, flavour);
    out.insert(out.end(), b.begin(), b.end());
  }
  return out;
}

std::vector<Bytes> Frames(size_t count, const AdtsFields& fields) {
  AdtsStream s;
  s.Frames(count, fields, 1);
  return s.frames();
}

Bytes Concat(const std::vector<Bytes>& parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

struct Outcome {
  ConversionResult result;
  Bytes output;
  bool outputExists = false;
};

Outcome Convert(MemoryFileSystem& fs, RecordingHost& host) {
  ConversionRequest request;
  request.language = Language::kJapanese;
  request.inputPath = kIn;
  request.outputPath = kOut;
  request.outputSize = 1;    // ignored in this direction
  request.delayMs = 500;     // ignored in this direction
  Outcome o;
  o.result = ConvertWavToAac(request, host, fs);
  o.outputExists = fs.Exists(kOut);
  o.output = fs.Contents(kOut);
  return o;
}

Outcome Convert(const Bytes& input, RecordingHost& host) {
  MemoryFileSystem fs;
  fs.SetFile(kIn, input);
  Outcome o = Convert(fs, host);
  EXPECT_EQ(fs.openHandles(), 0);
  return o;
}

std::string MismatchRecord(uint32_t offset, const Bytes& frame, const Bytes& stored) {
  const testing::Checksum c = testing::WordChecksum(frame);
  char text[64];
  std::snprintf(text, sizeof text, "[%08X:%04X,%04X %02X %02X %02X %02X]", offset, c.sum, c.exclusiveOr,
                stored[0], stored[1], stored[2], stored[3]);
  return text;
}

// The converter's edge cases, run on containers of each flavour, so that the
// reader takes both preambles alike: Container and ExpectedBlock here write
// the flavour of the run.
class ConvertWavToAacInEachFlavour : public ::testing::TestWithParam<BlockFlavour> {
 protected:
  Bytes Container(const std::vector<Bytes>& frames, size_t blockSize = 4096) const {
    return tessaro::Container(frames, blockSize, GetParam());
  }
  Bytes ExpectedBlock(const Bytes& frame, size_t blockSize) const {
    return testing::ExpectedBlock(frame, blockSize, GetParam());
  }
  // The 8 bytes in front of a frame.
  Bytes Preamble() const {
    const Bytes front = testing::ExpectedBlock(Bytes{}, 0, 12, GetParam());
    return Bytes(front.begin() + 4, front.end());
  }
};

INSTANTIATE_TEST_SUITE_P(Flavours, ConvertWavToAacInEachFlavour, ::testing::ValuesIn(testing::kBothFlavours),
                         [](const auto& param) { return testing::FlavourName(param.param); });

TEST_P(ConvertWavToAacInEachFlavour, RoundTripAddsOneSilentFrameAtTheEnd) {
  AdtsStream s;
  s.Frame(Frame(100), 1).Frame(Frame(2021), 2).Frame(Frame(8), 3).Frame(Frame(333), 4).Frame(Frame(1001), 5);
  for (size_t blockSize : {4096u, 2048u}) {
    SCOPED_TRACE(blockSize);
    RecordingHost host;
    const Outcome o = Convert(Container(s.frames(), blockSize), host);
    EXPECT_FALSE(o.result.failed);
    // The scan stops one past the last (zero) byte: a drift of -3, worth one
    // more frame.
    EXPECT_EQ(o.output, Cat({s.bytes(), kSilentStereo}));
    EXPECT_EQ(o.result.flavours, WithFlavour(FlavoursSeen::kNone, GetParam()));
    const std::string inputSize = blockSize == 4096 ? "20,524" : "10,284";
    // 3,479 bytes; 6 frames: 0.128 s
    EXPECT_EQ(host.info, "入力サイズ：" + inputSize +
                             " Bytes, サンプリング周波数：48000 Hz, チャンネル数：2\r\n"
                             "出力サイズ：3,479 Bytes, 時間：00:00:00.13\r\n");
  }
}

TEST(ConvertWavToAac, InfoLinesAndTheirRedrawPoints) {
  RecordingHost host;
  Convert(Container(Frames(2, Frame(100))), host);
  const std::vector<HostCall> info = host.InfoCalls();
  ASSERT_EQ(info.size(), 4u);
  EXPECT_EQ(info[0].kind, HostCall::Kind::kSetInfo);
  EXPECT_FALSE(info[0].redraw);
  EXPECT_TRUE(info[1].redraw);   // sampling line
  EXPECT_FALSE(info[2].redraw);  // output size
  EXPECT_TRUE(info[3].redraw);   // time line, the last call of all
  EXPECT_EQ(host.calls.back().text, info[3].text);
  // One per frame, none for the silent one; two before the output is put in place.
  EXPECT_EQ(host.Count(HostCall::Kind::kPump), 4);
  EXPECT_EQ(host.Count(HostCall::Kind::kError), 0);
  // The data fits in one window: progress is 100 from the first scan step.
  const std::vector<int> progress = host.Progress();
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress[1], 100);
}

TEST_P(ConvertWavToAacInEachFlavour, NoFramesAreAddedWithoutASilentTemplate) {
  struct Case {
    const char* name;
    AdtsFields fields;
    const char* time;
  } const cases[] = {
      {"44.1 kHz", Frame(200, 4, 2), "00:00:00.09"},  // 4 x 1024 / 44100
      {"three channels", Frame(200, 3, 3), "00:00:00.09"},  // 4 x 1024 / 48000
      {"reserved index", Frame(200, 14, 2), "--:--:--.--"},  // 0 Hz
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Bytes> frames = Frames(4, c.fields);
    RecordingHost host;
    const Outcome o = Convert(Container(frames), host);
    EXPECT_EQ(o.output, Concat(frames));
    EXPECT_NE(host.info.find(std::string("時間：") + c.time + "\r\n"), std::string::npos) << host.info;
  }
}

TEST(ConvertWavToAac, SmallestFileGivesOneSilentFrame) {
  RecordingHost host;
  const Outcome o = Convert(Cat({ContainerHeader(false, 4), Bytes(4, 0)}), host);  // 48 bytes
  EXPECT_EQ(o.output, kSilentStereo);
  EXPECT_EQ(host.info, "入力サイズ：48 Bytes, 出力サイズ：16 Bytes, 時間：00:00:00.02\r\n");
  // Less than a block of data: finding no frame there is no warning.
  EXPECT_FALSE(o.result.noFrameFound);
  EXPECT_EQ(host.Count(HostCall::Kind::kError), 0);
}

TEST(ConvertWavToAac, PlainPcmGivesSilentFramesForItsLength) {
  Bytes pcm(13516);  // 3.3 blocks of sample bytes, none of them zero
  for (size_t i = 0; i < pcm.size(); ++i) pcm[i] = static_cast<uint8_t>(1 + i % 100);
  RecordingHost host;
  const Outcome o = Convert(Cat({ContainerHeader(false, 13516), pcm}), host);
  // round(3.3) + 1 silent frames; no sampling line; 4 x 1024 / 48000 s.
  EXPECT_EQ(o.output, Cat({kSilentStereo, kSilentStereo, kSilentStereo, kSilentStereo}));
  EXPECT_EQ(host.info, "入力サイズ：13,560 Bytes, 出力サイズ：64 Bytes, 時間：00:00:00.09\r\n");
  // Not a clean success: the warning goes to the error window and the log,
  // after the report is complete.
  EXPECT_TRUE(o.result.noFrameFound);
  EXPECT_FALSE(o.result.failed);
  EXPECT_EQ(o.result.flavours, FlavoursSeen::kNone);
  ASSERT_EQ(host.calls.back().kind, HostCall::Kind::kError);
  EXPECT_EQ(host.calls.back().value, 1);
  EXPECT_EQ(host.Errors(), std::vector<std::string>{
                               "エラー：このWAVファイルには、AACのフレームが見つかりませんでした。\r\n"
                               "WAVファイルが編集ソフトで再エンコードされたか、変更された可能性があります。\r\n"
                               "編集ソフトが、音声をデコード、リサンプリング、ディザリングなどで加工した"
                               "可能性が高いです。\r\n"
                               "--for-editors を付けてWAVファイルを作り直し、編集ソフトのプロジェクトは、"
                               "48 kHz、16ビットか8ビットにして、このトラックには、エフェクトをかけないで"
                               "ください。\r\n"});
}

// An editor may join pieces written at different times: the blocks of both
// flavours in one file are all taken, each at its place.
TEST(ConvertWavToAac, BlocksOfBothFlavoursInOneFileAreAllTaken) {
  const std::vector<Bytes> frames = Frames(6, Frame(100));
  Bytes wav = ContainerHeader(false, 6 * 4096);
  for (size_t i = 0; i < frames.size(); ++i) {
    const BlockFlavour flavour = i < 3 || i == 4 ? BlockFlavour::kClassic : BlockFlavour::kEditors;
    wav = Cat({wav, ExpectedBlock(frames[i], 4096, flavour)});
  }
  RecordingHost host;
  const Outcome o = Convert(wav, host);
  EXPECT_EQ(o.output, Cat({Concat(frames), kSilentStereo}));
  EXPECT_EQ(o.result.flavours, FlavoursSeen::kMixed);
  EXPECT_EQ(o.result.mismatchCount, 0u);
}

TEST_P(ConvertWavToAacInEachFlavour, NoFrameWarningNeedsAFullBlockWithoutAnyFrame) {
  struct Case {
    const char* name;
    Bytes input;
    bool warned;
  } const cases[] = {
      {"one block of zeros", Cat({ContainerHeader(false, 4096), Bytes(4096, 0)}), true},
      {"a byte short of a block", Cat({ContainerHeader(false, 4095), Bytes(4095, 0)}), false},
      {"one damaged frame", [this] {
         Bytes c = Container(Frames(1, Frame(100)));
         c[kHeader + 12 + 20] ^= 0x55;
         return c;
       }(), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingHost host;
    const Outcome o = Convert(c.input, host);
    EXPECT_EQ(o.result.noFrameFound, c.warned);
    EXPECT_EQ(host.Count(HostCall::Kind::kError), c.warned ? 1 : 0);
  }
}

TEST_P(ConvertWavToAacInEachFlavour, InsertedZerosBecomeSilentFrames) {
  struct Case {
    size_t zeros;
    size_t fillers;
  } const cases[] = {
      {4, 0},
      {2048, 0},  // exactly half a block: nothing
      {2052, 1},
      {6552, 2},  // 1.6 blocks
      {8192, 2},
  };
  const std::vector<Bytes> frames = Frames(6, Frame(100));
  const Bytes wav = Container(frames);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zeros);
    Bytes edited = wav;
    edited.insert(edited.begin() + kHeader + 3 * 4096, c.zeros, 0);  // in front of the 4th block
    RecordingHost host;
    const Outcome o = Convert(edited, host);
    std::vector<Bytes> expected(frames.begin(), frames.begin() + 3);
    expected.insert(expected.end(), c.fillers, kSilentStereo);
    expected.insert(expected.end(), frames.begin() + 3, frames.end());
    expected.push_back(kSilentStereo);  // the end rule
    EXPECT_EQ(o.output, Concat(expected));
  }
}

TEST_P(ConvertWavToAacInEachFlavour, WithoutASilentTemplateTheFrameItselfFillsTheGap) {
  const std::vector<Bytes> frames = Frames(4, Frame(100, 3, 5));  // 5 channels: no template
  Bytes wav = Container(frames);
  wav.insert(wav.begin() + kHeader + 2 * 4096, 4096, 0);
  RecordingHost host;
  const Outcome o = Convert(wav, host);
  EXPECT_EQ(o.output, Concat({frames[0], frames[1], frames[2], frames[2], frames[3]}));
}

TEST_P(ConvertWavToAacInEachFlavour, CuttingMoreThanHalfABlockDropsTheNextFrame) {
  struct Case {
    size_t cut;
    bool dropped;
    size_t silentAtEnd;
  } const cases[] = {
      {4, false, 1},
      {2048, false, 0},  // exactly half: kept; the end drift is then -2051
      {2052, true, 1},
      {3000, true, 1},
  };
  const std::vector<Bytes> frames = Frames(6, Frame(100));
  const Bytes wav = Container(frames);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cut);
    Bytes edited = wav;
    const auto from = edited.begin() + kHeader + 2 * 4096 + 1000;  // zeros behind the 3rd frame
    edited.erase(from, from + static_cast<std::ptrdiff_t>(c.cut));
    RecordingHost host;
    const Outcome o = Convert(edited, host);
    std::vector<Bytes> expected = frames;
    if (c.dropped) expected.erase(expected.begin() + 3);
    expected.insert(expected.end(), c.silentAtEnd, kSilentStereo);
    EXPECT_EQ(o.output, Concat(expected));
  }
}

TEST_P(ConvertWavToAacInEachFlavour, DamagedFrameIsReportedAndFilled) {
  const std::vector<Bytes> frames = Frames(6, Frame(100));
  Bytes wav = Container(frames);
  const size_t frame2 = kHeader + 2 * 4096 + 12;
  wav[frame2 + 50] ^= 0x5A;
  const Bytes damaged(wav.begin() + frame2, wav.begin() + frame2 + 100);
  const Bytes stored(wav.begin() + frame2 + 100, wav.begin() + frame2 + 104);
  RecordingHost host;
  const Outcome o = Convert(wav, host);
  EXPECT_EQ(o.output, Concat({frames[0], frames[1], kSilentStereo, frames[3], frames[4], frames[5], kSilentStereo}));
  EXPECT_EQ(o.result.mismatchCount, 1u);
  // Events are pumped for frames written on time only, not for the frame
  // written behind a filler; and twice before the output is put in place.
  EXPECT_EQ(host.Count(HostCall::Kind::kPump), 6);
  // The preamble of the third block lies at 44 + 2 x 4096 + 4 = 0x2030.
  EXPECT_EQ(host.info, "入力サイズ：24,620 Bytes, サンプリング周波数：48000 Hz, チャンネル数：2\r\n" +
                           MismatchRecord(0x2030, damaged, stored) + "出力サイズ：532 Bytes, 時間：00:00:00.15\r\n");
  // The same report as figures.
  ASSERT_EQ(o.result.mismatches.size(), 1u);
  EXPECT_EQ(o.result.mismatches[0].offset, 0x2030u);
  EXPECT_EQ(MismatchRecord(0x2030, damaged, stored),
            MismatchRecord(0x2030, damaged, Bytes(o.result.mismatches[0].stored.begin(),
                                                  o.result.mismatches[0].stored.end())));
  EXPECT_EQ(o.result.mismatches[0].computed.sum, testing::WordChecksum(damaged).sum);
  EXPECT_EQ(o.result.framesFound, 5u);
  EXPECT_EQ(o.result.outputFrames, 7u);
  EXPECT_EQ(o.result.outputSize, 532u);
  EXPECT_EQ(o.result.inputSize, 24620u);
  EXPECT_EQ(o.result.dataStart, kHeader);
  EXPECT_EQ(o.result.blockLength, 4096u);
}

TEST_P(ConvertWavToAacInEachFlavour, MismatchRecordGivesTheFileOffsetInLaterWindows) {
  const std::vector<Bytes> frames = Frames(200, Frame(100));
  Bytes wav = Container(frames);
  const size_t frame150 = kHeader + 150 * 4096 + 12;
  wav[frame150 + 7] ^= 0x01;
  const Bytes damaged(wav.begin() + frame150, wav.begin() + frame150 + 100);
  const Bytes stored(wav.begin() + frame150 + 100, wav.begin() + frame150 + 104);
  RecordingHost host;
  Convert(wav, host);
  // 44 + 150 x 4096 + 4 = 0x96030, in the second read window.
  EXPECT_NE(host.info.find("\r\n" + MismatchRecord(0x96030, damaged, stored) + "出力サイズ："), std::string::npos)
      << host.info;
}

TEST_P(ConvertWavToAacInEachFlavour, MismatchBeforeTheFirstFrameStandsOnTheFirstLine) {
  const std::vector<Bytes> frames = Frames(3, Frame(100));
  Bytes wav = Container(frames);
  wav[kHeader + 12 + 100 + 1] ^= 0x01;  // the stored sum's high byte
  const Bytes stored(wav.begin() + kHeader + 112, wav.begin() + kHeader + 116);
  RecordingHost host;
  const Outcome o = Convert(wav, host);
  EXPECT_EQ(o.output, Concat({kSilentStereo, frames[1], frames[2], kSilentStereo}));
  EXPECT_EQ(host.info.rfind("入力サイズ：12,332 Bytes, " + MismatchRecord(0x30, frames[0], stored) +
                                "サンプリング周波数：48000 Hz, チャンネル数：2\r\n",
                            0),
            0u)
      << host.info;
}

// Up to 1,000 mismatch records are listed; beyond them the info text gets one
// line with the count of the rest instead of growing with the input.
TEST_P(ConvertWavToAacInEachFlavour, MismatchRecordsBeyondAThousandAreCounted) {
  const Bytes frame = AdtsFrame(Frame(8));
  const testing::Checksum right = testing::WordChecksum(frame);
  const Bytes stored = {static_cast<uint8_t>(right.sum + 1), 0, 0, 0};
  // Preamble, frame, wrong checksum, 8 zeros, "END": 31 bytes a candidate.
  Bytes candidate = Preamble();
  candidate.insert(candidate.end(), frame.begin(), frame.end());
  candidate.insert(candidate.end(), stored.begin(), stored.end());
  candidate.insert(candidate.end(), 8, 0);
  candidate.insert(candidate.end(), {'E', 'N', 'D'});
  struct Case {
    size_t candidates;
    bool frameFirst;  // an intact frame before them ends the first line
    const char* moreLine;
  } const cases[] = {
      {1000, false, ""},
      {1001, false, "\r\nほかのチェックサム不一致：1 ヵ所\r\n"},
      {2500, true, "\r\nほかのチェックサム不一致：1,500 ヵ所\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.candidates);
    Bytes data = c.frameFirst ? ExpectedBlock(frame, 4096) : Bytes{};
    for (size_t i = 0; i < c.candidates; ++i) data.insert(data.end(), candidate.begin(), candidate.end());
    RecordingHost host;
    const Outcome o = Convert(Cat({ContainerHeader(false, static_cast<uint32_t>(data.size())), data}), host);
    EXPECT_EQ(o.result.mismatchCount, c.candidates);
    const size_t firstRecord = host.info.find('[');
    const size_t outputLine = host.info.find("出力サイズ：");
    ASSERT_NE(outputLine, std::string::npos);
    // Records are 32 bytes each and stand together.
    const size_t recordsEnd = host.info.rfind(']') + 1;
    EXPECT_EQ(recordsEnd - firstRecord, 32u * std::min<size_t>(c.candidates, 1000));
    EXPECT_EQ(host.info.substr(recordsEnd, outputLine - recordsEnd), c.moreLine);
  }
}

// A file of zeros but for a few pieces, read without being held in memory.
class SparseFile final : public File {
 public:
  SparseFile(uint64_t size, std::vector<std::pair<uint64_t, Bytes>> pieces)
      : size_(size), pieces_(std::move(pieces)) {}
  bool Read(uint8_t* buf, size_t n, size_t* got) override {
    const uint64_t end = std::min<uint64_t>(size_, pos_ + n);
    *got = static_cast<size_t>(end > pos_ ? end - pos_ : 0);
    std::memset(buf, 0, *got);
    for (const auto& [at, bytes] : pieces_) {
      for (size_t i = 0; i < bytes.size(); ++i) {
        if (at + i >= pos_ && at + i < end) buf[at + i - pos_] = bytes[i];
      }
    }
    pos_ = end;
    return true;
  }
  bool Write(const uint8_t*, size_t) override { return false; }
  bool Seek(uint64_t offset) override { return pos_ = offset, true; }
  bool Size(uint64_t* size) override { return *size = size_, true; }
  bool Truncate(uint64_t) override { return false; }
  bool Sync() override { return false; }
  bool Close() override { return true; }

 private:
  uint64_t size_;
  std::vector<std::pair<uint64_t, Bytes>> pieces_;
  uint64_t pos_ = 0;
};

// The memory file system, with the input served by a SparseFile.
class SparseInput final : public FileSystem {
 public:
  SparseInput(MemoryFileSystem& fs, uint64_t size, std::vector<std::pair<uint64_t, Bytes>> pieces)
      : fs_(fs), size_(size), pieces_(std::move(pieces)) {}
  std::unique_ptr<File> OpenRead(const std::string& path) override {
    if (path == kIn) return std::make_unique<SparseFile>(size_, pieces_);
    return fs_.OpenRead(path);
  }
  PathInfo Stat(const std::string& path) override { return fs_.Stat(path); }
  std::string ResolveLinks(const std::string& path) override { return fs_.ResolveLinks(path); }
  std::unique_ptr<File> CreateExclusive(const std::string& path, const PathInfo* like) override {
    return fs_.CreateExclusive(path, like);
  }
  bool Rename(const std::string& from, const std::string& to) override { return fs_.Rename(from, to); }
  bool Remove(const std::string& path) override { return fs_.Remove(path); }
  bool SameFile(const std::string& a, const std::string& b) override { return fs_.SameFile(a, b); }

 private:
  MemoryFileSystem& fs_;
  uint64_t size_;
  std::vector<std::pair<uint64_t, Bytes>> pieces_;
};

// Distances between blocks are taken in 64 bits: a gap of 2 GiB (524,288
// blocks) was taken modulo 2^32 as minus 2 GiB, and the frame behind it was
// dropped instead of the gap being filled.
TEST_P(ConvertWavToAacInEachFlavour, AGapOfTwoGigabytesIsKeptAsAGap) {
  const std::vector<Bytes> frames = Frames(2, Frame(100));
  const uint64_t gap = uint64_t{1} << 31;
  MemoryFileSystem memory;
  SparseInput fs(memory, kHeader + gap + 4096,
                 {{0, ContainerHeader(false, 0)},
                  {kHeader, ExpectedBlock(frames[0], 4096)},
                  {kHeader + gap, ExpectedBlock(frames[1], 4096)}});
  RecordingHost host;
  const ConversionResult r = ConvertWavToAac({kIn, kOut, 0, 0, Language::kJapanese}, host, fs);
  EXPECT_FALSE(r.failed) << host.info;
  const Bytes out = memory.Contents(kOut);
  const size_t fillers = gap / 4096 - 1;
  ASSERT_EQ(out.size(), 2 * 100 + (fillers + 1) * kSilentStereo.size());
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 100), frames[0]);
  const auto second = out.begin() + 100 + static_cast<std::ptrdiff_t>(fillers * 16);
  EXPECT_EQ(Bytes(second, second + 100), frames[1]);
  EXPECT_EQ(Bytes(out.end() - 16, out.end()), kSilentStereo);
}

// What follows the last frame counts in the end rule, at that frame's rate.
// A damaged block's header is no frame's: it once decided the end padding and
// the time (at 96 kHz: no silent frame, half the duration).
TEST_P(ConvertWavToAacInEachFlavour, WhatFollowsTheLastFrameCountsInTheEndRule) {
  const auto chunk = [](size_t body) {
    Bytes bytes = {'L', 'I', 'S', 'T'};
    testing::PutLe32(bytes, static_cast<uint32_t>(body));
    bytes.insert(bytes.end(), body, 'A');
    return bytes;
  };
  Bytes damaged96k = ExpectedBlock(AdtsFrame(Frame(100), 9), 4096);
  damaged96k[12 + 2] &= 0xC3;  // sampling_frequency_index 0: 96000 Hz
  struct Case {
    const char* name;
    Bytes behind;
    size_t silentAtEnd;
  } const cases[] = {
      {"chunk of 4", chunk(4), 1},         // 12 bytes more
      {"chunk of 2,092", chunk(2092), 2},  // 2,100 bytes more: past half a block
      {"damaged 96 kHz block", damaged96k, 2},
  };
  const std::vector<Bytes> frames = Frames(3, Frame(100));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingHost host;
    const Outcome o = Convert(Cat({Container(frames), c.behind}), host);
    std::vector<Bytes> expected = frames;
    expected.insert(expected.end(), c.silentAtEnd, kSilentStereo);
    EXPECT_EQ(o.output, Concat(expected));
    EXPECT_DOUBLE_EQ(o.result.seconds, static_cast<double>(expected.size()) * 1024 / 48000);
  }
}

// Regression: a frame whose block began within the last 2 KiB of a full read
// window and ran past it was rejected there and never looked at again, so an
// intact frame was replaced by a silent one.
TEST_P(ConvertWavToAacInEachFlavour, FrameWhoseBlockCrossesAFullWindowEndIsNotDropped) {
  const std::vector<Bytes> frames = Frames(130, Frame(2040));
  Bytes wav = Container(frames);
  // 2,040 zero bytes in front of the first block: the 128th preamble then lies
  // at data offset 127 x 4096 + 2044 = 522,236, and its block runs to 524,299.
  wav.insert(wav.begin() + kHeader, 2040, 0);
  RecordingHost host;
  const Outcome o = Convert(wav, host);
  EXPECT_EQ(o.output, Cat({Concat(frames), kSilentStereo}));
  EXPECT_EQ(o.result.mismatchCount, 0u);
}

// The scan position at the end is one past the last byte only if the last
// window still holds bytes after the refill point: a last window of exactly
// 522,240 bytes ends at the last byte itself.
TEST_P(ConvertWavToAacInEachFlavour, ScanEndingAtTheRefillPointOfTheLastWindow) {
  const AdtsFields small = Frame(100);
  const AdtsFields large = Frame(1256);
  std::vector<Bytes> frames;
  Bytes data;
  // 255 half-size blocks, then one block starting 244 bytes early (cut from
  // the zeros of the block before, less than half a block: nothing dropped).
  for (int i = 0; i < 255; ++i) {
    frames.push_back(AdtsFrame(small, static_cast<uint8_t>(i)));
    const Bytes b = ExpectedBlock(frames.back(), 2048);
    data.insert(data.end(), b.begin(), b.end());
  }
  data.resize(data.size() - 244);
  // This block's preamble lies at data offset 522,000 and the scan resumes at
  // 522,000 + 1,256 + 12 = 523,268: the second window starts there.
  for (int i = 0; i < 255; ++i) {
    frames.push_back(AdtsFrame(i == 0 ? large : small, static_cast<uint8_t>(i + 7)));
    const Bytes b = ExpectedBlock(frames.back(), 2048);
    data.insert(data.end(), b.begin(), b.end());
  }
  ASSERT_EQ(data.size(), 1044236u);
  // Zeros up to 523,268 + 522,240 bytes of data: the second window holds
  // exactly 522,240 bytes.
  data.resize(523268 + 522240, 0);
  RecordingHost host;
  const Outcome o = Convert(Cat({ContainerHeader(true, static_cast<uint32_t>(data.size())), data}), host);
  // The drift at the end: -244 + (data end - last preamble) - 2048 = -244 +
  // (1,045,508 - 1,042,192) - 2,048 = 1,024. One silent frame takes it to
  // -1,024, which is not above minus half a block; from one byte further on
  // a second one would follow.
  EXPECT_EQ(o.output, Cat({Concat(frames), kSilentStereo}));
}

TEST(ConvertWavToAac, ExistingOutputIsTruncated) {
  MemoryFileSystem fs;
  fs.SetFile(kIn, Cat({ContainerHeader(false, 4), Bytes(4, 0)}));
  fs.SetFile(kOut, Bytes(100000, 0xAA));
  RecordingHost host;
  const Outcome o = Convert(fs, host);
  EXPECT_EQ(o.output, kSilentStereo);
}

// --- Refusals and failures -------------------------------------------------

TEST(ConvertWavToAac, HeaderErrorsLeaveNoOutput) {
  Bytes rf64 = Container(Frames(1, Frame(100)));
  rf64[1] = 'F', rf64[2] = '6', rf64[3] = '4';
  Bytes bigFmt = Container(Frames(1, Frame(100)));
  bigFmt[16] = 75;
  struct Case {
    const char* name;
    Bytes file;
    const char* message;
  } const cases[] = {
      {"short", Bytes(47, 'R'), "エラー：入力ファイルが、異常です。\r\n"},
      {"RF64", rf64, "エラー：WAVファイルでは、ありません。\r\n"},
      {"format chunk of 75", bigFmt, "エラー：入力ファイルが、異常です。75,20\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryFileSystem fs;
    fs.SetFile(kIn, c.file);
    RecordingHost host;
    const Outcome o = Convert(fs, host);
    EXPECT_TRUE(o.result.failed);
    EXPECT_FALSE(o.outputExists);
    EXPECT_EQ(fs.callCount(FsOp::kCreate), 0u);
    EXPECT_EQ(host.info, c.message);
    EXPECT_EQ(host.shown.back(), host.info);
    EXPECT_EQ(fs.openHandles(), 0);
  }
}

TEST(ConvertWavToAac, FilesThatCannotBeOpened) {
  {
    MemoryFileSystem fs;
    RecordingHost host;
    Convert(fs, host);
    EXPECT_EQ(host.info, "エラー：入力ファイルが、開けません。\r\n");
    EXPECT_FALSE(fs.Exists(kOut));
  }
  {
    MemoryFileSystem fs;
    fs.SetFile(kIn, Container(Frames(2, Frame(100))));
    fs.FailOp(FsOp::kCreate, 1);
    RecordingHost host;
    Convert(fs, host);
    EXPECT_EQ(host.info, "エラー：出力ファイルが、開けません。\r\n");
    EXPECT_EQ(fs.openHandles(), 0);
  }
  {
    const Bytes wav = Container(Frames(2, Frame(100)));
    MemoryFileSystem fs;
    fs.SetFile(kIn, wav);
    fs.AddAlias(kOut, kIn);
    RecordingHost host;
    Convert(fs, host);
    EXPECT_EQ(host.info, "エラー：出力ファイルが、開けません。\r\n");
    EXPECT_EQ(fs.Contents(kIn), wav);
  }
}

TEST(ConvertWavToAac, FailureAtAnyFileOperationLeavesNoPartialOutput) {
  // Big enough for several windows and output buffers.
  const Bytes wav = Container(Frames(600, Frame(2000)));
  MemoryFileSystem probe;
  probe.SetFile(kIn, wav);
  RecordingHost probeHost;
  const Outcome clean = Convert(probe, probeHost);
  ASSERT_FALSE(clean.result.failed);
  for (FaultMode mode : {FaultMode::kFail, FaultMode::kShort}) {
    for (uint64_t k = 1; k <= probe.callCount(); ++k) {
      SCOPED_TRACE(std::string(testing::FsOpName(probe.callLog()[k - 1])) + " #" + std::to_string(k) +
                   (mode == FaultMode::kShort ? " short" : ""));
      MemoryFileSystem fs;
      fs.SetFile(kIn, wav);
      fs.FailCall(k, mode);
      RecordingHost host;
      const Outcome o = Convert(fs, host);
      EXPECT_EQ(fs.openHandles(), 0);
      EXPECT_EQ(fs.Contents(kIn), wav);
      EXPECT_EQ(host.shown.back(), host.info);
      if (o.result.failed) {
        EXPECT_EQ(host.info.rfind("エラー：", 0), 0u) << host.info;
        EXPECT_EQ(host.info.substr(host.info.size() - 2), "\r\n");
        EXPECT_FALSE(o.outputExists);
      } else if (mode == FaultMode::kFail) {
        EXPECT_EQ(o.output, clean.output);
      }
    }
  }
}

}  // namespace
}  // namespace tessaro
