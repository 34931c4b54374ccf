#pragma once
// A file system whose outputs go nowhere: inputs are read from the real one,
// every created file only counts what is written to it. A conversion run on
// it reports exactly as it would, and creates nothing.

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
  // Every output path is free: nothing is there, and nothing will be.
  PathInfo Stat(const std::string&) override { return {}; }
  std::string ResolveLinks(const std::string& path) override { return path; }
  std::unique_ptr<File> CreateExclusive(const std::string& path, const PathInfo* like) override;
  bool Rename(const std::string&, const std::string&) override { return true; }
  bool Remove(const std::string&) override { return true; }
  // Nothing is ever written, so no output can be the input.
  bool SameFile(const std::string&, const std::string&) override { return false; }

 private:
  FileSystem& inputs_;
};

}  // namespace tessaro::cli
