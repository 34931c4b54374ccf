#pragma once
// tessaro-cli: conversions and checks from the command line.
//
//   tessaro-cli [-s1|-s2] [-d<ms>] INPUT [OUTPUT]
//   tessaro-cli --batch [-s1|-s2] [-d<ms>] [--out-dir DIR] [--json] FILE...
//   tessaro-cli --check [--json] FILE...
//   tessaro-cli --json [-s1|-s2] [-d<ms>] INPUT [OUTPUT]
// ("-" as INPUT or OUTPUT: standard input or output), each of them with --lang=ja or --lang=en anywhere among the arguments.

#include <string>
#include <vector>

#include "cli/cli_host.h"
#include "cli/console.h"
#include "cli/standard_streams.h"
#include "engine/file_io.h"
#include "engine/language.h"

namespace tessaro::cli {

// args are the UTF-8 arguments after the program name, one token each.
// The texts, reports and messages are in language (the caller has applied
// any --lang= token); JSON keys and status words are the same in every language.
// A write to the console that fails ends the run with status 1 and, where
// standard error still takes it, a message saying so. streams serve "-" in
// the one-file forms.
int RunCli(std::vector<std::string> args, Console& console, FileSystem& fs, Language language,
           StandardStreams& streams = ProcessStandardStreams());

}  // namespace tessaro::cli
