// Where the Qt program keeps its settings file and error log.
#include "ui/qt/data_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

TEST(DataDirectoryFor, BesideProgramElseConfigHome) {
  struct Case {
    bool writable;
    const char* xdg;
    const char* home;
    const char* expected;
  } cases[] = {
      {true, "/x", "/h", "/opt/t/"},
      {false, "/x/cfg", "/h", "/x/cfg/tessaro/"},
      {false, "/x/cfg/", "/h", "/x/cfg/tessaro/"},
      {false, nullptr, "/home/u", "/home/u/.config/tessaro/"},
      {false, "", "/home/u", "/home/u/.config/tessaro/"},
      {false, "relative", "/home/u", "/home/u/.config/tessaro/"},
      {false, nullptr, nullptr, "/opt/t/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DataDirectoryFor("/opt/t/", c.writable, c.xdg, c.home), c.expected)
        << c.writable << " " << (c.xdg ? c.xdg : "(null)");
  }
}

TEST(PosixDataDirectory, InstalledProgramKeepsItsFilesInTheConfigHome) {
  testing::TempDir prefix;
  std::filesystem::create_directories(prefix.File("bin"));
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string savedValue = saved != nullptr ? saved : "";
  ::setenv("XDG_CONFIG_HOME", prefix.File("config").c_str(), 1);
  // A copy in a writable folder of its own keeps its files beside itself.
  EXPECT_EQ(PosixDataDirectory(prefix.File("bin/")), prefix.File("bin/"));
  std::filesystem::create_directories(prefix.File("share/metainfo"));
  testing::WriteFile(prefix.File("share/metainfo/org.tessaro.Tessaro.metainfo.xml"), "");
  EXPECT_EQ(PosixDataDirectory(prefix.File("bin/")), prefix.File("config/tessaro/"));
  if (saved != nullptr) {
    ::setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
  }
}

}  // namespace
}  // namespace tessaro
