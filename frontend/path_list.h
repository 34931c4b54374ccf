#pragma once
// The paths of a run, kept one after another in one block: a run of many
// files costs the paths' own bytes and one offset each, not a string object
// (32 bytes and often a block of its own) per path.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

class PathList {
 public:
  // The paths are taken over; their vector is gone once the list is made.
  explicit PathList(std::vector<std::string> paths) {
    size_t bytes = 0;
    for (const std::string& path : paths) bytes += path.size();
    text_.reserve(bytes);
    ends_.reserve(paths.size());
    for (std::string& path : paths) {
      text_ += path;
      ends_.push_back(text_.size());
      std::string().swap(path);
    }
  }

  size_t size() const { return ends_.size(); }
  std::string_view operator[](size_t index) const {
    const size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
  }

 private:
  std::string text_;
  std::vector<size_t> ends_;
};

}  // namespace tessaro
