#pragma once
// tessaro-cli: conversions and checks from the command line.
//
//   tessaro-cli [-s1|-s2] [-d<ms>] INPUT [OUTPUT]
//   tessaro-cli --batch [-s1|-s2] [-d<ms>] [--out-dir DIR] [--json] FILE...
//   tessaro-cli --check [--json] FILE...
//   tessaro-cli --json [-s1|-s2] [-d<ms>] INPUT [OUTPUT]

#include <string>
#include <vector>

#include "cli/cli_host.h"
#include "cli/console.h"
#include "engine/file_io.h"

namespace tessaro::cli {

// args are the UTF-8 arguments after the program name, one token each.
int RunCli(const std::vector<std::string>& args, Console& console, FileSystem& fs);

}  // namespace tessaro::cli
