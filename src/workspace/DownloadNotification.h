#pragma once
// The word the desktop gives when a download ends while the main window is
// hidden in the notification area or minimised: how much was stored, or why
// it failed. The message boxes still come; this tells a user who is not
// looking that there is something to look at.

#include <string>
#include <utility>

namespace tempovia {

struct DownloadOutcome {
  bool ok = false;
  bool clockSet = false;  // the watch's clock was set; nothing was downloaded
  int daysStored = 0;
  int exercisesStored = 0;
  std::string failure;  // the warning the user is given, when not ok

  static DownloadOutcome Stored(int days, int sessions) { return {true, false, days, sessions, {}}; }
  static DownloadOutcome ClockSet() { return {true, true, 0, 0, {}}; }
  static DownloadOutcome Failed(std::string why) { return {false, false, 0, 0, std::move(why)}; }
};

struct DesktopNotification {
  std::string title;
  std::string body;
  bool failed = false;  // shown with the warning icon
};

DesktopNotification DownloadNotification(const DownloadOutcome& outcome);

}  // namespace tempovia
