#pragma once
// Runs a real program for end-to-end tests and captures what it printed.

#include <sys/types.h>

#include <string>
#include <vector>

namespace tessaro::e2e {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// The locale variables a child gets unless a test names others: C.UTF-8, under
// which the programs speak Japanese whatever the machine's own locale is.
inline const std::vector<std::string> kDefaultLocale = {"LANG=C.UTF-8"};

// This process's environment ("NAME=value" entries) without LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG, and with the given entries of those instead.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& locale = kDefaultLocale);

// Runs argv[0] with the given arguments (no shell involved in the arguments)
// in ChildEnvironment(locale).
ProcessResult RunProgram(const std::vector<std::string>& argv,
                         const std::vector<std::string>& locale = kDefaultLocale);

// Runs argv like RunProgram, for a tool that may abandon its work and then
// wait for ever: once it closes `output` with nothing written in it, it is
// killed and exitCode is kGaveUp, so that the caller may run it again. So is
// one that has not ended after limitSeconds (a safety bound, not a wait for
// the clock).
inline constexpr int kGaveUp = -2;
ProcessResult RunWatchingOutput(const std::vector<std::string>& argv, const std::string& output,
                                int limitSeconds);

// True when a program of that name is on PATH.
bool HaveTool(const std::string& name);

// A program whose standard output the test reads as it is written (through a
// pipe of the system's smallest size, so that the program waits on a slow
// reader), so that a test acts on a sign from it, such as the first line it
// printed, and never on the clock.
class RunningProgram {
 public:
  explicit RunningProgram(const std::vector<std::string>& argv,
                          const std::vector<std::string>& locale = kDefaultLocale);
  // A program still running is killed and waited for.
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // The next line of standard output with its "\n"; what is left (possibly
  // "") once the output has ended. Read as it comes: the program waits on
  // the pipe meanwhile, as on a slow reader.
  std::string ReadLine();
  void Signal(int signal);
  // Reads standard output to its end and waits for the program; out is
  // everything it wrote there, err its standard error.
  ProcessResult Finish();

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string errName_;
  std::string outText_;  // read so far
};

}  // namespace tessaro::e2e
