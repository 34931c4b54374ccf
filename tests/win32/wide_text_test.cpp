// UTF-8, UTF-16 and the ANSI code page on Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/wide_text.h"

namespace tessaro {
namespace {

TEST(Win32WideText, Utf16RoundTripKeepsEveryCharacter) {
  for (const std::string text :
       {"", "plain", "曲 DELAY 120ms.aac", "ﾃｽﾄ", "한국어", "😀 outside the BMP"}) {
    EXPECT_EQ(Narrow(Widen(text, BadText::kReplace), BadText::kReplace), text);
  }
  EXPECT_EQ(Widen("変換", BadText::kReplace), L"変換");
  EXPECT_EQ(Narrow(L"出力", BadText::kReplace), "出力");
}

TEST(Win32WideText, InvalidSequencesAreReplacedOrRefusedAsAsked) {
  const std::string badUtf8 = "a\xff" "b";
  const std::wstring loneSurrogate = L"a\xd800" L"b";
  EXPECT_EQ(Widen(badUtf8, BadText::kReplace), L"a\xfffd" L"b");
  EXPECT_EQ(Widen(badUtf8, BadText::kRefuse), L"");
  EXPECT_EQ(Narrow(loneSurrogate, BadText::kReplace), "a\xef\xbf\xbd" "b");
  EXPECT_EQ(Narrow(loneSurrogate, BadText::kRefuse), "");
}

TEST(Win32WideText, StoredTextIsInTheAnsiCodePage) {
  if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page (LANG=ja_JP.UTF-8 in wine)";
  struct Case {
    std::string utf8, sjis;
  } cases[] = {
      {"InFile=C:\\a.aac", "InFile=C:\\a.aac"},
      {"曲", "\x8b\xc8"},
      {"ｱﾌﾟﾘ", "\xb1\xcc\xdf\xd8"},              // half-width kana: one byte each
      {"ソ表", "\x83\x5c\x95\x5c"},              // second byte is a backslash
      {"入力ファイル：", "\x93\xfc\x97\xcd\x83\x74\x83\x40\x83\x43\x83\x8b\x81\x46"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToAnsi(c.utf8), c.sjis) << c.utf8;
    EXPECT_EQ(AnsiToUtf8(c.sjis), c.utf8) << c.utf8;
  }
}

}  // namespace
}  // namespace tessaro
