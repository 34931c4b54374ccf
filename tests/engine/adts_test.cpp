#include "engine/adts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_texts.h"
#include "engine/report_text.h"
#include "tests/support/adts_builder.h"
#include "tests/support/memory_file_system.h"

namespace tessaro {
namespace {

using testing::AdtsFields;
using testing::AdtsFrame;
using testing::AdtsHeaderBytes;
using testing::AdtsStream;
using testing::Bytes;
using testing::MemoryFileSystem;

constexpr uint32_t kLongestLastFrame = 4069;  // what a 4096-byte block holds with its trailer

AdtsFields Stereo48k(uint32_t frameLength) {
  AdtsFields f;
  f.sampling_frequency_index = 3;  // 48000 Hz
  f.channel_configuration = 2;     // stereo
  f.frame_length = frameLength;    // whole frame, header included
  return f;
}

// What the scanner gave a consumer that behaves like the AAC-to-WAV
// conversion without delay: one slot per frame, a second one when the frame
// closes a damaged region.
struct ScanResult {
  std::vector<Bytes> frames;             // the bytes present of each frame
  std::vector<uint32_t> declaredLengths;
  std::vector<bool> duplicated;
  std::vector<uint64_t> offsetsAfter;    // offset() after FrameDone()
  uint64_t slots = 0;
  uint32_t anomalyCount = 0;
  std::string anomalyEntries;
  uint8_t acceptedIndex = 0;
  bool readError = false;
};

ScanResult Scan(const Bytes& input) {
  MemoryFileSystem fs;
  fs.SetFile("in.aac", input);
  std::unique_ptr<File> file = fs.OpenRead("in.aac");
  AdtsScanner scanner(*file, input.size(), kLongestLastFrame);
  ScanResult r;
  AdtsScanner::Frame frame;
  for (;;) {
    const AdtsScanner::Status status = scanner.Next(r.slots, &frame);
    if (status == AdtsScanner::Status::kReadError) r.readError = true;
    if (status != AdtsScanner::Status::kFrame) break;
    r.frames.emplace_back(frame.bytes, frame.bytes + frame.presentLength);
    r.declaredLengths.push_back(frame.header.frame_length);
    r.duplicated.push_back(scanner.inAnomalyRun());
    if (scanner.inAnomalyRun()) {
      ++r.slots;
      scanner.EndAnomalyRun();
    }
    scanner.FrameDone();
    r.offsetsAfter.push_back(scanner.offset());
    ++r.slots;
  }
  r.anomalyCount = scanner.anomalyCount();
  for (const DamagePlace& place : scanner.damagePlaces()) {
    r.anomalyEntries += AnomalyEntry(EngineTextsFor(Language::kJapanese), place.seconds);
  }
  r.acceptedIndex = scanner.acceptedIndex();
  return r;
}

std::string Entry(const char* time) { return std::string("　時間：") + time + "\r\n"; }

// --- Header fields and the sync test ---------------------------------------

TEST(ParseAdtsHeader, ReadsEachFieldFromItsBits) {
  struct Case {
    const char* name;
    AdtsFields fields;
  };
  std::vector<Case> cases;
  {
    AdtsFields f;                     // defaults: MPEG-2, no CRC, AAC LC, 48 kHz, stereo
    f.frame_length = 371;             // whole frame, header included
    cases.push_back({"typical", f});
  }
  {
    AdtsFields f;
    f.id = 0;                         // MPEG-4
    f.protection_absent = 0;          // a CRC follows
    f.profile = 3;                    // does not leak into the index
    f.sampling_frequency_index = 15;  // reserved
    f.private_bit = 1;                // does not leak into the index or channels
    f.channel_configuration = 7;      // high bit in byte 2, low bits in byte 3
    f.original_copy = 1;              // flags between channels and length
    f.home = 1;
    f.copyright_identification_bit = 1;
    f.copyright_identification_start = 1;
    f.frame_length = 8191;            // all 13 bits set
    f.adts_buffer_fullness = 0x7FF;   // all ones right behind the length
    f.number_of_raw_data_blocks_in_frame = 3;
    cases.push_back({"all bits set", f});
  }
  {
    AdtsFields f;
    f.profile = 0;
    f.sampling_frequency_index = 0;   // 96000 Hz
    f.channel_configuration = 4;      // only the bit in byte 2
    f.frame_length = 0x1800;          // only the two bits in byte 3
    f.adts_buffer_fullness = 0;
    cases.push_back({"split fields, high parts only", f});
  }
  {
    AdtsFields f;
    f.sampling_frequency_index = 11;  // 8000 Hz
    f.channel_configuration = 3;      // only the bits in byte 3
    f.frame_length = 7;               // only the three bits in byte 5
    cases.push_back({"split fields, low parts only", f});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes bytes = AdtsHeaderBytes(c.fields);
    ASSERT_EQ(bytes.size(), 7u);
    const AdtsHeader h = ParseAdtsHeader(bytes.data());
    EXPECT_EQ(h.id, c.fields.id);
    EXPECT_EQ(h.protection_absent, c.fields.protection_absent);
    EXPECT_EQ(h.sampling_frequency_index, c.fields.sampling_frequency_index);
    EXPECT_EQ(h.channel_configuration, c.fields.channel_configuration);
    EXPECT_EQ(h.frame_length, c.fields.frame_length);
  }
}

TEST(ParseAdtsHeader, SilentFrameTemplatesDescribeThemselves) {
  const uint8_t channels[] = {0, 1, 2, 6};
  for (uint8_t ch : channels) {
    SCOPED_TRACE(int{ch});
    const auto& entry = kSilentFrames[ch];
    const AdtsHeader h = ParseAdtsHeader(entry.data() + 1);
    EXPECT_TRUE(IsAdtsSync(entry[1], entry[2]));
    EXPECT_EQ(h.frame_length, entry[0]);
    EXPECT_EQ(h.channel_configuration, ch);
    EXPECT_EQ(h.sampling_frequency_index, 3);
  }
  EXPECT_EQ(kSilentFrames[3][0], 0);
  EXPECT_EQ(kSilentFrames[4][0], 0);
  EXPECT_EQ(kSilentFrames[5][0], 0);
}

TEST(IsAdtsSync, MaskKeepsSyncwordAndLayerOnly) {
  struct Case {
    uint8_t b0, b1;
    bool sync;
  } const cases[] = {
      {0xFF, 0xF1, true},   // MPEG-2, no CRC
      {0xFF, 0xF0, true},   // MPEG-2 with CRC
      {0xFF, 0xF9, true},   // MPEG-4, no CRC
      {0xFF, 0xF8, true},   // MPEG-4 with CRC
      {0xFF, 0xF3, false},  // layer 01
      {0xFF, 0xF5, false},  // layer 10
      {0xFF, 0xF7, false},  // layer 11
      {0xFF, 0xFF, false},
      {0xFF, 0xE1, false},  // a syncword bit missing in byte 1
      {0xFE, 0xF1, false},  // a syncword bit missing in byte 0
      {0x7F, 0xF1, false},
      {0x00, 0x00, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(int{c.b0}) + " " + ::testing::PrintToString(int{c.b1}));
    EXPECT_EQ(IsAdtsSync(c.b0, c.b1), c.sync);
  }
}

TEST(SamplingFrequencies, TableAndReservedEntries) {
  const uint32_t expected[16] = {96000, 88200, 64000, 48000, 44100, 32000, 24000, 22050,
                                 16000, 12000, 11025, 8000,  0,     0,     0,     0};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(kSamplingFrequencies[i], expected[i]) << i;
}

// --- The scanner -----------------------------------------------------------

TEST(AdtsScanner, CleanStreamYieldsEveryFrameUntouched) {
  AdtsStream s;
  s.Frame(Stereo48k(100), 1).Frame(Stereo48k(8), 2).Frame(Stereo48k(2040), 3).Frame(Stereo48k(333), 4);
  const ScanResult r = Scan(s.bytes());
  EXPECT_EQ(r.frames, s.frames());
  EXPECT_EQ(r.anomalyCount, 0u);
  EXPECT_EQ(r.anomalyEntries, "");
  EXPECT_EQ(r.slots, 4u);
  EXPECT_EQ(r.offsetsAfter.back(), s.size());
}

TEST(AdtsScanner, CleanStreamAcrossManyWindows) {
  AdtsStream s;
  // 1.4 MB: frames straddle both window refills.
  for (int i = 0; i < 1400; ++i) s.Frame(Stereo48k(static_cast<uint32_t>(900 + i % 200)), static_cast<uint8_t>(i));
  const ScanResult r = Scan(s.bytes());
  EXPECT_EQ(r.anomalyCount, 0u);
  ASSERT_EQ(r.frames.size(), s.frames().size());
  EXPECT_TRUE(r.frames == s.frames());
}

TEST(AdtsScanner, EmptyInputIsOneAnomalyAtTimeZero) {
  const ScanResult r = Scan({});
  EXPECT_TRUE(r.frames.empty());
  EXPECT_EQ(r.anomalyCount, 1u);
  EXPECT_EQ(r.anomalyEntries, Entry("00:00:00.00"));
}

TEST(AdtsScanner, JunkBeforeFirstFrameIsOneAnomalyAndDoublesTheFirstSlot) {
  AdtsStream s;
  s.Junk(300, 0x55).Frames(3, Stereo48k(120));
  const ScanResult r = Scan(s.bytes());
  EXPECT_EQ(r.frames, s.frames());
  EXPECT_EQ(r.anomalyCount, 1u);
  EXPECT_EQ(r.anomalyEntries, Entry("00:00:00.00"));
  EXPECT_EQ(r.duplicated, (std::vector<bool>{true, false, false}));
  EXPECT_EQ(r.slots, 4u);
}

TEST(AdtsScanner, DamageInTheMiddleIsTimedByTheSlotsBeforeIt) {
  AdtsStream s;
  s.Frames(100, Stereo48k(150)).Junk(500, 0x42).Frames(5, Stereo48k(150), 100);
  const ScanResult r = Scan(s.bytes());
  EXPECT_EQ(r.anomalyCount, 1u);
  // The 100th frame is not followed by a frame: it is damage too, so the
  // region starts at slot 99. 99 x 1024 / 48000 = 2.112 s.
  EXPECT_EQ(r.frames.size(), 104u);
  EXPECT_EQ(r.anomalyEntries, Entry("00:00:02.11"));
}

TEST(AdtsScanner, DamageBetweenFramesIsTimedAtTheNextSlot) {
  AdtsStream s;
  // A frame too long for the middle of a stream between good frames: the
  // frame in front of it is followed by a sync pair and stays good.
  AdtsFields bad = Stereo48k(150);
  bad.frame_length = 3000;  // longer than any frame inside a stream
  s.Frames(100, Stereo48k(150)).Junk(AdtsFrame(bad, 7)).Frames(5, Stereo48k(150), 100);
  const ScanResult r = Scan(s.bytes());
  EXPECT_EQ(r.frames.size(), 105u);
  EXPECT_EQ(r.anomalyCount, 1u);
  // 100 x 1024 / 48000 = 2.1333 s
  EXPECT_EQ(r.anomalyEntries, Entry("00:00:02.13"));
  EXPECT_TRUE(r.duplicated[100]);
  EXPECT_EQ(r.slots, 106u);
}

TEST(AdtsScanner, DamageAcrossTheWindowEndIsOneRegion) {
  AdtsStream s;
  s.Frames(520, Stereo48k(1000));          // 520,000 bytes
  s.Junk(9000, 0x33);                      // runs past 524,288
  s.Frames(20, Stereo48k(1000), 40);
  const ScanResult r = Scan(s.bytes());
  EXPECT_EQ(r.anomalyCount, 1u);
  ASSERT_EQ(r.frames.size(), 539u);        // the frame before the junk is lost with it
  EXPECT_EQ(r.frames.back(), s.frames().back());
  EXPECT_EQ(r.frames[519], s.frames()[520]);
}

TEST(AdtsScanner, ManyFailuresWithoutAFrameBetweenAreOneRegion) {
  AdtsFields tooLong = Stereo48k(3000);
  AdtsStream s;
  s.Frames(4, Stereo48k(100));
  for (int i = 0; i < 6; ++i) s.Junk(AdtsHeaderBytes(tooLong)).Junk(5, 0x10);  // six false starts
  s.Frames(40, Stereo48k(100), 9);  // more than 3000 bytes: the false starts are not last frames
  const ScanResult r = Scan(s.bytes());
  EXPECT_EQ(r.anomalyCount, 1u);
  EXPECT_EQ(r.frames.size(), 44u);  // the frame in front is followed by a sync pair and stays
  EXPECT_EQ(r.anomalyEntries, Entry("00:00:00.09"));  // slot 4: 0.0853 s
}

TEST(AdtsScanner, LastFrameCutShortCarriesOnlyTheBytesPresent) {
  AdtsStream s;
  s.Frames(2, Stereo48k(200)).Frame(Stereo48k(500), 9).CutEnd(300);
  const ScanResult r = Scan(s.bytes());
  ASSERT_EQ(r.frames.size(), 3u);
  EXPECT_EQ(r.anomalyCount, 0u);
  EXPECT_EQ(r.declaredLengths[2], 500u);
  EXPECT_EQ(r.frames[2], Bytes(s.frames()[2].begin(), s.frames()[2].begin() + 200));
  // The offset moves by the declared length, past the end of the input.
  EXPECT_EQ(r.offsetsAfter[2], 900u);
  EXPECT_GT(r.offsetsAfter[2], s.size());
}

TEST(AdtsScanner, FrameLengthLimitsInsideTheStream) {
  struct Case {
    uint32_t length;
    bool accepted;
  } const cases[] = {
      {7, false},     // no room for a payload
      {8, true},
      {2040, true},   // the longest frame inside a stream
      {2041, false},
      {4000, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    AdtsStream s;
    s.Frame(Stereo48k(100), 1).Frame(Stereo48k(c.length), 2).Frames(3, Stereo48k(100), 3);
    const ScanResult r = Scan(s.bytes());
    EXPECT_EQ(r.anomalyCount, c.accepted ? 0u : 1u);
    EXPECT_EQ(r.frames.size(), c.accepted ? 5u : 4u);
  }
}

TEST(AdtsScanner, LastFrameAcceptedAtAnyLengthItsBlockHolds) {
  struct Case {
    uint32_t length;
    bool accepted;
  } const cases[] = {
      {7, true},                       // header only
      {2041, true},
      {kLongestLastFrame, true},
      {kLongestLastFrame + 1, false},  // would not fit its block: damage, no frame
      {8191, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    AdtsStream s;
    s.Frames(3, Stereo48k(100)).Frame(Stereo48k(c.length), 5);
    const ScanResult r = Scan(s.bytes());
    ASSERT_EQ(r.frames.size(), c.accepted ? 4u : 3u);
    EXPECT_EQ(r.anomalyCount, c.accepted ? 0u : 1u);
    if (c.accepted) {
      EXPECT_EQ(r.frames.back(), s.frames().back());
    } else {
      EXPECT_EQ(r.anomalyEntries, Entry("00:00:00.06"));  // 3 x 1024 / 48000 = 0.064 s
    }
  }
}

TEST(AdtsScanner, LongLastFrameRightAtTheWindowEndIsReadWhole) {
  AdtsStream s;
  s.Frames(522, Stereo48k(1000)).Frame(Stereo48k(4000), 1);  // starts at 522,000
  const ScanResult r = Scan(s.bytes());
  ASSERT_EQ(r.frames.size(), 523u);
  EXPECT_EQ(r.frames.back(), s.frames().back());
}

TEST(AdtsScanner, TwelveRegionsListTenEntries) {
  for (uint32_t regions : {10u, 12u}) {
    SCOPED_TRACE(regions);
    AdtsStream s;
    for (uint32_t i = 0; i < regions; ++i) s.Frames(2, Stereo48k(64)).Junk(40, 0x11);
    s.Frames(2, Stereo48k(64));
    const ScanResult r = Scan(s.bytes());
    EXPECT_EQ(r.anomalyCount, regions);
    // Region i follows 2 frames per region plus one duplicate per earlier
    // region, less the frame lost in front of the junk: slot 1 + 2i, that is
    // (1 + 2i) x 1024 / 48000 s.
    const char* const times[] = {"00:00:00.02", "00:00:00.06", "00:00:00.11", "00:00:00.15",
                                 "00:00:00.19", "00:00:00.23", "00:00:00.28", "00:00:00.32",
                                 "00:00:00.36", "00:00:00.41"};
    std::string expected;
    for (const char* time : times) expected += Entry(time);
    EXPECT_EQ(r.anomalyEntries, expected);
  }
}

TEST(AdtsScanner, Mpeg4IdAndCrcFramesAreTakenAlike) {
  AdtsFields mpeg4 = Stereo48k(120);
  mpeg4.id = 0;                    // MPEG-4
  AdtsFields crc = Stereo48k(122);
  crc.protection_absent = 0;       // two CRC bytes behind the header, carried as payload
  AdtsFields both = crc;
  both.id = 0;
  AdtsStream s;
  s.Frame(mpeg4, 1).Frame(crc, 2).Frame(both, 3).Frame(Stereo48k(100), 4);
  const ScanResult r = Scan(s.bytes());
  EXPECT_EQ(r.anomalyCount, 0u);
  EXPECT_EQ(r.frames, s.frames());
}

TEST(AdtsScanner, ResyncStartsTwoBytesAfterTheFailedCandidate) {
  AdtsStream s;
  // One stray byte in front: the candidate at 0 fails, and the frame that
  // starts at offset 1 is never found; the search lands on the second frame.
  s.Junk(1, 0x00).Frames(3, Stereo48k(90));
  const ScanResult r = Scan(s.bytes());
  EXPECT_EQ(r.anomalyCount, 1u);
  ASSERT_EQ(r.frames.size(), 2u);
  EXPECT_EQ(r.frames[0], s.frames()[1]);
  EXPECT_EQ(r.offsetsAfter[0], 1u + 90 + 90);
}

TEST(AdtsScanner, ResyncFindsASyncPairOneByteAfterTheSkippedPair) {
  AdtsStream s;
  // Two stray bytes: the search starts exactly on the first frame.
  s.Junk(2, 0x00).Frames(3, Stereo48k(90));
  const ScanResult r = Scan(s.bytes());
  EXPECT_EQ(r.anomalyCount, 1u);
  EXPECT_EQ(r.frames, s.frames());
}

TEST(AdtsScanner, ReservedSamplingIndexGivesAnUnknownTime) {
  for (uint32_t index : {12u, 13u, 14u, 15u}) {
    SCOPED_TRACE(index);
    AdtsFields f = Stereo48k(80);
    f.sampling_frequency_index = index;  // reserved: 0 Hz
    AdtsStream s;
    s.Frames(3, f).Junk(50, 0x22).Frames(2, f);
    const ScanResult r = Scan(s.bytes());
    EXPECT_EQ(r.anomalyCount, 1u);
    EXPECT_EQ(r.anomalyEntries, Entry("--:--:--.--"));
    EXPECT_EQ(r.acceptedIndex, index);
  }
}

TEST(AdtsScanner, DamageIsTimedAtTheRateOfTheLastAcceptedFrame) {
  // A false header that starts the damage (rejected for its length) must not
  // set the time base: before, a 96 kHz one halved the time and made a later
  // place read earlier than the one before it.
  struct Case {
    uint32_t streamIndex;
    uint32_t falseIndex;
    const char* first;
    const char* second;
  } const cases[] = {
      {3, 4, "00:00:02.13", "00:00:04.29"},  // 48 kHz stream, false 44.1 kHz header
      {3, 0, "00:00:02.13", "00:00:04.29"},  // 48 kHz stream, false 96 kHz header
      {4, 0, "00:00:02.32", "00:00:04.67"},  // 44.1 kHz stream, false 96 kHz header
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.falseIndex);
    AdtsFields good = Stereo48k(100);
    good.sampling_frequency_index = c.streamIndex;
    AdtsFields falseHeader = Stereo48k(3000);
    falseHeader.sampling_frequency_index = c.falseIndex;
    AdtsStream s;
    s.Frames(100, good).Junk(AdtsHeaderBytes(falseHeader)).Junk(20, 0x01).Frames(100, good, 9);
    s.Junk(AdtsHeaderBytes(falseHeader)).Junk(20, 0x01).Frames(40, good, 9);
    const ScanResult r = Scan(s.bytes());
    EXPECT_EQ(r.anomalyCount, 2u);
    // 100 and 201 slots before the places (one slot doubled after the first).
    EXPECT_EQ(r.anomalyEntries, Entry(c.first) + Entry(c.second));
  }
}

TEST(AdtsScanner, ReadErrorStopsTheWalk) {
  MemoryFileSystem fs;
  AdtsStream s;
  s.Frames(600, Stereo48k(1000));
  fs.SetFile("in.aac", s.bytes());
  fs.FailOp(testing::FsOp::kRead, 2);  // the refill of the second window
  std::unique_ptr<File> file = fs.OpenRead("in.aac");
  AdtsScanner scanner(*file, s.size(), kLongestLastFrame);
  AdtsScanner::Frame frame;
  AdtsScanner::Status status;
  int frames = 0;
  while ((status = scanner.Next(0, &frame)) == AdtsScanner::Status::kFrame) {
    scanner.FrameDone();
    ++frames;
  }
  EXPECT_EQ(status, AdtsScanner::Status::kReadError);
  EXPECT_GT(frames, 500);
  EXPECT_LT(frames, 600);
}

}  // namespace
}  // namespace tessaro
