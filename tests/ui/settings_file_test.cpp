#include "ui/settings_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/memory_file_system.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/special_files.h"

namespace tessaro {
namespace {

TEST(ParseDigits, TakesDigitsOnly) {
  struct Case {
    const char* value;
    int expected;
  } cases[] = {
      {"12px", 12},  {"1 024", 1024}, {"", 0},   {"abc", 0},          {"5s", 5},
      {"-40", -40},  {"x-7", -7},      {"7-", 7}, {"99999999999", 2147483647},
      {"-99999999999", -2147483647 - 1},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDigits(c.value), c.expected) << c.value;
}

TEST(SettingsText, AppliesOnlyExactKeys) {
  struct Case {
    const char* text;
    SettingsValues expected;
  };
  SettingsValues defaults;
  auto with = [&](auto change) {
    SettingsValues v = defaults;
    change(v);
    return v;
  };
  const Case cases[] = {
      {"posx=10\nPosX = 10\nPosX\n", defaults},
      {"PosX=10\n", with([](SettingsValues& v) { v.posX = 10; })},
      {"InFile=C:\\a=b.aac\r\n", with([](SettingsValues& v) { v.inFile = "C:\\a=b.aac"; })},
      {"OutputSize=2\n", with([](SettingsValues& v) { v.outputSize = 1; })},
      {"OutputSize=1\rOutputSize=abc\r", defaults},
      {"ForEditors=1\n", with([](SettingsValues& v) { v.forEditors = true; })},
      {"ForEditors=1\nForEditors=yes\nforeditors=1\n", defaults},
      {"ETime=5s\r\n", with([](SettingsValues& v) { v.eTime = 5; })},
      {"SizeX=300\nSizeY=200", with([](SettingsValues& v) { v.sizeX = 300; })},
      {"PosY=-20\nPosY=30\n", with([](SettingsValues& v) { v.posY = 30; })},
  };
  for (const Case& c : cases) {
    SettingsValues v;
    ApplySettingsText(c.text, v);
    EXPECT_EQ(v.posX, c.expected.posX) << c.text;
    EXPECT_EQ(v.posY, c.expected.posY) << c.text;
    EXPECT_EQ(v.sizeX, c.expected.sizeX) << c.text;
    EXPECT_EQ(v.sizeY, c.expected.sizeY) << c.text;
    EXPECT_EQ(v.eTime, c.expected.eTime) << c.text;
    EXPECT_EQ(v.inFile, c.expected.inFile) << c.text;
    EXPECT_EQ(v.outputSize, c.expected.outputSize) << c.text;
    EXPECT_EQ(v.forEditors, c.expected.forEditors) << c.text;
  }
}

TEST(SettingsText, LongPathLineIsTakenWhole) {
  const std::string path = "/music/" + std::string(593, 'a') + ".aac";  // a 600-byte path
  SettingsValues v;
  ApplySettingsText("InFile=" + path + "\n", v);
  EXPECT_EQ(v.inFile, path);
}

TEST(SettingsText, OverlongLineIsIgnoredNotCut) {
  SettingsValues v;
  ApplySettingsText("InFile=/" + std::string(kMaxSettingsLine, 'x') + "\nPosX=3\n", v);
  EXPECT_EQ(v.inFile, "");
  EXPECT_EQ(v.posX, 3);
}

TEST(SettingsFile, WritesSevenLinesInOrderAndReadsThemBack) {
  testing::TempDir dir;
  SettingsValues v;
  v.posX = -8;
  v.inFile = "/tmp/a b=c.aac";
  v.outputSize = 1;
  const std::string path = dir.File("sub/TSR.ini");  // the directory is created
  ASSERT_TRUE(WriteSettingsFile(path, FormatSettings(v)));
  const std::string end = kSettingsLineEnd;
  EXPECT_EQ(testing::ReadFile(path),
            "PosX=-8" + end + "PosY=128" + end + "SizeX=512" + end + "SizeY=144" + end +
                "ETime=20" + end + "InFile=/tmp/a b=c.aac" + end + "OutputSize=1" + end);
  SettingsValues back;
  std::string stored;
  ASSERT_TRUE(ReadSettingsFile(path, &stored));
  ApplySettingsText(stored, back);
  EXPECT_EQ(back.posX, -8);
  EXPECT_EQ(back.inFile, v.inFile);
  EXPECT_EQ(back.outputSize, 1);
  // The editors' choice adds an eighth line; the seven stay as they were.
  v.forEditors = true;
  EXPECT_EQ(FormatSettings(v), testing::ReadFile(path) + "ForEditors=1" + end);
  ApplySettingsText(FormatSettings(v), back);
  EXPECT_TRUE(back.forEditors);
}

// A write that fails at any step, a full disk included, leaves the earlier
// settings whole and nothing beside them.
TEST(SettingsFile, AFailedWriteKeepsTheEarlierSettings) {
  testing::TempDir dir;  // a real folder, so that the path checks pass
  const std::string path = dir.File("TSR.ini");
  using testing::FsOp;
  for (FsOp op : {FsOp::kCreate, FsOp::kWrite, FsOp::kSync, FsOp::kClose, FsOp::kRename}) {
    testing::MemoryFileSystem fs;
    fs.SetFile(path, "PosX=1\n");
    fs.FailOp(op, 1);
    EXPECT_FALSE(WriteSettingsFile(path, "PosX=2\n", fs)) << testing::FsOpName(op);
    EXPECT_EQ(fs.Paths(), std::vector<std::string>{path}) << testing::FsOpName(op);
    EXPECT_EQ(fs.Contents(path), testing::Bytes({'P', 'o', 's', 'X', '=', '1', '\n'}));
  }
  testing::MemoryFileSystem full;
  full.SetFile(path, "PosX=1\n");
  full.SetFileSizeLimit(4);
  EXPECT_FALSE(WriteSettingsFile(path, "PosX=2\n", full));
  EXPECT_EQ(full.Paths(), std::vector<std::string>{path});
}

// A second window saving while the first one writes (two windows closing at
// once): each writes under a name of its own, so both saves succeed and the
// last one stands. With one fixed name beside the file, the second removed
// the first one's new file, and the first save failed.
class SecondSaveInTheMiddle final : public FileSystem {
 public:
  SecondSaveInTheMiddle(testing::MemoryFileSystem& fs, std::string path)
      : fs_(fs), path_(std::move(path)) {}
  bool secondSaved = false;

  std::unique_ptr<File> OpenRead(const std::string& p) override { return fs_.OpenRead(p); }
  PathInfo Stat(const std::string& p) override { return fs_.Stat(p); }
  std::string ResolveLinks(const std::string& p) override { return fs_.ResolveLinks(p); }
  std::unique_ptr<File> CreateExclusive(const std::string& p, const PathInfo* like) override {
    std::unique_ptr<File> file = fs_.CreateExclusive(p, like);
    if (file && !started_) {
      started_ = true;
      secondSaved = WriteSettingsFile(path_, "PosX=2\n", *this);
    }
    return file;
  }
  bool Rename(const std::string& a, const std::string& b) override { return fs_.Rename(a, b); }
  bool Remove(const std::string& p) override { return fs_.Remove(p); }
  bool SameFile(const std::string& a, const std::string& b) override { return fs_.SameFile(a, b); }

 private:
  testing::MemoryFileSystem& fs_;
  std::string path_;
  bool started_ = false;
};

TEST(SettingsFile, TwoWindowsSavingAtOnceBothSucceed) {
  testing::TempDir dir;
  const std::string path = dir.File("TSR.ini");
  testing::MemoryFileSystem memory;
  memory.SetFile(path, "PosX=1\n");
  SecondSaveInTheMiddle fs(memory, path);
  EXPECT_TRUE(WriteSettingsFile(path, "PosX=3\n", fs));
  EXPECT_TRUE(fs.secondSaved);
  EXPECT_EQ(memory.Contents(path), testing::Bytes({'P', 'o', 's', 'X', '=', '3', '\n'}));
  EXPECT_EQ(memory.Paths(), std::vector<std::string>{path});
}

TEST(SettingsFile, MissingFileLeavesDefaults) {
  testing::TempDir dir;
  std::string stored;
  EXPECT_FALSE(ReadSettingsFile(dir.File("none.ini"), &stored));
}

// What is not a regular file of a sensible size is neither read nor written,
// and nothing blocks: a folder, a pipe without a writer or reader, a link to
// an endless device, a file past the size limit.
TEST(SettingsFile, OnlyABoundedRegularFileIsReadOrWritten) {
  testing::TempDir dir;
  struct Case {
    const char* name;
    bool makeable;
  } cases[] = {
      {"folder", testing::MakeSpecialFile(dir.File("folder"), testing::Special::kFolder)},
      {"pipe", testing::MakeSpecialFile(dir.File("pipe"), testing::Special::kPipe)},
      {"zero", testing::MakeSpecialFile(dir.File("zero"), testing::Special::kEndlessDevice)},
      {"huge", testing::MakeSpecialFile(dir.File("huge"), testing::Special::kOversized)},
  };
  for (const Case& c : cases) {
    if (!c.makeable) continue;  // no pipes or devices on this system
    std::string stored = "kept";
    EXPECT_FALSE(ReadSettingsFile(dir.File(c.name), &stored)) << c.name;
    EXPECT_EQ(stored, "kept") << c.name;
    if (std::string(c.name) != "huge") {
      EXPECT_FALSE(WriteSettingsFile(dir.File(c.name), "PosX=1\n")) << c.name;
    }
  }
  std::string stored;
  testing::WriteFile(dir.File("limit.ini"), std::string(kMaxSettingsFile, '\n'));
  EXPECT_TRUE(ReadSettingsFile(dir.File("limit.ini"), &stored));
  EXPECT_EQ(stored.size(), kMaxSettingsFile);
}

}  // namespace
}  // namespace tessaro
