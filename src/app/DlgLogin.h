#pragma once
// The login window: one local user at a time, picked with the arrows, logged
// in with the password; new users are made and users deleted here. It works
// on the main window's user database, whose current record is the shown
// user and, after a login, the logged-in one. Ends with 1 after a login, 2
// when the program is to end (Escape, the tray's Exit).

#include <QDialog>
#include <QPoint>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "DeviceChange.h"
#include "ModalLoop.h"
#include "SkinLayout.h"
#include "TrayArea.h"
#include "TrekmoObserver.h"

class QLineEdit;

namespace tempovia {

class CDlgMain;
class CExStatic;
class CHitAreaButton;
class CLabel;
class CTrayNotifyIcon;

class CDlgLogin : public QDialog, public TrekmoObserver {
  Q_OBJECT

 public:
  static constexpr int kLoggedInResult = 1;
  static constexpr int kCancelResult = 2;

  explicit CDlgLogin(std::unique_ptr<TrayArea> trayArea = nullptr, QWidget* parent = nullptr);
  ~CDlgLogin() override;

  void SetMainWindow(CDlgMain* main) { m_main = main; }
  void SetStartInTray(bool startInTray) { m_startInTray = startInTray; }
  bool IsLoggedIn() const { return m_loggedIn; }

  // Everything the window does when it opens; exec() runs it.
  void Start();
  // Runs until the window ends (a login, Escape, Exit), also while it is
  // hidden in the notification area.
  int exec() override;
  void done(int result) override;

  // The areas' actions, as a click (or their key) runs them.
  void RunArea(int area);
  void LogIn();
  // The watch came or went: a driver is made or let go; nobody is logged out.
  void OnDeviceChange(const DeviceChange& change);

  // The editor in create mode and the password check, replaceable by tests.
  std::function<bool()> runNewUser;
  // The typed password, or nothing when cancelled.
  std::function<std::optional<QString>()> askPassword;

  CLabel& NameLabel() const { return *m_name; }
  QLineEdit& PasswordBox() const { return *m_password; }
  CLabel& VersionLabel() const { return *m_version; }
  CTrayNotifyIcon& Tray() const { return *m_tray; }
  CHitAreaButton& AreaButton(int area) const { return *m_buttons[static_cast<std::size_t>(area)]; }
  bool Dragging() const { return m_dragOrigin.has_value(); }

  // TrekmoObserver
  void OnReconnected() override;
  void OnDisconnected() override;
  void OnProgress(int) override {}

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void reject() override;

 private:
  void ShowName();
  void FocusPassword();
  // The user database open, tried again when it is not; false after telling
  // why when told is set.
  bool UsersOpen(bool tell);
  // Shown, in front and with the keyboard (the watch was plugged in).
  void BringForward();
  void Refused(const QString& text, bool information);
  void NextUser();
  void PreviousUser();
  void NewUser();
  void DeleteUser();
  void HideToTray();
  void OnTrayCommand(int command);

  CDlgMain* m_main = nullptr;
  bool m_loggedIn = false;
  bool m_startInTray = false;
  bool m_started = false;
  std::optional<QPoint> m_dragOrigin;
  ModalLoop m_modal;

  CExStatic* m_background = nullptr;  // children
  CLabel* m_name = nullptr;
  CLabel* m_version = nullptr;
  QLineEdit* m_password = nullptr;
  std::array<CHitAreaButton*, kLoginAreaCount> m_buttons{};
  std::unique_ptr<CTrayNotifyIcon> m_tray;
};

}  // namespace tempovia
