#include "widgets/SystemTrayArea.h"

#include <QSystemTrayIcon>

namespace tempovia {
namespace {

TrayMouse FromReason(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      return TrayMouse::LeftClick;
    case QSystemTrayIcon::DoubleClick:
      return TrayMouse::LeftDoubleClick;
    case QSystemTrayIcon::Context:
      return TrayMouse::RightClick;
    case QSystemTrayIcon::MiddleClick:
      return TrayMouse::MiddleClick;
    case QSystemTrayIcon::Unknown:
      break;
  }
  return TrayMouse::Other;
}

}  // namespace

SystemTrayArea::SystemTrayArea() = default;

SystemTrayArea::~SystemTrayArea() {
  Remove();
}

bool SystemTrayArea::Add(const QIcon& icon, const QString& toolTip) {
  // Without a tray host (many plain desktops, every offscreen run) the icon
  // would silently show nowhere; say so, so the windows never hide for good.
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
  if (!m_icon) {
    m_icon = std::make_unique<QSystemTrayIcon>();
    QObject::connect(m_icon.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
      if (m_handler) m_handler(FromReason(reason));
    });
  }
  m_icon->setIcon(icon);
  m_icon->setToolTip(toolTip);
  m_icon->show();
  return m_icon->isVisible();
}

void SystemTrayArea::Remove() {
  if (m_icon) m_icon->hide();
}

void SystemTrayArea::SetMouseHandler(std::function<void(TrayMouse)> handler) {
  m_handler = std::move(handler);
}

bool SystemTrayArea::ShowMessage(const QString& title, const QString& text, bool warning) {
  if (!m_icon || !m_icon->isVisible() || !QSystemTrayIcon::supportsMessages()) return false;
  m_icon->showMessage(title, text, warning ? QSystemTrayIcon::Warning : QSystemTrayIcon::Information);
  return true;
}

}  // namespace tempovia
