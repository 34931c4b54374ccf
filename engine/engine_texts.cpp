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
    .inputNotOpenable = "エラー：入力ファイルが、開けません。%.0s%.0s\r\n",
    .outputNotOpenable = "エラー：出力ファイルが、開けません。%.0s%.0s\r\n",
    .inputBroken = "エラー：入力ファイルが、異常です。\r\n",
    .inputBrokenChunk = "エラー：入力ファイルが、異常です。%d,%d\r\n",
    .notWav = "エラー：WAVファイルでは、ありません。\r\n",
    .badInputName = "エラー：入力ファイル名が不正です。",
    .readFailed = "エラー：入力ファイルが、読み込めません。%.0s%.0s\r\n",
    .writeFailed = "エラー：出力ファイルに、書き込めません。%.0s%.0s\r\n",
    .delayTooLarge = "エラー：Delayが、大きすぎます。%.0s%.0s%.0s\r\n",
    .delayInNameTooLarge = "エラー：Delayが、大きすぎます。%.0s%.0s%.0s\r\n",
    .unexpected = "エラー：変換中に、予期しない異常が発生しました。\r\n",
    .outputIsAac = "エラー：出力ファイルが、入力と同じAACファイルです。上書きできません。%.0s\r\n",
    .outputIsWav = "エラー：出力ファイルが、入力と同じWAVファイルです。上書きできません。%.0s\r\n",
    .outputLinkInSharedFolder =
        "エラー：出力ファイルが、共有フォルダにある他のユーザーのリンクです。"
        "リンクをたどりません。%.0s\r\n",
    .outputFileOfAnotherUser =
        "エラー：出力ファイル %s は、共有フォルダにある他のユーザーのファイルです。"
        "上書きできません。別の出力ファイル名を指定してください。\r\n",
    .outputIsTheInput = "入力ファイルと同じファイルです",
    .outputNotARegularFile = "通常のファイルではありません",
    .outputNotWritable = "書き込みが許可されていません",
    .damageReportHead =
        "エラー：このAACファイルは正常ではありません。\r\n"
        "大きく音ズレが発生する可能性があります。\r\n\r\n"
        "データ異常が発見された位置↓",
    .damageReportCount = "　(%dヵ所)",   // opens with U+3000
    .anomalyEntryPrefix = "　時間：",     // opens with U+3000
    .noFrameFound =
        "エラー：このWAVファイルには、AACのフレームが見つかりませんでした。\r\n"
        "WAVファイルが編集ソフトで再エンコードされたか、変更された可能性があります。\r\n"
        "編集ソフトが、音声をデコード、リサンプリング、ディザリングなどで加工した可能性が高いです。\r\n"
        "%sWAVファイルを作り直し、編集ソフトのプロジェクトは、48 kHz、16ビットか8ビットにして、"
        "このトラックには、エフェクトをかけないでください。\r\n",
    .noIntactFrame =
        "エラー：このWAVファイルには、AACのフレームが見つかりませんでした。\r\n"
        "WAVファイルが編集ソフトで再エンコードされたか、変更された可能性があります。\r\n"
        "編集ソフトが、音声をデコード、リサンプリング、ディザリングなどで加工した可能性が高いです。\r\n"
        "%sWAVファイルを作り直し、編集ソフトのプロジェクトは、48 kHz、16ビットか8ビットにして、"
        "このトラックには、エフェクトをかけないでください。\r\n",
    .editorsOption = "--for-editors を付けて",
};

constexpr EngineTexts kEnglish{
    .inputSize = "Input size: %s bytes, ",
    .outputSize = "Output size: %s bytes, ",
    .timeLinePrefix = "Duration: ",
    .samplingLineWav = "Sample rate: %d Hz, Channel configuration: %d\r\n",
    .samplingLineAac = "Sample rate: %d Hz, Channel configuration: %d, Delay: %d ms\r\n",
    .moreMismatches = "Other checksum mismatches: %s\r\n",
    .inputNotOpenable = "Error: The input file \"%s\" cannot be opened%s.\r\n",
    .outputNotOpenable = "Error: The output file \"%s\" cannot be opened%s.\r\n",
    .inputBroken = "Error: The input file is invalid.\r\n",
    .inputBrokenChunk =
        "Error: The input file is invalid: a chunk before its audio data claims %u bytes, more "
        "than the 74 this program reads (its size field ends at byte %d). An editor may have "
        "added information such as a LIST chunk; save the WAV without it.\r\n",
    .notWav = "Error: The input file is not a WAV file.\r\n",
    .badInputName = "Error: The input file name is invalid; it must end in .aac or .wav.",
    .readFailed = "Error: The input file \"%s\" cannot be read%s.\r\n",
    .writeFailed = "Error: The output file \"%s\" cannot be written%s.\r\n",
    .delayTooLarge =
        "Error: The delay of %s ms is out of range; it must lie between %s and %s ms.\r\n",
    .delayInNameTooLarge =
        "Error: The delay of %s ms that the input file name states is out of range; it must lie "
        "between %s and %s ms. Rename the file so that its delay lies in that range (-d0 does "
        "not override the name's delay).\r\n",
    .unexpected = "Error: An unexpected error occurred during the conversion.\r\n",
    .outputIsAac =
        "Error: The output file \"%s\" is an AAC file, like the input, so it is not overwritten: "
        "it may be another input named by mistake. Give another output file name, or remove "
        "that file first.\r\n",
    .outputIsWav =
        "Error: The output file \"%s\" is a WAV file, like the input, so it is not overwritten: "
        "it may be another input named by mistake. Give another output file name, or remove "
        "that file first.\r\n",
    .outputLinkInSharedFolder =
        "Error: The output path \"%s\" leads through a link in a shared folder that another "
        "user may have planted, so the link is not followed and nothing is written. Give an "
        "output path in a folder of your own.\r\n",
    .outputFileOfAnotherUser =
        "Error: The output file \"%s\" belongs to another user and lies in a shared folder, so "
        "it is not overwritten: that user could read what is written there. Give another output "
        "file name.\r\n",
    .outputIsTheInput = "it is the input file",
    .outputNotARegularFile = "it is not a regular file",
    .outputNotWritable = "you may not write to it",
    .damageReportHead =
        "Warning: This AAC file is damaged.\r\n"
        "The audio may be badly out of sync.\r\n\r\n"
        "Positions of damaged data",
    .damageReportCount = " (%d):",
    .anomalyEntryPrefix = "  Time: ",
    .noFrameFound =
        "Warning: No AAC frames were found in this WAV file.\r\n"
        "The editing program has most likely decoded, resampled, dithered or otherwise "
        "processed the audio.\r\n"
        "Write the WAV again %s, keep the editing project at 48 kHz and 16 or 8 bits, and put "
        "no effects on this track.\r\n",
    .noIntactFrame =
        "Warning: No intact AAC frame was found in this WAV file; "
        "each block failed its checksum.\r\n"
        "The editing program has most likely decoded, resampled, dithered or otherwise "
        "processed the audio.\r\n"
        "Write the WAV again %s, keep the editing project at 48 kHz and 16 or 8 bits, and put "
        "no effects on this track.\r\n",
    .editorsOption = "with --for-editors",
};

}  // namespace

const EngineTexts& EngineTextsFor(Language language) {
  return ForLanguage(language, kJapanese, kEnglish);
}

}  // namespace tessaro
