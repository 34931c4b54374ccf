#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "engine/aac_to_wav.h"
#include "tests/support/adts_builder.h"
#include "tests/support/container_builder.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_host.h"

namespace tessaro {
namespace {

using testing::AdtsFields;
using testing::AdtsHeaderBytes;
using testing::AdtsFrame;
using testing::AdtsStream;
using testing::Bytes;
using testing::ContainerHeader;
using testing::ExpectedBlock;
using testing::FaultMode;
using testing::FsOp;
using testing::HostCall;
using testing::MemoryFileSystem;
using testing::RecordingHost;

constexpr char kIn[] = "in.aac";
constexpr char kOut[] = "out.wav";

AdtsFields Frame(uint32_t length, uint32_t samplingIndex = 3, uint32_t channels = 2) {
  AdtsFields f;
  f.sampling_frequency_index = samplingIndex;  // 3: 48000 Hz
  f.channel_configuration = channels;
  f.frame_length = length;                     // whole frame, header included
  return f;
}

// A frame that carries a sync pair but is too long for the middle of a
// stream: damage that leaves the frame in front of it intact.
Bytes DamagedFrame() { return AdtsFrame(Frame(3000), 0x40); }

struct Outcome {
  ConversionResult result;
  Bytes output;
  bool outputExists = false;
};

Outcome Convert(MemoryFileSystem& fs, RecordingHost& host, int outputSize = 0, int32_t delayMs = 0,
                BlockFlavour flavour = BlockFlavour::kClassic) {
  ConversionRequest request;
  request.language = Language::kJapanese;
  request.inputPath = kIn;
  request.outputPath = kOut;
  request.outputSize = outputSize;
  request.delayMs = delayMs;
  request.blockFlavour = flavour;
  Outcome o;
  o.result = ConvertAacToWav(request, host, fs);
  o.outputExists = fs.Exists(kOut);
  o.output = fs.Contents(kOut);
  return o;
}

Outcome Convert(const Bytes& input, RecordingHost& host, int outputSize = 0, int32_t delayMs = 0,
                BlockFlavour flavour = BlockFlavour::kClassic) {
  MemoryFileSystem fs;
  fs.SetFile(kIn, input);
  Outcome o = Convert(fs, host, outputSize, delayMs, flavour);
  EXPECT_EQ(fs.openHandles(), 0);
  return o;
}

// The blocks of the given frames, one per slot, back to back.
Bytes Blocks(const std::vector<Bytes>& frames, size_t blockSize,
             BlockFlavour flavour = BlockFlavour::kClassic) {
  Bytes out;
  for (const Bytes& f : frames) {
    const Bytes b = ExpectedBlock(f, blockSize, flavour);
    out.insert(out.end(), b.begin(), b.end());
  }
  return out;
}

std::vector<Bytes> Slice(const std::vector<Bytes>& v, size_t from, size_t to) {
  return std::vector<Bytes>(v.begin() + static_cast<std::ptrdiff_t>(from),
                            v.begin() + static_cast<std::ptrdiff_t>(to));
}

const std::string kReportHead =
    "エラー：このAACファイルは正常ではありません。\r\n"
    "大きく音ズレが発生する可能性があります。\r\n\r\n"
    "データ異常が発見された位置↓";

TEST(ConvertAacToWav, CleanStreamInBothWidths) {
  struct Case {
    int outputSize;
    size_t blockSize;
    const char* outputSizeText;
  } const cases[] = {
      {0, 4096, "20,524"},  // 44 + 5 x 4096
      {1, 2048, "10,284"},  // 44 + 5 x 2048
  };
  AdtsStream s;
  s.Frame(Frame(100), 1).Frame(Frame(101), 2).Frame(Frame(2040), 3).Frame(Frame(8), 4).Frame(Frame(251), 5);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.outputSize);
    RecordingHost host;
    const Outcome o = Convert(s.bytes(), host, c.outputSize);
    EXPECT_FALSE(o.result.failed);
    EXPECT_EQ(o.output, testing::Cat({ContainerHeader(c.outputSize != 0, static_cast<uint32_t>(5 * c.blockSize)),
                                      Blocks(s.frames(), c.blockSize)}));
    EXPECT_EQ(host.info, std::string("入力サイズ：2,500 Bytes, サンプリング周波数：48000 Hz, チャンネル数：2, Delay：0 ms\r\n") +
                             "出力サイズ：" + c.outputSizeText + " Bytes, 時間：00:00:00.11\r\n");
    EXPECT_TRUE(host.Errors().empty());
    EXPECT_EQ(host.Progress().front(), 0);
    EXPECT_EQ(host.Progress().back(), 100);
  }
}

TEST(ConvertAacToWav, InfoLinesAndTheirRedrawPoints) {
  AdtsStream s;
  s.Frames(3, Frame(100));  // 300 bytes
  RecordingHost host;
  Convert(s.bytes(), host);
  using K = HostCall::Kind;
  struct Expected {
    K kind;
    std::string text;
    int value;
    bool redraw;
  } const expected[] = {
      {K::kProgress, "", 0, false},
      {K::kSetInfo, "入力サイズ：300 Bytes, ", 0, false},
      {K::kAppendInfo, "サンプリング周波数：48000 Hz, チャンネル数：2, Delay：0 ms\r\n", 0, true},
      {K::kProgress, "", 33, false},
      {K::kPump, "", 0, false},
      {K::kProgress, "", 66, false},
      {K::kPump, "", 0, false},
      {K::kProgress, "", 100, false},
      {K::kPump, "", 0, false},
      {K::kAppendInfo, "出力サイズ：12,332 Bytes, ", 0, false},
      {K::kAppendInfo, "時間：00:00:00.06\r\n", 0, true},
      // After the last write and after the flush: a stop asked for meanwhile
      // still keeps the old output.
      {K::kPump, "", 0, false},
      {K::kPump, "", 0, false},
  };
  ASSERT_EQ(host.calls.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(host.calls[i].kind, expected[i].kind);
    EXPECT_EQ(host.calls[i].text, expected[i].text);
    EXPECT_EQ(host.calls[i].value, expected[i].value);
    EXPECT_EQ(host.calls[i].redraw, expected[i].redraw);
  }
}

TEST(ConvertAacToWav, OtherFrequencyAndChannelsAreReportedButNotDeclared) {
  AdtsStream s;
  s.Frames(100, Frame(100, 4, 1));  // 44100 Hz, mono
  RecordingHost host;
  const Outcome o = Convert(s.bytes(), host, 0, -120);
  EXPECT_EQ(Bytes(o.output.begin(), o.output.begin() + 44), ContainerHeader(false, 100 * 4096));
  // 100 x 1024 / 44100 = 2.322 s
  EXPECT_EQ(host.info,
            "入力サイズ：10,000 Bytes, サンプリング周波数：44100 Hz, チャンネル数：1, Delay：-120 ms\r\n"
            "出力サイズ：409,644 Bytes, 時間：00:00:02.32\r\n");
}

TEST(ConvertAacToWav, PositiveDelayPrependsZerosAndCutsTheEnd) {
  AdtsStream s;
  s.Frames(100, Frame(100));
  RecordingHost host;
  const Outcome o = Convert(s.bytes(), host, 0, 1500);
  // 1.5 s at 48000 Hz, 4 bytes a sample frame: 192,000 + 96,000 zero bytes.
  Bytes expected = testing::Cat({ContainerHeader(false, 100 * 4096), Bytes(288000, 0), Blocks(s.frames(), 4096)});
  expected.resize(44 + 100 * 4096);
  EXPECT_EQ(o.output, expected);
  EXPECT_NE(host.info.find("Delay：1500 ms\r\n出力サイズ：409,644 Bytes, "), std::string::npos);
}

TEST(ConvertAacToWav, NegativeDelaySkipsSlotsAndShortensOne) {
  struct Case {
    int outputSize;
    size_t blockSize;
    size_t partial;   // bytes of the 47th block that are written
    size_t tail;      // zero bytes appended
  } const cases[] = {
      {0, 4096, 512, 192000},  // 48,000 samples: 46 slots and 896 samples
      {1, 2048, 256, 96000},
  };
  AdtsStream s;
  s.Frames(50, Frame(100));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.outputSize);
    RecordingHost host;
    const Outcome o = Convert(s.bytes(), host, c.outputSize, -1000);
    const Bytes block46 = ExpectedBlock(s.frames()[46], c.blockSize);
    const Bytes expected = testing::Cat({ContainerHeader(c.outputSize != 0, static_cast<uint32_t>(50 * c.blockSize)),
                                         Bytes(block46.end() - static_cast<std::ptrdiff_t>(c.partial), block46.end()),
                                         Blocks(Slice(s.frames(), 47, 50), c.blockSize), Bytes(c.tail, 0)});
    EXPECT_EQ(o.output.size(), 44 + 50 * c.blockSize);
    EXPECT_EQ(o.output, expected);
    EXPECT_NE(host.info.find("Delay：-1000 ms\r\n"), std::string::npos);
    // Skipped frames included, and two before the output is put in place.
    EXPECT_EQ(host.Count(HostCall::Kind::kPump), 52);
  }
}

// Blocks are built in place in an output buffer that is reused from one
// write to the next: over several buffers' worth of frames whose lengths
// change from block to block, nothing of one block may survive into a later
// one, in either width, with either sign of delay and in either flavour.
TEST(ConvertAacToWav, LongStreamOfChangingFrameLengths) {
  const uint32_t lengths[] = {2040, 8, 777, 1500, 101, 2021, 1200};
  AdtsStream s;
  for (size_t i = 0; i < 1200; ++i) s.Frame(Frame(lengths[i % 7]), static_cast<uint8_t>(i));
  struct Case {
    int outputSize;
    int32_t delayMs;
    BlockFlavour flavour;
  } const cases[] = {
      {0, 0, BlockFlavour::kClassic},    {1, 0, BlockFlavour::kClassic},
      {0, 250, BlockFlavour::kClassic},  {1, 250, BlockFlavour::kClassic},
      {0, -250, BlockFlavour::kClassic}, {1, -250, BlockFlavour::kClassic},
      {0, 0, BlockFlavour::kEditors},    {1, 250, BlockFlavour::kEditors},
      {0, -250, BlockFlavour::kEditors}, {1, -250, BlockFlavour::kEditors},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.outputSize) + " " + std::to_string(c.delayMs) + " " +
                 testing::FlavourName(c.flavour));
    RecordingHost host;
    const Outcome o = Convert(s.bytes(), host, c.outputSize, c.delayMs, c.flavour);
    EXPECT_EQ(o.result.flavours, WithFlavour(FlavoursSeen::kNone, c.flavour));
    const auto block = [&c](const Bytes& frame, size_t size) {
      return testing::ExpectedBlock(frame, size, c.flavour);
    };
    const auto blocks = [&c](const std::vector<Bytes>& frames, size_t size) {
      return tessaro::Blocks(frames, size, c.flavour);
    };
    const size_t blockSize = c.outputSize == 0 ? 4096 : 2048;
    const size_t delayBytes = 48 * 250 * blockSize / 1024;  // 12,000 sample frames
    Bytes expected = ContainerHeader(c.outputSize != 0, static_cast<uint32_t>(1200 * blockSize));
    if (c.delayMs > 0) {
      expected = testing::Cat({expected, Bytes(delayBytes, 0), blocks(s.frames(), blockSize)});
      expected.resize(44 + 1200 * blockSize);
    } else if (c.delayMs < 0) {
      // 11 slots skipped, then the last 288 sample frames of the 12th block.
      const Bytes block11 = block(s.frames()[11], blockSize);
      const Bytes partial(block11.end() - static_cast<std::ptrdiff_t>(288 * blockSize / 1024), block11.end());
      expected = testing::Cat(
          {expected, partial, blocks(Slice(s.frames(), 12, 1200), blockSize), Bytes(delayBytes, 0)});
    } else {
      expected = testing::Cat({expected, blocks(s.frames(), blockSize)});
    }
    EXPECT_EQ(o.output.size(), expected.size());
    EXPECT_TRUE(o.output == expected);
  }
}

TEST(ConvertAacToWav, DamageWhileSlotsAreSkippedDoublesTheFirstWholeBlock) {
  AdtsStream s;
  s.Junk(30, 0x21).Frames(50, Frame(100));
  RecordingHost host;
  const Outcome o = Convert(s.bytes(), host, 0, -1000);
  // Slots 0..45 are skipped and slot 46 shortened without ending the damaged
  // region; slot 47 is the first written whole, and twice.
  const Bytes block46 = ExpectedBlock(s.frames()[46], 4096);
  std::vector<Bytes> whole = Slice(s.frames(), 47, 50);
  whole.insert(whole.begin(), s.frames()[47]);
  EXPECT_EQ(o.output, testing::Cat({ContainerHeader(false, 51 * 4096), Bytes(block46.end() - 512, block46.end()),
                                    Blocks(whole, 4096), Bytes(192000, 0)}));
  ASSERT_EQ(host.Errors().size(), 1u);
  EXPECT_EQ(host.Errors()[0], kReportHead + "　(1ヵ所)\r\n　時間：00:00:00.00\r\n");
}

TEST(ConvertAacToWav, NegativeDelayLongerThanTheStream) {
  AdtsStream s;
  s.Frames(3, Frame(100));
  RecordingHost host;
  const Outcome o = Convert(s.bytes(), host, 0, -1000, BlockFlavour::kEditors);
  // No block at all; the size field still counts the three slots.
  EXPECT_EQ(o.output, testing::Cat({ContainerHeader(false, 3 * 4096), Bytes(192000, 0)}));
  EXPECT_EQ(o.result.flavours, FlavoursSeen::kNone);
}

TEST(ConvertAacToWav, OneDamagedRegionDoublesTheNextBlock) {
  AdtsStream s;
  s.Frames(100, Frame(100)).Junk(DamagedFrame()).Frames(20, Frame(100), 100);
  RecordingHost host;
  const Outcome o = Convert(s.bytes(), host);
  std::vector<Bytes> slots = s.frames();
  slots.insert(slots.begin() + 100, s.frames()[100]);
  EXPECT_EQ(o.output, testing::Cat({ContainerHeader(false, 121 * 4096), Blocks(slots, 4096)}));
  ASSERT_EQ(host.Errors().size(), 1u);
  // 100 x 1024 / 48000 = 2.133 s
  EXPECT_EQ(host.Errors()[0], kReportHead + "　(1ヵ所)\r\n　時間：00:00:02.13\r\n");
  // The last line, then the two pumps before the output is put in place.
  EXPECT_EQ(host.calls[host.calls.size() - 3].kind, HostCall::Kind::kAppendInfo);
  EXPECT_EQ(o.result.anomalyCount, 1u);
  EXPECT_FALSE(o.result.failed);
  // The same report as figures: the region starts behind 100 frames of 100 bytes.
  ASSERT_EQ(o.result.damage.size(), 1u);
  EXPECT_EQ(o.result.damage[0].offset, 100u * 100u);
  EXPECT_DOUBLE_EQ(o.result.damage[0].seconds, 100 * 1024 / 48000.0);
  EXPECT_EQ(o.result.framesFound, 120u);
  EXPECT_EQ(o.result.outputFrames, 121u);
  EXPECT_EQ(o.result.samplingFrequency, 48000u);
  EXPECT_EQ(o.result.channels, 2);
  EXPECT_EQ(o.result.inputSize, s.bytes().size());
  EXPECT_EQ(o.result.outputSize, o.output.size());
  EXPECT_DOUBLE_EQ(o.result.seconds, 121 * 1024 / 48000.0);
}

TEST(ConvertAacToWav, TenRegionsAreListedInFullMoreEndInAnEllipsis) {
  // Region i lies behind 2 (i + 1) frames and i duplicates: slot 3i + 2.
  const char* const times[] = {"00:00:00.04", "00:00:00.11", "00:00:00.17", "00:00:00.23", "00:00:00.30",
                               "00:00:00.36", "00:00:00.43", "00:00:00.49", "00:00:00.55", "00:00:00.62"};
  for (int regions : {10, 11, 12}) {
    SCOPED_TRACE(regions);
    AdtsStream s;
    for (int i = 0; i < regions; ++i) s.Frames(2, Frame(64), static_cast<uint8_t>(2 * i)).Junk(DamagedFrame());
    s.Frames(2, Frame(64), 50);
    RecordingHost host;
    const Outcome o = Convert(s.bytes(), host);
    std::string expected = kReportHead + "　(" + std::to_string(regions) + "ヵ所)\r\n";
    for (const char* t : times) expected += std::string("　時間：") + t + "\r\n";
    if (regions > 10) expected += "...";
    ASSERT_EQ(host.Errors().size(), 1u);
    EXPECT_EQ(host.Errors()[0], expected);
    // Before the two info lines and the two pumps that end the conversion.
    EXPECT_EQ(host.calls[host.calls.size() - 5].kind, HostCall::Kind::kError);
    EXPECT_EQ(host.calls[host.calls.size() - 5].value, 1);  // logged
    const uint32_t slots = static_cast<uint32_t>(2 * regions + 2 + regions);
    EXPECT_EQ(testing::GetLe32(o.output, 40), slots * 4096u);
    EXPECT_EQ(o.result.damage.size(), 10u);  // listed like the report's entries
  }
}

TEST(ConvertAacToWav, ReservedSamplingIndexShowsAnUnknownTime) {
  AdtsStream s;
  s.Frames(3, Frame(100, 13));  // reserved index: 0 Hz
  RecordingHost host;
  const Outcome o = Convert(s.bytes(), host);
  EXPECT_FALSE(o.result.failed);
  EXPECT_EQ(host.info,
            "入力サイズ：300 Bytes, サンプリング周波数：0 Hz, チャンネル数：2, Delay：0 ms\r\n"
            "出力サイズ：12,332 Bytes, 時間：--:--:--.--\r\n");
}

// Trailing junk that opens with a header claiming 96 kHz, rejected for a
// length no block can hold: the play time stays at the stream's own rate, as
// the damage time does, instead of ending before the damage.
TEST(ConvertAacToWav, RejectedTrailingHeaderSetsNeitherTimeBase) {
  AdtsStream s;
  s.Frames(283, Frame(100)).Junk(AdtsHeaderBytes(Frame(6000, 0))).Junk(20, 0x01);
  RecordingHost host;
  const Outcome o = Convert(s.bytes(), host);
  EXPECT_TRUE(host.info.ends_with("時間：00:00:06.04\r\n")) << host.info;
  ASSERT_EQ(host.Errors().size(), 1u);
  EXPECT_EQ(host.Errors()[0], kReportHead + "　(1ヵ所)\r\n　時間：00:00:06.04\r\n");
}

TEST(ConvertAacToWav, JunkBeforeTheFirstFrameDoublesTheFirstBlock) {
  AdtsStream s;
  s.Junk(77, 0x12).Frames(4, Frame(90));
  RecordingHost host;
  const Outcome o = Convert(s.bytes(), host);
  std::vector<Bytes> slots = s.frames();
  slots.insert(slots.begin(), s.frames()[0]);
  EXPECT_EQ(o.output, testing::Cat({ContainerHeader(false, 5 * 4096), Blocks(slots, 4096)}));
  ASSERT_EQ(host.Errors().size(), 1u);
  EXPECT_EQ(host.Errors()[0], kReportHead + "　(1ヵ所)\r\n　時間：00:00:00.00\r\n");
}

TEST(ConvertAacToWav, EmptyInput) {
  RecordingHost host;
  const Outcome o = Convert(Bytes{}, host);
  EXPECT_EQ(o.output, ContainerHeader(false, 0));  // data size 0, RIFF size 36
  EXPECT_EQ(host.info, "入力サイズ：0 Bytes, 出力サイズ：44 Bytes, 時間：00:00:00.00\r\n");
  ASSERT_EQ(host.Errors().size(), 1u);
  EXPECT_EQ(host.Errors()[0], kReportHead + "　(1ヵ所)\r\n　時間：00:00:00.00\r\n");
}

TEST(ConvertAacToWav, HalfSizeCutsLongFramesAtTheBlockEnd) {
  AdtsStream s;
  s.Frame(Frame(2040), 1).Frame(Frame(2030), 2).Frame(Frame(2021), 3).Frame(Frame(100), 4);
  RecordingHost host;
  const Outcome o = Convert(s.bytes(), host, 1);
  // Each block is the first 2048 bytes of what a 4096-byte block would hold.
  EXPECT_EQ(o.output, testing::Cat({ContainerHeader(true, 4 * 2048), Blocks(s.frames(), 2048)}));
  EXPECT_EQ(Bytes(o.output.end() - 2048 - 3, o.output.end() - 2048), (Bytes{'E', 'N', 'D'}));  // of the 2021-byte frame
}

TEST(ConvertAacToWav, LastFrameCutShortIsPaddedWithZeros) {
  AdtsStream s;
  s.Frames(3, Frame(100)).Frame(Frame(500), 9).CutEnd(300);
  RecordingHost host;
  const Outcome o = Convert(s.bytes(), host);
  const Bytes present(s.frames()[3].begin(), s.frames()[3].begin() + 200);
  EXPECT_EQ(o.output, testing::Cat({ContainerHeader(false, 4 * 4096), Blocks(Slice(s.frames(), 0, 3), 4096),
                                    ExpectedBlock(present, 500, 4096)}));
  EXPECT_EQ(host.Progress().back(), 160);  // 800 of 500 bytes
  EXPECT_TRUE(host.Errors().empty());
}

// --- Refusals and failures -------------------------------------------------

bool IsErrorMessage(const std::string& text) {
  const std::string head = "エラー：";
  return text.compare(0, head.size(), head) == 0 && text.size() > head.size() + 2 &&
         text.compare(text.size() - 2, 2, "\r\n") == 0;
}

TEST(ConvertAacToWav, InputThatCannotBeOpened) {
  MemoryFileSystem fs;
  RecordingHost host;
  const Outcome o = Convert(fs, host);
  EXPECT_TRUE(o.result.failed);
  EXPECT_FALSE(o.outputExists);
  EXPECT_EQ(fs.callCount(FsOp::kCreate), 0u);
  EXPECT_EQ(host.info, "エラー：入力ファイルが、開けません。\r\n");
  EXPECT_EQ(host.shown.back(), host.info);
}

TEST(ConvertAacToWav, OutputThatCannotBeCreated) {
  const Bytes old = {1, 2, 3};
  struct Case {
    const char* name;
    bool oldOutput;
    void (*set)(MemoryFileSystem&);
  } const cases[] = {
      {"create fails", false, [](MemoryFileSystem& fs) { fs.FailOp(FsOp::kCreate, 1); }},
      {"not a regular file", false, [](MemoryFileSystem& fs) { fs.AddSpecial(kOut); }},
      {"read-only", true, [](MemoryFileSystem& fs) { fs.SetPermissions(kOut, 0444); }},
      {"cannot be examined", true, [](MemoryFileSystem& fs) { fs.FailOp(FsOp::kStat, 1); }},
      {"link not followed", true, [](MemoryFileSystem& fs) { fs.FailOp(FsOp::kResolveLinks, 1); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryFileSystem fs;
    fs.SetFile(kIn, AdtsFrame(Frame(100)));
    if (c.oldOutput) fs.SetFile(kOut, old);
    c.set(fs);
    RecordingHost host;
    const Outcome o = Convert(fs, host);
    EXPECT_EQ(o.outputExists, c.oldOutput);
    EXPECT_EQ(o.output, c.oldOutput ? old : Bytes{});
    EXPECT_EQ(fs.Paths().size(), c.oldOutput ? 2u : 1u);
    EXPECT_EQ(host.info, "エラー：出力ファイルが、開けません。\r\n");
    EXPECT_EQ(host.shown.back(), host.info);
    EXPECT_EQ(fs.openHandles(), 0);
  }
}

TEST(ConvertAacToWav, OutputThatIsTheInputIsRefusedAndTheInputKept) {
  AdtsStream s;
  s.Frames(3, Frame(100));
  for (const char* output : {kIn, "link.wav"}) {
    SCOPED_TRACE(output);
    MemoryFileSystem fs;
    fs.SetFile(kIn, s.bytes());
    fs.AddAlias("link.wav", kIn);
    RecordingHost host;
    ConversionRequest request;
    request.language = Language::kJapanese;
    request.inputPath = kIn;
    request.outputPath = output;
    const ConversionResult r = ConvertAacToWav(request, host, fs);
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(host.info, "エラー：出力ファイルが、開けません。\r\n");
    EXPECT_EQ(fs.Contents(kIn), s.bytes());
    EXPECT_EQ(fs.openHandles(), 0);
  }
}

TEST(ConvertAacToWav, DelayTooLargeIsRefusedBeforeTheOutputExists) {
  AdtsStream s;
  s.Frames(3, Frame(100));
  for (int32_t delay : {INT32_MAX, INT32_MIN, 30000000, -30000000}) {
    SCOPED_TRACE(delay);
    MemoryFileSystem fs;
    fs.SetFile(kIn, s.bytes());
    RecordingHost host;
    const Outcome o = Convert(fs, host, 0, delay);
    EXPECT_TRUE(o.result.failed);
    EXPECT_FALSE(o.outputExists);
    EXPECT_EQ(fs.callCount(FsOp::kCreate), 0u);
    EXPECT_TRUE(IsErrorMessage(host.info)) << host.info;
    EXPECT_EQ(host.shown.back(), host.info);
  }
}

TEST(ConvertAacToWav, ExistingOutputIsReplaced) {
  AdtsStream s;
  s.Frames(2, Frame(100));
  MemoryFileSystem fs;
  fs.SetFile(kIn, s.bytes());
  fs.SetFile(kOut, Bytes(100000, 0xAA));
  RecordingHost host;
  const Outcome o = Convert(fs, host);
  EXPECT_EQ(o.output, testing::Cat({ContainerHeader(false, 2 * 4096), Blocks(s.frames(), 4096)}));
  EXPECT_TRUE(fs.Synced(kOut));  // flushed to the disk before it took the old one's place
}

TEST(ConvertAacToWav, OutputThroughALinkReplacesItsTargetWithItsPermissions) {
  AdtsStream s;
  s.Frames(2, Frame(100));
  MemoryFileSystem fs;
  fs.SetFile(kIn, s.bytes());
  fs.SetFile("target.wav", Bytes(100, 0xAA));
  fs.SetPermissions("target.wav", 0640);
  fs.AddAlias(kOut, "target.wav");
  RecordingHost host;
  const Outcome o = Convert(fs, host);
  EXPECT_FALSE(o.result.failed);
  EXPECT_EQ(fs.Contents("target.wav"), testing::Cat({ContainerHeader(false, 2 * 4096), Blocks(s.frames(), 4096)}));
  EXPECT_EQ(fs.Permissions("target.wav"), 0640u);
  EXPECT_EQ(fs.ResolveLinks(kOut), "target.wav");
  EXPECT_EQ(fs.Paths(), (std::vector<std::string>{kIn, "target.wav"}));
}

// Every file operation of a small conversion failing in turn: either the
// conversion completes with the exact output, or it says so and leaves no
// output behind.
TEST(ConvertAacToWav, FailureAtAnyFileOperationLeavesNoPartialOutput) {
  AdtsStream s;
  s.Frames(700, Frame(600));  // 2.8 MB of blocks: several writes and a flush
  for (int32_t delay : {0, 250, -250}) {
    SCOPED_TRACE(delay);
    MemoryFileSystem probe;
    probe.SetFile(kIn, s.bytes());
    RecordingHost probeHost;
    const Outcome clean = Convert(probe, probeHost, 0, delay);
    ASSERT_FALSE(clean.result.failed);
    for (FaultMode mode : {FaultMode::kFail, FaultMode::kShort}) {
      for (uint64_t k = 1; k <= probe.callCount(); ++k) {
        SCOPED_TRACE(std::string(testing::FsOpName(probe.callLog()[k - 1])) + " #" + std::to_string(k) +
                     (mode == FaultMode::kShort ? " short" : ""));
        MemoryFileSystem fs;
        fs.SetFile(kIn, s.bytes());
        fs.FailCall(k, mode);
        RecordingHost host;
        const Outcome o = Convert(fs, host, 0, delay);
        EXPECT_EQ(fs.openHandles(), 0);
        EXPECT_EQ(fs.Contents(kIn), s.bytes());
        EXPECT_EQ(host.shown.back(), host.info);
        if (o.result.failed) {
          EXPECT_TRUE(IsErrorMessage(host.info)) << host.info;
          EXPECT_FALSE(o.outputExists);
        } else if (mode == FaultMode::kFail) {
          EXPECT_EQ(o.output, clean.output);
        }
      }
    }
  }
}

}  // namespace
}  // namespace tessaro
