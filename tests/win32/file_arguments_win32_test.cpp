// tessaro-cli.exe expands "*" and "?" in the files of --batch and --check.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "cli/file_arguments.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

TEST(Win32FileArguments, WildcardsBecomeTheMatchingFilesSortedInTheirFolder) {
  testing::TempDir dir;
  for (const wchar_t* name : {L"曲 2.aac", L"曲 1.aac", L"b.wav", L"曲 1.aac.txt"}) {
    HANDLE h = CreateFileW((dir.Wide() + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
  ASSERT_TRUE(CreateDirectoryW((dir.Wide() + L"folder.aac").c_str(), nullptr));
  const std::string d = dir.Dir();
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> files;
  } const cases[] = {
      {{d + "*.aac"}, {d + "曲 1.aac", d + "曲 2.aac"}},  // the folder is no file
      {{d + "?.wav", "x.aac"}, {d + "b.wav", "x.aac"}},
      {{d + "曲 ?.aac", d + "*.mp3"}, {d + "曲 1.aac", d + "曲 2.aac", d + "*.mp3"}},  // no match: kept
      {{"plain.aac"}, {"plain.aac"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cli::ExpandFileArguments(c.args), c.files) << c.args.front();
  }
  RemoveDirectoryW((dir.Wide() + L"folder.aac").c_str());
}

}  // namespace
}  // namespace tessaro
