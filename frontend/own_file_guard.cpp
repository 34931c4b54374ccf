// The guard of a run's own files, in sorted arrays of hashes and one table
// of numbers.
#include "frontend/own_file_guard.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <optional>
#include <system_error>

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

}  // namespace

OwnFileGuard::Entry OwnFileGuard::EntryOf(uint64_t hash, size_t index) {
  return {static_cast<uint32_t>(hash >> 32), static_cast<uint32_t>(hash),
          static_cast<uint32_t>(index)};
}

OwnFileGuard::OwnFileGuard(const PathList& inputs, FileSystem& fs) : inputs_(inputs), fs_(fs) {
  std::error_code error;
  workingFolder_ = std::filesystem::current_path(error);
  inputKeys_.reserve(inputs_.size());
  for (size_t i = 0; i < inputs_.size(); ++i) {
    const std::string input(inputs_[i]);
    if (const std::optional<FileKey> key = fs_.Identify(input)) {
      inputKeys_.push_back(EntryOf(HashOf(*key), i));
    } else {
      inputNames_.push_back(EntryOf(HashOf(Normalised(input)), i));
    }
  }
  inputKeys_.shrink_to_fit();
  // Sorted, the inputs under one hash keep the order given.
  std::stable_sort(inputKeys_.begin(), inputKeys_.end(), HashLess);
  std::stable_sort(inputNames_.begin(), inputNames_.end(), HashLess);
  writtenKeys_.resize(inputs_.size());
  writtenSlots_.assign(std::bit_ceil(std::max<size_t>(2 * inputs_.size(), 2)), kFree);
}

// The path spelled one way: absolute, without "." and ".." parts. Paths are
// UTF-8, whatever the system's code page.
std::u8string OwnFileGuard::Normalised(std::string_view path) const {
  const std::filesystem::path given(std::u8string(path.begin(), path.end()));
  const std::filesystem::path absolute = workingFolder_.empty() ? given : workingFolder_ / given;
  return absolute.lexically_normal().u8string();
}

std::optional<size_t> OwnFileGuard::OtherInput(const std::optional<FileKey>& key,
                                               const std::u8string& name, size_t index) const {
  // The inputs under hash, other than index, that same says are the one.
  const auto find = [index](const std::vector<Entry>& entries, uint64_t hash,
                            const auto& same) -> std::optional<size_t> {
    const auto [from, to] =
        std::equal_range(entries.begin(), entries.end(), EntryOf(hash, 0), HashLess);
    for (auto it = from; it != to; ++it) {
      if (it->index != index && same(it->index)) return it->index;
    }
    return std::nullopt;
  };
  if (key) {
    const std::optional<size_t> input = find(inputKeys_, HashOf(*key), [&](size_t i) {
      return fs_.Identify(std::string(inputs_[i])) == key;
    });
    if (input) return input;
  }
  return find(inputNames_, HashOf(name), [&](size_t i) { return Normalised(inputs_[i]) == name; });
}

std::optional<size_t> OwnFileGuard::WrittenFor(const FileKey& key) const {
  const size_t mask = writtenSlots_.size() - 1;
  for (size_t at = static_cast<size_t>(HashOf(key)) & mask; writtenSlots_[at] != kFree;
       at = (at + 1) & mask) {
    if (writtenKeys_[writtenSlots_[at]] == key) return writtenSlots_[at];
  }
  return std::nullopt;
}

OwnFileHit OwnFileGuard::Overwrites(size_t index, const std::string& output) const {
  if (output.empty()) return {};  // the conversion refuses it
  const std::optional<FileKey> key = fs_.Identify(output);
  const std::u8string name = Normalised(output);
  if (const std::optional<size_t> input = OtherInput(key, name, index)) {
    return {OwnFileHit::Kind::kInput, std::string(inputs_[*input])};
  }
  std::optional<size_t> earlier = key ? WrittenFor(*key) : std::nullopt;
  if (!earlier) {
    const auto byName = writtenNames_.find(name);
    if (byName != writtenNames_.end()) earlier = byName->second;
  }
  if (earlier) return {OwnFileHit::Kind::kEarlierOutput, std::string(inputs_[*earlier])};
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
  size_t at = static_cast<size_t>(HashOf(*key)) & mask;
  while (writtenSlots_[at] != kFree) at = (at + 1) & mask;
  writtenKeys_[number] = *key;
  writtenSlots_[at] = number;
}

}  // namespace tessaro
