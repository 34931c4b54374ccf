#pragma once
// The error log "TSR_ErrorLog.txt": one line per logged error report.

#include <ctime>
#include <string>

#include "engine/language.h"

namespace tessaro {

// The file name of a path for the log line: everything up to the last ':'
// and then up to the last '\' is dropped; '/' separates directories too.
// In UTF-8 these bytes never occur inside a multi-byte character.
std::string LogFileName(const std::string& path);

// The message as logged, on one line: in Japanese without
// "大きく音ズレが発生する可能性があります。", without "↓" and without "\r\n";
// in English without "The audio may be badly out of sync." and with its lines,
// trimmed, joined by one blank.
std::string ShortenLogMessage(const std::string& message, Language language);

// "YYYY/MM/DD HH:MM:SS\t入力ファイル：(name)\tmessage\r\n" ("Input file: (" in
// English). Control characters of the name (below 0x20, and 0x7F) are written
// as \xHH: one entry, one line.
std::string FormatLogLine(const std::tm& localTime, const std::string& inputPath,
                          const std::string& message, Language language);

// Appends the line at the end of the file, creating the file (and its
// directory) when missing. False when it cannot be written, also when the
// path is a folder, a pipe or a device (never opened, so never waited on);
// callers drop the line silently.
bool AppendLogLine(const std::string& logPath, const std::string& line);

}  // namespace tessaro
