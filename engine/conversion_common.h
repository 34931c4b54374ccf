#pragma once
// Pieces both conversion directions share: the output file that removes
// itself unless the conversion completes, and the failure exit.

#include <memory>
#include <string>
#include <utility>

#include "engine/conversion_host.h"
#include "engine/conversion_request.h"
#include "engine/conversion_result.h"
#include "engine/file_io.h"

namespace tessaro {

// Owns the output file while it is being written. Unless Commit() succeeds,
// the file is closed and deleted when the guard goes away, so a failed
// conversion leaves no partial output behind.
class OutputFile {
 public:
  OutputFile(FileSystem& fs, std::string path, std::unique_ptr<File> file)
      : fs_(fs), path_(std::move(path)), file_(std::move(file)) {}
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() {
    if (!file_ && committed_) return;
    file_.reset();
    fs_.Remove(path_);
  }

  File& file() { return *file_; }
  // Closes the finished file; false (and the file is removed later) on failure.
  bool Commit() {
    const bool closed = file_->Close();
    file_.reset();
    committed_ = closed;
    return closed;
  }

 private:
  FileSystem& fs_;
  std::string path_;
  std::unique_ptr<File> file_;
  bool committed_ = false;
};

// Opens the input and takes its length. On failure reports it and returns nullptr.
std::unique_ptr<File> OpenInput(const ConversionRequest& request, ConversionHost& host,
                                FileSystem& fs, uint64_t* length);

// Creates (truncates) the output, but never when it names the input itself.
// On failure reports it and returns nullptr.
std::unique_ptr<File> CreateOutput(const ConversionRequest& request, ConversionHost& host,
                                   FileSystem& fs);

// Replaces the info text with a failure message and marks the result.
inline ConversionResult Failed(ConversionHost& host, const std::string& message,
                               ConversionResult result = {}) {
  host.SetInfoText(message, true);
  result.failed = true;
  return result;
}

}  // namespace tessaro
