#include "tests/e2e/process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <sstream>

#include "tests/support/temp_dir.h"

extern char** environ;

namespace tessaro::e2e {

std::vector<std::string> ChildEnvironment(const std::vector<std::string>& locale) {
  std::vector<std::string> entries;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    const std::string name = entry.substr(0, entry.find('='));
    if (name != "LANGUAGE" && name != "LC_ALL" && name != "LC_MESSAGES" && name != "LANG") {
      entries.push_back(entry);
    }
  }
  entries.insert(entries.end(), locale.begin(), locale.end());
  return entries;
}

namespace {

int ExitCodeOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status); }

// Starts argv[0] in ChildEnvironment(locale), its standard input /dev/null,
// its output and error on the given descriptors; -1 when it could not start.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& locale, int outFd,
            int errFd) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::vector<std::string> environment = ChildEnvironment(locale);
  std::vector<char*> env;
  for (std::string& e : environment) env.push_back(e.data());
  env.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Standard output and error of a program, caught in files.
struct Capture {
  char outName[28] = "/tmp/tessaro-e2e-out-XXXXXX";
  char errName[28] = "/tmp/tessaro-e2e-err-XXXXXX";
  int outFd = ::mkstemp(outName);
  int errFd = ::mkstemp(errName);

  ProcessResult Finish(int exitCode) {
    ::close(outFd);
    ::close(errFd);
    ProcessResult result{exitCode, testing::ReadFile(outName), testing::ReadFile(errName)};
    ::unlink(outName);
    ::unlink(errName);
    return result;
  }
};

}  // namespace

ProcessResult RunProgram(const std::vector<std::string>& argv,
                         const std::vector<std::string>& locale) {
  Capture capture;
  const pid_t pid = Spawn(argv, locale, capture.outFd, capture.errFd);
  int status = 0;
  const bool waited = pid > 0 && ::waitpid(pid, &status, 0) == pid;
  return capture.Finish(waited ? ExitCodeOf(status) : -1);
}

ProcessResult RunWatchingOutput(const std::vector<std::string>& argv, const std::string& output,
                                int limitSeconds) {
  const size_t slash = output.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : output.substr(0, slash);
  const std::string name = output.substr(slash + 1);
  // Watched before the program starts, so that no close goes unseen.
  const int watch = ::inotify_init1(IN_CLOEXEC);
  ::inotify_add_watch(watch, dir.c_str(), IN_CLOSE_WRITE);
  Capture capture;
  const pid_t pid = Spawn(argv, kDefaultLocale, capture.outFd, capture.errFd);
  const int ended = pid > 0 ? static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)) : -1;
  bool closed = false;
  bool gaveUp = false;
  while (ended >= 0 && !gaveUp) {
    pollfd waits[2] = {{ended, POLLIN, 0}, {watch, POLLIN, 0}};
    const int ready = ::poll(waits, closed ? 1 : 2, limitSeconds * 1000);
    if (ready < 0 || waits[0].revents != 0) break;
    gaveUp = ready == 0;
    alignas(inotify_event) char events[4096];
    const ssize_t n = ready > 0 ? ::read(watch, events, sizeof events) : 0;
    for (ssize_t at = 0; at < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(events + at);
      if (event->len > 0 && name == event->name) {
        closed = true;
        struct stat written {};
        gaveUp = ::stat(output.c_str(), &written) != 0 || written.st_size == 0;
      }
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  if (gaveUp) ::kill(pid, SIGKILL);
  int status = 0;
  const bool waited = pid > 0 && ::waitpid(pid, &status, 0) == pid;
  if (ended >= 0) ::close(ended);
  ::close(watch);
  return capture.Finish(gaveUp ? kGaveUp : waited ? ExitCodeOf(status) : -1);
}

RunningProgram::RunningProgram(const std::vector<std::string>& argv,
                               const std::vector<std::string>& locale) {
  int pipes[2];
  if (::pipe2(pipes, O_CLOEXEC) != 0) return;
  ::fcntl(pipes[0], F_SETPIPE_SZ, 4096);
  char errName[] = "/tmp/tessaro-e2e-err-XXXXXX";
  const int errFd = ::mkstemp(errName);
  errName_ = errName;
  pid_ = Spawn(argv, locale, pipes[1], errFd);
  ::close(pipes[1]);
  ::close(errFd);
  out_ = pipes[0];
}

RunningProgram::~RunningProgram() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (out_ >= 0) ::close(out_);
  if (!errName_.empty()) ::unlink(errName_.c_str());
}

// A byte at a time, so that the pipe stays as full as the program left it:
// it runs ahead only as far as a slow reader lets it.
std::string RunningProgram::ReadLine() {
  std::string line;
  char c = 0;
  while (out_ >= 0 && ::read(out_, &c, 1) == 1) {
    line += c;
    if (c == '\n') break;
  }
  outText_ += line;
  return line;
}

void RunningProgram::Signal(int signal) {
  if (pid_ > 0) ::kill(pid_, signal);
}

ProcessResult RunningProgram::Finish() {
  char buffer[65536];
  ssize_t n = 0;
  while (out_ >= 0 && (n = ::read(out_, buffer, sizeof buffer)) > 0) {
    outText_.append(buffer, static_cast<size_t>(n));
  }
  ProcessResult result;
  int status = 0;
  if (pid_ > 0 && ::waitpid(pid_, &status, 0) == pid_) result.exitCode = ExitCodeOf(status);
  pid_ = -1;
  result.out = outText_;
  result.err = testing::ReadFile(errName_);
  return result;
}

bool HaveTool(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return false;
  std::stringstream dirs(path);
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (::access((dir + "/" + name).c_str(), X_OK) == 0) return true;
  }
  return false;
}

}  // namespace tessaro::e2e
