#pragma once
// A fresh folder per test under the system's temporary folder, removed with
// everything in it afterwards, and whole-file reads and writes by UTF-8 path.
// The folder's name holds Japanese text and a blank, so that every test on a
// real disk also passes such a path through the code under test.

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define TESSARO_TEST_PROCESS_ID _getpid
#else
#include <unistd.h>
#define TESSARO_TEST_PROCESS_ID getpid
#endif

namespace tessaro::testing {

// The path named by UTF-8 text, on every platform.
inline std::filesystem::path Utf8Path(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(Utf8Path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// True when something of that name exists (a link: when its target does).
inline bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(Utf8Path(path), ec);
}

class TempDir {
 public:
  TempDir() {
    static std::atomic<int> counter{0};
    const std::string name = "tessaro テスト " + std::to_string(TESSARO_TEST_PROCESS_ID()) + "-" + std::to_string(++counter);
    path_ = std::filesystem::temp_directory_path() / Utf8Path(name);
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);  // left by an earlier run of the same process id
    std::filesystem::create_directories(path_);
    const std::u8string text = path_.u8string();
    dir_.assign(text.begin(), text.end());
    dir_ += static_cast<char>(std::filesystem::path::preferred_separator);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder in UTF-8, ending in the platform's separator.
  const std::string& Dir() const { return dir_; }
  std::string File(const std::string& name) const { return dir_ + name; }
#ifdef _WIN32
  std::wstring Wide() const { return path_.wstring() + L"\\"; }
#endif

 private:
  std::filesystem::path path_;
  std::string dir_;
};

}  // namespace tessaro::testing
