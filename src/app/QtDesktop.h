#pragma once
// The desktop port on Qt: message boxes through the installed MessageBoxes,
// the folder chooser, the program's dialogs (each modal over the window in
// front), the wait cursor and the event loop.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "base/Clock.h"
#include "workspace/DesktopPort.h"

namespace tempovia {

class QtDesktop : public DesktopPort {
 public:
  explicit QtDesktop(const Clock& clock);
  ~QtDesktop() override;

  // The window the dialogs belong to, and whose picture PRINT takes.
  void SetWindow(QWidget* window) { m_window = window; }
  QWidget* Window() const { return m_window; }

  void Show(NoticeIcon icon, const std::string& text) override;
  bool Ask(NoticeIcon icon, const std::string& question) override;
  std::filesystem::path ChooseFolder(const std::string& title) override;
  void SetBusyCursor(bool busy) override;
  void Post(std::function<void()> fn) override;
  void Quit() override;

  bool AskUploadChoices(DownloadChoices& choices) override;
  ChartDashboard::CalendarResult RunCalendar(CalendarDays& days) override;
  bool RunSettings(SettingsChoices& choices) override;
  bool RunEditor(UserEditor& editor) override;
  std::optional<std::string> AskPassword() override;
  HelpChoice RunHelpMenu(int x, int y) override;
  bool OpenDocument(const std::filesystem::path& path) override;
  std::optional<ReportJob> AskReport(const std::string& lastFolder) override;

 protected:
  // The report options dialog, set up, run: its result (CDlgPrint::kOk).
  virtual int RunReportOptions(class CDlgPrint& dialog);
  // "Change Photo" in the user record dialog: the file chosen, empty for none.
  virtual QString ChoosePhotoFile(QWidget* parent);

 private:
  const Clock& m_clock;
  QPointer<QWidget> m_window;
  // What is posted runs while this lives, never after.
  QObject m_context;
};

}  // namespace tempovia
