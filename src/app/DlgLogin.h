#pragma once
// The login window: one local user at a time, picked with the arrows, logged
// in with the password; new users are made and users deleted here. A view of
// LoginPresenter: it forwards clicks, keys and tray commands there and shows
// what it is told. Ends with 1 after a login, 2 when the program is to end
// (Escape, the tray's Exit).

#include <QDialog>
#include <QPoint>
#include <array>
#include <memory>
#include <optional>

#include "app/ModalLoop.h"
#include "skin/SkinLayout.h"
#include "skin/WindowCommands.h"
#include "widgets/SkinDrag.h"
#include "widgets/TrayArea.h"
#include "workspace/LoginPresenter.h"

class QLineEdit;

namespace tempovia {

class AppContext;
class CExStatic;
class CHitAreaButton;
class CLabel;
class CTrayNotifyIcon;

class CDlgLogin : public QDialog, public LoginView {
  Q_OBJECT

 public:
  explicit CDlgLogin(AppContext& app, std::unique_ptr<TrayArea> trayArea = nullptr, QWidget* parent = nullptr);
  ~CDlgLogin() override;

  void SetStartInTray(bool startInTray) { m_startInTray = startInTray; }
  bool IsLoggedIn() const { return m_presenter.IsLoggedIn(); }

  // Everything the window does when it opens; exec() runs it.
  void Start();
  // Runs until the window ends (a login, Escape, Exit), also while it is
  // hidden in the notification area.
  int exec() override;
  void done(int result) override;

  // The areas' actions, as a click (or their key) runs them.
  void RunArea(int area);

  CLabel& NameLabel() const { return *m_name; }
  QLineEdit& PasswordBox() const { return *m_password; }
  CLabel& VersionLabel() const { return *m_version; }
  CTrayNotifyIcon& Tray() const { return *m_tray; }
  CHitAreaButton& AreaButton(int area) const { return *m_buttons[static_cast<std::size_t>(area)]; }
  bool Dragging() const { return m_drag.Dragging(); }

  // LoginView
  void ShowUserName(const std::string& text) override;
  void ClearPassword() override;
  void FocusPassword() override;
  bool IsHidden() const override { return isHidden(); }
  void BringForward() override;
  void Hide() override;
  void Minimise() override { showMinimized(); }
  void StartHidden(bool hide) override;
  void End(int result) override { done(result); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void reject() override;

 private:
  AppContext& m_app;
  bool m_startInTray = false;
  bool m_started = false;
  SkinDrag m_drag;
  ModalLoop m_modal;

  CExStatic* m_background = nullptr;  // children
  CLabel* m_name = nullptr;
  CLabel* m_version = nullptr;
  QLineEdit* m_password = nullptr;
  std::array<CHitAreaButton*, kLoginAreaCount> m_buttons{};
  std::unique_ptr<CTrayNotifyIcon> m_tray;
  LoginPresenter m_presenter;
};

}  // namespace tempovia
