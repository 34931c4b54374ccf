#pragma once
// One JSON object per file, on one line, for scripts; after several files a
// summary object. Schema 1: the field list in tessaro-cli(1) and the README
// is a contract, fields are only ever added.

#include <cstdint>
#include <string>

#include "engine/conversion_request.h"
#include "engine/conversion_result.h"
#include "engine/failure.h"

namespace tessaro::cli {

struct FileReport {
  bool check = false;  // --check: nothing was written, there is no output
  ConversionRequest request;
  ConversionResult result;
  std::string message;  // the info text of a failed run: its error message
  // What the text forms write to standard error for the file (the damage
  // report, the warning about a WAV without frames); "" for none.
  std::string warning{};
};

// The object as one line ending in "\n". Texts that are not valid UTF-8
// (paths on POSIX systems) are written with U+FFFD in place of each invalid
// sequence, and their exact bytes follow in hexadecimal in a field of their own.
std::string JsonReportLine(const FileReport& report);

// The schema number written first in every object.
inline constexpr int kJsonSchema = 1;

struct RunSummary {
  bool check = false;  // --check, else --batch
  int files = 0;       // done: ok + damaged + failed
  int ok = 0;
  int damaged = 0;
  int failed = 0;
  int exitStatus = 0;
  // Written for a stop: status "stopped", the exit status the stop's.
  bool stopped = false;
};

// The last line of --batch --json and --check --json.
std::string JsonSummaryLine(const RunSummary& summary);

// The one object of a usage error under --json: "kind":"usage", its
// errorCode, the message (null when the usage lines say it all), exitStatus 2.
std::string JsonUsageLine(Failure usage, const std::string& message);

// The object of a file that a stop ends before its own is written: status
// "stopped", errorCode "stopped"; the figures a stop cuts short are null,
// and inputSize is the mark a stop writes as the input's size once it was
// opened (else null). Here and in a stopped summary, the exit status is the
// mark a stop writes as its own (frontend/stop_scope.h).
std::string JsonStoppedLine(const FileReport& report);

// The stable name of what went wrong in a run, or nullptr for a clean one:
// the failure's code, else the warning's ("stream_damaged",
// "no_frame_found", "checksum_mismatch").
const char* RunErrorCode(const ConversionResult& result);

}  // namespace tessaro::cli
