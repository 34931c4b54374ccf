#pragma once
// What the stop scope (frontend/stop_scope.h) and the platforms' stop
// handlers (frontend/interrupts_*.cpp) share: the hold on stops, and what a
// stop writes to standard output. Nothing else calls these.

#include <cstdint>
#include <optional>
#include <string>

namespace tessaro {

// ---- The handlers' side.

// Called by a platform's handler with the exit status of a stop: true when
// the stop waits (a hold is in effect; the first stop's status is kept),
// false when it is to take effect now. Lock-free, so a signal handler may
// call it.
bool StopWaits(int status);

// Each platform's own: removes the new file, writes the stop line and the
// stop report, and ends the process with status. Only the first caller gets
// that far; any other, on any thread, waits for the end.
[[noreturn]] void StopNow(int status);

// ---- The stop scope's side.

// Holds nest: a stop waits until every hold is released, and the release of
// the last lets a stop that waited take effect (StopNow) there and then.
void HoldStops();
void ReleaseStops();

// What a stop writes to standard output after its line on standard error,
// until replaced; empty: nothing. A text too long to keep is dropped. The
// marks of frontend/stop_scope.h in it are written as the stop's exit status
// and as the input size of SetStoppedInputSize.
void SetStopReport(const std::string& text);
// The number kStopInputSizeMark stands for; nullopt: "null".
void SetStoppedInputSize(std::optional<uint64_t> size);

}  // namespace tessaro
