// The main window moved onto the nearest visible screen.
#include "ui/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace tessaro {
namespace {

int64_t Overlap(const WinRect& a, const WinRect& b) {
  const int64_t w = std::max(0, std::min(a.right, b.right) - std::max(a.left, b.left));
  const int64_t h = std::max(0, std::min(a.bottom, b.bottom) - std::max(a.top, b.top));
  return w * h;
}

// Squared distance between the two rectangles (0 when they touch or overlap).
int64_t Distance(const WinRect& a, const WinRect& b) {
  const int64_t dx = std::max({0, b.left - a.right, a.left - b.right});
  const int64_t dy = std::max({0, b.top - a.bottom, a.top - b.bottom});
  return dx * dx + dy * dy;
}

}  // namespace

WinRect PlaceOnScreens(const WinRect& window, const std::vector<WinRect>& screens) {
  const WinRect* best = nullptr;
  for (const WinRect& screen : screens) {
    if (screen.Width() <= 0 || screen.Height() <= 0) continue;
    if (best == nullptr) {
      best = &screen;
      continue;
    }
    const int64_t overlap = Overlap(window, screen);
    const int64_t bestOverlap = Overlap(window, *best);
    if (overlap > bestOverlap ||
        (overlap == bestOverlap && bestOverlap == 0 &&
         Distance(window, screen) < Distance(window, *best))) {
      best = &screen;
    }
  }
  if (best == nullptr) return window;
  const int width = std::min(window.Width(), best->Width());
  const int height = std::min(window.Height(), best->Height());
  const int left = std::clamp(window.left, best->left, best->right - width);
  const int top = std::clamp(window.top, best->top, best->bottom - height);
  return {left, top, left + width, top + height};
}

}  // namespace tessaro
