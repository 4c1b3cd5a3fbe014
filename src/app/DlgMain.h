#pragma once
// The main window of a logged-in user: the skin of the chart kind shown, its
// buttons as areas of the picture, the day summary, the user panel with the
// photo, the day note, and the chart or the exercise table below.
//
// It forwards clicks, keys and ticks to the dashboard's core (ChartDashboard,
// DownloadWorkflow) and shows what they decide. It ends with 2 for logout
// (or Escape), 57665 for the tray's Exit and 1 for Enter outside the note;
// EXIT, the close box and minimising hide it to the tray instead.

#include <QDialog>
#include <QPoint>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "AttemptRunner.h"
#include "ChartDashboard.h"
#include "DashboardView.h"
#include "DataTransferFlow.h"
#include "DeviceChange.h"
#include "DownloadWorkflow.h"
#include "ModalLoop.h"
#include "SkinLayout.h"
#include "TrayArea.h"
#include "TrekmoObserver.h"
#include "UserData.h"
#include "UserSettings.h"

class QMenu;

namespace tempovia {

class AppContext;
class CBarChart;
class CCopyFileDlg;
class CDayNoteEdit;
class CExStatic;
class CHitAreaButton;
class CLabel;
class CTrayNotifyIcon;

class CDlgPrint;

class CDlgMain : public QDialog, public DashboardView, public DownloadUi, public TransferUi, public TrekmoObserver {
  Q_OBJECT

 public:
  static constexpr int kConfirmResult = 1;
  static constexpr int kLogoutResult = 2;
  static constexpr int kExitResult = 57665;
  static constexpr int kTimerMs = 50;
  static constexpr char kVersion[] = "1.27";
  static constexpr char kBusyMessage[] =
      "Tempovia is still talking to the watch.\n\nPlease wait until it has finished.";

  // Without a tray area the desktop's own notification area is used.
  explicit CDlgMain(AppContext& app, std::unique_ptr<TrayArea> trayArea = nullptr, QWidget* parent = nullptr);
  ~CDlgMain() override;

  // Before any login, once per window: the data folder, the user database
  // (its current record becomes the logged-in user) and the unit settings.
  // A user database that cannot be opened is told once.
  bool LoadDataStore();
  // Opens the user database when it is not open, telling nobody: a folder
  // that could not be written may be writable now. The failure's text is
  // the whole notice.
  Status OpenUsers();
  // Everything the window does when it opens, in its order; exec() runs it.
  void Start();
  // Runs until the window ends (LOGOUT, Escape, Enter, Exit), also while it
  // is hidden in the notification area.
  int exec() override;
  void done(int result) override;

  UserData& Users() { return m_users; }
  UserSettings& Settings() { return m_settings; }
  const Units& GetUnits() const { return m_units; }
  ChartDashboard& Dashboard() { return m_dashboard; }
  DownloadWorkflow& Download() { return m_download; }
  AppContext& App() { return m_app; }

  void RefreshUserPanel();
  void ClearDashboard();
  void LoadPhoto();
  void OpenUserFiles();
  void ShowFromTray();
  void HideToTray();
  void Logout();
  void ExitProgram();
  // A logout nobody started (the watch plugged in while the window is
  // hidden): nobody is asked anything.
  void LogoutUnattended();

  // What a click on an area (or its shortcut) does; the point is where the
  // menu of HELP opens. held: the mouse button stays down on an arrow.
  void RunArea(int area, bool held, QPoint at);
  // The watch came or went.
  void OnDeviceChange(const DeviceChange& change);

  // The dialogs and the desktop, replaceable by tests.
  std::function<bool(DownloadChoices&)> askUploadChoices;
  std::function<ChartDashboard::CalendarResult(CalendarDays&)> runCalendar;
  // Shows the HELP menu at a screen point; returns the chosen command or 0.
  std::function<int(QMenu&, QPoint)> runHelpMenu;
  std::function<bool(const QString& path)> openDocument;
  // SETUP: the three choices in and out; false for Cancel.
  std::function<bool(int& distance, int& weight, bool& handshake)> runSettings;
  // EDIT: the user record editor for the logged-in user; true when saved.
  std::function<bool()> runEditor;
  // PRINT, EXPORT and IMPORT.
  std::function<void()> runPrint;
  std::function<void()> runExport;
  std::function<void()> runImport;
  // The report options dialog, set up and run: its result (CDlgPrint::kOk).
  std::function<int(CDlgPrint&)> runPrintOptions;
  // The folder chooser of EXPORT and IMPORT: a folder, or empty.
  std::function<std::filesystem::path(const QString& title)> chooseFolder;

  // The window's parts, for tests and the preview.
  CBarChart& Chart() const { return *m_chart; }
  CLabel& SummaryLabel(int row) const { return *m_summary[static_cast<std::size_t>(row)]; }
  CLabel& InfoValue(int row) const { return *m_infoValues[static_cast<std::size_t>(row)]; }
  CLabel& InfoCaption(int row) const { return *m_infoCaptions[static_cast<std::size_t>(row)]; }
  CLabel& UserValue(int row) const { return *m_userValues[static_cast<std::size_t>(row)]; }
  CLabel& VersionLabel() const { return *m_version; }
  CLabel& ExerciseCell(int row, int column) const {
    return *m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }
  CExStatic& Photo() const { return *m_photo; }
  CExStatic& Background(ChartKind kind) const { return *m_backgrounds[static_cast<std::size_t>(kind)]; }
  CDayNoteEdit& NoteField() const { return *m_note; }
  CCopyFileDlg& ProgressDialog() const { return *m_progress; }
  CTrayNotifyIcon& Tray() const { return *m_tray; }
  CHitAreaButton& AreaButton(int area) const { return *m_areaButtons[static_cast<std::size_t>(area)]; }
  bool ProgressVisible() const { return m_progressVisible; }
  bool Dragging() const { return m_dragOrigin.has_value(); }

  // DashboardView
  void ShowKind(ChartKind kind) override;
  void SetDateCaption(const std::string& text) override;
  void SetSummary(const SummaryTexts& texts) override;
  void SetInfo(const InfoTexts& texts) override;
  void SetExerciseTable(const ExerciseTableTexts& cells) override;
  void SetNote(const std::string& utf8) override;
  std::string Note() const override;
  bool AskWarning(const std::string& question) override;

  // DownloadUi
  bool AskChoices(DownloadChoices& choices) override;
  void SetProgressVisible(bool visible) override;
  void SetProgressText(const std::string& text) override;
  void ShowMessage(NoticeIcon icon, const std::string& text) override;
  void ReleaseUserFiles() override;
  void RefreshAfterDownload() override;
  // TransferUi
  std::filesystem::path ChooseFolder(const std::string& title) override;
  bool AskYesNo(const std::string& question) override;
  void Show(NoticeIcon icon, const std::string& text) override;
  void SetBusy(bool busy) override;
  void AttemptEnded() override;
  void Post(std::function<void()> fn) override;

  // TrekmoObserver
  void OnReconnected() override;
  void OnDisconnected() override;
  void OnProgress(int percent) override;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void BuildControls();
  void BuildShortcuts();
  void OnTimer();
  void OnTrayCommand(int command);
  void RunWindowArea(int area, QPoint at);
  // False, telling the user why, while a download is under way.
  bool Idle();
  // EXIT, the close box and the tray's Hide: out of sight, once the note is
  // saved or given up.
  void LeaveToTray();
  void ShowHelp(QPoint at);
  void RunSetup();
  void RunEdit();
  void RunPrint();
  void RunTransfer(bool import);
  // Everything shown of the user, after the current user changed.
  void ShowUserAnew();
  void ApplyUnits();

  AppContext& m_app;
  UserData m_users;
  UserSettings m_settings;
  Units m_units;
  bool m_handshake = true;
  bool m_settingsWarned = false;

  CBarChart* m_chart;  // children of the window from here on
  std::array<CExStatic*, 5> m_backgrounds{};
  std::array<CLabel*, kSummaryRows.size()> m_summary{};
  std::array<CLabel*, kInfoRows.size()> m_infoCaptions{};
  std::array<CLabel*, kInfoRows.size()> m_infoValues{};
  std::array<CLabel*, 8> m_userCaptions{};
  std::array<CLabel*, 8> m_userValues{};
  CLabel* m_version = nullptr;
  CExStatic* m_photo = nullptr;
  CDayNoteEdit* m_note = nullptr;
  std::array<std::array<CLabel*, kExerciseColumns>, kExerciseRows> m_cells{};
  std::array<CHitAreaButton*, kMainAreaCount> m_areaButtons{};
  CCopyFileDlg* m_progress = nullptr;
  std::unique_ptr<CTrayNotifyIcon> m_tray;
  QTimer m_timer;

  ChartDashboard m_dashboard;
  ThreadAttemptRunner m_runner;
  DownloadWorkflow m_download;
  bool m_progressVisible = false;
  std::vector<DeviceChange> m_heldDeviceChanges;

  ModalLoop m_modal;
  std::optional<QPoint> m_dragOrigin;  // client point where a manual drag began
  bool m_started = false;
  // Device changes reach the window only while a user is logged in here:
  // from Start until it ends.
  QMetaObject::Connection m_deviceChanges;
};

}  // namespace tempovia
