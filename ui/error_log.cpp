// The error log's line format and appending a line to the file.
#include "ui/error_log.h"

#include <fstream>

#include "ui/dialog_texts.h"

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

std::string ShortenLogMessage(const std::string& message, Language language) {
  std::string text = message;
  RemoveAll(text, DialogTextsFor(language).logDroppedSentence.c_str());
  if (language == Language::kJapanese) {
    RemoveAll(text, "↓");
    RemoveAll(text, "\r\n");
    return text;
  }
  // English sentences need a blank between them where the lines broke.
  std::string joined;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const size_t first = text.find_first_not_of(' ', start);
    if (first < end) {
      const size_t last = text.find_last_not_of(' ', end - 1);
      if (!joined.empty()) joined += ' ';
      joined.append(text, first, last + 1 - first);
    }
    start = end + 2;
  }
  return joined;
}

std::string FormatLogLine(const std::tm& localTime, const std::string& inputPath,
                          const std::string& message, Language language) {
  char stamp[80] = {};
  std::strftime(stamp, sizeof stamp, "%Y/%m/%d %H:%M:%S", &localTime);
  return std::string(stamp) + "\t" + DialogTextsFor(language).logInputFileOpen.c_str() +
         VisibleControls(LogFileName(inputPath)) + ")\t" + ShortenLogMessage(message, language) +
         "\r\n";
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
