#include "naming/output_path.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tessaro {
namespace {

struct ProposalCase {
  const char* input;
  const char* output;
  bool setsDelay;
  int32_t delayMs;  // checked only when setsDelay
};

void ExpectProposals(const ProposalCase* begin, const ProposalCase* end) {
  for (const ProposalCase* c = begin; c != end; ++c) {
    SCOPED_TRACE(c->input);
    const OutputProposal p = DeriveOutputPath(c->input);
    EXPECT_EQ(p.outputPath, c->output);
    EXPECT_EQ(p.setsDelay, c->setsDelay);
    if (c->setsDelay) {
      EXPECT_EQ(p.delayMs, c->delayMs);
    }
  }
}

TEST(DeriveOutputPath, AacInputs) {
  const ProposalCase cases[] = {
      {"D:\\Music\\song.aac", "D:\\Music\\song_aac.wav", true, 0},
      {"D:\\Music\\Track1 DELAY 120ms.aac", "D:\\Music\\Track1 DELAY 0ms_aac.wav", true, 120},
      {"D:\\Music\\Track1 (delay -48ms).aac", "D:\\Music\\Track1 (delay 0ms)_aac.wav", true, -48},
      {"D:\\Music\\Track1 DELAY 120ms (2).aac", "D:\\Music\\Track1 DELAY 120ms (2)_aac.wav", true,
       0},
      {"D:\\delay 5ms\\song 20ms.aac", "D:\\delay 0ms_aac.wav", true, 5},
      {"D:\\Music\\song.wav.aac", "D:\\Music\\song.wav_aac.wav", true, 0},
      {"D:\\Music\\song_out.aac", "D:\\Music\\song_out_aac.wav", true, 0},
      {".aac", "_aac.wav", true, 0},
      {"/home/user/Track1 DELAY 120ms.aac", "/home/user/Track1 DELAY 0ms_aac.wav", true, 120},
  };
  ExpectProposals(std::begin(cases), std::end(cases));
}

TEST(DeriveOutputPath, WavInputs) {
  const ProposalCase cases[] = {
      {"D:\\Music\\song_aac.wav", "D:\\Music\\song_out.aac", false, 0},
      {"D:\\Music\\Track1 DELAY 0ms_aac.wav", "D:\\Music\\Track1 DELAY 0ms_out.aac", false, 0},
      {"D:\\Music\\Track1 (delay 0ms)_aac.wav", "D:\\Music\\Track1 (delay 0ms)_out.aac", false, 0},
      {"D:\\Music\\song.wav", "D:\\Music\\song_out.aac", false, 0},
      {"D:\\my_files\\song.wav", "D:\\my_files\\song_out.aac", false, 0},
      {"D:\\Music\\song_AAC.wav", "D:\\Music\\song_AAC_out.aac", false, 0},
      {"D:\\Music\\song.aac.wav", "D:\\Music\\song.aac_out.aac", false, 0},
      {".wav", "_out.aac", false, 0},
      {"_aac.wav", "_out.aac", false, 0},
      // A tag in a WAV name is neither read nor rewritten.
      {"Track1 DELAY 120ms_aac.wav", "Track1 DELAY 120ms_out.aac", false, 0},
  };
  ExpectProposals(std::begin(cases), std::end(cases));
}

TEST(DeriveOutputPath, UnrecognisedEndingsGiveNoProposal) {
  const ProposalCase cases[] = {
      {"D:\\Music\\song.AAC", "", false, 0}, {"D:\\Music\\song.WAV", "", false, 0},
      {"D:\\Music\\song.mp4", "", false, 0}, {"D:\\Music.old\\song", "", false, 0},
      {"", "", false, 0},                    {"aac", "", false, 0},
      {"song.aac ", "", false, 0},           {"song.Wav", "", false, 0},
  };
  ExpectProposals(std::begin(cases), std::end(cases));
}

TEST(DeriveOutputPath, JapanesePaths) {
  const ProposalCase cases[] = {
      {"D:\\音楽\\曲 DELAY 120ms.aac", "D:\\音楽\\曲 DELAY 0ms_aac.wav", true, 120},
      {"/home/ユーザー/音楽/トラック（delay 5ms）.aac",
       "/home/ユーザー/音楽/トラック（delay 5ms）_aac.wav", true, 0},
      {"/home/ユーザー/表示_ソ/曲_aac.wav", "/home/ユーザー/表示_ソ/曲_out.aac", false, 0},
      {"/home/ユーザー/音楽.旧/曲.wav", "/home/ユーザー/音楽.旧/曲_out.aac", false, 0},
      // Full-width "＿" and "．" are not the ASCII separators.
      {"D:\\音楽\\曲＿aac.wav", "D:\\音楽\\曲＿aac_out.aac", false, 0},
      {"D:\\音楽\\曲．aac", "", false, 0},
  };
  ExpectProposals(std::begin(cases), std::end(cases));
}

TEST(DeriveOutputPath, RoundTripThroughBothDirections) {
  const OutputProposal toWav = DeriveOutputPath("Track1 DELAY 120ms.aac");
  EXPECT_EQ(toWav.outputPath, "Track1 DELAY 0ms_aac.wav");
  EXPECT_EQ(toWav.delayMs, 120);
  const OutputProposal toAac = DeriveOutputPath(toWav.outputPath);
  EXPECT_EQ(toAac.outputPath, "Track1 DELAY 0ms_out.aac");
  EXPECT_FALSE(toAac.setsDelay);
}

}  // namespace
}  // namespace tessaro
