#pragma once
// The desktop for tests: every message box and question kept with its icon,
// answers and dialogs from a script, and the user-interface thread's queue
// run by the test (filled from any thread).

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "workspace/DesktopPort.h"
#include "workspace/testing/PostedQueue.h"

namespace tempovia::test {

class ScriptedDesktop final : public DesktopPort {
 public:
  struct Box {
    NoticeIcon icon = NoticeIcon::None;
    std::string text;
    bool question = false;
    bool answer = false;  // for a question
  };

  void Show(NoticeIcon icon, const std::string& text) override;
  // Answered from answers, front first; No when none is left.
  bool Ask(NoticeIcon icon, const std::string& question) override;
  std::filesystem::path ChooseFolder(const std::string& title) override;
  void SetBusyCursor(bool busy) override;
  void Post(std::function<void()> fn) override;
  void Quit() override { ++quits; }

  bool AskUploadChoices(DownloadChoices& choices) override;
  ChartDashboard::CalendarResult RunCalendar(CalendarDays& days) override;
  bool RunSettings(SettingsChoices& choices) override;
  bool RunEditor(UserEditor& editor) override;
  std::optional<std::string> AskPassword() override;
  HelpChoice RunHelpMenu(int x, int y) override;
  bool OpenDocument(const std::filesystem::path& path) override;
  std::optional<ReportJob> AskReport(const std::string& lastFolder) override;

  bool RunUntil(const std::function<bool()>& done) { return m_posted.RunUntil(done); }
  void RunPosted() { m_posted.RunPosted(); }

  // Texts of every box and question, in order.
  std::vector<std::string> Texts() const;
  void Clear() { boxes.clear(); }

  std::vector<Box> boxes;
  std::deque<bool> answers;
  std::filesystem::path folder;  // what the folder chooser gives
  std::vector<std::string> folderTitles;
  std::optional<DownloadChoices> upload = DownloadChoices{false, true};  // nothing: Cancel
  std::vector<DownloadChoices> uploadOffered;
  std::function<ChartDashboard::CalendarResult(CalendarDays&)> calendar;
  std::function<bool(SettingsChoices&)> settings;
  std::function<bool(UserEditor&)> editor;
  std::optional<std::string> password;  // nothing: Cancel
  HelpChoice help = HelpChoice::None;
  std::pair<int, int> helpAt{-1, -1};
  std::vector<std::filesystem::path> opened;
  std::function<std::optional<ReportJob>(const std::string& lastFolder)> report;
  int quits = 0;
  int busyCursors = 0;  // shown and not taken away

 private:
  PostedQueue m_posted;
};

}  // namespace tempovia::test
