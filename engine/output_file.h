#pragma once
// The output of a conversion: written as a new hidden file in the output's own
// folder and put in place with one rename once the conversion has succeeded.

#include <memory>
#include <string>

#include "engine/conversion_host.h"
#include "engine/conversion_request.h"
#include "engine/file_io.h"

namespace tessaro {

// The kind of file a conversion reads: an output that already holds a file of
// this kind is never replaced, since that file is most likely an input named
// by mistake (a second input path, or the paths in the wrong order).
enum class InputKind { kAdts, kWav };

class OutputFile {
 public:
  // Checks the output path and creates the new file beside it. An output that
  // is the input, that exists but is no regular file or cannot be written, or
  // whose folder is missing, is refused with the message for an output that
  // cannot be opened; an existing file whose first bytes are of inputKind is
  // refused with a message that says so. Nothing is created then.
  static std::unique_ptr<OutputFile> Open(const ConversionRequest& request, InputKind inputKind,
                                          ConversionHost& host, FileSystem& fs);

  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // Removes the new file unless Commit() succeeded: the output path keeps
  // whatever it held before.
  ~OutputFile();

  File& file() { return *file_; }
  // Closes the finished file and renames it over the output path. A file that
  // replaces an existing one is flushed to the disk first, so that a power cut
  // leaves the old file or the new one. False on failure.
  bool Commit();

 private:
  OutputFile(FileSystem& fs, std::string target, std::string aside, bool replaces,
             std::unique_ptr<File> file);

  FileSystem& fs_;
  std::string target_;  // the output path, links resolved
  std::string aside_;   // the new file while it is written
  bool replaces_;
  std::unique_ptr<File> file_;
  bool committed_ = false;
};

// The hidden name the new file gets beside target: ".NAME.tessaro-" and six
// characters of suffix, in target's folder.
std::string AsidePath(const std::string& target, const std::string& suffix);

}  // namespace tessaro
