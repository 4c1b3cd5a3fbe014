#include "DlgMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QToolTip>
#include <QUrl>
#include <QWindow>
#include <filesystem>

#include "AppContext.h"
#include "Artwork.h"
#include "BarChart.h"
#include "CaptureFile.h"
#include "CopyFileDlg.h"
#include "DayNoteEdit.h"
#include "DlgCalendar.h"
#include "DlgPrint.h"
#include "DlgUserRecord.h"
#include "ExStatic.h"
#include "HelpFiles.h"
#include "HitAreaButton.h"
#include "Label.h"
#include "MainShortcuts.h"
#include "MessageBoxes.h"
#include "PrntScreen.h"
#include "ReportFolder.h"
#include "ReportRun.h"
#include "SettingDlg.h"
#include "Trace.h"
#include "TrayNotifyIcon.h"
#include "UploadDlg.h"

namespace tempovia {

namespace {

constexpr char kTraceModule[] = "DlgMain";
constexpr int kHelpQuickStart = 32777;
constexpr int kHelpQuestions = 32778;

QString Utf8(const std::string& text) {
  return QString::fromStdString(text);
}

CLabel* PlaceLabel(QWidget* parent, const Box& box, Rgb background, Rgb text, int size, bool bold,
                   Qt::Alignment alignment) {
  auto* label = new CLabel(parent);
  label->setGeometry(box.x, box.y, box.width, box.height);
  label->SetBkColor(background);
  label->SetTextColor(text);
  if (size > 0) label->SetFontSize(size);
  label->SetFontBold(bold);
  label->setAlignment(alignment | Qt::AlignVCenter);
  label->setWordWrap(false);
  // The window hit-tests its areas itself, labels included.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  return label;
}

}  // namespace

CDlgMain::CDlgMain(AppContext& app, std::unique_ptr<TrayArea> trayArea, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_app(app),
      m_chart(new CBarChart(this)),
      m_tray(std::make_unique<CTrayNotifyIcon>(std::move(trayArea))),
      m_dashboard(*m_chart, *this, app.Now()),
      m_runner([this](std::function<void()> fn) { Post(std::move(fn)); }),
      m_download(app.Watch(), *this, m_runner, app.Paths(), m_users, m_settings) {
  setWindowTitle(QStringLiteral("Tempovia"));
  setWindowIcon(AppIcon());
  setFixedSize(kMainWidth, kMainHeight);
  setMouseTracking(true);
  setAccessibleName(QStringLiteral("Tempovia"));
  m_chart->hide();

  askUploadChoices = [this](DownloadChoices& choices) {
    CUploadDlg dialog(this);
    dialog.SetChoices(choices);
    if (dialog.exec() != QDialog::Accepted) return false;
    choices = dialog.Choices();
    return true;
  };
  runCalendar = [this](CalendarDays& days) {
    CDlgCalendar dialog(m_app.Now(), this);
    dialog.SetDays(&days);
    const bool ok = dialog.exec() == QDialog::Accepted;
    return ChartDashboard::CalendarResult{ok, dialog.PickedDate()};
  };
  runHelpMenu = [](QMenu& menu, QPoint at) {
    QAction* chosen = menu.exec(at);
    return chosen != nullptr ? chosen->data().toInt() : 0;
  };
  openDocument = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
  runSettings = [this](int& distance, int& weight, bool& handshake) {
    CSettingDlg dialog(this);
    dialog.SetDistanceUnit(distance);
    dialog.SetWeightUnit(weight);
    dialog.SetHandshake(handshake);
    const bool ok = dialog.exec() == QDialog::Accepted;
    // Cancel leaves the values handed in.
    distance = dialog.DistanceUnit();
    weight = dialog.WeightUnit();
    handshake = dialog.Handshake();
    return ok;
  };
  runEditor = [this] {
    CDlgUserRecord dialog(
        m_users, m_app.Paths(), m_units.miles ? 1 : 0, m_units.pounds ? 1 : 0, [this] { RefreshUserPanel(); }, this);
    return dialog.exec() == QDialog::Accepted;
  };
  runPrint = [this] { RunPrint(); };
  runExport = [this] { RunTransfer(false); };
  runImport = [this] { RunTransfer(true); };
  runPrintOptions = [](CDlgPrint& dialog) { return dialog.exec(); };
  chooseFolder = [this](const QString& title) -> std::filesystem::path {
    const QUrl url = QFileDialog::getExistingDirectoryUrl(this, title);
    if (url.isEmpty()) return {};
    if (!url.isLocalFile() || url.toLocalFile().isEmpty()) {
      CurrentMessageBoxes().Show(this, NoticeIcon::Stop, QStringLiteral("Failed to get directory"), MessageButtons::Ok);
      return {};
    }
    return url.toLocalFile().toStdString();
  };

  connect(m_tray.get(), &CTrayNotifyIcon::Command, this, [this](int command) { OnTrayCommand(command); });
  connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(); });
}

CDlgMain::~CDlgMain() {
  // The transfer must not outlive the window it reports to.
  m_download.Stop();
  // Ended by a signal (the session closing), nobody can be asked.
  m_dashboard.SaveDayNoteUnattended();
  m_dashboard.Files().Release();
  m_app.Watch().Unregister(this);
  m_timer.stop();
}

bool CDlgMain::LoadDataStore() {
  const Status folder = m_app.Paths().CreateDataFolder();
  if (!folder) ShowWarning(this, Utf8(folder.message()));
  m_settings.SetPath(m_app.Paths().SettingsFile());
  m_settings.Load();  // a missing or unreadable file gives metric and kilograms
  m_units = {m_settings.distanceUnit == 1, m_settings.weightUnit == 1};
  // The login window tries again; it finds no user meanwhile.
  const Status opened = OpenUsers();
  if (!opened) ShowWarning(this, Utf8(opened.message()));
  return opened.ok();
}

Status CDlgMain::OpenUsers() {
  if (m_users.IsOpen()) return Status::Ok();
  const Status opened = m_users.TryOpen(m_app.Paths().UserDatabase());
  return opened ? opened : Status::Error(m_users.OpenFailedText(opened.message()));
}

int CDlgMain::exec() {
  Start();
  return m_modal.Run(*this);
}

void CDlgMain::Start() {
  if (m_started) return;
  m_started = true;
  // The notification area first: without it the window must never hide.
  if (!m_tray->Create(this, kTrayMenuId, QStringLiteral("Double click to activate Tempovia"), AppIcon()))
    ShowWarning(this, QStringLiteral("Can't Setup Tray ICON"));
  BuildControls();
  m_app.Watch().OpenFor(this);
  // Until now the login window had the watch's notices.
  m_deviceChanges = connect(&m_app.Devices(), &DeviceWatch::Changed, this,
                            [this](const DeviceChange& change) { OnDeviceChange(change); });
  m_dashboard.Start();
  m_dashboard.SetUnits(m_units);
  m_version->setText(QStringLiteral("V ") + QString::fromLatin1(kVersion));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    move(available.center() - QPoint(kMainWidth / 2, kMainHeight / 2));
  }
  m_timer.start(kTimerMs);
  LoadPhoto();
  RefreshUserPanel();
  OpenUserFiles();
  m_dashboard.SelectChartKind(ChartKind::Steps);
}

void CDlgMain::BuildControls() {
  for (ChartKind kind : kAllChartKinds) {
    auto* background = new CExStatic(this);
    background->setGeometry(0, 0, kMainWidth, kMainHeight);
    background->LoadPicture(SkinPicture(kind));
    background->setAttribute(Qt::WA_TransparentForMouseEvents);
    background->lower();
    background->hide();
    m_backgrounds[static_cast<std::size_t>(kind)] = background;
  }
  for (int row = 0; row < kExerciseRows; ++row) {
    for (int column = 0; column < kExerciseColumns; ++column) {
      CLabel* cell = PlaceLabel(this, ExerciseCellBox(row, column), kWhite, kBlack, 11, false, Qt::AlignHCenter);
      cell->SetFontName(QStringLiteral("Arial"));
      cell->hide();
      m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = cell;
    }
  }
  m_progress = new CCopyFileDlg(this);
  m_progress->hide();
  m_chart->Create(QRect(kChartBox.x, kChartBox.y, kChartBox.width, kChartBox.height), this, kChartControlId, QString());
  m_chart->hide();
  for (std::size_t i = 0; i < kSummaryRows.size(); ++i) {
    const SummaryRow& row = kSummaryRows[i];
    m_summary[i] = PlaceLabel(this, row.label, row.background, row.text, row.fontSize, true, Qt::AlignRight);
    m_summary[i]->setAccessibleName(QString::fromLatin1(row.caption));
  }
  for (std::size_t i = 0; i < kInfoRows.size(); ++i) {
    const InfoRow& row = kInfoRows[i];
    m_infoCaptions[i] = PlaceLabel(this, row.captionBox, row.background, kBlack, 0, true, Qt::AlignLeft);
    m_infoCaptions[i]->setText(QString::fromLatin1(row.caption));
    m_infoValues[i] = PlaceLabel(this, row.valueBox, row.background, kBlack, 0, true, Qt::AlignRight);
    m_infoValues[i]->setAccessibleName(QString::fromLatin1(row.caption).trimmed());
  }
  for (int i = 0; i < 8; ++i) {
    const auto index = static_cast<std::size_t>(i);
    m_userCaptions[index] =
        PlaceLabel(this, UserCaptionBox(i), kWhite, kUserCaptionText, kUserFontSize, true, Qt::AlignLeft);
    m_userCaptions[index]->setText(QString::fromLatin1(kUserCaptions[index]));
    m_userValues[index] = PlaceLabel(this, UserValueBox(i), kWhite, kBlack, kUserFontSize, true, Qt::AlignLeft);
    m_userValues[index]->setAccessibleName(QString::fromLatin1(kUserCaptions[index]).trimmed());
  }
  m_version = PlaceLabel(this, kMainVersionBox, kVersionBackground, kWhite, kVersionFontSize, false, Qt::AlignLeft);
  m_photo = new CExStatic(this);
  m_photo->setGeometry(kPhotoBox.x, kPhotoBox.y, kPhotoBox.width, kPhotoBox.height);
  m_photo->setAttribute(Qt::WA_TransparentForMouseEvents);
  m_photo->setAccessibleName(QStringLiteral("Photo"));
  m_note = new CDayNoteEdit(this);
  m_note->setGeometry(kDayNoteBox.x, kDayNoteBox.y, kDayNoteBox.width, kDayNoteBox.height);
  connect(m_note, &CDayNoteEdit::Edited, this, [this] { m_dashboard.NoteEdited(); });
  BuildShortcuts();
}

void CDlgMain::BuildShortcuts() {
  for (const MainShortcut& shortcut : MainShortcuts()) {
    auto* button = new CHitAreaButton(shortcut.area, kMainAreas[static_cast<std::size_t>(shortcut.area)], shortcut.name,
                                      shortcut.keys.toString(QKeySequence::NativeText), this);
    connect(button, &QAbstractButton::clicked, this, [this, area = shortcut.area] {
      const HitRect& r = kMainAreas[static_cast<std::size_t>(area)];
      RunArea(area, false, QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    });
    m_areaButtons[static_cast<std::size_t>(shortcut.area)] = button;
    auto* keys = new QShortcut(shortcut.keys, this);
    connect(keys, &QShortcut::activated, this, [this, area = shortcut.area] {
      if (!MainAreaActive(area, m_dashboard.Kind())) return;
      const HitRect& r = kMainAreas[static_cast<std::size_t>(area)];
      RunArea(area, false, QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    });
  }
  auto* exit = new QShortcut(ExitProgramKeys(), this);
  connect(exit, &QShortcut::activated, this, [this] { ExitProgram(); });
}

// ------------------------------------------------------------------ panels

void CDlgMain::RefreshUserPanel() {
  if (!m_started || !m_users.IsOpen() || m_users.GetCount() == 0) return;
  const UserPanelTexts panel = UserPanel(m_users.Current(), m_units);
  for (std::size_t i = 0; i < panel.values.size(); ++i) m_userValues[i]->setText(Utf8(panel.values[i]));
  m_infoValues[0]->setText(Utf8(panel.bmi));
}

void CDlgMain::ClearDashboard() {
  if (m_started) m_dashboard.ClearDashboard();
}

void CDlgMain::LoadPhoto() {
  const auto photo = m_app.Paths().PhotoFile(m_users.Current().photo);
  if (!photo || !m_photo->LoadFromFile(QString::fromStdString(photo->string())))
    m_photo->LoadPicture(Picture::PhotoPlaceholder);
}

void CDlgMain::OpenUserFiles() {
  const LocalUserRecord& user = m_users.Current();
  m_dashboard.SetNoteRefusal(m_users.CheckUser(user.id));
  // A name that leads out of the data folder opens nothing (and says so).
  m_dashboard.SetUserFiles(m_app.Paths().UserFile(user.stepFile).value_or(std::filesystem::path()),
                           m_app.Paths().UserFile(user.exerciseFile).value_or(std::filesystem::path()));
  m_dashboard.LoadUser();
}

// ---------------------------------------------------------- DashboardView

void CDlgMain::ShowKind(ChartKind kind) {
  for (ChartKind each : kAllChartKinds) m_backgrounds[static_cast<std::size_t>(each)]->setVisible(each == kind);
  const bool table = kind == ChartKind::ExerciseWalking;
  for (auto& row : m_cells) {
    for (CLabel* cell : row) cell->setVisible(table);
  }
  for (CHitAreaButton* button : m_areaButtons) button->setVisible(MainAreaActive(button->Area(), kind));
  m_version->SetBkColor(kVersionBackground);
  m_version->SetTextColor(kWhite);
}

void CDlgMain::SetDateCaption(const std::string& text) {
  m_summary[0]->setText(Utf8(text));
}

void CDlgMain::SetSummary(const SummaryTexts& texts) {
  m_summary[1]->setText(Utf8(texts.steps));
  m_summary[2]->setText(Utf8(texts.distance));
  m_summary[3]->setText(Utf8(texts.calories));
  m_summary[4]->setText(Utf8(texts.heartRate));
  m_summary[5]->setText(Utf8(texts.exercise));
}

void CDlgMain::SetInfo(const InfoTexts& texts) {
  m_infoValues[1]->setText(Utf8(texts.fatBurnt));
  m_infoValues[2]->setText(Utf8(texts.averageSpeed));
}

void CDlgMain::SetExerciseTable(const ExerciseTableTexts& cells) {
  for (std::size_t r = 0; r < cells.size(); ++r) {
    for (std::size_t c = 0; c < cells[r].size(); ++c) m_cells[r][c]->setText(Utf8(cells[r][c]));
  }
}

void CDlgMain::SetNote(const std::string& utf8) {
  m_note->SetNote(Utf8(utf8));
}

std::string CDlgMain::Note() const {
  return m_note->toPlainText().toStdString();
}

bool CDlgMain::AskWarning(const std::string& question) {
  return CurrentMessageBoxes().Show(this, NoticeIcon::Warning, Utf8(question), MessageButtons::YesNo) ==
         MessageAnswer::Yes;
}

// ------------------------------------------------------------- DownloadUi

bool CDlgMain::AskChoices(DownloadChoices& choices) {
  return askUploadChoices(choices);
}

void CDlgMain::SetProgressVisible(bool visible) {
  m_progressVisible = visible;
  if (visible) m_progress->CentreOver(this);
  m_progress->setVisible(visible);
}

void CDlgMain::SetProgressText(const std::string& text) {
  m_progress->SetText(Utf8(text));
}

void CDlgMain::ShowMessage(NoticeIcon icon, const std::string& text) {
  CurrentMessageBoxes().Show(this, icon, Utf8(text), MessageButtons::Ok);
}

void CDlgMain::ReleaseUserFiles() {
  m_dashboard.Files().Release();
}

void CDlgMain::RefreshAfterDownload() {
  m_dashboard.ShowLatestWeek();
  RefreshUserPanel();
}

void CDlgMain::AttemptEnded() {
  // Notices held back while the driver was in use.
  std::vector<DeviceChange> held;
  held.swap(m_heldDeviceChanges);
  for (const DeviceChange& change : held) OnDeviceChange(change);
}

void CDlgMain::Post(std::function<void()> fn) {
  QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
}

// --------------------------------------------------------- TrekmoObserver

void CDlgMain::OnReconnected() {
  m_app.Watch().HandleReconnected(this);
}

void CDlgMain::OnDisconnected() {
  m_app.Watch().HandleDisconnected(m_app.Now().MonotonicMs());
}

void CDlgMain::OnProgress(int percent) {
  // From the transfer's thread.
  m_download.PostProgress(percent);
}

void CDlgMain::OnDeviceChange(const DeviceChange& change) {
  if (m_download.AttemptRunning()) {
    m_heldDeviceChanges.push_back(change);
    return;
  }
  if (m_app.Watch().HandleDeviceChange(change, this) != WatchDriverHost::ChangeResult::Connected) return;
  // A minimised window is still visible; one hidden in the tray is not.
  if (isVisible()) {
    ShowFromTray();
  } else {
    LogoutUnattended();
    m_app.Watch().Destroy();
  }
}

// ----------------------------------------------------------------- areas

void CDlgMain::RunArea(int area, bool held, QPoint at) {
  if (!m_started) return;
  if (m_dashboard.RunArea(area, held)) return;
  RunWindowArea(area, at);
}

bool CDlgMain::Idle() {
  if (!m_download.Busy()) return true;
  ShowInformation(this, QString::fromLatin1(kBusyMessage));
  return false;
}

void CDlgMain::RunWindowArea(int area, QPoint at) {
  switch (area) {
    case kAreaUpload:
      if (!m_download.Busy()) m_progress->CentreOver(this);
      m_download.Upload();
      return;
    case kAreaPrint:
      if (Idle()) runPrint();
      return;
    case kAreaCalendar:
      m_dashboard.PickDate(runCalendar);
      return;
    case kAreaExport:
      if (Idle()) runExport();
      return;
    case kAreaImport:
      if (Idle()) runImport();
      return;
    case kAreaSetup:
      if (Idle()) RunSetup();
      return;
    case kAreaExit:
      LeaveToTray();
      return;
    case kAreaHelp:
      ShowHelp(at);
      return;
    case kAreaLogout:
      Logout();
      return;
    case kAreaEdit:
      if (Idle()) RunEdit();
      return;
    default:
      return;
  }
}

void CDlgMain::ShowHelp(QPoint at) {
  QMenu menu(this);
  menu.addAction(QStringLiteral("Quick Start Manual"))->setData(kHelpQuickStart);
  menu.addAction(QStringLiteral("Frequently Asked Questions and Answers"))->setData(kHelpQuestions);
  const int command = runHelpMenu(menu, frameGeometry().topLeft() + at);
  if (command != kHelpQuickStart && command != kHelpQuestions) return;
  const std::string_view name = command == kHelpQuickStart ? kQuickStartManualFile : kQuestionsAndAnswersFile;
  const std::optional<std::filesystem::path> path = FindHelpDocument(name, m_app.ProgramFolder());
  if (!path) {
    ShowWarning(this, QStringLiteral("Help file does not exist"));
    return;
  }
  openDocument(QString::fromStdString(path->string()));
}

void CDlgMain::ApplyUnits() {
  m_dashboard.SetUnits(m_units);
  m_dashboard.SelectChartKind(m_dashboard.Kind());
  RefreshUserPanel();
}

void CDlgMain::RunSetup() {
  int distance = m_units.miles ? 1 : 0;
  int weight = m_units.pounds ? 1 : 0;
  bool handshake = m_handshake;
  runSettings(distance, weight, handshake);  // Cancel hands back what it was given
  m_units = {distance == 1, weight == 1};
  m_handshake = handshake;
  m_settings.distanceUnit = static_cast<std::uint8_t>(distance == 1 ? 1 : 0);
  m_settings.weightUnit = static_cast<std::uint8_t>(weight == 1 ? 1 : 0);
  const Status saved = m_settings.Save();
  if (!saved && !m_settingsWarned) {
    // The choice applies for this run all the same; say so once.
    m_settingsWarned = true;
    ShowWarning(this, QStringLiteral("The unit settings could not be saved:\n%1\n\nThey apply until Tempovia ends.")
                          .arg(Utf8(saved.message())));
  }
  ApplyUnits();
}

void CDlgMain::RunPrint() {
  // The window as it is now, before the options dialog covers it.
  QString captureError;
  CPrntScreen capture;
  const std::unique_ptr<CaptureFile> picture = capture.CaptureToFile(*this, &captureError);
  CDlgPrint dialog(this, m_app.Now());
  dialog.SetOutputFolder(QString::fromStdString(LastReportFolder(m_settings)));
  if (runPrintOptions(dialog) != CDlgPrint::kOk) return;
  if (!picture && dialog.IsChartSet())
    ShowWarning(this, QStringLiteral("The picture of the window could not be made:\n%1\n\nThe chart page stays empty.")
                          .arg(captureError));
  ReleaseUserFiles();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // Failures have been shown by the time it returns; success says nothing.
  WriteReport(MakeReportRequest(dialog.Options(), picture ? picture->Path() : std::filesystem::path()),
              m_users.Current(), m_app.Paths(), m_settings);
  QApplication::restoreOverrideCursor();
}

void CDlgMain::RunTransfer(bool import) {
  DataTransferFlow flow(m_app.Paths(), m_users, *this, m_app.Now());
  const DataTransferFlow::Outcome outcome = import ? flow.Import() : flow.Export();
  if (outcome == DataTransferFlow::Outcome::UserChanged) ShowUserAnew();
}

void CDlgMain::ShowUserAnew() {
  // The user and their files are another's now: nothing of the previous
  // user's may stay on the screen or be written to.
  LoadPhoto();
  RefreshUserPanel();
  OpenUserFiles();
  ApplyUnits();
}

std::filesystem::path CDlgMain::ChooseFolder(const std::string& title) {
  return chooseFolder(Utf8(title));
}

bool CDlgMain::AskYesNo(const std::string& question) {
  return tempovia::AskYesNo(this, Utf8(question));
}

void CDlgMain::Show(NoticeIcon icon, const std::string& text) {
  ShowMessage(icon, text);
}

void CDlgMain::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void CDlgMain::RunEdit() {
  if (!runEditor()) return;
  RefreshUserPanel();
  ClearDashboard();
  LoadPhoto();
}

// ------------------------------------------------------- window commands

void CDlgMain::ShowFromTray() {
  showNormal();
  raise();
  activateWindow();
}

void CDlgMain::HideToTray() {
  // Where no notification area exists a hidden window could never come back.
  if (m_tray->IsCreated()) {
    hide();
  } else {
    showMinimized();
  }
}

void CDlgMain::LeaveToTray() {
  if (!m_started || m_dashboard.MayLeave()) HideToTray();
}

void CDlgMain::Logout() {
  if (!Idle() || !m_dashboard.MayLeave()) return;
  done(kLogoutResult);
}

void CDlgMain::LogoutUnattended() {
  // A download under way keeps the window; its end refreshes it as usual.
  if (m_download.Busy()) return;
  done(kLogoutResult);
}

void CDlgMain::ExitProgram() {
  if (!Idle() || !m_dashboard.MayLeave()) return;
  done(kExitResult);
  QMetaObject::invokeMethod(
      qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void CDlgMain::done(int result) {
  // Every way out has saved the note or given it up by now but one: a
  // window ended from outside, where the note is kept the unattended way.
  m_dashboard.SaveDayNoteUnattended();
  m_dashboard.Files().Release();
  m_timer.stop();
  disconnect(m_deviceChanges);
  if (m_progress != nullptr) m_progress->hide();
  QDialog::done(result);
  m_modal.End();
}

void CDlgMain::OnTrayCommand(int command) {
  switch (command) {
    case kTrayShowCommand:
      ShowFromTray();
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

void CDlgMain::OnTimer() {
  if (m_progress->isVisible() != m_progressVisible) m_progress->setVisible(m_progressVisible);
  m_dashboard.Tick();
}

// ------------------------------------------------------------------ events

void CDlgMain::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QDialog::mousePressEvent(event);
  const QPoint at = event->position().toPoint();
  const int area = m_dashboard.AreaAt(at.x(), at.y());
  if (area != kAreaNone) {
    RunArea(area, true, at);
    return;
  }
  setCursor(Qt::SizeAllCursor);
  // The desktop moves the window where it can (Wayland allows nothing else).
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
  m_dragOrigin = at;
}

void CDlgMain::mouseMoveEvent(QMouseEvent* event) {
  m_dashboard.ClearRepeat();
  const QPoint at = event->position().toPoint();
  if (m_dragOrigin && (event->buttons() & Qt::LeftButton)) {
    move(pos() + at - *m_dragOrigin);
    return;
  }
  m_dragOrigin.reset();
  const bool overArea = m_started && m_dashboard.AreaAt(at.x(), at.y()) != kAreaNone;
  setCursor(overArea ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void CDlgMain::mouseReleaseEvent(QMouseEvent* event) {
  m_dragOrigin.reset();
  setCursor(Qt::ArrowCursor);
  m_dashboard.ClearRepeat();
  QDialog::mouseReleaseEvent(event);
}

void CDlgMain::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      Logout();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (Idle() && m_dashboard.MayLeave()) done(kConfirmResult);
        return;
      }
      break;
    default:
      break;
  }
  QDialog::keyPressEvent(event);
}

void CDlgMain::closeEvent(QCloseEvent* event) {
  // The close box only hides; the window ends by LOGOUT, Escape, Enter or
  // the tray's Exit.
  event->ignore();
  LeaveToTray();
}

void CDlgMain::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized) && m_tray->IsCreated()) {
    // Minimising hides to the tray; shown again, the window is normal.
    QMetaObject::invokeMethod(
        this,
        [this] {
          setWindowState(windowState() & ~Qt::WindowMinimized);
          hide();
        },
        Qt::QueuedConnection);
  }
}

bool CDlgMain::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && m_started) {
    // The areas' buttons let the mouse through, so their tips come from here.
    auto* help = static_cast<QHelpEvent*>(event);
    const int area = m_dashboard.AreaAt(help->pos().x(), help->pos().y());
    if (area != kAreaNone) {
      QToolTip::showText(help->globalPos(), m_areaButtons[static_cast<std::size_t>(area)]->toolTip(), this);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QDialog::event(event);
}

}  // namespace tempovia
