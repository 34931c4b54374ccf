#include "engine/wav_container.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_texts.h"
#include "tests/support/adts_builder.h"
#include "tests/support/container_builder.h"
#include "tests/support/memory_file_system.h"

namespace tessaro {
namespace {

using testing::AdtsFields;
using testing::AdtsFrame;
using testing::Bytes;
using testing::Cat;
using testing::MemoryFileSystem;
using testing::PutLe16;
using testing::PutLe32;

Bytes Silent(uint8_t channels) {
  const auto& entry = kSilentFrames[channels];
  return Bytes(entry.begin() + 1, entry.begin() + 1 + entry[0]);
}

Bytes ChecksumBytes(const BlockChecksum& c) {
  Bytes out;
  PutLe16(out, c.sum);
  PutLe16(out, c.exclusiveOr);
  return out;
}

TEST(BlockChecksum, SilentFrameExamples) {
  const Bytes mono = Silent(1);
  const Bytes stereo = Silent(2);
  EXPECT_EQ(ChecksumBytes(ComputeBlockChecksum(mono.data(), mono.size())),
            (Bytes{0x10, 0x5F, 0x86, 0x65}));
  EXPECT_EQ(ChecksumBytes(ComputeBlockChecksum(stereo.data(), stereo.size())),
            (Bytes{0x15, 0x87, 0xE7, 0x8C}));
}

TEST(BlockChecksum, WordsAreLittleEndianAndAnOddByteStandsAlone) {
  struct Case {
    Bytes frame;
    uint16_t sum, exclusiveOr;
  } const cases[] = {
      {{}, 0x0000, 0x0000},
      {{0x01}, 0x0001, 0x0001},                          // low byte of a word of its own
      {{0x01, 0x02}, 0x0201, 0x0201},
      {{0x01, 0x02, 0x03}, 0x0204, 0x0202},              // 0x0201 and 0x0003
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0x00FD, 0x00FF},  // sum wraps at 16 bits
      {{0x00, 0x80, 0x00, 0x80}, 0x0000, 0x0000},
      {Bytes(2041, 0xFF), 0xFD03, 0x00FF},               // 1,020 words of 0xFFFF and 0x00FF
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.frame.size());
    const BlockChecksum got = ComputeBlockChecksum(c.frame.data(), c.frame.size());
    EXPECT_EQ(got.sum, c.sum);
    EXPECT_EQ(got.exclusiveOr, c.exclusiveOr);
  }
}

// A block built in place in a 4096-byte buffer; cleanFrom carries over
// from one Build to the next, as in the writer's buffer.
struct InPlaceBlock {
  Bytes bytes = Bytes(4096, 0);
  size_t cleanFrom = 0;
  void Build(const uint8_t* frame, uint32_t presentLength, uint32_t frameLength,
             size_t blockSize = 4096, BlockFlavour flavour = BlockFlavour::kClassic) {
    cleanFrom = BuildFrameBlock(bytes.data(), blockSize, cleanFrom, frame, presentLength,
                                frameLength, flavour);
  }
};

TEST(BuildFrameBlock, MonoSilentFrameBlockBytesInEachFlavour) {
  const Bytes mono = Silent(1);
  struct Case {
    BlockFlavour flavour;
    Bytes preamble;
  } const cases[] = {
      {BlockFlavour::kClassic, {0x72, 0xF8, 0x1F, 0x4E, 0x07, 0x01, 0x00, 0x00}},
      {BlockFlavour::kEditors, {0x54, 0x53, 0x52, 0x41, 0x44, 0x54, 0x53, 0x01}},  // "TSRADTS", 1
  };
  InPlaceBlock block;  // one buffer: the second preamble replaces the first whole
  for (const Case& c : cases) {
    block.Build(mono.data(), 13, 13, 4096, c.flavour);
    const Bytes expectedStart = testing::Cat({
        {0x00, 0x00, 0x00, 0x00},                   // four zeros
        c.preamble,                                 // preamble
        {0xFF, 0xF9, 0x4C, 0x40, 0x01, 0xBF, 0xFC,  // frame header
         0x00, 0xC8, 0x40, 0x80, 0x23, 0x80,        // frame payload
         0x10, 0x5F, 0x86, 0x65,                    // sum, exclusive-or
         0, 0, 0, 0, 0, 0, 0, 0,                    // eight zeros
         'E', 'N', 'D'}});
    EXPECT_EQ(Bytes(block.bytes.begin(), block.bytes.begin() + 40), expectedStart);
    EXPECT_EQ(block.bytes, testing::ExpectedBlock(mono, 4096, c.flavour));
  }
}

TEST(BuildFrameBlock, NothingOfALongerFrameSurvivesIntoTheNext) {
  AdtsFields f;
  f.frame_length = 2040;  // whole frame, header included
  const Bytes longFrame = AdtsFrame(f, 1);
  f.frame_length = 101;   // odd: the last word has a zero high byte
  const Bytes shortFrame = AdtsFrame(f, 2);
  InPlaceBlock block;
  block.Build(longFrame.data(), 2040, 2040);
  block.Build(shortFrame.data(), 101, 101);
  EXPECT_EQ(block.bytes, testing::ExpectedBlock(shortFrame, 4096));
}

TEST(BuildFrameBlock, MissingBytesOfACutFrameAreZeros) {
  AdtsFields f;
  f.frame_length = 500;
  const Bytes frame = AdtsFrame(f, 3);
  InPlaceBlock block;
  block.Build(frame.data(), 200, 500);  // only 200 bytes present
  EXPECT_EQ(block.bytes, testing::ExpectedBlock(Bytes(frame.begin(), frame.begin() + 200), 500, 4096));
}

TEST(BuildFrameBlock, LongestFrameFillsTheBufferToTheEndMark) {
  AdtsFields f;
  f.frame_length = kMaxBlockFrameLength;  // 4069
  const Bytes frame = AdtsFrame(f, 4);
  InPlaceBlock block;
  block.Build(frame.data(), 4069, 4069);
  EXPECT_EQ(Bytes(block.bytes.begin() + 4093, block.bytes.end()), (Bytes{'E', 'N', 'D'}));
}

// A half-size block ends inside a long frame or its trailer: nothing is
// written past it, and what a longer frame left is still cleared.
TEST(BuildFrameBlock, HalfSizeBlockIsCutAtItsEnd) {
  AdtsFields f;
  const uint32_t lengths[] = {4069, 2040, 2030, 2021, 2037, 100};
  InPlaceBlock block;
  for (const uint32_t length : lengths) {
    SCOPED_TRACE(length);
    f.frame_length = length;
    const Bytes frame = AdtsFrame(f, static_cast<uint8_t>(length));
    block.Build(frame.data(), length, length, 2048);
    EXPECT_EQ(Bytes(block.bytes.begin(), block.bytes.begin() + 2048), testing::ExpectedBlock(frame, 2048));
    EXPECT_EQ(Bytes(block.bytes.begin() + 2048, block.bytes.end()), Bytes(2048, 0));
  }
}

TEST(WavHeader, BothWidths) {
  const Bytes sixteen = {
      'R', 'I', 'F', 'F',      // RIFF
      0x24, 0x30, 0x00, 0x00,  // RIFF size: data size + 36
      'W', 'A', 'V', 'E',      // WAVE
      'f', 'm', 't', ' ',      // format chunk
      0x10, 0x00, 0x00, 0x00,  // its body: 16 bytes
      0x01, 0x00,              // PCM
      0x02, 0x00,              // two channels
      0x80, 0xBB, 0x00, 0x00,  // 48000 samples per second
      0x00, 0xEE, 0x02, 0x00,  // 192000 bytes per second
      0x04, 0x00,              // block align 4
      0x10, 0x00,              // 16 bits per sample
      'd', 'a', 't', 'a',      // data chunk
      0x00, 0x30, 0x00, 0x00,  // data size: three blocks of 4096
  };
  const Bytes eight = {
      'R', 'I', 'F', 'F',      // RIFF
      0x24, 0x18, 0x00, 0x00,  // RIFF size
      'W', 'A', 'V', 'E',      // WAVE
      'f', 'm', 't', ' ',      // format chunk
      0x10, 0x00, 0x00, 0x00,  // its body: 16 bytes
      0x01, 0x00,              // PCM
      0x02, 0x00,              // two channels
      0x80, 0xBB, 0x00, 0x00,  // 48000 samples per second
      0x00, 0x77, 0x01, 0x00,  // 96000 bytes per second
      0x02, 0x00,              // block align 2
      0x08, 0x00,              // 8 bits per sample
      'd', 'a', 't', 'a',      // data chunk
      0x00, 0x18, 0x00, 0x00,  // data size: three blocks of 2048
  };
  const auto h16 = MakeWavHeader(WavFormatForSize(0), 3 * 4096, 3 * 4096 + 36);
  EXPECT_EQ(Bytes(h16.begin(), h16.end()), sixteen);
  for (int size : {1, 2, -1}) {  // any choice but 0 is the half size
    const auto h8 = MakeWavHeader(WavFormatForSize(size), 3 * 2048, 3 * 2048 + 36);
    EXPECT_EQ(Bytes(h8.begin(), h8.end()), eight) << size;
  }
  EXPECT_EQ(WavFormatForSize(0).blockSize, 4096u);
  EXPECT_EQ(WavFormatForSize(1).blockSize, 2048u);
}

TEST(WavSizesFor, SaturatesInsteadOfWrapping) {
  struct Case {
    uint64_t dataBytes;
    uint32_t dataSize, riffSize;
  } const cases[] = {
      {0, 0, 36},
      {4096, 4096, 4132},
      {0xFFFFFFDBull, 0xFFFFFFDB, 0xFFFFFFFF},  // the last exact RIFF size
      {0xFFFFFFDCull, 0xFFFFFFDC, 0xFFFFFFFF},
      {0xFFFFFFFFull, 0xFFFFFFFF, 0xFFFFFFFF},
      {0x100000000ull, 0xFFFFFFFF, 0xFFFFFFFF},  // 1,048,576 blocks of 4096
      {0x10000000000ull, 0xFFFFFFFF, 0xFFFFFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dataBytes);
    const WavSizeFields s = WavSizesFor(c.dataBytes);
    EXPECT_EQ(s.dataSize, c.dataSize);
    EXPECT_EQ(s.riffSize, c.riffSize);
  }
}

// --- The reader's header walk ---------------------------------------------

constexpr char kBroken[] = "エラー：入力ファイルが、異常です。\r\n";
constexpr char kNotWav[] = "エラー：WAVファイルでは、ありません。\r\n";

Bytes Chunk(const std::string& id, const Bytes& body) {
  Bytes out(id.begin(), id.end());
  PutLe32(out, static_cast<uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

// A format chunk body: PCM, stereo, 48 kHz, the given block align.
Bytes FmtBody(uint16_t blockAlign, size_t size = 16) {
  Bytes b;
  PutLe16(b, 1);                   // PCM
  PutLe16(b, 2);                   // channels
  PutLe32(b, 48000);               // samples per second
  PutLe32(b, 48000u * blockAlign); // bytes per second
  PutLe16(b, blockAlign);          // block align
  PutLe16(b, 16);                  // bits per sample
  b.resize(size, 0);
  return b;
}

Bytes Riff(const Bytes& chunks) {
  Bytes out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  out.insert(out.end(), chunks.begin(), chunks.end());
  return out;
}

struct LayoutResult {
  std::string message;
  WavLayout layout;
};

LayoutResult Walk(const Bytes& file, Language language = Language::kJapanese) {
  MemoryFileSystem fs;
  fs.SetFile("in.wav", file);
  std::unique_ptr<File> in = fs.OpenRead("in.wav");
  LayoutResult r;
  ReadWavLayout(*in, file.size(), &r.layout, EngineTextsFor(language), &r.message);
  return r;
}

TEST(ReadWavLayout, AcceptsContainersAndFindsTheData) {
  struct Case {
    const char* name;
    Bytes file;
    uint64_t dataStart;
    uint32_t blockLength;
  } const cases[] = {
      {"canonical 16-bit", Riff(Cat({Chunk("fmt ", FmtBody(4)), Chunk("data", Bytes(4, 0))})), 44, 4096},
      {"canonical 8-bit", Riff(Cat({Chunk("fmt ", FmtBody(2)), Chunk("data", Bytes(4, 0))})), 44, 2048},
      {"largest format chunk", Riff(Cat({Chunk("fmt ", FmtBody(4, 74)), Chunk("data", Bytes(4, 0))})), 102, 4096},
      {"chunk between format and data",
       Riff(Cat({Chunk("fmt ", FmtBody(4)), Chunk("LIST", Bytes(20, 0x41)), Chunk("data", Bytes(4, 0))})),
       72, 4096},
      // A format chunk without a block align leaves the block size to the next chunk.
      {"block size from a later chunk",
       Riff(Cat({Chunk("fmt ", FmtBody(0)), Chunk("junk", FmtBody(2)), Chunk("data", Bytes(4, 0))})),
       68, 2048},
      // The size fields are not read.
      {"size fields ignored",
       Riff(Cat({Chunk("fmt ", FmtBody(4)), Bytes{'d', 'a', 't', 'a', 0xFF, 0xFF, 0xFF, 0xFF}, Bytes(4, 0)})),
       44, 4096},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LayoutResult r = Walk(c.file);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.layout.dataStart, c.dataStart);
    EXPECT_EQ(r.layout.blockLength, c.blockLength);
  }
}

TEST(ReadWavLayout, Refusals) {
  Bytes rf64 = Riff(Cat({Chunk("fmt ", FmtBody(4)), Chunk("data", Bytes(4, 0))}));
  rf64[0] = 'R', rf64[1] = 'F', rf64[2] = '6', rf64[3] = '4';
  Bytes notWave = Riff(Cat({Chunk("fmt ", FmtBody(4)), Chunk("data", Bytes(4, 0))}));
  notWave[8] = 'A';
  Bytes noFmt = Riff(Cat({Chunk("fmtx", FmtBody(4)), Chunk("data", Bytes(4, 0))}));
  // A chunk of odd size is followed by its pad byte, which the walk does not
  // skip: the next identifier then starts with that zero.
  const Bytes oddChunk = Riff(Cat({Chunk("fmt ", FmtBody(4)), Chunk("LIST", Bytes(3, 0x41)), Bytes{0},
                                   Chunk("data", Bytes(8, 0))}));
  // Ends after 60 bytes, in the middle of a chunk the walk must read.
  Bytes cutInWalk = Riff(Cat({Chunk("fmt ", FmtBody(4)), Chunk("LIST", Bytes(40, 0x41)), Chunk("data", Bytes(4, 0))}));
  cutInWalk.resize(60);
  // Ends right before the data size field.
  Bytes cutAtDataSize = Riff(Cat({Chunk("fmt ", FmtBody(4, 30)), Bytes{'d', 'a', 't', 'a'}}));

  struct Case {
    const char* name;
    Bytes file;
    std::string message;
  } const cases[] = {
      {"47 bytes", Bytes(47, 0x20), kBroken},
      {"48 bytes of nothing", Bytes(48, 0x20), kNotWav},
      {"RF64", rf64, kNotWav},
      {"not WAVE", notWave, kNotWav},
      {"no format chunk first", noFmt, kNotWav},
      {"format chunk above 74", Riff(Cat({Chunk("fmt ", FmtBody(4, 75)), Chunk("data", Bytes(4, 0))})),
       "エラー：入力ファイルが、異常です。75,20\r\n"},
      {"LIST chunk above 74", Riff(Cat({Chunk("fmt ", FmtBody(4)), Chunk("LIST", Bytes(100, 0x41)), Chunk("data", Bytes(4, 0))})),
       "エラー：入力ファイルが、異常です。100,44\r\n"},
      {"size printed as a signed number",
       Riff(Cat({Bytes{'f', 'm', 't', ' ', 0x00, 0x00, 0x00, 0x80}, Bytes(40, 0)})),
       "エラー：入力ファイルが、異常です。-2147483648,20\r\n"},
      {"identifier below 0x20", Riff(Cat({Chunk("fmt ", FmtBody(4)), Chunk("da\x1f" "a", Bytes(4, 0))})), kNotWav},
      {"identifier above 0x7E", Riff(Cat({Chunk("fmt ", FmtBody(4)), Chunk("dat\x7f", Bytes(4, 0))})), kNotWav},
      {"odd chunk with pad byte", oddChunk, kNotWav},
      {"block align 0", Riff(Cat({Chunk("fmt ", FmtBody(0)), Chunk("data", Bytes(4, 0))})), kBroken},
      {"ends inside the walk", cutInWalk, kBroken},
      {"ends before the data size", cutAtDataSize, kBroken},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Walk(c.file).message, c.message);
  }
  // The English says what the figures are, the size read unsigned, and what to do.
  EXPECT_EQ(Walk(cases[7].file, Language::kEnglish).message,
            "Error: The input file is invalid: a chunk before its audio data claims 2147483648 "
            "bytes, more than the 74 this program reads (its size field ends at byte 20). An editor "
            "may have added information such as a LIST chunk; save the WAV without it.\r\n");
}

// --- Block candidates --------------------------------------------------------

Bytes BlockFor(uint32_t frameLength, uint8_t seed = 0, BlockFlavour flavour = BlockFlavour::kClassic) {
  AdtsFields f;
  f.frame_length = frameLength;
  return testing::ExpectedBlock(AdtsFrame(f, seed), 4096, flavour);
}

// The same table for both preambles, and the one's first byte never starts
// the other.
class BlockCandidateInEachFlavour : public ::testing::TestWithParam<BlockFlavour> {};

TEST_P(BlockCandidateInEachFlavour, Kinds) {
  using Kind = BlockCandidate::Kind;
  const BlockFlavour flavour = GetParam();
  const Bytes good = BlockFor(300, 0, flavour);
  Bytes otherFirstByte = good;
  otherFirstByte[4] = flavour == BlockFlavour::kClassic ? 'T' : 0x72;
  Bytes badPreamble = good;
  badPreamble[6] ^= 0x01;
  Bytes badSync = good;
  badSync[13] = 0xF3;  // layer 01
  Bytes badEnd = good;
  badEnd[12 + 300 + 12 + 2] = 'd';
  Bytes badPayload = good;
  badPayload[12 + 150] ^= 0x10;
  Bytes badStored = good;
  badStored[12 + 300 + 3] ^= 0x01;

  struct Case {
    const char* name;
    Bytes data;
    size_t available;
    Kind kind;
    bool headerParsed;
  } const cases[] = {
      {"intact", good, good.size(), Kind::kAccept, true},
      {"the other flavour's first byte", otherFirstByte, good.size(), Kind::kReject, false},
      {"preamble", badPreamble, good.size(), Kind::kReject, false},
      {"sync", badSync, good.size(), Kind::kReject, false},
      {"end mark", badEnd, good.size(), Kind::kReject, true},
      {"payload", badPayload, good.size(), Kind::kMismatch, true},
      {"stored checksum", badStored, good.size(), Kind::kMismatch, true},
      {"cut inside the preamble", good, 10, Kind::kNeedMore, false},
      {"cut before the preamble", good, 4, Kind::kNeedMore, false},
      {"cut inside the frame", good, 200, Kind::kNeedMore, true},
      {"cut inside the end mark", good, 12 + 300 + 12 + 2, Kind::kNeedMore, true},
      {"cut right after the end mark", good, 12 + 300 + 15, Kind::kAccept, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BlockCandidate got = TestBlockCandidate(c.data.data() + 4, c.available - 4, 0);
    EXPECT_EQ(got.kind, c.kind);
    EXPECT_EQ(got.headerParsed, c.headerParsed);
    if (c.headerParsed) {
      EXPECT_EQ(got.header.frame_length, 300u);
      EXPECT_EQ(got.flavour, flavour);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Flavours, BlockCandidateInEachFlavour, ::testing::ValuesIn(testing::kBothFlavours),
                         [](const auto& param) { return testing::FlavourName(param.param); });

TEST(TestBlockCandidate, MismatchCarriesComputedAndStoredChecksums) {
  Bytes block = BlockFor(64);
  block[12 + 10] ^= 0xFF;
  const BlockCandidate got = TestBlockCandidate(block.data(), block.size(), 4);
  ASSERT_EQ(got.kind, BlockCandidate::Kind::kMismatch);
  const Bytes frame(block.begin() + 12, block.begin() + 12 + 64);
  const testing::Checksum expected = testing::WordChecksum(frame);
  EXPECT_EQ(got.computed.sum, expected.sum);
  EXPECT_EQ(got.computed.exclusiveOr, expected.exclusiveOr);
  EXPECT_EQ(Bytes(got.stored.begin(), got.stored.end()), Bytes(block.begin() + 76, block.begin() + 80));
}

}  // namespace
}  // namespace tessaro
