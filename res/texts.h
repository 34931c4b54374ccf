// Texts that the resource scripts and the dialog logic both show (UTF-8), in
// Japanese and, with the suffix _EN, in English.
#pragma once

// The about entry of the system menu (string 101; the context menu on Qt).
#define TSR_TEXT_ABOUT_ENTRY "Tessaro のﾊﾞｰｼﾞｮﾝ情報(&A)..."
#define TSR_TEXT_ABOUT_ENTRY_EN "&About Tessaro…"
// The menu entry that opens the file manager at the last output (string 105;
// the context menu on Qt).
#define TSR_TEXT_SHOW_OUTPUT_ENTRY "出力ファイルをフォルダーで表示(&F)"
#define TSR_TEXT_SHOW_OUTPUT_ENTRY_EN "Show the output in its &folder"
// Names a screen reader gives the browse buttons (also their tooltips) and
// the progress bar (strings 106 to 109); the information box's and the
// error window message's (the hidden labels before them).
#define TSR_TEXT_BROWSE_IN_NAME "入力ファイルを参照..."
#define TSR_TEXT_BROWSE_IN_NAME_EN "Browse for the input file…"
#define TSR_TEXT_BROWSE_OUT_NAME "出力ファイルを参照..."
#define TSR_TEXT_BROWSE_OUT_NAME_EN "Browse for the output file…"
#define TSR_TEXT_PROGRESS_NAME "進行状況"
#define TSR_TEXT_PROGRESS_NAME_EN "Progress"
#define TSR_TEXT_PROGRESS_DAMAGED_NAME "進行状況：データ異常"
#define TSR_TEXT_PROGRESS_DAMAGED_NAME_EN "Progress: damaged"
#define TSR_TEXT_REPORT_NAME "報告"
#define TSR_TEXT_REPORT_NAME_EN "Report"
#define TSR_TEXT_MESSAGE_NAME "メッセージ"
#define TSR_TEXT_MESSAGE_NAME_EN "Message"
// The mark on the progress bar after a damaged file (string 111).
#define TSR_TEXT_DAMAGE_MARK "データ異常"
#define TSR_TEXT_DAMAGE_MARK_EN "Damaged"
// The check box that writes the WAV in the editors' block flavour (control
// 1015), and its tooltip (string 113).
#define TSR_TEXT_FOR_EDITORS "編集ソフト用"
#define TSR_TEXT_FOR_EDITORS_EN "For &editors"
#define TSR_TEXT_FOR_EDITORS_TIP "AACからWAVへの変換で、動画編集ソフトがそのまま残すブロックで書きます。"
#define TSR_TEXT_FOR_EDITORS_TIP_EN "AAC to WAV: writes the blocks in a form that video editors keep as they are."
// The about box's second line, below the version text (60 x 8 dialog units).
#define TSR_TEXT_ABOUT_NOTICE "AAC⇔WAV変換"
#define TSR_TEXT_ABOUT_NOTICE_EN "AAC/WAV tool"
