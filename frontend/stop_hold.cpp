// The hold on stops, the same on every platform.

#include "frontend/stop_hold.h"

#include <atomic>

#include "frontend/interrupts.h"

namespace tessaro {
namespace {

// 0: a stop ends the program at once; -1: a stop waits; above 0: the exit
// status of a stop that is waiting. One lock-free atomic, so that a handler
// on any thread and the program agree without a lock.
std::atomic<int> held{0};
static_assert(std::atomic<int>::is_always_lock_free);

}  // namespace

bool StopWaits(int status) {
  int expected = -1;
  return held.compare_exchange_strong(expected, status) || expected > 0;
}

bool HoldStops() {
  int expected = 0;
  return held.compare_exchange_strong(expected, -1);
}

void ReleaseStops() {
  const int waiting = held.exchange(0);
  if (waiting > 0) StopNow(waiting);
}

}  // namespace tessaro
