#pragma once
// The version text and the about box.

#include <string>

#include "res/texts.h"
#include "ui/window_system.h"

namespace tessaro {

// The version numbers this program was built with (one CMake variable feeds
// these, the Windows version resource and --version of both programs).
FileVersion FileVersionFromBuild();

// "Tessaro Version %d.%d%d" of major, minor and third part: 0.2.8 gives
// "Tessaro Version 0.28", 1.12.3 gives "Tessaro Version 1.123".
std::string FormatVersionText(const FileVersion& version);

// The about box's second line, below the version text.
inline constexpr const char kAboutNotice[] = TSR_TEXT_ABOUT_NOTICE;

// The about box (template 100): the icon, the version text and the notice.
class CAboutDlg {
 public:
  explicit CAboutDlg(const FileVersion& version);
  // Runs the box modally through the window system.
  void DoModal(WindowSystem& ws);

  std::string m_strVersion;
};

}  // namespace tessaro
