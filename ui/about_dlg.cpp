// The version numbers, the version text and the about box's logic.
#include "ui/about_dlg.h"

#include "engine/report_text.h"
#include "tessaro_version.h"

namespace tessaro {

FileVersion FileVersionFromBuild() {
  FileVersion version;
  version.major = TESSARO_VERSION_MAJOR;
  version.minor = TESSARO_VERSION_MINOR;
  version.patch = TESSARO_VERSION_PATCH;
  version.tweak = TESSARO_VERSION_TWEAK;
  return version;
}

std::string FormatVersionText(const FileVersion& version) {
  return StringPrintf("Tessaro Version %d.%d%d", version.major, version.minor, version.patch);
}

CAboutDlg::CAboutDlg(const FileVersion& version) : m_strVersion(FormatVersionText(version)) {}

void CAboutDlg::DoModal(WindowSystem& ws) { ws.RunAboutBox(m_strVersion); }

}  // namespace tessaro
