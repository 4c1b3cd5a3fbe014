#pragma once
// What the login window does, without the window: one user shown at a time
// (stepped through with the arrows, round and round), a login with the shown
// user's password, new users made and users deleted. The window forwards its
// clicks, keys and tray commands here and shows what it is told.

#include <optional>
#include <string>
#include <vector>

#include "store/LocalUserRecord.h"
#include "workspace/Workspace.h"

namespace tempovia {

class LoginView {
 public:
  virtual ~LoginView() = default;
  // The name label: two blanks and the shown user's name (UTF-8).
  virtual void ShowUserName(const std::string& text) = 0;
  // The password box emptied and given the keyboard.
  virtual void ClearPassword() = 0;
  virtual void FocusPassword() = 0;
  // True while the window is hidden in the notification area.
  virtual bool IsHidden() const = 0;
  // Shown, normal, raised, with the keyboard in the password box.
  virtual void BringForward() = 0;
  // Out of sight: hidden in the notification area, or minimised where
  // there is none (a hidden window could never come back).
  virtual void Hide() = 0;
  virtual void Minimise() = 0;
  // Opens minimised and then hides (started with -tray).
  virtual void StartHidden(bool hide) = 0;
  virtual void End(int result) = 0;
};

class LoginPresenter final : private FrontWindow {
 public:
  LoginPresenter(Workspace& workspace, LoginView& view);
  ~LoginPresenter() override;
  LoginPresenter(const LoginPresenter&) = delete;
  LoginPresenter& operator=(const LoginPresenter&) = delete;

  // The window opens: the watch opened when nobody has, the user database
  // tried again when it is not open, the first user shown.
  void Start(bool trayCreated, bool startInTray);
  bool IsLoggedIn() const { return m_loggedIn; }

  // Rectangle 0, or Enter in the password box, with the typed text.
  void LogIn(const std::string& typedUtf8);
  void NextUser();
  void PreviousUser();
  void NewUser();
  void DeleteUser();
  // The tray menu's commands, Escape, the close box and minimising.
  void TrayCommand(int command);
  void Escape();
  void CloseBox();
  void Minimised();

 private:
  // FrontWindow
  WindowState State() const override;
  void BringForward() override;

  // The user database open, tried again when it is not; false after telling
  // why when tell is set.
  bool UsersOpen(bool tell);
  std::optional<LocalUserRecord> Shown() const;
  void ShowName();
  void HideToTray();

  Workspace& m_workspace;
  LoginView& m_view;
  bool m_trayCreated = true;
  bool m_loggedIn = false;
  // The shown user's place in the file (the first when the file was opened).
  int m_shown = 0;
};

}  // namespace tempovia
