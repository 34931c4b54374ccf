#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "cli/console_win32.h"
#include "ui/win32/raw_command_line.h"

namespace tessaro {
namespace {

TEST(Win32Console, CompleteUtf8PrefixHoldsBackACutCharacter) {
  struct Case {
    std::string text;
    size_t complete;
  } cases[] = {
      {"", 0},
      {"abc\n", 4},
      {"変換", 6},            // two whole 3-byte characters
      {"変\xe6\x8f", 3},      // the second cut after two of its three bytes
      {"変\xe6", 3},          // ... after one
      {"a\xc3", 1},           // a 2-byte character cut
      {"\xf0\x9f\x98", 0},    // a 4-byte character cut
      {"\xf0\x9f\x98\x80", 4},
      {"\x80\x80\x80\x80\x80", 5},  // stray continuation bytes pass on
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cli::CompleteUtf8Prefix(c.text), c.complete) << testing::PrintToString(c.text);
  }
}

// A stream that refuses the text (its reader has gone) is the console's
// failure, with the system's reason, for standard output and error alike.
TEST(Win32Console, AStreamThatRefusesTheTextIsAFailure) {
  for (const DWORD which : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, nullptr, 0));
    CloseHandle(read);
    const HANDLE before = GetStdHandle(which);
    SetStdHandle(which, write);
    cli::Win32Console console;
    if (which == STD_OUTPUT_HANDLE) {
      console.Out("a report line\n");
    } else {
      console.Err("a damage report\n");
    }
    SetStdHandle(which, before);
    CloseHandle(write);
    ASSERT_TRUE(console.failure().has_value()) << which;
    EXPECT_EQ(console.failure()->standardError, which == STD_ERROR_HANDLE);
    EXPECT_NE(console.failure()->reason, "");
  }
}

TEST(Win32RawCommandLine, TheProgramNameIsSkippedTheRestStaysAsTyped) {
  struct Case {
    std::wstring line, rest;
  } cases[] = {
      {L"tessaro.exe", L""},
      {L"tessaro.exe   ", L""},
      {L"tessaro.exe -s2 a.aac", L"-s2 a.aac"},
      {L"tessaro.exe \t -s2  \"b c.aac\"", L"-s2  \"b c.aac\""},
      {L"\"C:\\Program Files\\tessaro.exe\" \"曲 1.aac\" out.wav", L"\"曲 1.aac\" out.wav"},
      {L"\"C:\\a b\\tessaro.exe\"x y", L"x y"},  // text right behind the quote
      {L"\"unclosed name", L""},
      {L"", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RawArguments(c.line), c.rest);
  }
}

}  // namespace
}  // namespace tessaro
