#pragma once
// The settings file "TSR.ini": seven key=value lines, no sections, and an
// eighth once the editors' block flavour has been chosen.

#include <cstddef>
#include <string>

#include "engine/file_io.h"

namespace tessaro {

// The persistent part of the dialog's state, with its defaults.
struct SettingsValues {
  int posX = 192;
  int posY = 128;
  int sizeX = 512;
  int sizeY = 144;
  int eTime = 20;        // error window display time, tenths of a second
  std::string inFile;    // last input path, verbatim
  int outputSize = 0;    // 0 "1/1", 1 "1/2"
  bool forEditors = false;  // the editors' block flavour (AAC to WAV)
};

// The number in a settings value: its decimal digits in order, every other
// byte skipped ("12px" -> 12, "1 024" -> 1024, "abc" -> 0). A '-' before the
// first digit makes it negative, so that a window left of the screen origin
// comes back where it was. Saturates at the int range.
int ParseDigits(const std::string& value);

// Applies one line (without its line end) to the values: the key is the text
// before the first '=', matched whole and case-sensitively; unknown keys and
// lines without '=' are ignored.
void ApplySettingsLine(const std::string& line, SettingsValues& values);

// Applies the lines of a settings text. CR, LF and CR LF all end a line; a
// last line without a line end is not applied. A line longer than
// kMaxSettingsLine bytes is ignored whole (it cannot be one the program wrote
// for a real path, and a cut path must never be used).
inline constexpr size_t kMaxSettingsLine = 32768;
void ApplySettingsText(const std::string& text, SettingsValues& values);

// Reads the whole file as it is stored. False when it cannot be read: missing,
// no regular file (a folder, a pipe, a device), larger than kMaxSettingsFile,
// or a read error. The initial values then stand.
inline constexpr size_t kMaxSettingsFile = 1 << 20;
bool ReadSettingsFile(const std::string& path, std::string* storedText);

// The seven lines, PosX, PosY, SizeX, SizeY, ETime, InFile, OutputSize, and
// ForEditors=1 after them when the editors' flavour is chosen (without it the
// file is the one every earlier version wrote and reads), each ended by
// kSettingsLineEnd: CR LF on Windows (as a text-mode file there),
// LF elsewhere. Readers accept either.
#ifdef _WIN32
inline constexpr const char kSettingsLineEnd[] = "\r\n";
#else
inline constexpr const char kSettingsLineEnd[] = "\n";
#endif
std::string FormatSettings(const SettingsValues& values);

// Writes the file, replacing it; creates its directory when missing. The new
// text is written beside the file and put in its place only once it is
// whole, so a full disk or a crash leaves the earlier settings. False when it
// cannot be written, also when the path is a folder, a pipe or a device;
// *reason (when given) then takes the system's reason, "" where it gives none.
bool WriteSettingsFile(const std::string& path, const std::string& storedText,
                       FileSystem& fs = RealFileSystem(), std::string* reason = nullptr);

}  // namespace tessaro
