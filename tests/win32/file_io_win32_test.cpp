#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/file_io.h"
#include "engine/wide_text.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::TempDir;

bool WriteAll(const std::string& path, const std::string& bytes) {
  RealFileSystem().Remove(path);
  auto f = RealFileSystem().CreateExclusive(path, nullptr);
  return f && f->Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()) && f->Close();
}

std::string ReadAll(const std::string& path) {
  auto f = RealFileSystem().OpenRead(path);
  if (!f) return "<cannot open>";
  std::vector<uint8_t> buf(1 << 16);
  size_t got = 0;
  if (!f->Read(buf.data(), buf.size(), &got)) return "<read error>";
  return std::string(buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(got));
}

TEST(Win32FileIo, JapaneseAndBlankNamesOpenWhateverTheCodePage) {
  TempDir dir;
  // Kanji, half-width kana, a character outside Shift-JIS and a blank.
  for (const char* name : {"曲 DELAY 120ms.aac", "ﾃｽﾄ.wav", "한국어 😀.aac"}) {
    const std::string path = dir.Dir() + name;
    ASSERT_TRUE(WriteAll(path, std::string("data of ") + name)) << name;
    EXPECT_EQ(ReadAll(path), std::string("data of ") + name);
    EXPECT_NE(GetFileAttributesW(Widen(path, BadText::kReplace).c_str()), INVALID_FILE_ATTRIBUTES)
        << name;
  }
}

TEST(Win32FileIo, AnOpenFileIsNotSharedWithASecondOpener) {
  TempDir dir;
  const std::string path = dir.Dir() + "入力.aac";
  ASSERT_TRUE(WriteAll(path, "abc"));
  auto reader = RealFileSystem().OpenRead(path);
  ASSERT_TRUE(reader);
  // The same file as the output of a conversion must not open.
  EXPECT_EQ(RealFileSystem().CreateExclusive(path, nullptr), nullptr);  // exists
  EXPECT_EQ(RealFileSystem().OpenRead(path), nullptr);
  reader.reset();
  EXPECT_EQ(ReadAll(path), "abc");
}

TEST(Win32FileIo, SameFileSeesThroughOtherSpellings) {
  TempDir dir;
  const std::string a = dir.Dir() + "Song.aac";
  const std::string b = dir.Dir() + "Other.aac";
  ASSERT_TRUE(WriteAll(a, "a"));
  ASSERT_TRUE(WriteAll(b, "b"));
  FileSystem& fs = RealFileSystem();
  EXPECT_TRUE(fs.SameFile(a, a));
  EXPECT_TRUE(fs.SameFile(a, dir.Dir() + "SONG.AAC"));
  EXPECT_TRUE(fs.SameFile(a, dir.Dir() + ".\\Song.aac"));
  std::string slashes = a;
  for (char& c : slashes) c = c == '\\' ? '/' : c;
  EXPECT_TRUE(fs.SameFile(a, slashes));
  EXPECT_FALSE(fs.SameFile(a, b));
  EXPECT_FALSE(fs.SameFile(a, dir.Dir() + "missing.aac"));
  EXPECT_FALSE(fs.SameFile(dir.Dir() + "missing.aac", dir.Dir() + "missing.aac"));
}

TEST(Win32FileIo, SizesAndSeeksGoPastFourGigabytes) {
  TempDir dir;
  const std::string path = dir.Dir() + "large.wav";
  const uint64_t large = (uint64_t{5} << 30) + 3;
  {
    auto f = RealFileSystem().CreateExclusive(path, nullptr);
    ASSERT_TRUE(f);
    ASSERT_TRUE(f->Truncate(large));  // sparse where the file system allows
    uint64_t size = 0;
    ASSERT_TRUE(f->Size(&size));
    EXPECT_EQ(size, large);
    ASSERT_TRUE(f->Seek(large - 1));
    const uint8_t last = 0x5A;
    ASSERT_TRUE(f->Write(&last, 1));
    ASSERT_TRUE(f->Seek(large - 1));
    uint8_t back = 0;
    size_t got = 0;
    ASSERT_TRUE(f->Read(&back, 1, &got));
    EXPECT_EQ(got, 1u);
    EXPECT_EQ(back, 0x5A);
    ASSERT_TRUE(f->Truncate(10));
    ASSERT_TRUE(f->Size(&size));
    EXPECT_EQ(size, 10u);
    EXPECT_TRUE(f->Close());
  }
  EXPECT_TRUE(RealFileSystem().Remove(path));
}

TEST(Win32FileIo, PathsLongerThan260CharactersOpen) {
  TempDir dir;
  // A folder of 200 characters and a name of 120: past the classic limit.
  const std::wstring folder = dir.Wide() + std::wstring(200, L'f');
  ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr));
  const std::string path =
      Narrow(folder, BadText::kReplace) + "\\" + std::string(116, 'n') + ".aac";
  ASSERT_GT(path.size(), 300u);
  EXPECT_TRUE(WriteAll(path, "long"));
  EXPECT_EQ(ReadAll(path), "long");
  EXPECT_TRUE(RealFileSystem().SameFile(path, path));
  EXPECT_TRUE(RealFileSystem().Remove(path));
  RemoveDirectoryW((L"\\\\?\\" + folder).c_str());
}

TEST(Win32FileIo, RenameReplacesAWholeFile) {
  TempDir dir;
  FileSystem& fs = RealFileSystem();
  const std::string target = dir.Dir() + "出力.wav";
  const std::string aside = dir.Dir() + ".出力.wav.tessaro-abc123";
  ASSERT_TRUE(WriteAll(target, "old"));
  EXPECT_EQ(fs.Stat(target).kind, PathInfo::Kind::kRegular);
  EXPECT_TRUE(fs.Stat(target).writable);
  auto f = fs.CreateExclusive(aside, nullptr);
  ASSERT_TRUE(f);
  ASSERT_TRUE(f->Write(reinterpret_cast<const uint8_t*>("new"), 3));
  EXPECT_TRUE(f->Sync());
  EXPECT_TRUE(f->Close());
  EXPECT_TRUE(fs.Rename(aside, target));
  EXPECT_EQ(ReadAll(target), "new");
  EXPECT_EQ(fs.Stat(aside).kind, PathInfo::Kind::kMissing);
}

// A new file written aside takes the target's place whole when put in place
// and leaves nothing when dropped, also past the classic path limit, where
// the rename through the file's own handle takes the extended form.
TEST(Win32FileIo, AsideFilesArePutInPlaceOrLeaveNothing) {
  TempDir dir;
  FileSystem& fs = RealFileSystem();
  const std::wstring longFolder = dir.Wide() + std::wstring(250, L'f');
  ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + longFolder).c_str(), nullptr));
  for (const std::string& folder : {dir.Dir(), Narrow(longFolder, BadText::kReplace) + "\\"}) {
    for (const bool place : {true, false}) {
      SCOPED_TRACE(folder.size());
      SCOPED_TRACE(place);
      const std::string target = folder + "出力.wav";
      const std::string hidden = folder + ".出力.wav.tessaro-abc123";
      ASSERT_TRUE(WriteAll(target, "old"));
      {
        auto aside = fs.CreateAside(target, hidden, nullptr);
        ASSERT_TRUE(aside);
        ASSERT_TRUE(aside->file().Write(reinterpret_cast<const uint8_t*>("new"), 3));
        if (place) {
          EXPECT_TRUE(aside->PutInPlace());
        }
      }
      EXPECT_EQ(ReadAll(target), place ? "new" : "old");
      EXPECT_EQ(fs.Stat(hidden).kind, PathInfo::Kind::kMissing);
      EXPECT_TRUE(fs.Remove(target));
    }
  }
  RemoveDirectoryW((L"\\\\?\\" + longFolder).c_str());
}

TEST(Win32FileIo, FailuresAreReportedNotThrown) {
  TempDir dir;
  FileSystem& fs = RealFileSystem();
  EXPECT_EQ(fs.OpenRead(dir.Dir() + "missing.aac"), nullptr);
  EXPECT_EQ(fs.OpenRead(dir.Dir()), nullptr);                 // a directory
  EXPECT_EQ(fs.OpenRead(dir.Dir() + "bad\xff\xfe.aac"), nullptr);  // not UTF-8
  EXPECT_EQ(fs.OpenRead(""), nullptr);
  EXPECT_EQ(fs.OpenRead("CON"), nullptr);  // a device, not a file of fixed length
  EXPECT_EQ(fs.OpenRead("NUL"), nullptr);
  EXPECT_EQ(fs.CreateExclusive(dir.Dir() + "no such dir\\out.wav", nullptr), nullptr);
  EXPECT_EQ(fs.Stat(dir.Dir() + "no such dir\\out.wav").kind, PathInfo::Kind::kMissing);
  EXPECT_EQ(fs.Stat(dir.Dir()).kind, PathInfo::Kind::kOther);  // a directory
  EXPECT_EQ(fs.Stat("NUL").kind, PathInfo::Kind::kOther);
  EXPECT_FALSE(fs.Remove(dir.Dir() + "missing.aac"));
}

}  // namespace
}  // namespace tessaro
