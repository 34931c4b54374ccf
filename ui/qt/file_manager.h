#pragma once
// "Show the output in its folder" on the desktop: the file manager's window
// with the file selected where a file manager offers that, else the folder.

#include <QString>

namespace tessaro::qt {

// Asks the session's file manager (the freedesktop FileManager1 service on
// the message bus, where Qt was built with its D-Bus module) to show the
// file selected; where none answers, opens the file's folder with the
// desktop's opener. False when neither could be done.
bool ShowInFileManager(const QString& file);

}  // namespace tessaro::qt
