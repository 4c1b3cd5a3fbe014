#include "workspace/DownloadNotification.h"

#include "base/Printf.h"

namespace tempovia {
namespace {

std::string Count(int count, const char* one, const char* many) {
  return count == 1 ? Printf("1 %s", one) : Printf("%d %s", count, many);
}

// A message box's text on one line: a notification shows few lines, and its
// blank lines would waste them.
std::string OneLine(const std::string& text) {
  std::string line;
  bool gap = false;
  for (const char c : text) {
    if (c == '\n' || c == '\r') {
      gap = !line.empty();
      continue;
    }
    if (gap) line += ' ';
    gap = false;
    line += c;
  }
  return line;
}

}  // namespace

DesktopNotification DownloadNotification(const DownloadOutcome& outcome) {
  if (!outcome.ok) return {"Download failed", OneLine(outcome.failure), true};
  if (outcome.clockSet) return {"Watch clock set", "The watch's clock was set from the computer.", false};
  if (outcome.daysStored == 0 && outcome.exercisesStored == 0)
    return {"Download finished", "The watch held no days or sessions to store.", false};
  return {"Download finished",
          "Stored " + Count(outcome.daysStored, "day", "days") + " and " +
              Count(outcome.exercisesStored, "exercise session", "exercise sessions") + ".",
          false};
}

}  // namespace tempovia
