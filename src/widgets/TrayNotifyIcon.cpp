#include "widgets/TrayNotifyIcon.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QWidget>

#include "widgets/SystemTrayArea.h"

namespace tempovia {

CTrayNotifyIcon::CTrayNotifyIcon(std::unique_ptr<TrayArea> area, QObject* parent)
    : QObject(parent), m_area(area ? std::move(area) : std::make_unique<SystemTrayArea>()) {}

CTrayNotifyIcon::~CTrayNotifyIcon() {
  Destroy();
}

bool CTrayNotifyIcon::Create(QWidget* owner, int id, const QString& toolTip, const QIcon& icon) {
  Destroy();
  m_owner = owner;
  m_id = id;
  m_toolTip = toolTip;
  m_icon = icon;
  BuildMenu();
  m_area->SetMouseHandler([this](TrayMouse mouse) { HandleNotification(m_id, mouse); });
  m_created = m_area->Add(icon, toolTip);
  m_hidden = false;
  return m_created;
}

void CTrayNotifyIcon::BuildMenu() {
  m_menu = std::make_unique<QMenu>();
  m_menu->setTitle(QStringLiteral("Tray Popup"));
  const struct {
    int command;
    const char* text;
  } items[] = {{kTrayShowCommand, "Show Tempovia"},
               {kTrayHideCommand, "Hide Tempovia"},
               {0, nullptr},
               {kTrayExitCommand, "Exit"}};
  for (const auto& item : items) {
    if (item.text == nullptr) {
      m_menu->addSeparator();
      continue;
    }
    QAction* action = m_menu->addAction(QString::fromLatin1(item.text));
    action->setData(item.command);
    connect(action, &QAction::triggered, this, [this, command = item.command] { emit Command(command); });
  }
  // Bold from the start, for desktops that show the menu themselves.
  m_menu->setDefaultAction(m_menu->actions().value(0));
}

bool CTrayNotifyIcon::ShowMessage(const QString& title, const QString& text, bool warning) {
  return m_created && !m_hidden && m_area->ShowMessage(title, text, warning);
}

void CTrayNotifyIcon::Hide() {
  if (!m_created || m_hidden) return;
  m_area->Remove();
  m_hidden = true;
}

void CTrayNotifyIcon::Show() {
  if (!m_created || !m_hidden) return;
  m_area->Add(m_icon, m_toolTip);
  m_hidden = false;
}

void CTrayNotifyIcon::Destroy() {
  if (m_created) m_area->Remove();
  m_area->SetMouseHandler(nullptr);
  m_created = false;
  m_hidden = false;
  m_menu.reset();
}

int CTrayNotifyIcon::HandleNotification(int id, TrayMouse mouse) {
  if (id != m_id || !m_menu) return 0;
  QAction* first = m_menu->actions().value(0);
  if (first == nullptr) return 0;
  switch (mouse) {
    case TrayMouse::RightClick:
      m_menu->setDefaultAction(first);
      if (m_owner && m_owner->isVisible()) {
        m_owner->raise();
        m_owner->activateWindow();
      }
      m_menu->popup(QCursor::pos());
      break;
    case TrayMouse::LeftDoubleClick:
      emit Command(first->data().toInt());
      break;
    case TrayMouse::LeftClick:
    case TrayMouse::MiddleClick:
    case TrayMouse::Other:
      break;
  }
  return 1;
}

}  // namespace tempovia
