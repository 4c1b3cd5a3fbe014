#pragma once
// The program's run as the windows see it, without them: the base folder and
// its user database and settings, who is logged in, the watch, and where a
// device change goes. One lives for the whole run; the login and main
// windows' presenters work on it.

#include <cstdint>
#include <filesystem>
#include <optional>

#include "base/Clock.h"
#include "base/Status.h"
#include "device/DeviceChange.h"
#include "records/Units.h"
#include "store/LocalUserRecord.h"
#include "store/StorePaths.h"
#include "store/UserData.h"
#include "store/UserSettings.h"
#include "workspace/DesktopPort.h"
#include "workspace/WatchDriverHost.h"

namespace tempovia {

// Which window is in front and how it is seen, for the watch's return.
enum class WindowState {
  None,         // between windows
  Login,        // the login window, shown or minimised
  LoginHidden,  // the login window, hidden in the notification area
  Main,         // the main window, shown or minimised
  MainHidden,   // the main window, hidden in the notification area
};

// What the window in front does when the watch comes back.
enum class WatchReturn { Nothing, BringForward, LogOut };

// The rule: a shown window comes forward, a login window hidden in the tray
// too; a main window hidden in the tray logs its user out (nobody is looking
// at it), unless a download is under way, which ends as usual.
WatchReturn WhenTheWatchReturns(WindowState state, bool downloadBusy);

// The window in front, as far as the watch is concerned.
class FrontWindow {
 public:
  virtual ~FrontWindow() = default;
  virtual WindowState State() const = 0;
  virtual bool DownloadBusy() const { return false; }
  virtual void BringForward() = 0;
  // Ends the window with a logout; nobody is asked anything.
  virtual void LogOutUnattended() {}
  // Downloads the watch that has just come back, without asking.
  virtual void DownloadByItself() {}
};

class Workspace final : private WatchListener {
 public:
  Workspace(const StorePaths& paths, Clock& clock, WatchDriverHost& watch, DesktopPort& desktop,
            std::filesystem::path programFolder);
  ~Workspace() override;
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  const StorePaths& Paths() const { return m_paths; }
  Clock& Now() const { return m_clock; }
  WatchDriverHost& Watch() { return m_watch; }
  DesktopPort& Desktop() { return m_desktop; }
  // Where the help documents are looked for first.
  const std::filesystem::path& ProgramFolder() const { return m_programFolder; }

  // A pass of the login cycle begins: the data folder, the unit settings and
  // the user database, opened anew (a database that cannot be opened is
  // told once; the login window tries again).
  bool LoadDataStore();
  // Opens the user database when it is not open, telling nobody; the
  // failure's text is the whole notice.
  Status OpenUsers();
  UserData& Users() { return m_users; }
  UserSettings& Settings() { return m_settings; }
  const Units& GetUnits() const { return m_units; }
  void SetUnits(const Units& units) { m_units = units; }
  bool Handshake() const { return m_handshake; }
  void SetHandshake(bool on) { m_handshake = on; }
  // "Download when the watch is plugged in", read with the data store. The
  // choice applies at once; a file that cannot be written is the failure.
  bool DownloadOnPlugIn() const { return m_downloadOnPlugIn; }
  Status SetDownloadOnPlugIn(bool on);

  // The logged-in user as every display reads it; nothing before a login.
  const LocalUserRecord* LoggedIn() const { return m_loggedIn ? &*m_loggedIn : nullptr; }
  void LogIn(const LocalUserRecord& user) { m_loggedIn = user; }
  void LogOut() { m_loggedIn.reset(); }

  // The window in front from now on (nullptr: none).
  void SetFront(FrontWindow* window) { m_front = window; }
  // A plug or unplug notice from the system: the driver host handles it now
  // or after the running transfer, and the window in front hears the
  // watch's return.
  void OnDeviceChange(const DeviceChange& change);

  // "Can't Setup Tray ICON" for a window whose notification-area icon could
  // not be made: once a run, as a desktop without a notification area has
  // none for any window.
  void TrayMissing();

 private:
  void WatchReturned() override;

  const StorePaths& m_paths;
  Clock& m_clock;
  WatchDriverHost& m_watch;
  DesktopPort& m_desktop;
  std::filesystem::path m_programFolder;
  UserData m_users;
  UserSettings m_settings;
  Units m_units;
  bool m_handshake = true;
  bool m_downloadOnPlugIn = false;
  std::optional<LocalUserRecord> m_loggedIn;
  FrontWindow* m_front = nullptr;
  bool m_trayMissingShown = false;
};

}  // namespace tempovia
