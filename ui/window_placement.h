#pragma once
// Where the main window goes: its saved (or default) rectangle, moved onto
// the nearest visible screen so that it can always be reached.

#include <vector>

#include "ui/window_system.h"

namespace tessaro {

// The window's outer rectangle moved onto one of the screens' work areas:
// the one it overlaps most, else the one nearest to it. A window larger than
// that screen is shrunk to it (the position then is the screen's corner); a
// window wholly on it stays as it is. Without screens (a window system that
// cannot tell) the rectangle stays as it is.
WinRect PlaceOnScreens(const WinRect& window, const std::vector<WinRect>& screens);

}  // namespace tessaro
