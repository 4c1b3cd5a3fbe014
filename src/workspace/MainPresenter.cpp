#include "workspace/MainPresenter.h"

#include "dashboard/StepStreaks.h"
#include "help/HelpFiles.h"
#include "report/ReportFolder.h"
#include "report/ReportRun.h"
#include "skin/SkinLayout.h"
#include "skin/WindowCommands.h"
#include "store/StepData.h"
#include "store/StepGoal.h"
#include "trace/Trace.h"
#include "users/UserEditor.h"

namespace tempovia {

namespace {

constexpr char kTraceModule[] = "MainPresenter";

// The record every display shows before anybody logged in (never for long).
const LocalUserRecord kNobody{};

}  // namespace

MainPresenter::MainPresenter(Workspace& workspace, MainView& view, ChartControl& chart)
    : m_workspace(workspace),
      m_view(view),
      m_dashboard(chart, view, m_files, workspace.Now()),
      m_runner([this](std::function<void()> fn) { m_workspace.Desktop().Post(std::move(fn)); }),
      m_download(workspace.Watch(), *this, m_runner, workspace.Paths(), workspace.Users(), workspace.Settings()) {}

MainPresenter::~MainPresenter() {
  Ended();
}

const LocalUserRecord& MainPresenter::User() const {
  const LocalUserRecord* user = m_workspace.LoggedIn();
  return user != nullptr ? *user : kNobody;
}

void MainPresenter::Start(bool trayCreated) {
  if (m_started) return;
  m_started = true;
  m_trayCreated = trayCreated;
  // Without a notification area the window must never hide.
  if (!trayCreated) m_workspace.TrayMissing();
  m_workspace.Watch().OpenWatch();
  // Until now the login window had the watch's notices.
  m_workspace.SetFront(this);
  m_dashboard.Start();
  m_dashboard.SetUnits(m_workspace.GetUnits());
  LoadGoal();
  m_dashboard.SetStepGoal(m_goal);
  LoadPhoto();
  RefreshUserPanel();
  OpenUserFiles();
  m_dashboard.SelectChartKind(ChartKind::Steps);
}

void MainPresenter::Tick() {
  m_files.Tick();
  m_dashboard.Tick();
}

// ------------------------------------------------------------------ panels

void MainPresenter::RefreshUserPanel() {
  if (!m_started || !m_workspace.Users().IsOpen() || m_workspace.Users().GetCount() == 0) return;
  m_view.SetUserPanel(UserPanel(User(), m_workspace.GetUnits()));
}

void MainPresenter::LoadPhoto() {
  m_view.SetPhoto(m_workspace.Paths().PhotoFile(User().photo));
}

void MainPresenter::OpenUserFiles() {
  const LocalUserRecord& user = User();
  m_dashboard.SetNoteRefusal(m_workspace.Users().CheckUser(user.id));
  // A name that leads out of the data folder opens nothing (and says so).
  const StorePaths& paths = m_workspace.Paths();
  m_files.SetPaths(paths.UserFile(user.stepFile).value_or(std::filesystem::path()),
                   paths.UserFile(user.exerciseFile).value_or(std::filesystem::path()));
  m_dashboard.LoadUser();
}

void MainPresenter::ApplyUnits() {
  m_dashboard.SetUnits(m_workspace.GetUnits());
  m_dashboard.SelectChartKind(m_dashboard.Kind());
  RefreshUserPanel();
}

void MainPresenter::ShowUserAnew() {
  // The user and their files are another's now: nothing of the previous
  // user's may stay on the screen or be written to.
  LoadGoal();
  m_dashboard.SetStepGoal(m_goal);
  LoadPhoto();
  RefreshUserPanel();
  OpenUserFiles();
  ApplyUnits();
}

void MainPresenter::LoadGoal() {
  m_goal = m_workspace.LoggedIn() != nullptr ? LoadStepGoal(m_workspace.Paths(), User().id) : std::nullopt;
  m_files.SetStepGoal(m_goal);
}

std::string MainPresenter::AreaTip(int area) {
  if (area != kAreaStepsRow || !m_goal) return {};
  std::string why;
  const StepData* steps = m_files.StepsQuietly(why);
  if (steps == nullptr) return {};
  return StreakTipText(*m_goal, CountStreaks(*steps, *m_goal, m_dashboard.ChartDate().date));
}

// ----------------------------------------------------------------- areas

bool MainPresenter::Idle() {
  if (!m_download.Busy()) return true;
  m_workspace.Desktop().Show(NoticeIcon::Information, kBusyMessage);
  return false;
}

void MainPresenter::RunArea(int area, bool held, int x, int y) {
  if (!m_started) return;
  if (m_dashboard.RunArea(area, held)) return;
  switch (area) {
    case kAreaUpload:
      m_download.Upload(User());
      return;
    case kAreaPrint:
      if (Idle()) Print();
      return;
    case kAreaCalendar:
      m_dashboard.PickDate([this](CalendarDays& days) { return m_workspace.Desktop().RunCalendar(days); });
      return;
    case kAreaExport:
      if (Idle()) Transfer(false);
      return;
    case kAreaImport:
      if (Idle()) Transfer(true);
      return;
    case kAreaSetup:
      if (Idle()) Setup();
      return;
    case kAreaExit:
      LeaveToTray();
      return;
    case kAreaHelp:
      Help(x, y);
      return;
    case kAreaLogout:
      Logout();
      return;
    case kAreaEdit:
      if (Idle()) Edit();
      return;
    default:
      return;
  }
}

void MainPresenter::Help(int x, int y) {
  const HelpChoice choice = m_workspace.Desktop().RunHelpMenu(x, y);
  if (choice == HelpChoice::None) return;
  const std::string_view name = choice == HelpChoice::QuickStart ? kQuickStartManualFile : kQuestionsAndAnswersFile;
  const std::optional<std::filesystem::path> path = FindHelpDocument(name, m_workspace.ProgramFolder());
  if (!path) {
    m_workspace.Desktop().Show(NoticeIcon::Warning, "Help file does not exist");
    return;
  }
  m_workspace.Desktop().OpenDocument(*path);
}

void MainPresenter::Setup() {
  const Units units = m_workspace.GetUnits();
  SettingsChoices choices{units.miles ? 1 : 0, units.pounds ? 1 : 0, m_workspace.Handshake(),
                          m_workspace.DownloadOnPlugIn()};
  m_workspace.Desktop().RunSettings(choices);  // Cancel hands back what it was given
  m_workspace.SetUnits({choices.distanceUnit == 1, choices.weightUnit == 1});
  m_workspace.SetHandshake(choices.handshake);
  if (const Status kept = m_workspace.SetDownloadOnPlugIn(choices.downloadOnPlugIn); !kept)
    m_workspace.Desktop().Show(NoticeIcon::Warning,
                               "Downloading when the watch is plugged in could not be remembered:\n" + kept.message() +
                                   "\n\nThe choice applies until Tempovia ends.");
  UserSettings& settings = m_workspace.Settings();
  settings.distanceUnit = static_cast<std::uint8_t>(choices.distanceUnit == 1 ? 1 : 0);
  settings.weightUnit = static_cast<std::uint8_t>(choices.weightUnit == 1 ? 1 : 0);
  const Status saved = settings.Save();
  if (!saved && !m_settingsWarned) {
    // The choice applies for this run all the same; say so once.
    m_settingsWarned = true;
    m_workspace.Desktop().Show(NoticeIcon::Warning, "The unit settings could not be saved:\n" + saved.message() +
                                                        "\n\nThey apply until Tempovia ends.");
  }
  ApplyUnits();
}

void MainPresenter::Edit() {
  const Units& units = m_workspace.GetUnits();
  UserEditor editor(m_workspace.Users(), m_workspace.Paths(), UserEditor::Mode::Edit, User(), units.miles, units.pounds,
                    m_workspace.Now().Now());
  if (!m_workspace.Desktop().RunEditor(editor) || !editor.Saved()) return;
  m_workspace.LogIn(editor.User());
  LoadGoal();
  RefreshUserPanel();
  m_dashboard.ShowStepGoal(m_goal);
  m_dashboard.ClearDashboard();
  LoadPhoto();
}

void MainPresenter::Print() {
  // The window as it is now, before the options dialog covers it.
  std::optional<ReportJob> job = m_workspace.Desktop().AskReport(LastReportFolder(m_workspace.Settings()));
  if (!job) return;
  if (!job->picture && job->options.chart)
    m_workspace.Desktop().Show(NoticeIcon::Warning, "The picture of the window could not be made:\n" +
                                                        job->captureError + "\n\nThe chart page stays empty.");
  m_files.Release();
  m_workspace.Desktop().SetBusyCursor(true);
  // Failures have been shown by the time it returns; success says nothing.
  WriteReport(MakeReportRequest(job->options, job->picture ? job->picture->Path() : std::filesystem::path()), User(),
              m_workspace.Paths(), m_workspace.Settings());
  m_workspace.Desktop().SetBusyCursor(false);
}

void MainPresenter::Transfer(bool import) {
  DataTransferFlow flow(m_workspace.Paths(), m_workspace.Users(), *this, m_workspace.Now());
  const DataTransferFlow::Result result = import ? flow.Import(User()) : flow.Export(User());
  // The imported file's first user (or, in a file without users, nobody's
  // empty record) is logged in from now on.
  m_workspace.LogIn(result.user.value_or(LocalUserRecord{}));
  if (result.outcome == DataTransferFlow::Outcome::UserChanged) ShowUserAnew();
}

// ------------------------------------------------------ leaving the window

void MainPresenter::HideToTray() {
  // Where no notification area exists a hidden window could never come back.
  if (m_trayCreated) {
    m_view.Hide();
  } else {
    m_view.Minimise();
  }
}

void MainPresenter::LeaveToTray() {
  if (!m_started || m_dashboard.MayLeave()) HideToTray();
}

void MainPresenter::Logout() {
  if (!Idle() || !m_dashboard.MayLeave()) return;
  Finish(kLogoutResult);
}

void MainPresenter::Confirm() {
  if (!Idle() || !m_dashboard.MayLeave()) return;
  Finish(kConfirmResult);
}

void MainPresenter::ExitProgram() {
  if (!Idle() || !m_dashboard.MayLeave()) return;
  Finish(kExitResult);
  m_workspace.Desktop().Quit();
}

void MainPresenter::TrayCommand(int command) {
  switch (command) {
    case kTrayShowCommand:
      BringForward();
      return;
    case kTrayHideCommand:
      LeaveToTray();
      return;
    case kTrayExitCommand:
      ExitProgram();
      return;
    default:
      return;
  }
}

void MainPresenter::CloseBox() {
  // The close box only hides; the window ends by LOGOUT, Escape, Enter or
  // the tray's Exit.
  LeaveToTray();
}

void MainPresenter::Minimised() {
  if (m_trayCreated) m_view.Hide();
}

void MainPresenter::Finish(int result) {
  Ended();
  m_view.End(result);
}

void MainPresenter::Ended() {
  if (m_ended) return;
  m_ended = true;
  // The transfer must not outlive the window it reports to.
  m_download.Stop();
  // Every way out has saved the note or given it up by now but one: a
  // window ended from outside, where the note is kept the unattended way.
  m_dashboard.SaveDayNoteUnattended();
  m_files.Release();
  m_view.SetProgressVisible(false);
  m_workspace.SetFront(nullptr);
}

// ------------------------------------------------------------------ watch

WindowState MainPresenter::State() const {
  return m_view.IsHidden() ? WindowState::MainHidden : WindowState::Main;
}

void MainPresenter::BringForward() {
  m_view.BringForward();
}

void MainPresenter::LogOutUnattended() {
  Finish(kLogoutResult);
}

void MainPresenter::DownloadByItself() {
  if (m_workspace.LoggedIn() == nullptr) return;
  m_download.UploadWithLastChoices(User());
}

// ---------------------------------------------------------- DownloadUi

bool MainPresenter::AskChoices(DownloadChoices& choices) {
  return m_workspace.Desktop().AskUploadChoices(choices);
}

void MainPresenter::SetProgressVisible(bool visible) {
  m_view.SetProgressVisible(visible);
}

void MainPresenter::SetProgressText(const std::string& text) {
  m_view.SetProgressText(text);
}

void MainPresenter::SetProgressPercent(int percent) {
  m_view.SetProgressPercent(percent);
}

void MainPresenter::ShowMessage(NoticeIcon icon, const std::string& text) {
  m_workspace.Desktop().Show(icon, text);
}

void MainPresenter::ReleaseUserFiles() {
  m_files.Release();
}

void MainPresenter::RefreshAfterDownload() {
  m_dashboard.ShowLatestWeek();
  RefreshUserPanel();
}

void MainPresenter::Post(std::function<void()> fn) {
  m_workspace.Desktop().Post(std::move(fn));
}

void MainPresenter::DownloadEnded(const DownloadOutcome& outcome) {
  // In sight, the window itself shows how the download ended.
  if (!m_view.IsHidden() && !m_view.IsMinimised()) return;
  const bool told = m_view.Notify(DownloadNotification(outcome));
  TV_TRACE("Download end %s on the desktop\n", told ? "told" : "not told (no notification service)");
}

// ---------------------------------------------------------- TransferUi

std::filesystem::path MainPresenter::ChooseFolder(const std::string& title) {
  return m_workspace.Desktop().ChooseFolder(title);
}

bool MainPresenter::AskYesNo(const std::string& question) {
  return m_workspace.Desktop().Ask(NoticeIcon::Question, question);
}

void MainPresenter::Show(NoticeIcon icon, const std::string& text) {
  m_workspace.Desktop().Show(icon, text);
}

void MainPresenter::SetBusy(bool busy) {
  m_workspace.Desktop().SetBusyCursor(busy);
}

}  // namespace tempovia
