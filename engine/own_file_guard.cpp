#include "engine/own_file_guard.h"

#include <filesystem>
#include <system_error>

namespace tessaro {
namespace {

// The path spelled one way: absolute, without "." and ".." parts. Paths are
// UTF-8, whatever the system's code page.
std::u8string Normalised(const std::string& path) {
  const std::filesystem::path given(std::u8string(path.begin(), path.end()));
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(given, error);
  return (error ? given : absolute).lexically_normal().u8string();
}

}  // namespace

bool OwnFileGuard::SameFile(const std::string& a, const std::string& b) const {
  return fs_.SameFile(a, b) || Normalised(a) == Normalised(b);
}

OwnFileHit OwnFileGuard::Overwrites(size_t index, const std::string& output) const {
  if (output.empty()) return {};  // the conversion refuses it
  for (size_t i = 0; i < inputs_.size(); ++i) {
    if (i != index && SameFile(output, inputs_[i])) {
      return {OwnFileHit::Kind::kInput, inputs_[i]};
    }
  }
  for (const Written& w : written_) {
    if (SameFile(output, w.output)) return {OwnFileHit::Kind::kEarlierOutput, inputs_[w.input]};
  }
  return {};
}

void OwnFileGuard::Wrote(size_t index, const std::string& output) {
  written_.push_back({index, output});
}

}  // namespace tessaro
