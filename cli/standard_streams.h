#pragma once
// The process's standard input and output where "-" stands for a file: the
// platform's part (standard_streams_posix.cpp, standard_streams_win32.cpp).
// Everything else about "-" is portable (standard_stream_file_system.h).

#include <memory>
#include <string>

#include "engine/file_io.h"

namespace tessaro::cli {

class StandardStreams {
 public:
  virtual ~StandardStreams() = default;

  virtual bool InputIsTerminal() = 0;
  virtual bool OutputIsTerminal() = 0;
  // Standard input, read from where it stands. *whole: it is a regular file
  // from its start, so its size and every seek are the file's; else it is
  // read once to its end (a pipe). nullptr when it cannot be had.
  virtual std::unique_ptr<File> Input(bool* whole) = 0;
  // A path that names standard input's file, to compare an output with;
  // "" where there is none.
  virtual std::string InputPath() = 0;
  // A new file for reading and writing that has no name (or loses it at
  // once) and goes when it is closed or the program ends, in the system's
  // folder for temporary files. nullptr when none can be made.
  virtual std::unique_ptr<File> CreateSpool() = 0;
  // Standard output, kept for the converted data alone: from this call on,
  // whatever the program writes as its standard output (reports, and what a
  // stop writes) goes to standard error. nullptr when it cannot be had.
  virtual std::unique_ptr<File> TakeOutput() = 0;
};

// The process's own.
StandardStreams& ProcessStandardStreams();

}  // namespace tessaro::cli
