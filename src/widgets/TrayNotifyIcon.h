#pragma once
// The program's icon in the notification area. A right click shows the menu
// ("Show Tempovia" in bold as the default, "Hide Tempovia", "Exit"); a double
// click sends the default command; a single click does nothing. Commands go
// to the owner through the Command signal.
//
// Create fails where the desktop has no notification area. The windows then
// tell the user and must never hide themselves where nothing can bring them
// back: they ask IsCreated() before hiding.

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "skin/WindowCommands.h"
#include "widgets/TrayArea.h"

class QMenu;
class QWidget;

namespace tempovia {

class CTrayNotifyIcon : public QObject {
  Q_OBJECT

 public:
  // Without an area the desktop's own notification area is used.
  explicit CTrayNotifyIcon(std::unique_ptr<TrayArea> area = nullptr, QObject* parent = nullptr);
  ~CTrayNotifyIcon() override;

  // Adds the icon for the owner window. False (and no icon) where the desktop
  // has no notification area.
  bool Create(QWidget* owner, int id, const QString& toolTip, const QIcon& icon);
  bool IsCreated() const { return m_created; }
  bool IsHidden() const { return m_hidden; }
  // A balloon message from the icon; false when there is no icon to show it
  // or the area shows none.
  bool ShowMessage(const QString& title, const QString& text, bool warning);

  // Takes the icon out of the area and puts it back (the owner window's own
  // hiding and showing never does this).
  void Hide();
  void Show();
  // Removes the icon; the object can be created again.
  void Destroy();

  // A mouse event on the icon; 1 when it was for this icon, else 0.
  int HandleNotification(int id, TrayMouse mouse);

  // The pop-up menu (null before Create).
  QMenu* Menu() const { return m_menu.get(); }

 signals:
  void Command(int command);

 private:
  void BuildMenu();

  std::unique_ptr<TrayArea> m_area;
  std::unique_ptr<QMenu> m_menu;
  QPointer<QWidget> m_owner;
  QIcon m_icon;
  QString m_toolTip;
  int m_id = 0;
  bool m_created = false;
  bool m_hidden = false;
};

}  // namespace tempovia
