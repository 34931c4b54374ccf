// Texts that the resource scripts and the dialog logic both show (UTF-8), in
// Japanese and, with the suffix _EN, in English.
#pragma once

// The about entry of the system menu (string 101; the context menu on Qt).
#define TSR_TEXT_ABOUT_ENTRY "Tessaro のﾊﾞｰｼﾞｮﾝ情報(&A)..."
#define TSR_TEXT_ABOUT_ENTRY_EN "&About Tessaro..."
// The about box's second line, below the version text (60 x 8 dialog units).
#define TSR_TEXT_ABOUT_NOTICE "AAC⇔WAV変換"
#define TSR_TEXT_ABOUT_NOTICE_EN "AAC/WAV tool"
