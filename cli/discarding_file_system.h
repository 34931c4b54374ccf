#pragma once
// A file system whose outputs go nowhere: inputs are read from the real one,
// every created file only counts what is written to it. Output paths are
// looked at on the real one (a folder where the output would go, a missing
// folder, the input itself), so a conversion run on it reports and fails
// exactly as it would, and creates, renames and removes nothing.

#include <memory>
#include <string>

#include "engine/file_io.h"

namespace tessaro::cli {

class DiscardingFileSystem final : public FileSystem {
 public:
  explicit DiscardingFileSystem(FileSystem& inputs) : inputs_(inputs) {}

  std::unique_ptr<File> OpenRead(const std::string& path) override {
    return inputs_.OpenRead(path);
  }
  PathInfo Stat(const std::string& path) override { return inputs_.Stat(path); }
  std::string ResolveLinks(const std::string& path) override {
    return inputs_.ResolveLinks(path);
  }
  // The destination the real output would take, looked at on the real file
  // system; its new file only counts what it is given.
  std::unique_ptr<Destination> Resolve(const std::string& path,
                                       DestinationRefusal* refusal) override;
  // A file that counts what it is given, where the real one could be made:
  // in an existing folder. Nothing is created.
  std::unique_ptr<File> CreateExclusive(const std::string& path, const PathInfo* like) override;
  bool Rename(const std::string&, const std::string&) override { return true; }
  bool Remove(const std::string&) override { return true; }
  bool SameFile(const std::string& a, const std::string& b) override {
    return inputs_.SameFile(a, b);
  }
  std::string LastErrorText() override { return inputs_.LastErrorText(); }
  std::optional<FileKey> Identify(const std::string& path) override {
    return inputs_.Identify(path);
  }

 private:
  FileSystem& inputs_;
};

}  // namespace tessaro::cli
