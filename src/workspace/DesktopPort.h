#pragma once
// What the desktop gives the workspace: message boxes and questions, the
// folder chooser, the dialogs the workspace asks for, the wait cursor, and
// the way back to the user-interface thread. The program implements it with
// its windows; tests (and the monkey) answer it from a script.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/Notice.h"
#include "dashboard/ChartDashboard.h"
#include "report/CaptureFile.h"
#include "report/ReportOptions.h"
#include "workspace/DownloadLoop.h"

namespace tempovia {

class CalendarDays;
class UserEditor;

// The settings dialog's three choices: kept as they were when cancelled.
struct SettingsChoices {
  int distanceUnit = 0;  // 0 km and cm, 1 miles and feet
  int weightUnit = 0;    // 0 kg, 1 pound
  bool handshake = true;
  bool downloadOnPlugIn = false;  // "Download when the watch is plugged in"
};

// What PRINT asks for: the report options, and the picture of the window
// taken before the dialog covered it (or why there is none).
struct ReportJob {
  ReportOptions options;
  std::unique_ptr<CaptureFile> picture;
  std::string captureError;
};

// The HELP menu's two commands, and its answer when closed without one.
enum class HelpChoice { None, QuickStart, Questions };

class DesktopPort {
 public:
  virtual ~DesktopPort() = default;

  // A message box with the program's caption; the text is UTF-8.
  virtual void Show(NoticeIcon icon, const std::string& text) = 0;
  // A Yes/No question; true for Yes. A warning icon asks whether to give
  // something up (its default answer keeps it).
  virtual bool Ask(NoticeIcon icon, const std::string& question) = 0;
  // A folder, or empty when cancelled (or not a folder of the file system,
  // which the chooser has said).
  virtual std::filesystem::path ChooseFolder(const std::string& title) = 0;
  // The wait cursor while files are copied or a report is written.
  virtual void SetBusyCursor(bool busy) = 0;
  // Runs fn on the user-interface thread after what is queued now; any thread.
  virtual void Post(std::function<void()> fn) = 0;
  // Ends the program's own loop (the tray's Exit).
  virtual void Quit() = 0;

  // The upload dialog, opened with the remembered choices; false on Cancel.
  virtual bool AskUploadChoices(DownloadChoices& choices) = 0;
  // The calendar over the user's days.
  virtual ChartDashboard::CalendarResult RunCalendar(CalendarDays& days) = 0;
  // The settings dialog; false on Cancel (the choices then stay as given).
  virtual bool RunSettings(SettingsChoices& choices) = 0;
  // The user record editor on this editor's user; true when it saved.
  virtual bool RunEditor(UserEditor& editor) = 0;
  // "Verify Password": the typed password (UTF-8), or nothing on Cancel.
  virtual std::optional<std::string> AskPassword() = 0;
  // The HELP menu at a point of the main window (client pixels).
  virtual HelpChoice RunHelpMenu(int x, int y) = 0;
  // Opens a document with the desktop's viewer; false when it could not.
  virtual bool OpenDocument(const std::filesystem::path& path) = 0;
  // PRINT: the window's picture, then the report options (starting in the
  // last report folder); nothing when the options were cancelled.
  virtual std::optional<ReportJob> AskReport(const std::string& lastFolder) = 0;
};

}  // namespace tempovia
