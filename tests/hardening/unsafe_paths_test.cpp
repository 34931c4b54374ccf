// Awkward paths through the real console program: spaces, quotes, leading
// dashes, bytes that are not UTF-8, names longer than a file system allows.
// Each gives the right conversion or a clear error; a path is never cut short
// and used.

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <string>

#include "tests/e2e/process.h"
#include "tests/hardening/hardening_util.h"
#include "tests/support/temp_dir.h"

namespace tessaro::hardening {
namespace {

using testing::FileExists;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

class UnsafePaths : public ::testing::Test {
 protected:
  std::string Sample(const std::string& name) {
    WriteFile(dir_.File(name), ReadFile(kSamples + "/tone44k_mono.aac"));
    return name;
  }
  e2e::ProcessResult Run(const std::vector<std::string>& args) {
    return RunCliIn(dir_.File(""), args);
  }
  TempDir dir_;
};

TEST_F(UnsafePaths, OddButValidNamesConvertToTheProposedName) {
  struct Case {
    const char* input;
    const char* output;  // the name derived from the input
  } cases[] = {
      {"with  two spaces .aac", "with  two spaces _aac.wav"},
      {"it's \"quoted\".aac", "it's \"quoted\"_aac.wav"},
      {"back\\slash;$(echo x)`y`.aac", "back\\slash;$(echo x)`y`_aac.wav"},
      {"line\nbreak\ttab.aac", "line\nbreak\ttab_aac.wav"},
      {"\xFF\xFE not UTF-8 \x80\xC3.aac", "\xFF\xFE not UTF-8 \x80\xC3_aac.wav"},
      {"Track1 DELAY 120ms.aac", "Track1 DELAY 0ms_aac.wav"},
      {" leading space.aac", " leading space_aac.wav"},
  };
  for (const Case& c : cases) {
    const std::string input = Sample(c.input);
    const e2e::ProcessResult r = Run({input});
    EXPECT_EQ(r.exitCode, 0) << c.input << "\n" << r.out;
    EXPECT_TRUE(FileExists(dir_.File(c.output))) << c.output;
    // And back, to the name derived from the WAV.
    const e2e::ProcessResult back = Run({c.output});
    EXPECT_EQ(back.exitCode, 0) << c.output << "\n" << back.out;
  }
}

// A token that begins with "-" is an option, and unknown options are ignored.
// A file whose name begins with "-" is named with a directory in front.
TEST_F(UnsafePaths, NamesBeginningWithADashArePassedAsDotSlash) {
  Sample("-x.aac");
  const e2e::ProcessResult plain = Run({"-x.aac"});
  EXPECT_EQ(plain.exitCode, 2) << "taken as an option: no input given";
  EXPECT_FALSE(FileExists(dir_.File("-x_aac.wav")));

  const e2e::ProcessResult dotted = Run({"./-x.aac"});
  EXPECT_EQ(dotted.exitCode, 0) << dotted.out;
  EXPECT_TRUE(FileExists(dir_.File("-x_aac.wav")));

  // As output after the options and the input: named the same way.
  const e2e::ProcessResult out = Run({"-s2", "./-x.aac", "./-y.wav"});
  EXPECT_EQ(out.exitCode, 0) << out.out;
  EXPECT_TRUE(FileExists(dir_.File("-y.wav")));

  const e2e::ProcessResult help = Run({"--help"});
  EXPECT_NE(help.out.find("./-x.aac"), std::string::npos) << "--help tells how";
}

TEST_F(UnsafePaths, OverlongNamesAreAClearErrorNeverACutName) {
  const std::string stem(251, 'n');  // stem + ".aac" is 255 bytes, the longest name
  const std::string input = Sample(stem + ".aac");
  const std::set<std::string> before = DirectoryEntries(dir_.File(""));

  // The derived "_aac.wav" name is 259 bytes: the output cannot be created.
  const e2e::ProcessResult derived = Run({input});
  EXPECT_EQ(derived.exitCode, 1);
  EXPECT_EQ(derived.out, kOutputNotOpenable);

  const e2e::ProcessResult longOut = Run({input, std::string(300, 'o') + ".wav"});
  EXPECT_EQ(longOut.exitCode, 1);
  EXPECT_EQ(longOut.out, kOutputNotOpenable);

  const e2e::ProcessResult longIn = Run({std::string(300, 'i') + ".aac", "o.wav"});
  EXPECT_EQ(longIn.exitCode, 1);
  EXPECT_EQ(longIn.out, kInputNotOpenable);

  EXPECT_EQ(DirectoryEntries(dir_.File("")), before) << "no file under a shortened name";
}

TEST_F(UnsafePaths, EmptyAndDirectoryPathsAreClearErrors) {
  const std::string aac = Sample("in.aac");
  const std::set<std::string> before = DirectoryEntries(dir_.File(""));
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{aac, ""}, "エラー：出力ファイルが、開けません。\n"},
      {{aac, "."}, "エラー：出力ファイルが、開けません。\n"},
      {{aac, "no/such/dir/x.wav"}, "エラー：出力ファイルが、開けません。\n"},
      {{"", "x.wav"}, "エラー：入力ファイル名が不正です。\n"},
      {{"missing.aac"}, "エラー：入力ファイルが、開けません。\n"},
  };
  for (const Case& c : cases) {
    const e2e::ProcessResult r = Run(c.args);
    EXPECT_EQ(r.exitCode, 1) << c.args.back();
    EXPECT_EQ(r.out, c.message) << c.args.back();
  }
  EXPECT_EQ(DirectoryEntries(dir_.File("")), before);
}

TEST_F(UnsafePaths, LongPathsWithinTheLimitsWork) {
  // Nested directories make a path far over 255 bytes whose parts are all legal.
  std::string rel;
  for (int i = 0; i < 6; ++i) {
    rel += std::string(200, static_cast<char>('a' + i)) + "/";
    ASSERT_EQ(::mkdir(dir_.File(rel).c_str(), 0700), 0);
  }
  const std::string input = rel + std::string(240, 'x') + ".aac";
  WriteFile(dir_.File(input), ReadFile(kSamples + "/tone44k_mono.aac"));
  const e2e::ProcessResult r = Run({input});
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_TRUE(FileExists(dir_.File(rel + std::string(240, 'x') + "_aac.wav")));
}

// Creating the output truncates it, so an output that is the input under
// another spelling must be refused before anything is opened for writing.
TEST_F(UnsafePaths, TheInputUnderAnotherNameIsRefusedAsOutput) {
  const std::string aac = Sample("in.aac");
  ASSERT_EQ(Run({aac, "in.wav"}).exitCode, 0);
  const std::string wav = ReadFile(dir_.File("in.wav"));
  ASSERT_EQ(::symlink("in.wav", dir_.File("link.aac").c_str()), 0);
  ASSERT_EQ(::link(dir_.File("in.wav").c_str(), dir_.File("hard.aac").c_str()), 0);
  ASSERT_EQ(::mkdir(dir_.File("sub").c_str(), 0700), 0);

  for (const char* output : {"./in.wav", "sub/../in.wav", "link.aac", "hard.aac"}) {
    const e2e::ProcessResult r = Run({"in.wav", output});
    EXPECT_EQ(r.exitCode, 1) << output;
    EXPECT_EQ(r.out, kOutputNotOpenable) << output;
    EXPECT_EQ(ReadFile(dir_.File("in.wav")), wav) << output;
  }
}

// A link planted in a shared sticky folder (like the system's temporary
// folder) by another user sent root's output over a private file, or made a
// new file wherever a dangling link pointed, whatever the system's own link
// protection said. Such a link is not followed; links that user or the
// folder's owner made, and links elsewhere, still are.
TEST_F(UnsafePaths, ALinkAnotherUserPlantedInASharedFolderIsNotFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to make files of other users";
  const std::string aac = Sample("in.aac");
  ASSERT_EQ(Run({aac, "in.wav"}).exitCode, 0);
  ASSERT_EQ(::chmod(dir_.File("").c_str(), 0755), 0);
  ASSERT_EQ(::chmod(dir_.File("in.aac").c_str(), 0644), 0);
  ASSERT_EQ(::mkdir(dir_.File("private").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(dir_.File("shared").c_str(), 0777), 0);
  ASSERT_EQ(::chmod(dir_.File("shared").c_str(), 01777), 0);
  const std::string secret = dir_.File("private/secret.conf");
  const std::string planted =
      "エラー：出力ファイルが、共有フォルダにある他のユーザーのリンクです。リンクをたどりません。\n";
  struct Case {
    const char* name;
    const char* link;    // in dir_, made by root and given to linkOwner
    const char* target;  // what the link names
    uid_t linkOwner;
    uid_t folderOwner;  // of shared/
    const char* output;
    bool followed;
  } const cases[] = {
      {"planted", "shared/out.wav", "../private/secret.conf", 1001, 0, "shared/out.wav", false},
      {"dangling", "shared/out.wav", "../private/new.conf", 1001, 0, "shared/out.wav", false},
      {"WAV to AAC", "shared/out.aac", "../private/secret.conf", 1001, 0, "shared/out.aac", false},
      {"on the way", "shared/dir", "../private", 1001, 0, "shared/dir/secret.conf", false},
      {"chain", "shared/out.wav", "../private/secret.conf", 1001, 0, "link.wav", false},
      {"the folder owner's", "shared/out.wav", "../private/secret.conf", 1001, 1001,
       "shared/out.wav", true},
      {"the runner's own", "shared/out.wav", "../private/secret.conf", 0, 0, "shared/out.wav",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(secret, "secret");
    ASSERT_EQ(::chown(dir_.File("shared").c_str(), c.folderOwner, 0), 0);
    ASSERT_EQ(::symlink(c.target, dir_.File(c.link).c_str()), 0);
    ASSERT_EQ(::lchown(dir_.File(c.link).c_str(), c.linkOwner, c.linkOwner), 0);
    ASSERT_EQ(::symlink("shared/out.wav", dir_.File("link.wav").c_str()), 0);  // root's own
    const bool back = std::string(c.output).ends_with(".aac");
    const e2e::ProcessResult r = Run({back ? "in.wav" : aac, c.output});
    EXPECT_EQ(r.exitCode, c.followed ? 0 : 1) << r.out;
    if (!c.followed) {
      EXPECT_EQ(r.out, planted);
      EXPECT_TRUE(ReadFile(secret) == "secret");
      EXPECT_EQ(DirectoryEntries(dir_.File("private")), (std::set<std::string>{"secret.conf"}));
    } else {
      EXPECT_TRUE(ReadFile(secret) != "secret");
    }
    ::unlink(dir_.File(c.link).c_str());
    ::unlink(dir_.File("link.wav").c_str());
  }

#ifdef TESSARO_QT_PROGRAM_PATH
  {  // The dialog program's command-line run, through the same engine.
    SCOPED_TRACE("dialog program");
    WriteFile(secret, "secret");
    ASSERT_EQ(::symlink("../private/secret.conf", dir_.File("shared/out.wav").c_str()), 0);
    ASSERT_EQ(::lchown(dir_.File("shared/out.wav").c_str(), 1001, 1001), 0);
    const e2e::ProcessResult r =
        e2e::RunProgram({"timeout", "60", "env", "QT_QPA_PLATFORM=offscreen",
                         TESSARO_QT_PROGRAM_PATH, dir_.File(aac), dir_.File("shared/out.wav")});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_TRUE(ReadFile(secret) == "secret");
    ::unlink(dir_.File("shared/out.wav").c_str());
  }
#endif

  // Run by another user over a third user's link: refused as well, in
  // English too.
  const std::string mine = dir_.File("mine.wav");
  WriteFile(mine, "mine");
  ASSERT_EQ(::chown(mine.c_str(), 1001, 1001), 0);
  ASSERT_EQ(::chown(dir_.File("shared").c_str(), 0, 0), 0);
  ASSERT_EQ(::symlink("../mine.wav", dir_.File("shared/out.wav").c_str()), 0);
  ASSERT_EQ(::lchown(dir_.File("shared/out.wav").c_str(), 1002, 1002), 0);
  const e2e::ProcessResult other =
      e2e::RunProgram({"timeout", "60", "setpriv", "--reuid=1001", "--regid=1001",
                       "--clear-groups", kCli, "--lang=en", dir_.File(aac), dir_.File("shared/out.wav")});
  EXPECT_EQ(other.exitCode, 1) << other.err;
  EXPECT_EQ(other.out, "Error: The output path \"" + dir_.File("shared/out.wav") +
                           "\" leads through a link in a shared folder that another user may have "
                           "planted, so the link is not followed and nothing is written. Give an "
                           "output path in a folder of your own.\n");
  EXPECT_EQ(ReadFile(mine), "mine");
}

// Two inputs named where an input and an output belong (a glob, a stray
// option's argument): the second file is of the first one's kind and is
// kept, whatever its name says.
TEST_F(UnsafePaths, AFileOfTheInputsKindIsNeverTheOutput) {
  Sample("a.aac");
  Sample("b.aac");
  ASSERT_EQ(Run({"a.aac", "x.wav"}).exitCode, 0);
  ASSERT_EQ(Run({"a.aac", "y.wav"}).exitCode, 0);
  const std::string aac = ReadFile(dir_.File("b.aac"));
  const std::string wav = ReadFile(dir_.File("y.wav"));
  ASSERT_EQ(::rename(dir_.File("y.wav").c_str(), dir_.File("y.aac").c_str()), 0);
  struct Case {
    std::vector<std::string> args;
    const char* kept;
    const std::string& bytes;
    const char* message;
  } const cases[] = {
      {{"a.aac", "b.aac"}, "b.aac", aac,
       "エラー：出力ファイルが、入力と同じAACファイルです。上書きできません。\n"},
      {{"x.wav", "y.aac"}, "y.aac", wav,
       "エラー：出力ファイルが、入力と同じWAVファイルです。上書きできません。\n"},
  };
  const std::set<std::string> before = DirectoryEntries(dir_.File(""));
  for (const Case& c : cases) {
    const e2e::ProcessResult r = Run(c.args);
    EXPECT_EQ(r.exitCode, 1) << c.kept;
    EXPECT_EQ(r.out, c.message) << c.kept;
    EXPECT_EQ(ReadFile(dir_.File(c.kept)), c.bytes) << c.kept;
  }
  EXPECT_EQ(DirectoryEntries(dir_.File("")), before);
}

// A batch over a folder never writes over its own files: the edited WAV that
// is also one of its inputs, or the output an earlier file of the batch has
// written. That file fails alone; the others are converted.
TEST_F(UnsafePaths, ABatchNeverWritesOverItsOwnFiles) {
  Sample("song.aac");
  ASSERT_EQ(Run({"song.aac"}).exitCode, 0);
  const std::string edited = ReadFile(dir_.File("song_aac.wav")) + std::string(4096, '\0');
  WriteFile(dir_.File("song_aac.wav"), edited);
  const e2e::ProcessResult folder = Run({"--batch", "song.aac", "song_aac.wav"});
  EXPECT_EQ(folder.exitCode, 1) << folder.out;
  EXPECT_NE(folder.out.find("[1/2] song.aac\n"
                            "エラー：出力ファイルが、入力ファイル song_aac.wav と同じです。"
                            "上書きできません。\n[2/2] song_aac.wav\n"),
            std::string::npos)
      << folder.out;
  EXPECT_EQ(ReadFile(dir_.File("song_aac.wav")), edited);
  EXPECT_TRUE(FileExists(dir_.File("song_out.aac")));

  ASSERT_EQ(::mkdir(dir_.File("a").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(dir_.File("b").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(dir_.File("o").c_str(), 0700), 0);
  WriteFile(dir_.File("a/x.aac"), ReadFile(kSamples + "/tone48k_stereo.aac"));
  Sample("b/x.aac");
  ASSERT_EQ(Run({"a/x.aac", "a.wav"}).exitCode, 0);
  const e2e::ProcessResult named = Run({"--batch", "--out-dir", "o", "a/x.aac", "b/x.aac"});
  EXPECT_EQ(named.exitCode, 1) << named.out;
  EXPECT_NE(named.out.find("[2/2] b/x.aac\n"
                           "エラー：出力ファイルは、a/x.aac の出力として、すでに書き込まれています。"
                           "上書きできません。\n"),
            std::string::npos)
      << named.out;
  EXPECT_EQ(ReadFile(dir_.File("o/x_aac.wav")), ReadFile(dir_.File("a.wav")));
  // In English the message names the output and both files, and what to do.
  const e2e::ProcessResult english =
      Run({"--lang=en", "--batch", "--out-dir", "o", "a/x.aac", "b/x.aac"});
  EXPECT_NE(english.out.find("Error: The output file o/x_aac.wav was already written for a/x.aac, "
                             "so it is not overwritten and b/x.aac is not converted. Convert that "
                             "file on its own with another output name.\n"),
            std::string::npos)
      << english.out;
  EXPECT_EQ(DirectoryEntries(dir_.File("o")), (std::set<std::string>{"x_aac.wav"}));
}

}  // namespace
}  // namespace tessaro::hardening
