#pragma once
// The numbers by which the windows' commands and results are known: the
// notification area's menu and its commands, and how the login and main
// windows end. One home for each, for the windows and the rules beneath them.

namespace tempovia {

// The tray menu's (and the icon's) number, and its commands.
constexpr int kTrayMenuId = 179;
constexpr int kTrayShowCommand = 32772;
constexpr int kTrayHideCommand = 32773;
constexpr int kTrayExitCommand = 32776;

// How the login window ends: a user logged in, or the program is to end.
constexpr int kLoggedInResult = 1;
constexpr int kCancelResult = 2;

// How the main window ends: Enter outside the note (the program then ends),
// LOGOUT and Escape, the tray's Exit.
constexpr int kConfirmResult = 1;
constexpr int kLogoutResult = 2;
constexpr int kExitResult = 57665;

}  // namespace tempovia
