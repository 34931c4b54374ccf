#pragma once
// A fresh directory under the temp folder whose name holds Japanese text and
// a blank, removed with its files at the end of the test.

#include <windows.h>

#include <string>

#include "engine/wide_text.h"

namespace tessaro::testing {

class TempDir {
 public:
  TempDir() {
    wchar_t base[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, base);
    static unsigned counter = 0;
    path_ = std::wstring(base) + L"tessaro テスト " + std::to_wstring(GetCurrentProcessId()) +
            L"-" + std::to_wstring(++counter) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempDir() {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((path_ + L"*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
          DeleteFileW((path_ + found.cFileName).c_str());
        }
      } while (FindNextFileW(h, &found));
      FindClose(h);
    }
    RemoveDirectoryW(path_.c_str());
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // UTF-8, ending in a backslash.
  std::string Utf8() const { return Narrow(path_, BadText::kReplace); }
  const std::wstring& Wide() const { return path_; }

 private:
  std::wstring path_;
};

}  // namespace tessaro::testing
