#include "LoginRules.h"

#include "UserRules.h"
#include "Windows1252.h"

namespace tempovia {

std::string ShownUserText(const UserData& users) {
  return "  " + Windows1252ToUtf8(users.Current().name);
}

LoginResult TryLogin(const UserData& users, std::string_view typedUtf8) {
  if (typedUtf8.empty()) return LoginResult::EmptyPassword;
  if (users.GetCount() > 0 && PasswordsMatch(typedUtf8, users.Current().password)) return LoginResult::LoggedIn;
  return LoginResult::Incorrect;
}

Notice LoginRefusal(LoginResult result) {
  if (result == LoginResult::EmptyPassword) return {NoticeIcon::Warning, kEnterPasswordMessage};
  return {NoticeIcon::Information, kIncorrectLoginMessage};
}

void ShowNextUser(UserData& users) {
  if (users.GetCount() == 0) return;
  if (users.GetCount() == 1 || !users.MoveNextActive()) users.MoveFirst();
}

void ShowPreviousUser(UserData& users) {
  if (users.GetCount() == 0) return;
  if (users.GetCount() == 1) {
    users.MoveFirst();
    return;
  }
  if (!users.MovePrevActive()) users.MoveLastActive();
}

void ShowNewUser(UserData& users) {
  if (users.GetCount() > 0) users.MoveLastActive();
}

std::optional<Notice> DeleteRefusal(UserData& users) {
  if (users.GetCount() == 0) return Notice{NoticeIcon::Warning, kNoUserRecordMessage};
  if (users.Current().name.empty()) return Notice{NoticeIcon::Warning, kSelectUserMessage};
  return std::nullopt;
}

Notice DeleteShownUser(UserData& users, std::string_view typedUtf8) {
  if (!PasswordsMatch(typedUtf8, users.Current().password)) return {NoticeIcon::Warning, kInvalidPasswordMessage};
  const std::int32_t id = users.Current().id;
  const int result = users.Delete(id);
  if (result == UserData::kNotFound) {
    users.MoveFirst();
    return {NoticeIcon::Warning, "This user is no longer in the user database."};
  }
  if (result == UserData::kNotWritten) {
    // Nothing was removed; the user stays shown.
    const std::string reason = users.LastError();
    users.FindById(id);
    return {NoticeIcon::Warning, "The user could not be deleted:\n" + reason};
  }
  users.ClearCurrent();
  if (users.GetCount() > 0) users.MoveFirst();
  return {NoticeIcon::None, kUserDeletedMessage};
}

}  // namespace tempovia
