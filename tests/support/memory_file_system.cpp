#include "tests/support/memory_file_system.h"

#include <algorithm>
#include <cstring>

namespace tessaro::testing {

const char* FsOpName(FsOp op) {
  switch (op) {
    case FsOp::kOpenRead: return "OpenRead";
    case FsOp::kStat: return "Stat";
    case FsOp::kResolveLinks: return "ResolveLinks";
    case FsOp::kCreate: return "CreateExclusive";
    case FsOp::kRename: return "Rename";
    case FsOp::kRemove: return "Remove";
    case FsOp::kSameFile: return "SameFile";
    case FsOp::kRead: return "Read";
    case FsOp::kWrite: return "Write";
    case FsOp::kSeek: return "Seek";
    case FsOp::kSize: return "Size";
    case FsOp::kTruncate: return "Truncate";
    case FsOp::kSync: return "Sync";
    case FsOp::kClose: return "Close";
  }
  return "?";
}

// An open file: a position over the shared bytes of one file.
class MemoryFileSystem::Handle final : public File {
 public:
  Handle(MemoryFileSystem& fs, std::shared_ptr<Bytes> bytes)
      : fs_(fs), bytes_(std::move(bytes)), openHandles_(fs.openHandles_) {
    ++*openHandles_;
  }
  ~Handle() override { --*openHandles_; }

  bool Read(uint8_t* buf, size_t n, size_t* got) override {
    *got = 0;
    const std::optional<FaultMode> fault = fs_.Count(FsOp::kRead);
    if (closed_ || (fault && *fault == FaultMode::kFail)) return false;
    const size_t available = position_ < bytes_->size() ? bytes_->size() - position_ : 0;
    size_t count = std::min(n, available);
    if (fault) count = std::min(count, n / 2);  // short: fewer than asked, yet success
    if (count > 0) std::memcpy(buf, bytes_->data() + position_, count);
    position_ += count;
    *got = count;
    return true;
  }

  bool Write(const uint8_t* buf, size_t n) override {
    const std::optional<FaultMode> fault = fs_.Count(FsOp::kWrite);
    if (closed_ || (fault && *fault == FaultMode::kFail) || fs_.PastLimit(position_ + n)) return false;
    fs_.synced_.erase(bytes_.get());
    const size_t count = fault ? n / 2 : n;
    if (bytes_->size() < position_ + count) bytes_->resize(position_ + count);
    if (count > 0) std::memcpy(bytes_->data() + position_, buf, count);
    position_ += count;
    return !fault;
  }

  bool Seek(uint64_t offset) override {
    if (fs_.Count(FsOp::kSeek) || closed_) return false;
    position_ = static_cast<size_t>(offset);
    return true;
  }

  bool Size(uint64_t* size) override {
    if (fs_.Count(FsOp::kSize) || closed_) return false;
    *size = bytes_->size();
    return true;
  }

  bool Truncate(uint64_t size) override {
    if (fs_.Count(FsOp::kTruncate) || closed_ || fs_.PastLimit(size)) return false;
    bytes_->resize(static_cast<size_t>(size));
    return true;
  }

  bool Sync() override {
    if (fs_.Count(FsOp::kSync) || closed_) return false;
    fs_.synced_.insert(bytes_.get());
    return true;
  }

  bool Close() override {
    if (fs_.Count(FsOp::kClose) || closed_) return false;
    closed_ = true;
    return true;
  }

 private:
  MemoryFileSystem& fs_;
  std::shared_ptr<Bytes> bytes_;
  std::shared_ptr<int> openHandles_;
  size_t position_ = 0;
  bool closed_ = false;
};

MemoryFileSystem::MemoryFileSystem() : openHandles_(std::make_shared<int>(0)) {}
MemoryFileSystem::~MemoryFileSystem() = default;

void MemoryFileSystem::SetFile(const std::string& path, Bytes bytes) {
  const std::string target = FollowLinks(path);
  auto it = files_.find(target);
  if (it != files_.end()) {
    *it->second = std::move(bytes);
  } else {
    files_[target] = std::make_shared<Bytes>(std::move(bytes));
  }
}

void MemoryFileSystem::SetFile(const std::string& path, const std::string& bytes) {
  SetFile(path, Bytes(bytes.begin(), bytes.end()));
}

bool MemoryFileSystem::Exists(const std::string& path) const {
  return files_.count(FollowLinks(path)) > 0;
}

Bytes MemoryFileSystem::Contents(const std::string& path) const {
  auto it = files_.find(FollowLinks(path));
  return it == files_.end() ? Bytes{} : *it->second;
}

std::vector<std::string> MemoryFileSystem::Paths() const {
  std::vector<std::string> paths;
  for (const auto& entry : files_) paths.push_back(entry.first);
  return paths;
}

void MemoryFileSystem::AddAlias(const std::string& alias, const std::string& target) {
  aliases_[alias] = target;
}

void MemoryFileSystem::AddSpecial(const std::string& path) { specials_.insert(path); }

void MemoryFileSystem::SetPermissions(const std::string& path, uint32_t permissions) {
  auto it = files_.find(FollowLinks(path));
  if (it != files_.end()) permissions_[it->second.get()] = permissions;
}

uint32_t MemoryFileSystem::Permissions(const std::string& path) const {
  auto it = files_.find(FollowLinks(path));
  if (it == files_.end()) return 0;
  auto p = permissions_.find(it->second.get());
  return p == permissions_.end() ? 0644 : p->second;
}

bool MemoryFileSystem::Synced(const std::string& path) const {
  auto it = files_.find(FollowLinks(path));
  return it != files_.end() && synced_.count(it->second.get()) > 0;
}

void MemoryFileSystem::FailCall(uint64_t nth, FaultMode mode) {
  faults_.push_back(Fault{std::nullopt, nth, mode});
}

void MemoryFileSystem::FailOp(FsOp op, uint64_t nth, FaultMode mode) {
  faults_.push_back(Fault{op, nth, mode});
}

uint64_t MemoryFileSystem::callCount(FsOp op) const {
  auto it = perOp_.find(op);
  return it == perOp_.end() ? 0 : it->second;
}

std::optional<FaultMode> MemoryFileSystem::Count(FsOp op) {
  log_.push_back(op);
  const uint64_t opCount = ++perOp_[op];
  if (whileCalling) whileCalling(op);
  if (op == FsOp::kSameFile) return std::nullopt;
  for (const Fault& f : faults_) {
    const bool hit = f.op ? (*f.op == op && f.nth == opCount) : f.nth == log_.size();
    if (hit) {
      faultHit_ = true;
      return f.mode;
    }
  }
  return std::nullopt;
}

std::string MemoryFileSystem::FollowLinks(const std::string& path) const {
  auto it = aliases_.find(path);
  return it == aliases_.end() ? path : it->second;
}

std::unique_ptr<File> MemoryFileSystem::OpenRead(const std::string& path) {
  if (Count(FsOp::kOpenRead)) return nullptr;
  auto it = files_.find(FollowLinks(path));
  if (it == files_.end()) return nullptr;
  return std::make_unique<Handle>(*this, it->second);
}

PathInfo MemoryFileSystem::Stat(const std::string& path) {
  PathInfo info;
  const std::string target = FollowLinks(path);
  if (Count(FsOp::kStat) || specials_.count(target) > 0) {
    info.kind = PathInfo::Kind::kOther;
  } else if (files_.count(target) > 0) {
    info.kind = PathInfo::Kind::kRegular;
    info.permissions = Permissions(target);
    info.writable = (info.permissions & 0200) != 0;
  }
  return info;
}

std::string MemoryFileSystem::ResolveLinks(const std::string& path) {
  if (Count(FsOp::kResolveLinks)) return {};
  return FollowLinks(path);
}

std::unique_ptr<File> MemoryFileSystem::CreateExclusive(const std::string& path,
                                                        const PathInfo* like) {
  if (Count(FsOp::kCreate)) return nullptr;
  if (path.empty() || path.back() == '/' || files_.count(path) > 0 || specials_.count(path) > 0) {
    return nullptr;
  }
  auto bytes = std::make_shared<Bytes>();
  files_[path] = bytes;
  permissions_[bytes.get()] = like ? like->permissions : 0644;
  return std::make_unique<Handle>(*this, bytes);
}

bool MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
  if (Count(FsOp::kRename)) return false;
  auto it = files_.find(from);
  if (it == files_.end() || specials_.count(to) > 0) return false;
  std::shared_ptr<Bytes> bytes = it->second;
  files_.erase(it);
  files_[to] = std::move(bytes);
  return true;
}

bool MemoryFileSystem::Remove(const std::string& path) {
  if (Count(FsOp::kRemove)) return false;
  return files_.erase(FollowLinks(path)) > 0;
}

bool MemoryFileSystem::SameFile(const std::string& a, const std::string& b) {
  Count(FsOp::kSameFile);
  const std::string ra = FollowLinks(a);
  return ra == FollowLinks(b) && files_.count(ra) > 0;
}

std::optional<FileKey> MemoryFileSystem::Identify(const std::string& path) {
  Count(FsOp::kSameFile);
  const auto it = files_.find(FollowLinks(path));
  if (it == files_.end()) return std::nullopt;
  return FileKey{0, reinterpret_cast<uintptr_t>(it->second.get())};
}

}  // namespace tessaro::testing
