// The engine's texts in Japanese and in English.
#include "engine/engine_texts.h"

namespace tessaro {
namespace {

constexpr EngineTexts kJapanese{
    .inputSize = "入力サイズ：%s Bytes, ",
    .outputSize = "出力サイズ：%s Bytes, ",
    .timeLinePrefix = "時間：",
    .samplingLineWav = "サンプリング周波数：%d Hz, チャンネル数：%d\r\n",
    .samplingLineAac = "サンプリング周波数：%d Hz, チャンネル数：%d, Delay：%d ms\r\n",
    .moreMismatches = "ほかのチェックサム不一致：%s ヵ所\r\n",
    .inputNotOpenable = "エラー：入力ファイルが、開けません。\r\n",
    .outputNotOpenable = "エラー：出力ファイルが、開けません。\r\n",
    .inputBroken = "エラー：入力ファイルが、異常です。\r\n",
    .inputBrokenChunk = "エラー：入力ファイルが、異常です。%d,%d\r\n",
    .notWav = "エラー：WAVファイルでは、ありません。\r\n",
    .badInputName = "エラー：入力ファイル名が不正です。",
    .readFailed = "エラー：入力ファイルが、読み込めません。\r\n",
    .writeFailed = "エラー：出力ファイルに、書き込めません。\r\n",
    .delayTooLarge = "エラー：Delayが、大きすぎます。\r\n",
    .unexpected = "エラー：変換中に、予期しない異常が発生しました。\r\n",
    .outputIsAac = "エラー：出力ファイルが、入力と同じAACファイルです。上書きできません。\r\n",
    .outputIsWav = "エラー：出力ファイルが、入力と同じWAVファイルです。上書きできません。\r\n",
    .outputLinkInSharedFolder =
        "エラー：出力ファイルが、共有フォルダにある他のユーザーのリンクです。"
        "リンクをたどりません。\r\n",
    .damageReportHead =
        "エラー：このAACファイルは正常ではありません。\r\n"
        "大きく音ズレが発生する可能性があります。\r\n\r\n"
        "データ異常が発見された位置↓",
    .damageReportCount = "　(%dヵ所)",   // opens with U+3000
    .anomalyEntryPrefix = "　時間：",     // opens with U+3000
    .noFrameFound =
        "エラー：このWAVファイルには、AACのフレームが見つかりませんでした。\r\n"
        "WAVファイルが編集ソフトで再エンコードされたか、変更された可能性があります。\r\n",
};

constexpr EngineTexts kEnglish{
    .inputSize = "Input size: %s bytes, ",
    .outputSize = "Output size: %s bytes, ",
    .timeLinePrefix = "Duration: ",
    .samplingLineWav = "Sample rate: %d Hz, Channel configuration: %d\r\n",
    .samplingLineAac = "Sample rate: %d Hz, Channel configuration: %d, Delay: %d ms\r\n",
    .moreMismatches = "Other checksum mismatches: %s\r\n",
    .inputNotOpenable = "Error: The input file cannot be opened.\r\n",
    .outputNotOpenable = "Error: The output file cannot be opened.\r\n",
    .inputBroken = "Error: The input file is invalid.\r\n",
    .inputBrokenChunk = "Error: The input file is invalid. %d,%d\r\n",
    .notWav = "Error: The input file is not a WAV file.\r\n",
    .badInputName = "Error: The input file name is invalid.",
    .readFailed = "Error: The input file cannot be read.\r\n",
    .writeFailed = "Error: The output file cannot be written.\r\n",
    .delayTooLarge = "Error: The delay is too large.\r\n",
    .unexpected = "Error: An unexpected error occurred during the conversion.\r\n",
    .outputIsAac = "Error: The output file is an AAC file, like the input; it is not overwritten.\r\n",
    .outputIsWav = "Error: The output file is a WAV file, like the input; it is not overwritten.\r\n",
    .outputLinkInSharedFolder =
        "Error: The output path is another user's link in a shared folder; "
        "the link is not followed.\r\n",
    .damageReportHead =
        "Warning: This AAC file is damaged.\r\n"
        "The audio may be badly out of sync.\r\n\r\n"
        "Positions of damaged data",
    .damageReportCount = " (%d):",
    .anomalyEntryPrefix = "  Time: ",
    .noFrameFound =
        "Warning: No AAC frames were found in this WAV file.\r\n"
        "The WAV file may have been re-encoded or changed by an editing program.\r\n",
};

}  // namespace

const EngineTexts& EngineTextsFor(Language language) {
  return ForLanguage(language, kJapanese, kEnglish);
}

const char* EngineMessageCode(std::string_view text) {
  // Whole texts first: a format matches by the part before its first "%",
  // which may be a whole text of its own (inputBroken, inputBrokenChunk).
  struct Whole {
    const char* code;
    Text EngineTexts::*text;
  };
  static constexpr Whole kWhole[] = {
      {"input_not_openable", &EngineTexts::inputNotOpenable},
      {"output_not_openable", &EngineTexts::outputNotOpenable},
      {"input_invalid", &EngineTexts::inputBroken},
      {"not_wav", &EngineTexts::notWav},
      {"input_name_invalid", &EngineTexts::badInputName},
      {"read_failed", &EngineTexts::readFailed},
      {"write_failed", &EngineTexts::writeFailed},
      {"delay_too_large", &EngineTexts::delayTooLarge},
      {"unexpected", &EngineTexts::unexpected},
      {"no_frame_found", &EngineTexts::noFrameFound},
      {"output_is_aac", &EngineTexts::outputIsAac},
      {"output_is_wav", &EngineTexts::outputIsWav},
      {"output_link_in_shared_folder", &EngineTexts::outputLinkInSharedFolder},
  };
  for (const EngineTexts* texts : {&kJapanese, &kEnglish}) {
    for (const Whole& w : kWhole) {
      if (text == (texts->*w.text).c_str()) return w.code;
    }
  }
  for (const EngineTexts* texts : {&kJapanese, &kEnglish}) {
    const std::string_view chunk = texts->inputBrokenChunk.c_str();
    if (text.starts_with(chunk.substr(0, chunk.find('%')))) return "input_invalid_chunk";
    if (text.starts_with(texts->damageReportHead.c_str())) return "stream_damaged";
  }
  return nullptr;
}

}  // namespace tessaro
