// Awkward paths through the real console program: spaces, quotes, leading
// dashes, bytes that are not UTF-8, names longer than a file system allows.
// Each gives the right conversion or a clear error; a path is never cut short
// and used.

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
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

// A folder and all it holds, in a form that changes when anything in it
// does: each entry's inode, kind, permissions, owner and, for files, bytes.
std::string Snapshot(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return path + " missing\n";
  std::string text = path + " " + std::to_string(st.st_ino) + " " + std::to_string(st.st_mode) +
                     " " + std::to_string(st.st_uid);
  if (S_ISREG(st.st_mode)) text += " " + std::to_string(std::hash<std::string>{}(ReadFile(path)));
  text += "\n";
  if (S_ISDIR(st.st_mode)) {
    for (const std::string& name : DirectoryEntries(path)) text += Snapshot(path + "/" + name);
  }
  return text;
}

// How another user races a conversion into a shared folder, swapping what
// the output's path leads through.
enum class Race {
  kFileAndLink,  // out.wav: that user's plain file, then a link to root's secret file
  kDangling,     // out.wav: a link to a missing file in root's private folder, then nothing
  kOnTheWay,     // sub in sub/d/out.wav: that user's folder, then a link to root's private folder
};

// What the racer does once, as uid 1000, in the shared folder.
void RaceOnce(int shared, Race race) {
  for (const char* ext : {"wav", "aac"}) {
    const std::string out = std::string("out.") + ext;
    const std::string alt = std::string("alt.") + ext;
    switch (race) {
      case Race::kFileAndLink:
        // Each put in the name's place in one step, made afresh each time.
        ::symlinkat("../private/secret.conf", shared, alt.c_str());
        ::renameat(shared, alt.c_str(), shared, out.c_str());
        ::close(::openat(shared, alt.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
        ::renameat(shared, alt.c_str(), shared, out.c_str());
        break;
      case Race::kDangling:
        ::symlinkat("../private/new.conf", shared, out.c_str());
        ::unlinkat(shared, out.c_str(), 0);
        break;
      case Race::kOnTheWay:
        ::renameat2(shared, "sub", shared, "alt", RENAME_EXCHANGE);
        break;
    }
  }
}

// Starts the racer: a child process that becomes uid 1000, makes its files
// in the shared folder and swaps them until it is killed. Returns its
// process id once it has swapped once (the sign the race is on), -1 when it
// could not start.
pid_t StartRacer(const std::string& shared, Race race) {
  int ready[2];
  if (::pipe(ready) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(ready[0]);
    if (::setgroups(0, nullptr) != 0 || ::setresgid(1000, 1000, 1000) != 0 ||
        ::setresuid(1000, 1000, 1000) != 0) {
      ::_exit(1);
    }
    const int folder = ::open(shared.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (race == Race::kOnTheWay) {
      ::mkdirat(folder, "sub", 0777);
      ::mkdirat(folder, "sub/d", 0777);
      ::symlinkat("../private", folder, "alt");
    }
    RaceOnce(folder, race);
    (void)!::write(ready[1], "x", 1);
    ::close(ready[1]);
    for (;;) RaceOnce(folder, race);
  }
  ::close(ready[1]);
  char c = 0;
  const bool started = pid > 0 && ::read(ready[0], &c, 1) == 1;
  ::close(ready[0]);
  if (!started && pid > 0) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
  }
  return started ? pid : -1;
}

#ifdef TESSARO_QT_PROGRAM_PATH
const std::string kQtProgram = TESSARO_QT_PROGRAM_PATH;
#else
const std::string kQtProgram;
#endif

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
      // Through the system's own link to the program's working folder.
      {{aac, "/proc/self/cwd/x.wav"}, "エラー：出力ファイルが、開けません。\n"},
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

// A plain file another user put at root's output name in a shared sticky
// folder was replaced by root's output, which kept that user's ownership and
// mode 0666: the output was handed to whoever planted the file. Such a file
// is refused through every door, as the system refuses to open it for
// creating where it protects regular files; a file of the runner or of the
// folder's owner, or in a folder that is not sticky, is replaced.
TEST_F(UnsafePaths, AFileAnotherUserPlantedInASharedFolderIsNotWrittenTo) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to make files of other users";
  const std::string aac = Sample("in.aac");
  ASSERT_EQ(Run({aac, "in.wav"}).exitCode, 0);
  ASSERT_EQ(::mkdir(dir_.File("shared").c_str(), 0777), 0);
  ASSERT_EQ(::symlink("shared/out.wav", dir_.File("link.wav").c_str()), 0);  // root's own
  const auto refused = [](const std::string& output) {
    return "エラー：出力ファイル " + output +
           " は、共有フォルダにある他のユーザーのファイルです。上書きできません。"
           "別の出力ファイル名を指定してください。\n";
  };
  // Planted: empty, 0666, of fileOwner; the folder's owner and mode.
  const auto plant = [&](const std::string& name, uid_t fileOwner, uid_t folderOwner,
                         mode_t folderMode) {
    WriteFile(dir_.File(name), "");
    ASSERT_EQ(::chown(dir_.File(name).c_str(), fileOwner, fileOwner), 0);
    ASSERT_EQ(::chmod(dir_.File(name).c_str(), 0666), 0);
    ASSERT_EQ(::chown(dir_.File("shared").c_str(), folderOwner, 0), 0);
    ASSERT_EQ(::chmod(dir_.File("shared").c_str(), folderMode), 0);
  };
  const auto untouched = [&](const std::string& name) {
    struct stat st;
    return ::stat(dir_.File(name).c_str(), &st) == 0 && st.st_size == 0 && st.st_uid == 1001 &&
           (st.st_mode & 07777) == 0666;
  };
  struct Case {
    const char* name;
    uid_t fileOwner;
    uid_t folderOwner;
    mode_t folderMode;
    const char* output;
    bool replaced;
  } const cases[] = {
      {"planted", 1001, 0, 01777, "shared/out.wav", false},
      {"WAV to AAC", 1001, 0, 01777, "shared/out.aac", false},
      {"through the runner's own link", 1001, 0, 01777, "link.wav", false},
      {"the folder owner's", 1001, 1001, 01777, "shared/out.wav", true},
      {"the runner's own", 0, 0, 01777, "shared/out.wav", true},
      {"in a folder that is not sticky", 1001, 0, 0777, "shared/out.wav", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const bool back = std::string(c.output).ends_with(".aac");
    const std::string planted = back ? "shared/out.aac" : "shared/out.wav";
    plant(planted, c.fileOwner, c.folderOwner, c.folderMode);
    const e2e::ProcessResult r = Run({back ? "in.wav" : aac, c.output});
    EXPECT_EQ(r.exitCode, c.replaced ? 0 : 1) << r.out;
    if (c.replaced) {
      EXPECT_NE(ReadFile(dir_.File(planted)), "");
    } else {
      EXPECT_EQ(r.out, refused(c.output));
      EXPECT_TRUE(untouched(planted));
    }
    ::unlink(dir_.File(planted).c_str());
  }

  // Every door that writes (or, checking, would write) the proposed output
  // shared/song_aac.wav refuses it alike.
  WriteFile(dir_.File("shared/song.aac"), ReadFile(dir_.File(aac)));
  struct Door {
    std::vector<std::string> args;
    std::string said;  // a part of standard output
  } const doors[] = {
      {{"shared/song.aac"}, refused("shared/song_aac.wav")},
      {{"--json", "shared/song.aac"}, "\"errorCode\":\"output_file_of_another_user\""},
      {{"--batch", "shared/song.aac"}, refused("shared/song_aac.wav")},
      {{"--check", "--json", "shared/song.aac"}, "\"errorCode\":\"output_file_of_another_user\""},
      {{"--lang=en", "shared/song.aac"},
       "Error: The output file \"shared/song_aac.wav\" belongs to another user and lies in a "
       "shared folder, so it is not overwritten: that user could read what is written there. "
       "Give another output file name.\n"},
  };
  for (const Door& door : doors) {
    SCOPED_TRACE(door.args.front());
    plant("shared/song_aac.wav", 1001, 0, 01777);
    const e2e::ProcessResult r = Run(door.args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find(door.said), std::string::npos) << r.out;
    EXPECT_TRUE(untouched("shared/song_aac.wav"));
  }
#ifdef TESSARO_QT_PROGRAM_PATH
  {  // The dialog program's command-line run, through the same engine.
    SCOPED_TRACE("dialog program");
    plant("shared/song_aac.wav", 1001, 0, 01777);
    const e2e::ProcessResult r =
        e2e::RunProgram({"timeout", "60", "env", "QT_QPA_PLATFORM=offscreen",
                         TESSARO_QT_PROGRAM_PATH, dir_.File("shared/song.aac")});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_TRUE(untouched("shared/song_aac.wav"));
  }
#endif
}

// Another user swapping a plain file and a link to root's secret file at
// the output name (or a dangling link and nothing, or a folder on the way
// and a link to root's private folder) while root converts: the path was
// checked once and its links read again, and root's output replaced the
// secret file, or made a file in the private folder, now and then. The path
// is found once now; whatever the race, nothing outside the shared folder
// changes. TESSARO_RACE_ROUNDS sets the rounds for each race (40 here; run
// by hand with 600).
TEST_F(UnsafePaths, ARacingUserNeverSendsTheOutputElsewhere) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to race as another user";
  const char* roundsSet = std::getenv("TESSARO_RACE_ROUNDS");
  const int rounds = roundsSet ? std::atoi(roundsSet) : 40;
  const std::string aac = Sample("in.aac");
  ASSERT_EQ(Run({aac, "in.wav"}).exitCode, 0);
  ASSERT_EQ(::chmod(dir_.File("").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(dir_.File("private").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(dir_.File("private/d").c_str(), 0700), 0);
  WriteFile(dir_.File("private/secret.conf"), "secret");
  ASSERT_EQ(::chmod(dir_.File("private/secret.conf").c_str(), 0600), 0);
  const std::set<std::string> entries = {"in.aac", "in.wav", "private", "shared"};
  const std::string plantedLink =
      "エラー：出力ファイルが、共有フォルダにある他のユーザーのリンクです。リンクをたどりません。\n";
  const std::string plantedFile = "は、共有フォルダにある他のユーザーのファイルです。";
  struct Case {
    const char* name;
    Race race;
    const char* output;  // without its extension
  } const cases[] = {
      {"file and link", Race::kFileAndLink, "shared/out"},
      {"dangling link", Race::kDangling, "shared/out"},
      {"link on the way", Race::kOnTheWay, "shared/sub/d/out"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(::mkdir(dir_.File("shared").c_str(), 0777), 0);
    ASSERT_EQ(::chmod(dir_.File("shared").c_str(), 01777), 0);
    const std::string privateBefore = Snapshot(dir_.File("private"));
    const pid_t racer = StartRacer(dir_.File("shared"), c.race);
    ASSERT_GT(racer, 0) << "the racer did not start";
    int ran = 0, converted = 0, refused = 0;
    for (int round = 0; round < rounds; ++round, ++ran) {
      // Both directions, and now and then the dialog program.
      const bool back = round % 2 == 1;
      std::vector<std::string> args = {back ? "in.wav" : aac,
                                       std::string(c.output) + (back ? ".aac" : ".wav")};
      bool dialog = false;  // whose messages go to a window
#ifdef TESSARO_QT_PROGRAM_PATH
      dialog = round % 10 == 9;
#endif
      const e2e::ProcessResult r =
          dialog ? e2e::RunProgram({"timeout", "60", "env", "-C", dir_.File(""),
                                    "QT_QPA_PLATFORM=offscreen", kQtProgram, args[0], args[1]})
                 : Run(args);
      if (r.exitCode == 0) ++converted;
      if (r.exitCode == 1) ++refused;
      const bool saysWhy =
          dialog || r.out == plantedLink || r.out.find(plantedFile) != std::string::npos;
      EXPECT_TRUE(r.exitCode == 0 || (r.exitCode == 1 && saysWhy))
          << r.exitCode << " " << r.out << r.err;
      if (Snapshot(dir_.File("private")) != privateBefore) {
        ADD_FAILURE() << "round " << round << " changed the private folder:\n"
                      << Snapshot(dir_.File("private"));
        break;
      }
      // What root made in the shared folder goes, so that the race goes on.
      for (const char* out : {"shared/out.wav", "shared/out.aac"}) {
        struct stat st;
        if (::lstat(dir_.File(out).c_str(), &st) == 0 && st.st_uid == 0) {
          ::unlink(dir_.File(out).c_str());
        }
      }
    }
    ::kill(racer, SIGKILL);
    ::waitpid(racer, nullptr, 0);
    std::printf("%s: %d rounds, %d converted, %d refused\n", c.name, ran, converted, refused);
    EXPECT_EQ(DirectoryEntries(dir_.File("")), entries);
    std::filesystem::remove_all(dir_.File("shared"));
  }
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
