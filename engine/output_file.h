#pragma once
// The output of a conversion: written aside in the output's own folder and put
// in place in one step once the conversion has succeeded.

#include <memory>
#include <string>

#include "engine/conversion_host.h"
#include "engine/conversion_request.h"
#include "engine/conversion_result.h"
#include "engine/file_io.h"
#include "engine/write_aside.h"

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
  // cannot be opened; a path through a planted link, another user's file in
  // a shared folder, and an existing file whose first bytes are of inputKind
  // are refused with messages that say so. Nothing is created then, and
  // *result is the failed conversion's.
  static std::unique_ptr<OutputFile> Open(const ConversionRequest& request, InputKind inputKind,
                                          ConversionHost& host, FileSystem& fs,
                                          ConversionResult* result);

  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // Removes the new file unless Commit() succeeded: the output path keeps
  // whatever it held before.
  ~OutputFile() = default;

  File& file() { return aside_->file(); }
  // Closes the finished file and puts it in the output's place. A file that
  // replaces an existing one is flushed to the disk first, so that a power cut
  // leaves the old file or the new one. The host pumps its events after the
  // last write and again after the flush, just before the file is put in
  // place: a stop asked for until then (even while a slow flush held the
  // window) ends the conversion there, and the old output stays. False on
  // failure.
  bool Commit(ConversionHost& host) {
    host.PumpEvents();
    if (replaces_ && !file().Sync()) return false;
    host.PumpEvents();
    return aside_->Commit(false);
  }

 private:
  OutputFile(std::unique_ptr<WriteAside> aside, bool replaces)
      : aside_(std::move(aside)), replaces_(replaces) {}

  std::unique_ptr<WriteAside> aside_;
  bool replaces_;
};

}  // namespace tessaro
