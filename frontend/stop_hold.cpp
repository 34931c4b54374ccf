// The hold on stops, the same on every platform.

#include "frontend/stop_hold.h"

#include <atomic>
#include <cstdint>

namespace tessaro {
namespace {

// The holds in effect in the low 16 bits; above them the exit status of a
// stop that waits (0: none). One lock-free atomic, so that a handler on any
// thread and the program agree without a lock.
std::atomic<uint32_t> state{0};
static_assert(std::atomic<uint32_t>::is_always_lock_free);
constexpr uint32_t kHoldBits = 0xFFFF;
constexpr int kStatusShift = 16;

}  // namespace

bool StopWaits(int status) {
  uint32_t now = state.load();
  for (;;) {
    if ((now & kHoldBits) == 0) return false;
    if ((now >> kStatusShift) != 0) return true;
    const uint32_t waiting = now | static_cast<uint32_t>(status) << kStatusShift;
    if (state.compare_exchange_weak(now, waiting)) return true;
  }
}

void HoldStops() { state.fetch_add(1); }

void ReleaseStops() {
  const uint32_t before = state.fetch_sub(1);
  const int waiting = static_cast<int>(before >> kStatusShift);
  if ((before & kHoldBits) == 1 && waiting != 0) StopNow(waiting);
}

}  // namespace tessaro
