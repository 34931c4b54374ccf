// The console program's texts in Japanese and in English.
#include "cli/cli_texts.h"

namespace tessaro::cli {
namespace {

constexpr CliTexts kJapanese{
    .checkWavLayout = ", データ開始：%llu, ブロック長：%s Bytes",
    .checkMismatchCount = "チェックサム不一致：%uヵ所",
    .checkFrameCount = "フレーム数：%llu, ",
};

constexpr CliTexts kEnglish{
    .checkWavLayout = ", Data start: %llu, Block length: %s Bytes",
    .checkMismatchCount = "Checksum mismatches: %u",
    .checkFrameCount = "Frames: %llu, ",
};

}  // namespace

const CliTexts& CliTextsFor(Language language) {
  return language == Language::kEnglish ? kEnglish : kJapanese;
}

}  // namespace tessaro::cli
