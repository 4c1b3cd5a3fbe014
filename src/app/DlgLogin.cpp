#include "app/DlgLogin.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

#include "app/AppContext.h"
#include "app/DlgMain.h"
#include "app/HitAreaButton.h"
#include "app/WindowPlace.h"
#include "users/UserRules.h"
#include "widgets/Artwork.h"
#include "widgets/ExStatic.h"
#include "widgets/Label.h"
#include "widgets/QtText.h"
#include "widgets/TrayNotifyIcon.h"
#include "widgets/Windows1252Validator.h"

namespace tempovia {

namespace {

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

CDlgLogin::CDlgLogin(AppContext& app, std::unique_ptr<TrayArea> trayArea, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint),
      m_app(app),
      m_tray(std::make_unique<CTrayNotifyIcon>(std::move(trayArea))),
      m_presenter(app.Work(), *this) {
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
  connect(m_password, &QLineEdit::returnPressed, this, [this] { m_presenter.LogIn(m_password->text().toStdString()); });

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

  connect(m_tray.get(), &CTrayNotifyIcon::Command, this, [this](int command) { m_presenter.TrayCommand(command); });
}

CDlgLogin::~CDlgLogin() {
  if (m_app.Desktop().Window() == this) m_app.Desktop().SetWindow(nullptr);
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
  if (m_started) return;
  m_started = true;
  m_app.Desktop().SetWindow(this);
  const bool trayCreated = CreateWindowTray(*m_tray, *this);
  m_version->setText(QStringLiteral("V ") + QString::fromLatin1(CDlgMain::kVersion));
  m_presenter.Start(trayCreated, m_startInTray);
  m_startInTray = false;
}

void CDlgLogin::RunArea(int area) {
  switch (area) {
    case kLoginLogIn:
      m_presenter.LogIn(m_password->text().toStdString());
      return;
    case kLoginNewUser:
      m_presenter.NewUser();
      return;
    case kLoginDeleteUser:
      m_presenter.DeleteUser();
      return;
    case kLoginPreviousUser:
      m_presenter.PreviousUser();
      return;
    case kLoginNextUser:
      m_presenter.NextUser();
      return;
    default:
      return;
  }
}

void CDlgLogin::ShowUserName(const std::string& text) {
  m_name->setText(FromUtf8(text));
}

void CDlgLogin::ClearPassword() {
  m_password->clear();
  FocusPassword();
}

void CDlgLogin::FocusPassword() {
  m_password->setFocus();
}

void CDlgLogin::BringForward() {
  BringWindowForward(*this);
  FocusPassword();
}

void CDlgLogin::Hide() {
  HideWindow(*this);
}

void CDlgLogin::StartHidden(bool hideIt) {
  // Opened minimised, then hidden once it is up.
  setWindowState(windowState() | Qt::WindowMinimized);
  // Brought forward before then (the watch plugged in at once), it stays.
  if (hideIt)
    QTimer::singleShot(1, this, [this] {
      if (windowState() & Qt::WindowMinimized) hide();
    });
}

void CDlgLogin::reject() {
  m_presenter.Escape();
}

void CDlgLogin::closeEvent(QCloseEvent* event) {
  event->ignore();
  m_presenter.CloseBox();
}

void CDlgLogin::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized) && m_started)
    m_presenter.Minimised();
}

void CDlgLogin::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QDialog::mousePressEvent(event);
  const QPoint at = event->position().toPoint();
  const int area = LoginHitTest(at.x(), at.y());
  if (area != kLoginNone) {
    RunArea(area);
    return;
  }
  m_drag.Press(*this, at);
}

void CDlgLogin::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (m_drag.Move(*this, at, event->buttons())) return;
  setCursor(LoginHitTest(at.x(), at.y()) != kLoginNone ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void CDlgLogin::mouseReleaseEvent(QMouseEvent* event) {
  m_drag.End(*this);
  QDialog::mouseReleaseEvent(event);
}

}  // namespace tempovia
