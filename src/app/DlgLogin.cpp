#include "DlgLogin.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

#include "AppContext.h"
#include "Artwork.h"
#include "DlgMain.h"
#include "DlgUserRecord.h"
#include "ExStatic.h"
#include "HitAreaButton.h"
#include "Label.h"
#include "LoginRules.h"
#include "MessageBoxes.h"
#include "TrayNotifyIcon.h"
#include "UserRules.h"
#include "VerifyPWDlg.h"
#include "Windows1252Validator.h"

namespace tempovia {

namespace {

QString Utf8(const std::string& text) {
  return QString::fromStdString(text);
}

struct LoginKey {
  int area;
  const char* name;
  QKeySequence keys;
};

const std::array<LoginKey, 5>& LoginKeys() {
#ifdef Q_OS_MACOS
  constexpr auto arrows = Qt::CTRL | Qt::ALT;
#else
  constexpr auto arrows = Qt::ALT;
#endif
  static const std::array<LoginKey, 5> keys{{
      {kLoginLogIn, "LOGIN", QKeySequence(Qt::Key_Return)},
      {kLoginNewUser, "NEW USER", QKeySequence(Qt::ALT | Qt::Key_N)},
      {kLoginDeleteUser, "DELETE USER", QKeySequence(Qt::ALT | Qt::Key_D)},
      {kLoginPreviousUser, "Previous user", QKeySequence(arrows | Qt::Key_Left)},
      {kLoginNextUser, "Next user", QKeySequence(arrows | Qt::Key_Right)},
  }};
  return keys;
}

}  // namespace

CDlgLogin::CDlgLogin(std::unique_ptr<TrayArea> trayArea, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint),
      m_tray(std::make_unique<CTrayNotifyIcon>(std::move(trayArea))) {
  setWindowTitle(QStringLiteral("Login"));
  setWindowIcon(AppIcon());
  setFixedSize(kLoginWidth, kLoginHeight);
  setMouseTracking(true);

  m_background = new CExStatic(this);
  m_background->setGeometry(0, 0, kLoginWidth, kLoginHeight);
  m_background->LoadPicture(Picture::LoginBackground);
  m_background->setAttribute(Qt::WA_TransparentForMouseEvents);

  m_name = new CLabel(this);
  const Box nameBox = BoxOf(kLoginAreas[kLoginNameBox]);
  m_name->setGeometry(nameBox.x, nameBox.y, nameBox.width, nameBox.height);
  m_name->SetBkColor(kLoginNameBackground);
  m_name->SetTextColor(kBlack);
  m_name->SetFontSize(kLoginNameFontSize);
  m_name->SetFontBold(true);
  m_name->setAttribute(Qt::WA_TransparentForMouseEvents);
  m_name->setAccessibleName(QStringLiteral("User"));

  m_password = new QLineEdit(this);
  const Box passwordBox = BoxOf(kLoginAreas[kLoginPasswordBox]);
  m_password->setGeometry(passwordBox.x, passwordBox.y, passwordBox.width, passwordBox.height);
  m_password->setEchoMode(QLineEdit::Password);
  m_password->setValidator(new Windows1252Validator(static_cast<int>(kLongestStoredPassword), m_password));
  m_password->setAccessibleName(QStringLiteral("Password"));
  connect(m_password, &QLineEdit::returnPressed, this, [this] { LogIn(); });

  m_version = new CLabel(this);
  m_version->setGeometry(kLoginVersionBox.x, kLoginVersionBox.y, kLoginVersionBox.width, kLoginVersionBox.height);
  m_version->SetBkColor(kVersionBackground);
  m_version->SetTextColor(kWhite);
  m_version->SetFontSize(kVersionFontSize);
  m_version->SetFontBold(false);
  m_version->setAttribute(Qt::WA_TransparentForMouseEvents);

  for (const LoginKey& key : LoginKeys()) {
    auto* button = new CHitAreaButton(key.area, kLoginAreas[static_cast<std::size_t>(key.area)],
                                      QString::fromLatin1(key.name), key.keys.toString(QKeySequence::NativeText), this);
    connect(button, &QAbstractButton::clicked, this, [this, area = key.area] { RunArea(area); });
    m_buttons[static_cast<std::size_t>(key.area)] = button;
    if (key.area == kLoginLogIn) continue;  // Enter in the password box
    auto* shortcut = new QShortcut(key.keys, this);
    connect(shortcut, &QShortcut::activated, this, [this, area = key.area] { RunArea(area); });
  }

  runNewUser = [this] {
    if (m_main == nullptr) return false;
    const Units& units = m_main->GetUnits();
    CDlgUserRecord editor(
        m_main->Users(), m_main->App().Paths(), units.miles ? 1 : 0, units.pounds ? 1 : 0,
        [this] { m_main->RefreshUserPanel(); }, this);
    editor.SetCreateMode(true);
    return editor.exec() == QDialog::Accepted;
  };
  askPassword = [this]() -> std::optional<QString> {
    CVerifyPWDlg verify(this);
    if (verify.exec() != QDialog::Accepted) return std::nullopt;
    return verify.Password();
  };
  connect(m_tray.get(), &CTrayNotifyIcon::Command, this, [this](int command) { OnTrayCommand(command); });
}

CDlgLogin::~CDlgLogin() {
  if (m_main != nullptr) m_main->App().Watch().Unregister(this);
}

int CDlgLogin::exec() {
  Start();
  return m_modal.Run(*this);
}

void CDlgLogin::done(int result) {
  QDialog::done(result);
  m_modal.End();
}

void CDlgLogin::Start() {
  if (m_started || m_main == nullptr) return;
  m_started = true;
  if (!m_tray->Create(this, kTrayMenuId, QStringLiteral("Double click to activate Tempovia"), AppIcon()))
    ShowWarning(this, QStringLiteral("Can't Setup Tray ICON"));
  AppContext& app = m_main->App();
  app.Watch().OpenFor(this);
  connect(&app.Devices(), &DeviceWatch::Changed, this, [this](const DeviceChange& change) { OnDeviceChange(change); });
  m_version->setText(QStringLiteral("V ") + QString::fromLatin1(CDlgMain::kVersion));
  // Loading the data store has said why it failed, if it did.
  UsersOpen(false);
  ShowName();
  FocusPassword();
  if (m_startInTray) {
    m_startInTray = false;
    // Opened minimised, then hidden once it is up. Without a notification
    // area it stays minimised: hidden, nothing could bring it back.
    setWindowState(windowState() | Qt::WindowMinimized);
    if (m_tray->IsCreated()) QTimer::singleShot(1, this, [this] { hide(); });
  }
}

void CDlgLogin::ShowName() {
  if (m_main != nullptr) m_name->setText(Utf8(ShownUserText(m_main->Users())));
}

bool CDlgLogin::UsersOpen(bool tell) {
  if (m_main->Users().IsOpen()) return true;
  const Status opened = m_main->OpenUsers();
  if (opened) {
    ShowName();
    return true;
  }
  if (tell) ShowWarning(this, Utf8(opened.message()));
  return false;
}

void CDlgLogin::BringForward() {
  showNormal();
  raise();
  activateWindow();
  FocusPassword();
}

void CDlgLogin::FocusPassword() {
  m_password->setFocus();
}

void CDlgLogin::Refused(const QString& text, bool information) {
  if (information) {
    ShowInformation(this, text);
  } else {
    ShowWarning(this, text);
  }
}

void CDlgLogin::RunArea(int area) {
  switch (area) {
    case kLoginLogIn:
      LogIn();
      return;
    case kLoginNewUser:
      NewUser();
      return;
    case kLoginDeleteUser:
      DeleteUser();
      return;
    case kLoginPreviousUser:
      PreviousUser();
      return;
    case kLoginNextUser:
      NextUser();
      return;
    default:
      return;
  }
}

void CDlgLogin::LogIn() {
  if (m_main == nullptr) return;
  if (!UsersOpen(true)) {
    m_password->clear();
    FocusPassword();
    return;
  }
  const LoginResult result = TryLogin(m_main->Users(), m_password->text().toStdString());
  if (result == LoginResult::LoggedIn) {
    m_loggedIn = true;
    done(kLoggedInResult);
    return;
  }
  const Notice refusal = LoginRefusal(result);
  Refused(Utf8(refusal.text), refusal.icon == NoticeIcon::Information);
  m_password->clear();
  FocusPassword();
}

void CDlgLogin::NextUser() {
  m_main->ClearDashboard();
  ShowNextUser(m_main->Users());
  m_main->RefreshUserPanel();
  ShowName();
  FocusPassword();
}

void CDlgLogin::PreviousUser() {
  m_main->ClearDashboard();
  ShowPreviousUser(m_main->Users());
  m_main->RefreshUserPanel();
  ShowName();
  FocusPassword();
}

void CDlgLogin::NewUser() {
  if (!UsersOpen(true)) return;
  if (runNewUser()) {
    m_main->ClearDashboard();
    ShowNewUser(m_main->Users());
    ShowName();
  }
  FocusPassword();
}

void CDlgLogin::DeleteUser() {
  if (!UsersOpen(true)) return;
  UserData& users = m_main->Users();
  if (const std::optional<Notice> refusal = DeleteRefusal(users)) {
    Refused(Utf8(refusal->text), false);
    return;
  }
  const std::optional<QString> typed = askPassword();
  if (!typed) return;
  const Notice result = DeleteShownUser(users, typed->toStdString());
  ShowName();
  CurrentMessageBoxes().Show(this, result.icon, Utf8(result.text), MessageButtons::Ok);
  FocusPassword();
}

void CDlgLogin::OnDeviceChange(const DeviceChange& change) {
  if (m_main == nullptr) return;
  // Nobody is logged in to log out: the watch's return only brings the
  // window to the person who plugged it in.
  if (m_main->App().Watch().HandleDeviceChange(change, this) == WatchDriverHost::ChangeResult::Connected)
    BringForward();
}

void CDlgLogin::OnReconnected() {
  m_main->App().Watch().HandleReconnected(this);
}

void CDlgLogin::OnDisconnected() {
  m_main->App().Watch().HandleDisconnected(m_main->App().Now().MonotonicMs());
}

void CDlgLogin::HideToTray() {
  if (m_tray->IsCreated()) {
    hide();
  } else {
    showMinimized();
  }
}

void CDlgLogin::OnTrayCommand(int command) {
  switch (command) {
    case kTrayShowCommand:
      BringForward();
      return;
    case kTrayHideCommand:
      HideToTray();
      return;
    case kTrayExitCommand:
      done(kCancelResult);
      return;
    default:
      return;
  }
}

void CDlgLogin::reject() {
  // Escape ends the program.
  done(kCancelResult);
}

void CDlgLogin::closeEvent(QCloseEvent* event) {
  event->ignore();
  HideToTray();
}

void CDlgLogin::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized) && m_tray->IsCreated()) {
    QTimer::singleShot(0, this, [this] {
      setWindowState(windowState() & ~Qt::WindowMinimized);
      hide();
    });
  }
}

void CDlgLogin::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QDialog::mousePressEvent(event);
  const QPoint at = event->position().toPoint();
  const int area = LoginHitTest(at.x(), at.y());
  if (area != kLoginNone) {
    RunArea(area);
    return;
  }
  setCursor(Qt::SizeAllCursor);
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
  m_dragOrigin = at;
}

void CDlgLogin::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (m_dragOrigin && (event->buttons() & Qt::LeftButton)) {
    move(pos() + at - *m_dragOrigin);
    return;
  }
  m_dragOrigin.reset();
  setCursor(LoginHitTest(at.x(), at.y()) != kLoginNone ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void CDlgLogin::mouseReleaseEvent(QMouseEvent* event) {
  m_dragOrigin.reset();
  setCursor(Qt::ArrowCursor);
  QDialog::mouseReleaseEvent(event);
}

}  // namespace tempovia
