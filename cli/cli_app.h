#pragma once
// tessaro-cli: one conversion from the command line.
//
//   tessaro-cli [-s1|-s2] [-d<ms>] INPUT [OUTPUT]

#include <string>
#include <vector>

#include "cli/console.h"
#include "engine/file_io.h"

namespace tessaro::cli {

enum ExitCode : int {
  kExitOk = 0,          // converted, nothing to report
  kExitFailed = 1,      // the conversion failed; the message is on standard output
  kExitUsage = 2,       // no input given
  // converted, but damage or checksum mismatches were reported, or the WAV held no frame
  kExitConvertedWithDamage = 3,
};

// args are the UTF-8 arguments after the program name, one token each.
int RunCli(const std::vector<std::string>& args, Console& console, FileSystem& fs);

// "\r\n" becomes "\n", and the text ends with exactly the "\n" it had or one more.
std::string ConsoleText(const std::string& text);

}  // namespace tessaro::cli
