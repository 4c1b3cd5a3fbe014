#pragma once
// What the main window does, without the window: the logged-in user's
// dashboard (chart state, day summary, note, exercise table), UPLOAD with its
// progress, PRINT, EXPORT and IMPORT, SETUP, EDIT and HELP, what waits while
// the watch is read, how the window is left and hidden, and what the watch's
// return means for it. The window forwards its clicks, keys, ticks and tray
// commands here and shows what it is told.

#include <filesystem>
#include <optional>
#include <string>

#include "charts/ChartControl.h"
#include "dashboard/ChartDashboard.h"
#include "dashboard/DashboardTexts.h"
#include "dashboard/DashboardView.h"
#include "workspace/AttemptRunner.h"
#include "workspace/DataTransferFlow.h"
#include "workspace/DownloadWorkflow.h"
#include "workspace/UserFiles.h"
#include "workspace/Workspace.h"

namespace tempovia {

class MainView : public DashboardView {
 public:
  virtual void SetUserPanel(const UserPanelTexts& texts) = 0;
  // The user's photo; the placeholder when there is none that can be read.
  virtual void SetPhoto(const std::optional<std::filesystem::path>& file) = 0;
  // The download's progress window ("Uploading Data") and its text line.
  virtual void SetProgressVisible(bool visible) = 0;
  virtual void SetProgressText(const std::string& text) = 0;
  virtual void SetProgressPercent(int percent) = 0;
  // True while the window is hidden in the notification area.
  virtual bool IsHidden() const = 0;
  virtual bool IsMinimised() const = 0;
  // A word on the desktop, through the tray icon where there is one; false
  // when the desktop takes none.
  virtual bool Notify(const DesktopNotification& notification) = 0;
  // Shown, normal, raised and active.
  virtual void BringForward() = 0;
  virtual void Hide() = 0;
  virtual void Minimise() = 0;
  // Ends the window's loop with this result.
  virtual void End(int result) = 0;
};

class MainPresenter final : private FrontWindow, private DownloadUi, private TransferUi {
 public:
  static constexpr char kBusyMessage[] =
      "Tempovia is still talking to the watch.\n\nPlease wait until it has finished.";

  MainPresenter(Workspace& workspace, MainView& view, ChartControl& chart);
  ~MainPresenter() override;
  MainPresenter(const MainPresenter&) = delete;
  MainPresenter& operator=(const MainPresenter&) = delete;

  // The window opens for the logged-in user, in this order: the tray's
  // notice, the watch, the chart state, the photo, the user panel, the
  // user's files and the chart of steps.
  void Start(bool trayCreated);
  bool Started() const { return m_started; }

  // A click on an area (or its key): held when the mouse button stays down
  // on an arrow; (x, y) is the click in client pixels (where HELP opens).
  void RunArea(int area, bool held, int x, int y);
  // The area under a point (the chart kind's filter applied), or kAreaNone.
  int AreaAt(int x, int y) const { return m_dashboard.AreaAt(x, y); }
  // What an area's tip adds to its name: for the STEPS row of a user with a
  // daily step goal, the goal and the streaks up to the chart date.
  std::string AreaTip(int area);
  const std::optional<int>& StepGoal() const { return m_goal; }
  // Any mouse move or release stops a held arrow.
  void ClearRepeat() { m_dashboard.ClearRepeat(); }
  // The user typed in the note field.
  void NoteEdited() { m_dashboard.NoteEdited(); }
  // The window's 50 ms timer.
  void Tick();

  // Escape ends the window as LOGOUT does; Enter outside the note ends it
  // with kConfirmResult; the tray's Exit (and its key) ends the program.
  void Logout();
  void Confirm();
  void ExitProgram();
  void TrayCommand(int command);
  // The close box hides the window; so does minimising where there is a
  // notification area.
  void CloseBox();
  void Minimised();

  // The window goes without being asked (the session ends): a download is
  // stopped and waited for, the note kept the unattended way.
  void Ended();

  ChartDashboard& Dashboard() { return m_dashboard; }
  DownloadWorkflow& Download() { return m_download; }
  UserFiles& Files() { return m_files; }

 private:
  // FrontWindow
  WindowState State() const override;
  bool DownloadBusy() const override { return m_download.Busy(); }
  void DownloadByItself() override;
  void BringForward() override;
  void LogOutUnattended() override;

  // DownloadUi
  bool AskChoices(DownloadChoices& choices) override;
  void SetProgressVisible(bool visible) override;
  void SetProgressText(const std::string& text) override;
  void SetProgressPercent(int percent) override;
  void ShowMessage(NoticeIcon icon, const std::string& text) override;
  void ReleaseUserFiles() override;
  void RefreshAfterDownload() override;
  void Post(std::function<void()> fn) override;
  void DownloadEnded(const DownloadOutcome& outcome) override;

  // TransferUi
  std::filesystem::path ChooseFolder(const std::string& title) override;
  bool AskYesNo(const std::string& question) override;
  void Show(NoticeIcon icon, const std::string& text) override;
  void SetBusy(bool busy) override;

  const LocalUserRecord& User() const;
  // False, telling the user why, while a download is under way.
  bool Idle();
  // Out of sight, once the note is saved or given up.
  void LeaveToTray();
  void HideToTray();
  // The window ends with this result.
  void Finish(int result);

  void RefreshUserPanel();
  void LoadPhoto();
  void OpenUserFiles();
  void ApplyUnits();
  void LoadGoal();
  // Everything shown of the user, after the logged-in user changed.
  void ShowUserAnew();

  void Print();
  void Transfer(bool import);
  void Setup();
  void Edit();
  void Help(int x, int y);

  std::optional<int> m_goal;  // the logged-in user's daily step goal
  Workspace& m_workspace;
  MainView& m_view;
  UserFiles m_files;
  ChartDashboard m_dashboard;
  ThreadAttemptRunner m_runner;
  DownloadWorkflow m_download;
  bool m_started = false;
  bool m_ended = false;
  bool m_trayCreated = true;
  bool m_settingsWarned = false;
};

}  // namespace tempovia
