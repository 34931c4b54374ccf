// The guard of a run's own files, in hash tables keyed by file and by path.
#include "frontend/own_file_guard.h"

#include <system_error>

namespace tessaro {

OwnFileGuard::OwnFileGuard(std::vector<std::string> inputs, FileSystem& fs)
    : inputs_(std::move(inputs)), fs_(fs) {
  std::error_code error;
  workingFolder_ = std::filesystem::current_path(error);
  for (size_t i = 0; i < inputs_.size(); ++i) {
    if (const std::optional<FileKey> key = fs_.Identify(inputs_[i])) inputKeys_[*key].push_back(i);
    inputNames_[Normalised(inputs_[i])].push_back(i);
  }
}

// The path spelled one way: absolute, without "." and ".." parts. Paths are
// UTF-8, whatever the system's code page.
std::u8string OwnFileGuard::Normalised(const std::string& path) const {
  const std::filesystem::path given(std::u8string(path.begin(), path.end()));
  const std::filesystem::path absolute = workingFolder_.empty() ? given : workingFolder_ / given;
  return absolute.lexically_normal().u8string();
}

template <typename Map, typename Name>
const size_t* OwnFileGuard::OtherInput(const Map& map, const Name& name, size_t index) {
  const auto it = map.find(name);
  if (it == map.end()) return nullptr;
  for (const size_t& input : it->second) {
    if (input != index) return &input;
  }
  return nullptr;
}

OwnFileHit OwnFileGuard::Overwrites(size_t index, const std::string& output) const {
  if (output.empty()) return {};  // the conversion refuses it
  const std::optional<FileKey> key = fs_.Identify(output);
  const std::u8string name = Normalised(output);
  const size_t* input = key ? OtherInput(inputKeys_, *key, index) : nullptr;
  if (!input) input = OtherInput(inputNames_, name, index);
  if (input) return {OwnFileHit::Kind::kInput, inputs_[*input]};
  const auto byKey = key ? writtenKeys_.find(*key) : writtenKeys_.end();
  if (byKey != writtenKeys_.end()) return {OwnFileHit::Kind::kEarlierOutput, inputs_[byKey->second]};
  const auto byName = writtenNames_.find(name);
  if (byName != writtenNames_.end()) return {OwnFileHit::Kind::kEarlierOutput, inputs_[byName->second]};
  return {};
}

void OwnFileGuard::Wrote(size_t index, const std::string& output) {
  if (const std::optional<FileKey> key = fs_.Identify(output)) writtenKeys_.emplace(*key, index);
  writtenNames_.emplace(Normalised(output), index);
}

}  // namespace tessaro
