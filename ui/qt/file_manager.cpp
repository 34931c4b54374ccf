// The file manager at a file. The message-bus call waits for its answer
// without dispatching any event: nothing of the windows can change meanwhile.
#include "ui/qt/file_manager.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

#if TESSARO_QT_DBUS
#include <QDBusConnection>
#include <QDBusMessage>
#endif

namespace tessaro::qt {
namespace {

#if TESSARO_QT_DBUS
// Long enough for a file manager that the bus starts on demand.
constexpr int kAnswerWithinMs = 5000;

bool SelectWithFileManager(const QString& file) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  QDBusMessage call = QDBusMessage::createMethodCall(
      "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
      "org.freedesktop.FileManager1", "ShowItems");
  // The items as URIs, and no start-up notification id.
  call << QStringList{QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded)} << QString();
  return bus.call(call, QDBus::Block, kAnswerWithinMs).type() == QDBusMessage::ReplyMessage;
}
#else
bool SelectWithFileManager(const QString&) { return false; }
#endif

}  // namespace

bool ShowInFileManager(const QString& file) {
  const QFileInfo info(file);
  if (SelectWithFileManager(info.absoluteFilePath())) return true;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absolutePath()));
}

}  // namespace tessaro::qt
