// Reading, formatting and writing the settings file "TSR.ini".
#include "ui/settings_file.h"

#include <climits>
#include <cstdint>
#include <memory>

#include "engine/write_aside.h"
#include "ui/regular_file.h"
#include "ui/utf8_path.h"

namespace tessaro {

int ParseDigits(const std::string& value) {
  long long result = 0;
  bool negative = false;
  bool seenDigit = false;
  for (char c : value) {
    if (c >= '0' && c <= '9') {
      seenDigit = true;
      if (result <= INT_MAX) result = result * 10 + (c - '0');
    } else if (c == '-' && !seenDigit) {
      negative = true;
    }
  }
  if (negative) result = -result;
  if (result > INT_MAX) return INT_MAX;
  if (result < INT_MIN) return INT_MIN;
  return static_cast<int>(result);
}

void ApplySettingsLine(const std::string& line, SettingsValues& values) {
  size_t eq = line.find('=');
  if (eq == std::string::npos) return;
  const std::string key = line.substr(0, eq);
  const std::string value = line.substr(eq + 1);
  if (key == "PosX") {
    values.posX = ParseDigits(value);
  } else if (key == "PosY") {
    values.posY = ParseDigits(value);
  } else if (key == "SizeX") {
    values.sizeX = ParseDigits(value);
  } else if (key == "SizeY") {
    values.sizeY = ParseDigits(value);
  } else if (key == "ETime") {
    values.eTime = ParseDigits(value);
  } else if (key == "InFile") {
    values.inFile = value;
  } else if (key == "OutputSize") {
    values.outputSize = ParseDigits(value) != 0 ? 1 : 0;
  } else if (key == "ForEditors") {
    values.forEditors = ParseDigits(value) != 0;
  }
}

void ApplySettingsText(const std::string& text, SettingsValues& values) {
  std::string line;
  bool overlong = false;
  for (char c : text) {
    if (c == '\n' || c == '\r') {
      if (!overlong) ApplySettingsLine(line, values);
      line.clear();
      overlong = false;
    } else if (line.size() < kMaxSettingsLine) {
      line.push_back(c);
    } else {
      overlong = true;
    }
  }
}

bool ReadSettingsFile(const std::string& path, std::string* storedText) {
  return ReadRegularFile(path, kMaxSettingsFile, storedText);
}

std::string FormatSettings(const SettingsValues& values) {
  const std::string end = kSettingsLineEnd;
  return "PosX=" + std::to_string(values.posX) + end +
         "PosY=" + std::to_string(values.posY) + end +
         "SizeX=" + std::to_string(values.sizeX) + end +
         "SizeY=" + std::to_string(values.sizeY) + end +
         "ETime=" + std::to_string(values.eTime) + end +
         "InFile=" + values.inFile + end +
         "OutputSize=" + std::to_string(values.outputSize) + end +
         (values.forEditors ? "ForEditors=1" + end : std::string());
}

bool WriteSettingsFile(const std::string& path, const std::string& storedText,
                       FileSystem& fs, std::string* reason) {
  if (reason != nullptr) reason->clear();
  EnsureParentDirectory(path);
  // A link keeps pointing at the settings: its target is what is replaced.
  DestinationRefusal refusal = DestinationRefusal::kNone;
  std::unique_ptr<Destination> destination = fs.Resolve(path, &refusal);
  if (!destination) {
    if (reason != nullptr) *reason = fs.LastErrorText();
    return false;
  }
  // A folder, a pipe or a device is never written to, nor another user's
  // file in a shared folder.
  if (destination->info().kind == PathInfo::Kind::kOther ||
      destination->info().othersInSharedFolder) {
    return false;
  }
  std::unique_ptr<WriteAside> aside = WriteAside::Create(fs, *destination);
  const bool written =
      aside &&
      aside->file().Write(reinterpret_cast<const uint8_t*>(storedText.data()), storedText.size()) &&
      aside->Commit(true);
  if (!written && reason != nullptr) *reason = fs.LastErrorText();
  return written;
}

}  // namespace tessaro
