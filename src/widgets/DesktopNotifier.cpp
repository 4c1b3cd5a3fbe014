#include "widgets/DesktopNotifier.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

#include "widgets/TrayNotifyIcon.h"

namespace tempovia {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");

}  // namespace

DesktopNotifier::DesktopNotifier(QDBusConnection bus) : m_bus(std::move(bus)) {}

bool DesktopNotifier::Notify(CTrayNotifyIcon* tray, const QString& title, const QString& body, bool warning) {
  if (tray != nullptr && tray->ShowMessage(title, body, warning)) return true;
  return NotifyService(title, body, warning);
}

bool DesktopNotifier::NotifyService(const QString& title, const QString& body, bool warning) {
  if (!m_bus.isConnected()) return false;
  QDBusConnectionInterface* bus = m_bus.interface();
  if (bus == nullptr) return false;
  // A notification daemon is often started by the bus on the first call.
  if (!bus->isServiceRegistered(kService).value() && !bus->activatableServiceNames().value().contains(kService))
    return false;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/Notifications"),
                                                     kService, QStringLiteral("Notify"));
  const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue<uchar>(warning ? 2 : 1)},
                          {QStringLiteral("desktop-entry"), QStringLiteral("com.norvane.Tempovia")}};
  call << QStringLiteral("Tempovia") << 0u << QStringLiteral("com.norvane.Tempovia") << title << body << QStringList()
       << hints << -1;
  return m_bus.send(call);
}

}  // namespace tempovia
