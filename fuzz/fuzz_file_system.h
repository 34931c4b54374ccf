#pragma once
// An in-memory FileSystem for the fuzz targets: files are path -> bytes, reads
// return everything asked for up to the end, writes grow the file. Kept small
// and fast: a fuzz run makes millions of conversions.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/file_io.h"

namespace tessaro::fuzz {

using Bytes = std::vector<uint8_t>;

class MemFile final : public File {
 public:
  explicit MemFile(std::shared_ptr<Bytes> bytes) : bytes_(std::move(bytes)) {}

  bool Read(uint8_t* buf, size_t n, size_t* got) override {
    const uint64_t size = bytes_->size();
    const size_t count = pos_ >= size ? 0 : static_cast<size_t>(std::min<uint64_t>(n, size - pos_));
    if (count > 0) std::memcpy(buf, bytes_->data() + pos_, count);
    pos_ += count;
    *got = count;
    return true;
  }
  // A small disk: a file stops growing at kDiskSize, as on a full disk.
  static constexpr uint64_t kDiskSize = uint64_t{16} << 20;

  bool Write(const uint8_t* buf, size_t n) override {
    if (pos_ + n > kDiskSize) return false;
    if (pos_ + n > bytes_->size()) bytes_->resize(static_cast<size_t>(pos_ + n));
    if (n > 0) std::memcpy(bytes_->data() + pos_, buf, n);
    pos_ += n;
    return true;
  }
  bool Seek(uint64_t offset) override {
    pos_ = offset;
    return true;
  }
  bool Size(uint64_t* size) override {
    *size = bytes_->size();
    return true;
  }
  bool Truncate(uint64_t size) override {
    if (size > kDiskSize) return false;
    bytes_->resize(static_cast<size_t>(size));
    return true;
  }
  bool Sync() override { return true; }
  bool Close() override { return true; }

 private:
  std::shared_ptr<Bytes> bytes_;
  uint64_t pos_ = 0;
};

class MemFileSystem final : public FileSystem {
 public:
  void Set(const std::string& path, Bytes bytes) {
    files_[path] = std::make_shared<Bytes>(std::move(bytes));
  }
  bool Exists(const std::string& path) const { return files_.count(path) != 0; }
  const Bytes* Get(const std::string& path) const {
    auto it = files_.find(path);
    return it == files_.end() ? nullptr : it->second.get();
  }
  const std::map<std::string, std::shared_ptr<Bytes>>& files() const { return files_; }

  std::unique_ptr<File> OpenRead(const std::string& path) override {
    auto it = files_.find(path);
    if (it == files_.end()) return nullptr;
    return std::make_unique<MemFile>(it->second);
  }
  PathInfo Stat(const std::string& path) override {
    PathInfo info;
    if (files_.count(path) != 0) info = PathInfo{PathInfo::Kind::kRegular, true, 0644};
    return info;
  }
  std::string ResolveLinks(const std::string& path) override { return path; }
  std::unique_ptr<File> CreateExclusive(const std::string& path, const PathInfo*) override {
    if (path.empty() || path.back() == '/' || files_.count(path) != 0) return nullptr;
    auto& slot = files_[path];
    slot = std::make_shared<Bytes>();
    return std::make_unique<MemFile>(slot);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    auto it = files_.find(from);
    if (it == files_.end()) return false;
    std::shared_ptr<Bytes> bytes = it->second;
    files_.erase(it);
    files_[to] = std::move(bytes);
    return true;
  }
  bool Remove(const std::string& path) override { return files_.erase(path) != 0; }
  bool SameFile(const std::string& a, const std::string& b) override {
    return a == b && files_.count(a) != 0;
  }

 private:
  std::map<std::string, std::shared_ptr<Bytes>> files_;
};

}  // namespace tessaro::fuzz
