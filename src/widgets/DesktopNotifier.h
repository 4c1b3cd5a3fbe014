#pragma once
// A word on the desktop while the program is out of sight: the tray icon's
// balloon where the icon sits in an area that shows them, otherwise the
// freedesktop notification service on the session bus, where one runs.
// Nothing waits for the desktop to answer.

#include <QDBusConnection>
#include <QString>

namespace tempovia {

class CTrayNotifyIcon;

class DesktopNotifier {
 public:
  explicit DesktopNotifier(QDBusConnection bus = QDBusConnection::sessionBus());

  // False when neither way is there; tray may be null.
  bool Notify(CTrayNotifyIcon* tray, const QString& title, const QString& body, bool warning);

 private:
  bool NotifyService(const QString& title, const QString& body, bool warning);

  QDBusConnection m_bus;
};

}  // namespace tempovia
