// The real console program stopped part-way, run twice at once, and left
// without readers of its output: the earlier output survives every stop, no
// hidden new file stays behind, and the memory stays flat.

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "engine/convert_command.h"
#include "frontend/interrupts.h"
#include "tests/e2e/process.h"
#include "tests/hardening/hardening_util.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"

namespace tessaro::hardening {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

const std::string kStopped = "エラー：変換が、中断されました。\n";

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitizedBuild = true;
#elif defined(__has_feature)
constexpr bool kSanitizedBuild = __has_feature(address_sanitizer);
#else
constexpr bool kSanitizedBuild = false;
#endif

struct Finished {
  int exitCode = -1;
};

#ifdef TESSARO_QT_PROGRAM_PATH
// The Qt dialog program, whose command-line run handles stops the same way.
const std::string kQtProgram = TESSARO_QT_PROGRAM_PATH;
#endif

// Starts tessaro-cli (or another program) with standard output and error
// going to the given descriptors, and standard input coming from inFd (-1:
// /dev/null); with more locale-like entries in its environment.
pid_t Start(const std::vector<std::string>& args, int outFd = -1, int errFd = -1,
            const std::string& program = kCli, int inFd = -1,
            const std::vector<std::string>& environmentEntries = {}) {
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<std::string> locale = e2e::kDefaultLocale;
  locale.push_back("QT_QPA_PLATFORM=offscreen");  // the Qt program needs no display
  locale.insert(locale.end(), environmentEntries.begin(), environmentEntries.end());
  std::vector<std::string> environment = e2e::ChildEnvironment(locale);
  std::vector<char*> env;
  for (std::string& e : environment) env.push_back(e.data());
  env.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  const int null = ::open("/dev/null", O_RDWR);
  ::dup2(inFd >= 0 ? inFd : null, STDIN_FILENO);
  ::dup2(outFd >= 0 ? outFd : null, STDOUT_FILENO);
  ::dup2(errFd >= 0 ? errFd : null, STDERR_FILENO);
  ::execve(program.c_str(), argv.data(), env.data());
  ::_exit(127);
}

// The program's own peak resident memory (VmHWM, which starts afresh at exec),
// read while it runs until it has ended.
long WatchPeakKiB(pid_t pid) {
  long peak = 0;
  siginfo_t info{};
  while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
         info.si_pid == 0) {
    std::FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/status").c_str(), "r");
    if (!f) break;
    char line[256];
    long kib = 0;
    bool program = false;  // not the test's fork before the program replaced it
    while (std::fgets(line, sizeof line, f)) {
      if (std::strncmp(line, "Name:\ttessaro-cli", 17) == 0) program = true;
      if (program && std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) peak = std::max(peak, kib);
    }
    std::fclose(f);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return peak;
}

Finished Wait(pid_t pid) {
  Finished f;
  int status = 0;
  if (::waitpid(pid, &status, 0) == pid) {
    f.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  return f;
}

// The hidden new file in dir, or "" when there is none.
std::string HiddenFile(const std::string& dir) {
  for (const std::string& name : DirectoryEntries(dir)) {
    if (name.rfind(".", 0) == 0 && name.find(".tessaro-") != std::string::npos) return name;
  }
  return "";
}

// The size of the file a running conversion writes in dir, found through its
// open descriptors whether it has a hidden name or none; -1 while there is none.
long long NewFileSize(pid_t pid, const std::string& dir) {
  const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
  for (const std::string& fd : DirectoryEntries(fds)) {
    char target[4096];
    const ssize_t n = ::readlink((fds + "/" + fd).c_str(), target, sizeof target - 1);
    if (n <= 0) continue;
    const std::string path(target, static_cast<size_t>(n));
    struct stat st;
    // Unnamed, the file shows as "#inode (deleted)"; else by its hidden name.
    const bool aside =
        path.size() > dir.size() && (path[dir.size()] == '#' || path[dir.size()] == '.');
    if (path.rfind(dir, 0) == 0 && aside && ::stat((fds + "/" + fd).c_str(), &st) == 0 &&
        S_ISREG(st.st_mode)) {
      return st.st_size;
    }
  }
  return -1;
}

class Stops : public ::testing::Test {
 protected:
  void SetUp() override { sample_ = ReadFile(kSamples + "/tone48k_stereo.aac"); }

  // The sample over and over, written as long.aac.
  std::string Repeated(int times) {
    std::string stream;
    for (int i = 0; i < times; ++i) stream += sample_;
    const std::string path = dir_.File("long.aac");
    WriteFile(path, stream);
    return path;
  }

  TempDir dir_;
  std::string sample_;
};

TEST_F(Stops, AStopSignalKeepsTheEarlierOutputAndLeavesNoNewFile) {
  struct Case {
    int signal;
    int exitCode;
    bool english;  // --lang=en: the line is English
    const std::string& program;
  } const cases[] = {
      {SIGTERM, 143, false, kCli},
      {SIGINT, 130, false, kCli},
      {SIGHUP, 129, true, kCli},
      // No handler runs: the new file, which has no name yet, goes
      // with the process.
      {SIGKILL, 137, false, kCli},
#ifdef TESSARO_QT_PROGRAM_PATH
      {SIGTERM, 143, true, kQtProgram},
      {SIGINT, 130, false, kQtProgram},
      {SIGHUP, 129, false, kQtProgram},
#endif
  };
  const std::string longAac = Repeated(1500);  // a conversion of some seconds at least
  const std::string out = dir_.File("out.wav");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program + " " + std::to_string(c.signal));
    WriteFile(out, "an earlier conversion");
    const std::string errPath = dir_.File("err.txt");
    const std::set<std::string> before = DirectoryEntries(dir_.File(""));
    const int errFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> args = {longAac, out};
    if (c.english) args.push_back("--lang=en");
    const pid_t pid = Start(args, -1, errFd, c.program);
    ::close(errFd);
    ASSERT_GT(pid, 0);
    // Stopped once the new file holds some megabytes.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    bool started = false;
    while (!started && std::chrono::steady_clock::now() < deadline) {
      started = NewFileSize(pid, dir_.File("")) > (4 << 20);
      if (!started) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(started) << "the conversion ended before it could be stopped";
    ::kill(pid, c.signal);
    const Finished f = Wait(pid);
    const std::string err = ReadFile(errPath);
    ::unlink(errPath.c_str());
    if (!started) continue;
    EXPECT_EQ(f.exitCode, c.exitCode);
    const std::string line = c.signal == SIGKILL ? ""
                             : c.english         ? "Error: The conversion was stopped.\n"
                                                 : kStopped;
    if (&c.program == &kCli) {
      EXPECT_EQ(err, line);
    } else {  // behind what Qt's offscreen platform says about itself
      EXPECT_TRUE(err.ends_with("\n" + line)) << err;
    }
    EXPECT_EQ(ReadFile(out), "an earlier conversion");
    EXPECT_EQ(DirectoryEntries(dir_.File("")), before);
  }
}

TEST_F(Stops, TwoRunsToOneOutputLeaveOneWholeConversion) {
  const std::string stereo = dir_.File("stereo.aac");
  const std::string mono = dir_.File("mono.aac");
  WriteFile(stereo, sample_ + sample_ + sample_);
  WriteFile(mono, ReadFile(kSamples + "/tone44k_mono.aac"));
  ASSERT_EQ(Wait(Start({stereo, dir_.File("a.wav")})).exitCode, 0);
  ASSERT_EQ(Wait(Start({mono, dir_.File("b.wav")})).exitCode, 0);
  const std::string a = ReadFile(dir_.File("a.wav"));
  const std::string b = ReadFile(dir_.File("b.wav"));
  const std::string out = dir_.File("out.wav");
  for (int round = 0; round < 5; ++round) {
    const pid_t first = Start({stereo, out});
    const pid_t second = Start({mono, out});
    EXPECT_EQ(Wait(first).exitCode, 0);
    EXPECT_EQ(Wait(second).exitCode, 0);
    const std::string result = ReadFile(out);
    EXPECT_TRUE(result == a || result == b) << "a mixture of " << result.size() << " bytes";
    EXPECT_EQ(HiddenFile(dir_.File("")), "");
  }
}

// A --batch --json run stopped at many moments: the test reads a few of its
// lines, then stops it while it runs ahead and waits on the pipe (a slow
// reader's), so that the stop comes in a conversion, as an output is put in
// place, between files or in the middle of a line. Every output in place
// has its line, no file is told twice, and the summary counts the files
// told.
TEST_F(Stops, AStoppedJsonBatchTellsEveryOutputItPutInPlace) {
  const std::string tiny = "\xFF\xF9\x4C\x80\x02\x1F\xFC\x21\x00\x49\x90\x02\x19\x00\x23\x80";
  const std::string longer = sample_ + sample_;
  std::vector<std::string> argv = {kCli, "--batch", "--json"};
  for (int i = 0; i < 40; ++i) {
    const std::string name = dir_.File("f" + std::to_string(i) + ".aac");
    WriteFile(name, i % 4 == 3 ? longer : tiny + tiny + tiny);
    argv.push_back(name);
  }
  const std::set<std::string> inputs = DirectoryEntries(dir_.File(""));
  for (int round = 1; round <= 20; ++round) {
    SCOPED_TRACE("stopped after " + std::to_string(round) + " lines read");
    e2e::RunningProgram batch(argv);
    for (int line = 0; line < round; ++line) ASSERT_NE(batch.ReadLine(), "");
    batch.Signal(SIGTERM);
    const e2e::ProcessResult r = batch.Finish();
    EXPECT_EQ(r.exitCode, 143);
    std::vector<nlohmann::json> lines;
    std::istringstream text(r.out);
    for (std::string line; std::getline(text, line);) lines.push_back(nlohmann::json::parse(line));
    ASSERT_GE(lines.size(), 2u) << r.out;
    const nlohmann::json summary = lines.back();
    lines.pop_back();
    EXPECT_EQ(summary["kind"], "summary");
    EXPECT_EQ(summary["status"], "stopped");
    EXPECT_EQ(summary["exitStatus"], 143);
    if (lines.back()["status"] == "stopped") {
      EXPECT_FALSE(testing::FileExists(lines.back()["output"].get<std::string>()));
      lines.pop_back();
    }
    // The files told, in order, each converted and in place; nothing else is.
    std::set<std::string> told = inputs;
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i]["input"], argv[3 + i]);
      EXPECT_EQ(lines[i]["status"], "ok");
      told.insert(std::filesystem::path(lines[i]["output"].get<std::string>()).filename());
    }
    EXPECT_EQ(summary["files"], lines.size());
    EXPECT_EQ(summary["ok"], lines.size());
    EXPECT_EQ(DirectoryEntries(dir_.File("")), told);
    for (const std::string& name : DirectoryEntries(dir_.File(""))) {
      if (!inputs.count(name)) std::filesystem::remove(dir_.File(name));
    }
  }
}

// A conversion started in a child process of this test, its host's event
// pump doing what `pump` does; the child's exit status is that of
// ConvertInChild.
template <typename Pump>
pid_t StartConversionInChild(const std::string& input, const std::string& output,
                             FileSystem& fs, Pump pump, bool (*prepare)() = nullptr) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    struct Host : testing::RecordingHost {
      explicit Host(Pump p) : pump(p) {}
      void PumpEvents() override { pump(); }
      Pump pump;
    } host(pump);
    if (prepare && !prepare()) ::_exit(77);
    ConversionRequest request;
    request.inputPath = input;
    request.outputPath = output;
    ::_exit(RunConversion(request, host, fs).failed ? 1 : 0);
  }
  return pid;
}

// A conversion in a child process of this test, its host's event pump
// doing what `pump` does; the child's exit status (that of a conversion's
// failure is 1).
template <typename Pump>
int ConvertInChild(const std::string& input, const std::string& output, FileSystem& fs,
                   Pump pump, bool (*prepare)() = nullptr) {
  return Wait(StartConversionInChild(input, output, fs, pump, prepare)).exitCode;
}

// Lets the named system calls do what action says in this process from
// now on (a filter of system calls); false where no filter can be set.
bool FilterCalls(std::initializer_list<int> calls, uint32_t action) {
  std::vector<sock_filter> filter = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
  for (int call : calls) {
    filter.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<uint32_t>(call), 0, 1));
    filter.push_back(BPF_STMT(BPF_RET | BPF_K, action));
  }
  filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  const sock_fprog program = {static_cast<unsigned short>(filter.size()), filter.data()};
  return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
         ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// The process is killed as it enters the rename that puts the new file in place.
bool KillOnRename() {
  return FilterCalls({__NR_rename, __NR_renameat, __NR_renameat2}, SECCOMP_RET_KILL_PROCESS);
}

// The system refuses every hard link (a policy, or a plain user where the
// unnamed file cannot be linked without /proc).
bool RefuseLinks() { return FilterCalls({__NR_link, __NR_linkat}, SECCOMP_RET_ERRNO | EPERM); }

// The process is killed as it sets the first extended attribute (an ACL).
bool KillOnSetAttributes() {
  return FilterCalls({__NR_fsetxattr, __NR_setxattr, __NR_lsetxattr}, SECCOMP_RET_KILL_PROCESS);
}

// A kill while the new file had its hidden name (always, where the file
// system holds no unnamed files; else on entry to the rename) left it for
// good. The next run to that output removes it, and only what is exactly
// such a file of a run that has ended.
TEST_F(Stops, TheNextRunRemovesTheFileAKilledRunLeft) {
  const std::string input = Repeated(2);
  const std::string out = dir_.File("out.wav");
  struct Case {
    const char* name;
    FileSystem& fs;
    bool (*prepare)();  // nullptr: killed at the first event pump
    int status;
  } const cases[] = {
      {"hidden name, killed while writing", RealFileSystemWithHiddenNames(), nullptr, 9},
      {"unnamed, killed on entry to the rename", RealFileSystem(), KillOnRename, 128 + SIGSYS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(out, "an earlier conversion");
    const std::set<std::string> clean = DirectoryEntries(dir_.File(""));
    const int status = ConvertInChild(input, out, c.fs, [&] { if (!c.prepare) ::_exit(9); },
                                      c.prepare);
    if (status == 77) GTEST_SKIP() << "system calls cannot be filtered here";
    ASSERT_EQ(status, c.status);
    EXPECT_EQ(ReadFile(out), "an earlier conversion");
    const std::string left = HiddenFile(dir_.File(""));
    ASSERT_TRUE(left.starts_with(".out.wav.tessaro-")) << left;
    // The tag: a tag of the boot and process namespace, "-", the process id, "-".
    const std::string dead = left.substr(std::strlen(".out.wav.tessaro-"), left.size() - 23);
    const std::string scope = dead.substr(0, dead.find('-') + 1);
    const std::string deadPid = dead.substr(scope.size());
    const std::string live = scope + std::to_string(::getpid()) + "-";
    std::set<std::string> kept = clean;
    for (const std::string& name :
         {".out.wav.tessaro-" + live + "abcdef", ".other.wav.tessaro-" + dead + "abcdef",
          ".out.wav.tessaro-" + dead + "abcde", ".out.wav.tessaro-" + dead + "abcdeF",
          ".out.wav.tessaro-x" + dead + "abcdef", "out.wav.tessaro-" + dead + "abcdef",
          // Another boot's or namespace's, and an earlier version's, which
          // tells neither.
          ".out.wav.tessaro-zzzzzzzz-" + deadPid + "abcdef",
          ".out.wav.tessaro-" + deadPid + "abcdef"}) {
      WriteFile(dir_.File(name), "not a leftover of this output");
      kept.insert(name);
    }
    const std::string folder = ".out.wav.tessaro-" + dead + "folder";
    ASSERT_EQ(::mkdir(dir_.File(folder).c_str(), 0700), 0);
    kept.insert(folder);

    EXPECT_EQ(Wait(Start({input, out})).exitCode, 0);
    EXPECT_EQ(DirectoryEntries(dir_.File("")), kept);
    EXPECT_NE(ReadFile(out), "an earlier conversion");
    for (const std::string& name : kept) {
      if (!clean.count(name)) std::filesystem::remove(dir_.File(name));
    }
  }
}

// Replacing a file whose ACL gives its owning group nothing (a named user
// has read and write, so the mask, and with it the group bits, say rw): the
// new file got the group bits before the ACL, and the owning group could
// open the complete output under its hidden name. Killed as the ACL is set,
// the new file is still the owner's alone.
TEST_F(Stops, TheGroupNeverHasTheNewFileBeforeItsAcl) {
  const std::string out = dir_.File("out.wav");
  WriteFile(out, "an earlier conversion");
  ASSERT_EQ(::chmod(out.c_str(), 0600), 0);
  if (!e2e::HaveTool("setfacl") ||
      e2e::RunProgram({"setfacl", "-m", "u:1001:rw", out}).exitCode != 0) {
    GTEST_SKIP() << "no ACLs here (setfacl from the acl package)";
  }
  const int status = ConvertInChild(Repeated(2), out, RealFileSystemWithHiddenNames(), [] {},
                                    KillOnSetAttributes);
  if (status == 77) GTEST_SKIP() << "system calls cannot be filtered here";
  ASSERT_EQ(status, 128 + SIGSYS);
  const std::string left = HiddenFile(dir_.File(""));
  ASSERT_FALSE(left.empty());
  struct stat st;
  ASSERT_EQ(::stat(dir_.File(left).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 077, 0u) << std::oct << (st.st_mode & 07777);
  EXPECT_EQ(ReadFile(out), "an earlier conversion");
}

// A run in another process namespace (a container, or another machine on a
// shared folder) took a live run's hidden file for a leftover, since no
// process of that number was alive where it looked, and removed it: the live
// run failed after all its work. The hidden name tells the namespace now.
TEST_F(Stops, ALiveRunsFileIsKeptByARunInAnotherNamespace) {
  // No --mount-proc: it needs a private mount tree, which a chroot cannot
  // make, and the other run never looks in /proc for the live one anyway:
  // kill(pid, 0) from the new namespace cannot see it.
  const std::vector<std::string> unshare = {"unshare", "-p", "-f"};
  std::vector<std::string> probe = unshare;
  probe.push_back("true");
  if (!e2e::HaveTool("unshare") || e2e::RunProgram(probe).exitCode != 0) {
    GTEST_SKIP() << "no new process namespace can be made here (unshare -p needs root)";
  }
  const std::string input = Repeated(2);
  const std::string reference = dir_.File("reference.wav");
  ASSERT_EQ(Wait(Start({input, reference})).exitCode, 0);
  const std::string out = dir_.File("out.wav");
  int started[2], release[2];
  ASSERT_EQ(::pipe(started), 0);
  ASSERT_EQ(::pipe(release), 0);
  // The live run says when its hidden file exists, then waits to be let go.
  bool told = false;
  const pid_t live = StartConversionInChild(input, out, RealFileSystemWithHiddenNames(), [&] {
    if (told) return;
    told = true;
    ::close(started[0]);
    ::close(release[1]);  // so that it is let go should this test end first
    char c = 'x';
    (void)!::write(started[1], &c, 1);
    (void)!::read(release[0], &c, 1);
  });
  ::close(started[1]);
  ::close(release[0]);
  char c = 0;
  const bool began = ::read(started[0], &c, 1) == 1;
  EXPECT_TRUE(began);
  const std::string hidden = HiddenFile(dir_.File(""));
  EXPECT_FALSE(hidden.empty());
  if (began) {
    std::vector<std::string> other = unshare;
    other.insert(other.end(), {kCli, input, out});
    EXPECT_EQ(e2e::RunProgram(other).exitCode, 0);
    EXPECT_EQ(HiddenFile(dir_.File("")), hidden);
  }

  if (began) (void)!::write(release[1], &c, 1);  // let go
  ::close(release[1]);
  ::close(started[0]);
  EXPECT_EQ(Wait(live).exitCode, 0);
  EXPECT_TRUE(ReadFile(out) == ReadFile(reference));
  EXPECT_EQ(HiddenFile(dir_.File("")), "");
}

// Where the file system holds no unnamed files, a stop after the output's
// folder was renamed removed the new file by its old path, which no longer
// named it, and left it in the folder.
TEST_F(Stops, AStopAfterTheFolderWasRenamedRemovesTheNewFileThere) {
  const std::string before = dir_.File("before");
  const std::string after = dir_.File("after");
  for (FileSystem* inner : {&RealFileSystemWithHiddenNames(), &RealFileSystem()}) {
    ASSERT_EQ(::mkdir(before.c_str(), 0700), 0);
    WriteFile(before + "/out.wav", "an earlier conversion");
    WatchedFileSystem watched(*inner);
    const int status = ConvertInChild(
        Repeated(2), before + "/out.wav", watched,
        [&] {
          ::rename(before.c_str(), after.c_str());
          ::raise(SIGTERM);
        },
        [] {
          InstallInterruptHandlers("");
          return true;
        });
    EXPECT_EQ(status, 143);
    EXPECT_EQ(DirectoryEntries(after), (std::set<std::string>{"out.wav"}));
    EXPECT_EQ(ReadFile(after + "/out.wav"), "an earlier conversion");
    ASSERT_EQ(::unlink((after + "/out.wav").c_str()), 0);
    ASSERT_EQ(::rmdir(after.c_str()), 0);
  }
}

// Where the unnamed file could not be linked in, every conversion did all
// its work and then failed. Its data now goes under the hidden name and is
// put in place from there.
TEST_F(Stops, WhereTheNewFileCannotBeLinkedInItIsPutInPlaceUnderItsHiddenName) {
  const std::string input = Repeated(2);
  const std::string reference = dir_.File("reference.wav");
  ASSERT_EQ(Wait(Start({input, reference})).exitCode, 0);
  const std::string out = dir_.File("out.wav");
  for (const bool replacing : {false, true}) {
    SCOPED_TRACE(replacing ? "replacing" : "new");
    if (replacing) WriteFile(out, "an earlier conversion");
    const std::set<std::string> entries = DirectoryEntries(dir_.File(""));
    const int status = ConvertInChild(input, out, RealFileSystem(), [] {}, RefuseLinks);
    if (status == 77) GTEST_SKIP() << "system calls cannot be filtered here";
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(ReadFile(out) == ReadFile(reference));
    std::set<std::string> expected = entries;
    expected.insert("out.wav");
    EXPECT_EQ(DirectoryEntries(dir_.File("")), expected);
  }
}

// A stop while "-" is read from a pipe that has more to come: the stop line,
// the stopped file's JSON object (on standard error where standard output
// carries the data; the input's size and, with both "-", the direction not
// known yet), no output, and nothing left in the temporary folder.
TEST_F(Stops, AStopWhileStandardInputIsReadLeavesNothing) {
  const std::string tmp = dir_.File("tmp");
  std::filesystem::create_directory(tmp);
  struct Case {
    std::vector<std::string> args;
    bool reportOnError;
    const char* direction;
  } const cases[] = {
      {{"--json", "-", dir_.File("out.wav")}, false, "\"aac_to_wav\""},
      {{"--json", "-", "-"}, true, "null"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    int in[2];
    ASSERT_EQ(::pipe2(in, O_CLOEXEC), 0);
    ::fcntl(in[1], F_SETPIPE_SZ, 4096);
    const std::string outPath = dir_.File("stdout.txt");
    const std::string errPath = dir_.File("stderr.txt");
    const int outFd = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int errFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const pid_t pid = Start(c.args, outFd, errFd, kCli, in[0], {"TMPDIR=" + tmp});
    ::close(in[0]);
    ::close(outFd);
    ::close(errFd);
    ASSERT_GT(pid, 0);
    // The pipe holds one page: once all of this is written, the program has
    // read most of it, and it waits for more.
    const std::string some = sample_.substr(0, 65536);
    ASSERT_EQ(::write(in[1], some.data(), some.size()), static_cast<ssize_t>(some.size()));
    ::kill(pid, SIGTERM);
    const Finished f = Wait(pid);
    ::close(in[1]);
    EXPECT_EQ(f.exitCode, 143);
    const std::string out = ReadFile(outPath);
    const std::string err = ReadFile(errPath);
    const std::string report = c.reportOnError ? err.substr(std::min(err.size(), kStopped.size())) : out;
    EXPECT_EQ(err.rfind(kStopped, 0), 0u) << err;
    EXPECT_EQ(c.reportOnError ? out : err.substr(kStopped.size()), "");
    const nlohmann::json j = nlohmann::json::parse(report);
    EXPECT_EQ(j["status"], "stopped");
    EXPECT_EQ(j["exitStatus"], 143);
    EXPECT_EQ(j["input"], "-");
    EXPECT_TRUE(j["inputSize"].is_null());
    EXPECT_EQ(j["direction"].dump(), c.direction);
    EXPECT_FALSE(std::filesystem::exists(dir_.File("out.wav")));
    EXPECT_EQ(DirectoryEntries(tmp), std::set<std::string>{});
  }
}

// The damage report goes to standard error while the WAV is being written; a
// reader that has gone no longer ends the run before the WAV is finished.
// The reports it could not write make the status 1, as any lost report does.
TEST_F(Stops, ClosedOutputPipesNeverStopAConversion) {
  std::string damaged = sample_;
  damaged.insert(damaged.size() / 2, 300, '\x55');
  const std::string in = dir_.File("damaged.aac");
  WriteFile(in, damaged);
  const Finished reference = Wait(Start({in, dir_.File("reference.wav")}));
  ASSERT_EQ(reference.exitCode, 3);
  int pipes[2];
  ASSERT_EQ(::pipe(pipes), 0);
  ::close(pipes[0]);  // nobody reads
  const std::string out = dir_.File("out.wav");
  const Finished f = Wait(Start({in, out}, pipes[1], pipes[1]));
  ::close(pipes[1]);
  EXPECT_EQ(f.exitCode, 1);
  EXPECT_EQ(ReadFile(out), ReadFile(dir_.File("reference.wav")));
}

// A file-size limit (ulimit -f) killed the program with SIGXFSZ and left a
// cut-off output; it is now an ordinary write error that keeps the old file.
TEST_F(Stops, AFileSizeLimitIsAWriteError) {
  const std::string out = dir_.File("out.wav");
  WriteFile(out, "an earlier conversion");
  const e2e::ProcessResult r =
      e2e::RunProgram({"sh", "-c", "ulimit -f 1024 && exec \"$0\" \"$1\" \"$2\"", kCli, Repeated(5), out});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, kWriteFailed);
  EXPECT_EQ(ReadFile(out), "an earlier conversion");
  EXPECT_EQ(HiddenFile(dir_.File("")), "");
}

// A million tiny blocks with wrong checksums: the info text and the memory
// stay bounded.
TEST(MismatchFlood, StaysWithinTheMemoryBound) {
  TempDir dir;
  std::string candidate("\x72\xF8\x1F\x4E\x07\x01\x00\x00", 8);
  candidate += std::string("\xFF\xF1\x4C\x80\x01\x1F\xFC\x21", 8);  // an 8-byte frame
  candidate += std::string("\x00\x00\x00\x00", 4);                  // a wrong checksum
  candidate += std::string(8, '\0') + "END";
  std::string piece;
  for (int i = 0; i < 1000; ++i) piece += candidate;
  const std::string in = dir.File("flood.wav");
  {
    std::FILE* f = std::fopen(in.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const std::string header = "RIFF" + std::string(4, '\0') + "WAVEfmt " +
                               std::string("\x10\x00\x00\x00\x01\x00\x02\x00\x80\xBB\x00\x00"
                                           "\x00\xEE\x02\x00\x04\x00\x10\x00", 20) +
                               "data" + std::string(4, '\0');
    std::fwrite(header.data(), 1, header.size(), f);
    for (int i = 0; i < 1000; ++i) std::fwrite(piece.data(), 1, piece.size(), f);
    std::fclose(f);
  }
  const std::string outPath = dir.File("stdout.txt");
  const int outFd = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const pid_t pid = Start({in, dir.File("flood.aac")}, outFd);
  const long peakKiB = WatchPeakKiB(pid);
  const Finished f = Wait(pid);
  ::close(outFd);
  EXPECT_EQ(f.exitCode, 3);
  EXPECT_GT(peakKiB, 0);
  // A sanitizer's shadow memory adds its own.
  EXPECT_LT(peakKiB, kSanitizedBuild ? 1024 * 1024 : 8 * 1024);
  const std::string report = ReadFile(outPath);
  EXPECT_LT(report.size(), 40000u);
  EXPECT_NE(report.find("ほかのチェックサム不一致：999,000 ヵ所\n"), std::string::npos)
      << report.substr(0, 200);
  std::printf("mismatch flood of 1,000,000 blocks (31 MB): peak resident %ld KiB\n", peakKiB);
}

}  // namespace
}  // namespace tessaro::hardening
