// Reading and opening only regular files, of a bounded size.
#include "ui/regular_file.h"

#include <filesystem>
#include <fstream>

#include "ui/utf8_path.h"

namespace tessaro {

bool IsRegularFileOrMissing(const std::string& path) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(PathFromUtf8(path), ec);
  return status.type() == std::filesystem::file_type::regular ||
         status.type() == std::filesystem::file_type::not_found;
}

bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string* bytes) {
  const std::filesystem::path native = PathFromUtf8(path);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(native, ec)) return false;
  std::ifstream in(native, std::ios::binary);
  if (!in) return false;
  // istream::read turns a failing read into badbit instead of an exception;
  // reading one byte past the limit tells a file that grew too large.
  std::string text;
  char chunk[65536];
  while (text.size() <= maxBytes) {
    in.read(chunk, sizeof chunk);
    text.append(chunk, static_cast<size_t>(in.gcount()));
    if (in.bad()) return false;
    if (in.eof()) break;
  }
  if (text.size() > maxBytes) return false;
  *bytes = std::move(text);
  return true;
}

}  // namespace tessaro
