#pragma once
// The desktop's notification area as the tray icon sees it: a place to add an
// icon to and a source of mouse events on it. SystemTrayArea is the real one;
// tests drive CTrayNotifyIcon through a stand-in.

#include <QIcon>
#include <QString>
#include <functional>

namespace tempovia {

enum class TrayMouse { LeftClick, LeftDoubleClick, RightClick, MiddleClick, Other };

class TrayArea {
 public:
  virtual ~TrayArea() = default;
  // Puts the icon into the area; false when the desktop has none.
  virtual bool Add(const QIcon& icon, const QString& toolTip) = 0;
  virtual void Remove() = 0;
  // Mouse events on the icon go to the handler until it is replaced.
  virtual void SetMouseHandler(std::function<void(TrayMouse)> handler) = 0;
  // A balloon message from the icon; false where the area shows none.
  virtual bool ShowMessage(const QString& /*title*/, const QString& /*text*/, bool /*warning*/) { return false; }
};

}  // namespace tempovia
