// The guard of a run's own files, in sorted arrays and one table of numbers.
#include "frontend/own_file_guard.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <optional>
#include <system_error>
#include <tuple>

namespace tessaro {
namespace {

constexpr uint32_t kFree = std::numeric_limits<uint32_t>::max();

// A 64-bit mix of 64 bits (splitmix64's), so that neighbouring keys land
// apart.
uint64_t Mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

uint64_t HashOf(const FileKey& key) { return Mix(Mix(key.device) ^ key.file); }

// FNV-1a over the bytes, mixed: 64 bits on every platform.
uint64_t HashOf(const std::u8string& name) {
  uint64_t h = 0xCBF29CE484222325ull;
  for (const char8_t c : name) h = (h ^ static_cast<uint8_t>(c)) * 0x100000001B3ull;
  return Mix(h);
}

bool KeyLess(const FileKey& a, const FileKey& b) {
  return std::tie(a.device, a.file) < std::tie(b.device, b.file);
}

}  // namespace

OwnFileGuard::OwnFileGuard(const std::vector<std::string>& inputs, FileSystem& fs)
    : inputs_(inputs), fs_(fs) {
  std::error_code error;
  workingFolder_ = std::filesystem::current_path(error);
  inputNames_.reserve(inputs_.size());
  for (size_t i = 0; i < inputs_.size(); ++i) {
    const uint32_t index = static_cast<uint32_t>(i);
    if (const std::optional<FileKey> key = fs_.Identify(inputs_[i])) {
      inputKeys_.push_back({*key, index});
    }
    inputNames_.push_back({HashOf(Normalised(inputs_[i])), index});
  }
  inputKeys_.shrink_to_fit();
  // Sorted, the inputs under one key or hash keep the order given.
  std::stable_sort(inputKeys_.begin(), inputKeys_.end(),
                   [](const KeyEntry& a, const KeyEntry& b) { return KeyLess(a.key, b.key); });
  std::stable_sort(inputNames_.begin(), inputNames_.end(),
                   [](const NameEntry& a, const NameEntry& b) { return a.hash < b.hash; });
  writtenKeys_.resize(inputs_.size());
  writtenSlots_.assign(std::bit_ceil(std::max<size_t>(2 * inputs_.size(), 2)), kFree);
}

// The path spelled one way: absolute, without "." and ".." parts. Paths are
// UTF-8, whatever the system's code page.
std::u8string OwnFileGuard::Normalised(const std::string& path) const {
  const std::filesystem::path given(std::u8string(path.begin(), path.end()));
  const std::filesystem::path absolute = workingFolder_.empty() ? given : workingFolder_ / given;
  return absolute.lexically_normal().u8string();
}

const std::string* OwnFileGuard::OtherInput(const std::optional<FileKey>& key,
                                            const std::u8string& name, size_t index) const {
  if (key) {
    const auto keyLess = [](const KeyEntry& a, const KeyEntry& b) { return KeyLess(a.key, b.key); };
    const auto [from, to] = std::equal_range(inputKeys_.begin(), inputKeys_.end(),
                                             KeyEntry{*key, 0}, keyLess);
    for (auto it = from; it != to; ++it) {
      if (it->index != index) return &inputs_[it->index];
    }
  }
  const uint64_t hash = HashOf(name);
  const auto hashLess = [](const NameEntry& a, const NameEntry& b) { return a.hash < b.hash; };
  const auto [from, to] =
      std::equal_range(inputNames_.begin(), inputNames_.end(), NameEntry{hash, 0}, hashLess);
  for (auto it = from; it != to; ++it) {
    if (it->index != index && Normalised(inputs_[it->index]) == name) return &inputs_[it->index];
  }
  return nullptr;
}

const std::string* OwnFileGuard::WrittenFor(const FileKey& key) const {
  const size_t mask = writtenSlots_.size() - 1;
  for (size_t at = HashOf(key) & mask; writtenSlots_[at] != kFree; at = (at + 1) & mask) {
    if (writtenKeys_[writtenSlots_[at]] == key) return &inputs_[writtenSlots_[at]];
  }
  return nullptr;
}

OwnFileHit OwnFileGuard::Overwrites(size_t index, const std::string& output) const {
  if (output.empty()) return {};  // the conversion refuses it
  const std::optional<FileKey> key = fs_.Identify(output);
  const std::u8string name = Normalised(output);
  if (const std::string* input = OtherInput(key, name, index)) {
    return {OwnFileHit::Kind::kInput, *input};
  }
  const std::string* earlier = key ? WrittenFor(*key) : nullptr;
  if (!earlier) {
    const auto byName = writtenNames_.find(name);
    if (byName != writtenNames_.end()) earlier = &inputs_[byName->second];
  }
  if (earlier) return {OwnFileHit::Kind::kEarlierOutput, *earlier};
  return {};
}

void OwnFileGuard::Wrote(size_t index, const std::string& output) {
  const uint32_t number = static_cast<uint32_t>(index);
  const std::optional<FileKey> key = fs_.Identify(output);
  if (!key) {
    writtenNames_.emplace(Normalised(output), number);
    return;
  }
  if (WrittenFor(*key)) return;  // the first file to write it is the one named
  const size_t mask = writtenSlots_.size() - 1;
  size_t at = HashOf(*key) & mask;
  while (writtenSlots_[at] != kFree) at = (at + 1) & mask;
  writtenKeys_[number] = *key;
  writtenSlots_[at] = number;
}

}  // namespace tessaro
