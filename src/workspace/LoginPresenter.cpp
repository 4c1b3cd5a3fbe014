#include "workspace/LoginPresenter.h"

#include "base/Windows1252.h"
#include "skin/WindowCommands.h"
#include "users/UserEditor.h"
#include "users/UserRules.h"

namespace tempovia {

namespace {

constexpr char kEnterPasswordMessage[] = "Please enter password to login";
constexpr char kIncorrectLoginMessage[] = "Incorrect Login";
constexpr char kNoUserRecordMessage[] = "No User Record";
constexpr char kSelectUserMessage[] = "Please select an user";
constexpr char kInvalidPasswordMessage[] = "Invalid Password";
constexpr char kUserDeletedMessage[] = "User Record Deleted";

// The places of the file the arrows step through, as the user database's
// cursor steps: past either end they start again, a hidden user is passed
// over, and the first record of the file is where the next arrow wraps to.
int NextPlace(const std::vector<LocalUserRecord>& users, int shown) {
  if (users.size() <= 1) return 0;
  for (int i = shown + 1; i < static_cast<int>(users.size()); ++i)
    if (users[static_cast<std::size_t>(i)].hidden == 0) return i;
  return 0;
}

int LastActivePlace(const std::vector<LocalUserRecord>& users) {
  for (int i = static_cast<int>(users.size()) - 1; i >= 0; --i)
    if (users[static_cast<std::size_t>(i)].hidden == 0) return i;
  return 0;
}

int PreviousPlace(const std::vector<LocalUserRecord>& users, int shown) {
  if (users.size() <= 1) return 0;
  for (int i = std::min(shown, static_cast<int>(users.size())) - 1; i >= 0; --i)
    if (users[static_cast<std::size_t>(i)].hidden == 0) return i;
  return LastActivePlace(users);
}

}  // namespace

LoginPresenter::LoginPresenter(Workspace& workspace, LoginView& view) : m_workspace(workspace), m_view(view) {}

LoginPresenter::~LoginPresenter() {
  m_workspace.SetFront(nullptr);
}

void LoginPresenter::Start(bool trayCreated, bool startInTray) {
  m_trayCreated = trayCreated;
  if (!trayCreated) m_workspace.TrayMissing();
  m_workspace.Watch().OpenWatch();
  m_workspace.SetFront(this);
  // Loading the data store has said why it failed, if it did.
  UsersOpen(false);
  m_shown = 0;
  ShowName();
  m_view.FocusPassword();
  // Without a notification area it stays minimised: hidden, nothing could
  // bring it back.
  if (startInTray) m_view.StartHidden(m_trayCreated);
}

std::optional<LocalUserRecord> LoginPresenter::Shown() const {
  const UserData& users = m_workspace.Users();
  if (m_shown < 0 || m_shown >= users.GetCount()) return std::nullopt;
  return users.RecordAt(m_shown);
}

void LoginPresenter::ShowName() {
  const std::optional<LocalUserRecord> shown = Shown();
  m_view.ShowUserName("  " + (shown ? Windows1252ToUtf8(shown->name) : std::string()));
}

bool LoginPresenter::UsersOpen(bool tell) {
  if (m_workspace.Users().IsOpen()) return true;
  const Status opened = m_workspace.OpenUsers();
  if (opened) {
    m_shown = 0;
    ShowName();
    return true;
  }
  if (tell) m_workspace.Desktop().Show(NoticeIcon::Warning, opened.message());
  return false;
}

void LoginPresenter::LogIn(const std::string& typedUtf8) {
  if (!UsersOpen(true)) {
    m_view.ClearPassword();
    return;
  }
  const std::optional<LocalUserRecord> shown = Shown();
  if (typedUtf8.empty()) {
    m_workspace.Desktop().Show(NoticeIcon::Warning, kEnterPasswordMessage);
  } else if (shown && PasswordsMatch(typedUtf8, shown->password)) {
    // With no users nobody can log in: there is no password to match.
    m_loggedIn = true;
    m_workspace.LogIn(*shown);
    m_view.End(kLoggedInResult);
    return;
  } else {
    m_workspace.Desktop().Show(NoticeIcon::Information, kIncorrectLoginMessage);
  }
  m_view.ClearPassword();
}

void LoginPresenter::NextUser() {
  m_shown = NextPlace(m_workspace.Users().All(), m_shown);
  ShowName();
  m_view.FocusPassword();
}

void LoginPresenter::PreviousUser() {
  m_shown = PreviousPlace(m_workspace.Users().All(), m_shown);
  ShowName();
  m_view.FocusPassword();
}

void LoginPresenter::NewUser() {
  if (!UsersOpen(true)) return;
  const Units& units = m_workspace.GetUnits();
  UserEditor editor(m_workspace.Users(), m_workspace.Paths(), UserEditor::Mode::Create, LocalUserRecord{}, units.miles,
                    units.pounds, m_workspace.Now().Now());
  if (m_workspace.Desktop().RunEditor(editor) && editor.Saved()) {
    // The new user is the last one of the file.
    m_shown = LastActivePlace(m_workspace.Users().All());
    ShowName();
  }
  m_view.FocusPassword();
}

void LoginPresenter::DeleteUser() {
  if (!UsersOpen(true)) return;
  DesktopPort& desktop = m_workspace.Desktop();
  UserData& users = m_workspace.Users();
  const std::optional<LocalUserRecord> shown = Shown();
  if (users.GetCount() == 0 || !shown) {
    desktop.Show(NoticeIcon::Warning, kNoUserRecordMessage);
    return;
  }
  if (shown->name.empty()) {
    desktop.Show(NoticeIcon::Warning, kSelectUserMessage);
    return;
  }
  const std::optional<std::string> typed = desktop.AskPassword();
  if (!typed) return;
  if (!PasswordsMatch(*typed, shown->password)) {
    desktop.Show(NoticeIcon::Warning, kInvalidPasswordMessage);
    return;
  }
  switch (users.Delete(shown->id)) {
    case UserData::kDeleted:
      m_shown = 0;  // the first user left
      ShowName();
      desktop.Show(NoticeIcon::None, kUserDeletedMessage);
      break;
    case UserData::kNotFound:
      m_shown = 0;
      ShowName();
      desktop.Show(NoticeIcon::Warning, "This user is no longer in the user database.");
      break;
    default:
      // Nothing was removed; the user stays shown.
      desktop.Show(NoticeIcon::Warning, "The user could not be deleted:\n" + users.LastError());
      break;
  }
  m_view.FocusPassword();
}

void LoginPresenter::HideToTray() {
  if (m_trayCreated) {
    m_view.Hide();
  } else {
    m_view.Minimise();
  }
}

void LoginPresenter::TrayCommand(int command) {
  switch (command) {
    case kTrayShowCommand:
      BringForward();
      return;
    case kTrayHideCommand:
      HideToTray();
      return;
    case kTrayExitCommand:
      m_view.End(kCancelResult);
      return;
    default:
      return;
  }
}

void LoginPresenter::Escape() {
  // Escape ends the program.
  m_view.End(kCancelResult);
}

void LoginPresenter::CloseBox() {
  HideToTray();
}

void LoginPresenter::Minimised() {
  if (m_trayCreated) m_view.Hide();
}

WindowState LoginPresenter::State() const {
  return m_view.IsHidden() ? WindowState::LoginHidden : WindowState::Login;
}

void LoginPresenter::BringForward() {
  m_view.BringForward();
}

}  // namespace tempovia
