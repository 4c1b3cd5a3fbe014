#include "app/WindowPlace.h"

#include <QMetaObject>
#include <QWidget>

#include "skin/WindowCommands.h"
#include "widgets/Artwork.h"
#include "widgets/TrayNotifyIcon.h"

namespace tempovia {

bool CreateWindowTray(CTrayNotifyIcon& tray, QWidget& window) {
  return tray.Create(&window, kTrayMenuId, QStringLiteral("Double click to activate Tempovia"), AppIcon());
}

void HideWindow(QWidget& window) {
  if (!(window.windowState() & Qt::WindowMinimized)) {
    window.hide();
    return;
  }
  QMetaObject::invokeMethod(
      &window,
      [&window] {
        // Brought forward meanwhile (the watch came back first): it stays.
        if (!(window.windowState() & Qt::WindowMinimized)) return;
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.hide();
      },
      Qt::QueuedConnection);
}

void BringWindowForward(QWidget& window) {
  window.showNormal();
  window.raise();
  window.activateWindow();
}

}  // namespace tempovia
