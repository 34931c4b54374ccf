#pragma once
// The hold that the platforms' stop handlers share (see HoldStops in
// frontend/interrupts.h): while it is set, a stop waits for ReleaseStops.

namespace tessaro {

// Called by a platform's handler with the exit status of a stop: true when
// the stop waits (the hold keeps the first status), false when it is to take
// effect now. Lock-free, so a signal handler may call it.
bool StopWaits(int status);

// Each platform's own: removes the new file, writes the stop line and ends
// the process with status.
[[noreturn]] void StopNow(int status);

}  // namespace tessaro
