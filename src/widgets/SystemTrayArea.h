#pragma once
// The desktop's notification area through QSystemTrayIcon (which also puts
// the icon back by itself when the panel restarts).

#include <memory>

#include "widgets/TrayArea.h"

class QSystemTrayIcon;

namespace tempovia {

class SystemTrayArea final : public TrayArea {
 public:
  SystemTrayArea();
  ~SystemTrayArea() override;

  bool Add(const QIcon& icon, const QString& toolTip) override;
  void Remove() override;
  void SetMouseHandler(std::function<void(TrayMouse)> handler) override;
  bool ShowMessage(const QString& title, const QString& text, bool warning) override;

 private:
  std::unique_ptr<QSystemTrayIcon> m_icon;
  std::function<void(TrayMouse)> m_handler;
};

}  // namespace tempovia
