#pragma once
// tessaro-cli: one conversion from the command line.
//
//   tessaro-cli [-s1|-s2] [-d<ms>] INPUT [OUTPUT]

#include <string>
#include <vector>

#include "cli/console.h"
#include "engine/file_io.h"
#include "naming/command_status.h"

namespace tessaro::cli {

// The statuses of naming/command_status.h, which the dialog program shares.
enum ExitCode : int {
  kExitOk = kStatusConverted,
  kExitFailed = kStatusFailed,  // the message is on standard output
  kExitUsage = kStatusNoInput,
  kExitConvertedWithDamage = kStatusConvertedWithDamage,
};

// args are the UTF-8 arguments after the program name, one token each.
int RunCli(const std::vector<std::string>& args, Console& console, FileSystem& fs);

// "\r\n" becomes "\n", and the text ends with exactly the "\n" it had or one more.
std::string ConsoleText(const std::string& text);

}  // namespace tessaro::cli
