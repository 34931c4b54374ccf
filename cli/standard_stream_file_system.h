#pragma once
// A file system that serves "-" from the process's standard streams and
// passes every other path on. A conversion takes its input's size before
// it reads and seeks in it, and AAC to WAV seeks back in its output, so
// both streams go through unnamed files (StandardStreams::CreateSpool),
// and every rule and figure of a conversion stays what it is for files:
//   "-" read is standard input, read to its end into such a file first
//     (a regular file from its start is read as it is);
//   "-" written is standard output: the new file is such a file, copied to
//     standard output when the conversion puts it in place, so that a
//     failed or stopped conversion writes nothing there.

#include <memory>
#include <optional>
#include <string>

#include "cli/standard_streams.h"
#include "engine/direction.h"
#include "engine/file_io.h"

namespace tessaro::cli {

class StandardStreamFileSystem final : public FileSystem {
 public:
  // writesOutput: "-" is the output, so standard output is taken for the
  // data now (StandardStreams::TakeOutput): what the program reports goes to
  // standard error from here on.
  StandardStreamFileSystem(FileSystem& inner, StandardStreams& streams, bool writesOutput);

  // The direction standard input's first bytes tell: a RIFF file of WAVE
  // form is converted to AAC, anything else is taken for an ADTS stream.
  // Reads the input first; where it cannot be read, AAC to WAV, whose
  // opening of the input then says why.
  Direction InputDirection();

  std::unique_ptr<File> OpenRead(const std::string& path) override;
  std::unique_ptr<Destination> Resolve(const std::string& path,
                                       DestinationRefusal* refusal) override;
  std::string LastErrorText() override {
    return ownError_ ? *ownError_ : inner_.LastErrorText();
  }

  PathInfo Stat(const std::string& path) override { return inner_.Stat(path); }
  std::string ResolveLinks(const std::string& path) override { return inner_.ResolveLinks(path); }
  std::unique_ptr<File> CreateExclusive(const std::string& path, const PathInfo* like) override {
    return inner_.CreateExclusive(path, like);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return inner_.Rename(from, to);
  }
  bool Remove(const std::string& path) override { return inner_.Remove(path); }
  std::unique_ptr<AsideFile> CreateAside(const std::string& target, const std::string& hidden,
                                         const PathInfo* like) override {
    return inner_.CreateAside(target, hidden, like);
  }
  std::string RunTag() override { return inner_.RunTag(); }
  bool SameFile(const std::string& a, const std::string& b) override {
    return inner_.SameFile(a, b);
  }
  std::optional<FileKey> Identify(const std::string& path) override {
    return inner_.Identify(path);
  }

  // The new file of "-" written, and its copy to standard output; false
  // with the reason kept for LastErrorText.
  std::unique_ptr<File> CreateOutputSpool();
  bool Deliver(File& spool);

 private:
  // What failed in this file system's own work, for LastErrorText; the
  // system's reason at the time.
  void Failed() { ownError_ = inner_.LastErrorText(); }

  FileSystem& inner_;
  StandardStreams& streams_;
  std::unique_ptr<File> output_;
  std::optional<std::string> outputError_;  // why standard output could not be taken
  std::shared_ptr<File> input_;             // once read
  std::optional<std::string> inputError_;   // why it could not be, once tried
  std::optional<std::string> ownError_;
};

}  // namespace tessaro::cli
