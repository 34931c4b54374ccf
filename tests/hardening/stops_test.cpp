// The real console program stopped part-way, run twice at once, and left
// without readers of its output: the earlier output survives every stop, no
// hidden new file stays behind, and the memory stays flat.

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/process.h"
#include "tests/hardening/hardening_util.h"

extern char** environ;

namespace tessaro::hardening {
namespace {

using e2e::ReadFile;
using e2e::TempDir;
using e2e::WriteFile;

const std::string kStopped = "エラー：変換が、中断されました。\n";

struct Finished {
  int exitCode = -1;
  long peakKiB = 0;
};

// Starts tessaro-cli with standard output and error going to the given
// descriptors (-1: /dev/null).
pid_t Start(const std::vector<std::string>& args, int outFd = -1, int errFd = -1) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (outFd >= 0) {
    posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  }
  if (errFd >= 0) {
    posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  }
  std::vector<char*> argv = {const_cast<char*>(kCli.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, kCli.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

Finished Wait(pid_t pid) {
  Finished f;
  int status = 0;
  struct rusage usage {};
  if (::wait4(pid, &status, 0, &usage) == pid) {
    f.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    f.peakKiB = usage.ru_maxrss;
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

class Stops : public ::testing::Test {
 protected:
  void SetUp() override {
    sample_ = ReadFile(kSamples + "/tone48k_stereo.aac");
    // The sample over and over: a conversion of some seconds at least.
    std::string stream;
    for (int i = 0; i < 1500; ++i) stream += sample_;
    longAac_ = dir_.Path("long.aac");
    WriteFile(longAac_, stream);
  }

  TempDir dir_;
  std::string sample_, longAac_;
};

TEST_F(Stops, AStopSignalKeepsTheEarlierOutputAndLeavesNoNewFile) {
  struct Case {
    int signal;
    int exitCode;
  } const cases[] = {{SIGTERM, 143}, {SIGINT, 130}, {SIGHUP, 129}};
  const std::string out = dir_.Path("out.wav");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.signal);
    WriteFile(out, "an earlier conversion");
    const std::string errPath = dir_.Path("err.txt");
    const int errFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const pid_t pid = Start({longAac_, out}, -1, errFd);
    ::close(errFd);
    ASSERT_GT(pid, 0);
    // Stopped once the new file holds some megabytes.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    bool started = false;
    while (!started && std::chrono::steady_clock::now() < deadline) {
      const std::string hidden = HiddenFile(dir_.Path(""));
      struct stat st;
      started = !hidden.empty() && ::stat(dir_.Path(hidden).c_str(), &st) == 0 &&
                st.st_size > (4 << 20);
      if (!started) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(started) << "the conversion ended before it could be stopped";
    ::kill(pid, c.signal);
    const Finished f = Wait(pid);
    const std::string err = ReadFile(errPath);
    ::unlink(errPath.c_str());
    if (!started) continue;
    EXPECT_EQ(f.exitCode, c.exitCode);
    EXPECT_EQ(err, kStopped);
    EXPECT_EQ(ReadFile(out), "an earlier conversion");
    EXPECT_EQ(HiddenFile(dir_.Path("")), "");
  }
}

TEST_F(Stops, TwoRunsToOneOutputLeaveOneWholeConversion) {
  const std::string stereo = dir_.Path("stereo.aac");
  const std::string mono = dir_.Path("mono.aac");
  WriteFile(stereo, sample_ + sample_ + sample_);
  WriteFile(mono, ReadFile(kSamples + "/tone44k_mono.aac"));
  ASSERT_EQ(Wait(Start({stereo, dir_.Path("a.wav")})).exitCode, 0);
  ASSERT_EQ(Wait(Start({mono, dir_.Path("b.wav")})).exitCode, 0);
  const std::string a = ReadFile(dir_.Path("a.wav"));
  const std::string b = ReadFile(dir_.Path("b.wav"));
  const std::string out = dir_.Path("out.wav");
  for (int round = 0; round < 5; ++round) {
    const pid_t first = Start({stereo, out});
    const pid_t second = Start({mono, out});
    EXPECT_EQ(Wait(first).exitCode, 0);
    EXPECT_EQ(Wait(second).exitCode, 0);
    const std::string result = ReadFile(out);
    EXPECT_TRUE(result == a || result == b) << "a mixture of " << result.size() << " bytes";
    EXPECT_EQ(HiddenFile(dir_.Path("")), "");
  }
}

// The damage report goes to standard error while the WAV is being written; a
// reader that has gone no longer ends the run before the WAV is finished.
TEST_F(Stops, ClosedOutputPipesNeverStopAConversion) {
  std::string damaged = sample_;
  damaged.insert(damaged.size() / 2, 300, '\x55');
  const std::string in = dir_.Path("damaged.aac");
  WriteFile(in, damaged);
  const Finished reference = Wait(Start({in, dir_.Path("reference.wav")}));
  ASSERT_EQ(reference.exitCode, 3);
  int pipes[2];
  ASSERT_EQ(::pipe(pipes), 0);
  ::close(pipes[0]);  // nobody reads
  const std::string out = dir_.Path("out.wav");
  const Finished f = Wait(Start({in, out}, pipes[1], pipes[1]));
  ::close(pipes[1]);
  EXPECT_EQ(f.exitCode, 3);
  EXPECT_EQ(ReadFile(out), ReadFile(dir_.Path("reference.wav")));
}

// Hundreds of thousands of tiny blocks with wrong checksums: the info text and
// the memory stay bounded. The peak measured includes what the test process
// itself held when it started the program (the file is written piece by piece
// to keep that small), so it is an upper bound.
TEST(MismatchFlood, StaysWithinTheMemoryBound) {
  TempDir dir;
  std::string candidate("\x72\xF8\x1F\x4E\x07\x01\x00\x00", 8);
  candidate += std::string("\xFF\xF1\x4C\x80\x01\x1F\xFC\x21", 8);  // an 8-byte frame
  candidate += std::string("\x00\x00\x00\x00", 4);                  // a wrong checksum
  candidate += std::string(8, '\0') + "END";
  std::string piece;
  for (int i = 0; i < 1000; ++i) piece += candidate;
  const std::string in = dir.Path("flood.wav");
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
  const std::string outPath = dir.Path("stdout.txt");
  const int outFd = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const Finished f = Wait(Start({in, dir.Path("flood.aac")}, outFd));
  ::close(outFd);
  EXPECT_EQ(f.exitCode, 3);
  EXPECT_LT(f.peakKiB, 8 * 1024);
  const std::string report = ReadFile(outPath);
  EXPECT_LT(report.size(), 40000u);
  EXPECT_NE(report.find("ほかのチェックサム不一致：999,000 ヵ所\n"), std::string::npos)
      << report.substr(0, 200);
  std::printf("mismatch flood of 1,000,000 blocks (31 MB): peak resident %ld KiB\n", f.peakKiB);
}

}  // namespace
}  // namespace tessaro::hardening
