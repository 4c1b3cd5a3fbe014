#pragma once
// What the login window does with the user database, without the window: the
// shown user is the database's current record; logging in compares the
// typed password with it; the arrows step through the users, round and
// round; deleting a user wants the password again.

#include <optional>
#include <string>
#include <string_view>

#include "Notice.h"
#include "UserData.h"

namespace tempovia {

inline constexpr char kEnterPasswordMessage[] = "Please enter password to login";
inline constexpr char kIncorrectLoginMessage[] = "Incorrect Login";
inline constexpr char kNoUserRecordMessage[] = "No User Record";
inline constexpr char kSelectUserMessage[] = "Please select an user";
inline constexpr char kInvalidPasswordMessage[] = "Invalid Password";
inline constexpr char kUserDeletedMessage[] = "User Record Deleted";

// The name label's text, UTF-8: two blanks and the shown user's name.
std::string ShownUserText(const UserData& users);

enum class LoginResult { EmptyPassword, Incorrect, LoggedIn };
// With no users the current record is all zero: nobody can log in.
LoginResult TryLogin(const UserData& users, std::string_view typedUtf8);
// The message a refused login shows, with its icon.
Notice LoginRefusal(LoginResult result);

// The next and previous users; past either end the list starts again.
void ShowNextUser(UserData& users);
void ShowPreviousUser(UserData& users);
// After a user was added: the new user (the last) is shown.
void ShowNewUser(UserData& users);

// Whether the shown user may be deleted at all; the refusal when not.
std::optional<Notice> DeleteRefusal(UserData& users);
// Deletes the shown user (record, step and exercise files, photo) when the
// typed password is theirs, then shows the first user left. The message to
// show either way.
Notice DeleteShownUser(UserData& users, std::string_view typedUtf8);

}  // namespace tempovia
