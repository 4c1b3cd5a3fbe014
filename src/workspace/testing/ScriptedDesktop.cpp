#include "workspace/testing/ScriptedDesktop.h"

#include "users/UserEditor.h"

namespace tempovia::test {

void ScriptedDesktop::Show(NoticeIcon icon, const std::string& text) {
  boxes.push_back({icon, text, false, false});
}

bool ScriptedDesktop::Ask(NoticeIcon icon, const std::string& question) {
  const bool answer = !answers.empty() && answers.front();
  if (!answers.empty()) answers.pop_front();
  boxes.push_back({icon, question, true, answer});
  return answer;
}

std::filesystem::path ScriptedDesktop::ChooseFolder(const std::string& title) {
  folderTitles.push_back(title);
  return folder;
}

void ScriptedDesktop::SetBusyCursor(bool busy) {
  busyCursors += busy ? 1 : -1;
}

void ScriptedDesktop::Post(std::function<void()> fn) {
  m_posted.Post(std::move(fn));
}

bool ScriptedDesktop::AskUploadChoices(DownloadChoices& choices) {
  uploadOffered.push_back(choices);
  if (!upload) return false;
  choices = *upload;
  return true;
}

ChartDashboard::CalendarResult ScriptedDesktop::RunCalendar(CalendarDays& days) {
  return calendar ? calendar(days) : ChartDashboard::CalendarResult{};
}

bool ScriptedDesktop::RunSettings(SettingsChoices& choices) {
  return settings ? settings(choices) : false;
}

bool ScriptedDesktop::RunEditor(UserEditor& userEditor) {
  if (editor) return editor(userEditor);
  userEditor.Cancel();
  return false;
}

std::optional<std::string> ScriptedDesktop::AskPassword() {
  return password;
}

HelpChoice ScriptedDesktop::RunHelpMenu(int x, int y) {
  helpAt = {x, y};
  return help;
}

bool ScriptedDesktop::OpenDocument(const std::filesystem::path& path) {
  opened.push_back(path);
  return true;
}

std::optional<ReportJob> ScriptedDesktop::AskReport(const std::string& lastFolder) {
  return report ? report(lastFolder) : std::nullopt;
}

std::vector<std::string> ScriptedDesktop::Texts() const {
  std::vector<std::string> texts;
  for (const Box& box : boxes) texts.push_back(box.text);
  return texts;
}

}  // namespace tempovia::test
