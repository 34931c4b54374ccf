// The error log's line format and appending a line to the file.
#include "ui/error_log.h"

#include <fstream>

#include "ui/regular_file.h"
#include "ui/utf8_path.h"

namespace tessaro {
namespace {

void RemoveAll(std::string& text, const std::string& what) {
  size_t pos = 0;
  while ((pos = text.find(what, pos)) != std::string::npos) text.erase(pos, what.size());
}

std::string AfterLast(const std::string& text, const char* separators) {
  size_t pos = text.find_last_of(separators);
  return pos == std::string::npos ? text : text.substr(pos + 1);
}

// Control characters (below 0x20, and 0x7F) as \xHH, so that a name holding
// a line break or a tab cannot start a made-up line or field of the log.
std::string VisibleControls(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string LogFileName(const std::string& path) {
  return AfterLast(AfterLast(path, ":"), "\\/");
}

std::string ShortenLogMessage(const std::string& message) {
  std::string text = message;
  RemoveAll(text, "大きく音ズレが発生する可能性があります。");
  RemoveAll(text, "↓");
  RemoveAll(text, "\r\n");
  return text;
}

std::string FormatLogLine(const std::tm& localTime, const std::string& inputPath,
                          const std::string& message) {
  char stamp[80] = {};
  std::strftime(stamp, sizeof stamp, "%Y/%m/%d %H:%M:%S", &localTime);
  return std::string(stamp) + "\t入力ファイル：(" + VisibleControls(LogFileName(inputPath)) + ")\t" +
         ShortenLogMessage(message) + "\r\n";
}

bool AppendLogLine(const std::string& logPath, const std::string& line) {
  if (!IsRegularFileOrMissing(logPath)) return false;  // a folder or a pipe is skipped
  EnsureParentDirectory(logPath);
  std::ofstream out(PathFromUtf8(logPath), std::ios::binary | std::ios::app);
  if (!out) return false;
  out.write(line.data(), static_cast<std::streamsize>(line.size()));
  out.close();
  return !out.fail();
}

}  // namespace tessaro
