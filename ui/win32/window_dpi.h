#pragma once
// The DPI of a window, and the conversion between the dialog logic's pixels
// and the window's own. The dialog logic lays out in pixels of a 96-dpi
// screen; on a screen of more dots per inch every size grows with it, fonts
// included, so that each text keeps the room it has at 96 dpi.

#include <windows.h>

namespace tessaro {

inline constexpr int kLayoutDpi = 96;

// The window's DPI: GetDpiForWindow where Windows has it (10, version 1607
// on; looked up at run time), else the screen's.
int WindowDpi(HWND window);

// Layout pixels to the pixels of a window at dpi, and back, rounded.
inline int ToDevice(int layout, int dpi) { return MulDiv(layout, dpi, kLayoutDpi); }
inline int ToLayout(int device, int dpi) { return MulDiv(device, kLayoutDpi, dpi); }

// Tells the dialog manager (Windows 10, version 1703 on) to leave a DPI
// change of this dialog to the program, which lays it out itself.
void TakeOverDpiChanges(HWND dialog);

// Moves and sizes every child of the dialog from fromDpi to toDpi, and gives
// the dialog and every child the font face at toDpi (face: the dialog's font
// as made at faceDpi). Returns the new font, which the caller deletes after
// the dialog, or nullptr when it cannot be made.
HFONT RescaleDialog(HWND dialog, int fromDpi, int toDpi, const LOGFONTW& face, int faceDpi);

}  // namespace tessaro
