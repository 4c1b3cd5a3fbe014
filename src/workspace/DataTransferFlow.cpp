#include "workspace/DataTransferFlow.h"

#include "calendar/CalendarDate.h"

namespace tempovia {

namespace {

constexpr char kOverwriteExport[] = "Output folder already exist\n\nOverwrite data inside the folder ??";

// A path as the user typed it, with no doubled separators.
std::string Shown(const std::filesystem::path& path) {
  return path.lexically_normal().string();
}

// A paragraph naming sub-folders left out because each holds a user.dat of
// its own; empty when there are none.
std::string LeftOutText(const std::vector<std::filesystem::path>& folders, const std::string& intro) {
  if (folders.empty()) return {};
  std::string text = "\n\n" + intro + ", as each holds a user.dat of its own (another data folder or export):";
  for (const std::filesystem::path& folder : folders) text += "\n" + Shown(folder);
  return text;
}

}  // namespace

DataTransferFlow::DataTransferFlow(const StorePaths& paths, UserData& users, TransferUi& ui, const Clock& clock)
    : m_paths(paths), m_users(users), m_ui(ui), m_clock(clock) {}

bool DataTransferFlow::Reopen() {
  if (m_users.IsOpen()) return true;
  if (const Status opened = m_users.TryOpen(m_paths.UserDatabase()); opened) return true;
  m_ui.Show(NoticeIcon::Warning, "The user database could not be opened again:\n" + m_users.LastError());
  return false;
}

DataTransferFlow::Result DataTransferFlow::FirstUser() {
  const std::vector<LocalUserRecord> users = m_users.All();
  if (users.empty()) return {Outcome::UserChanged, std::nullopt};
  return {Outcome::UserChanged, users.front()};
}

DataTransferFlow::Result DataTransferFlow::ReopenFor(const LocalUserRecord& loggedIn, Outcome found) {
  if (!Reopen()) return {Outcome::UserChanged, std::nullopt};
  // The logged-in user must stay the logged-in user.
  if (std::optional<LocalUserRecord> user = m_users.Find(loggedIn.id)) return {found, std::move(user)};
  m_ui.Show(NoticeIcon::Warning,
            "The logged-in user is no longer in the user database.\n\nThe first user of the database is shown.");
  return FirstUser();
}

std::string DataTransferFlow::NotCopiedText(const TransferResult& result) const {
  if (result.notCopied.empty()) return {};
  std::string text = "\n\nThese could not be copied:";
  std::size_t listed = 0;
  for (const CopyFailure& failure : result.notCopied) {
    if (++listed > 10) {
      text += "\n... and " + std::to_string(result.notCopied.size() - 10) + " more";
      break;
    }
    text += '\n';
    text += failure.entry.filename().string();
    text += ": ";
    text += failure.reason;
  }
  return text;
}

DataTransferFlow::Result DataTransferFlow::Export(const LocalUserRecord& loggedIn) {
  const std::filesystem::path chosen = m_ui.ChooseFolder("Please select a folder to export");
  if (chosen.empty()) return {Outcome::Nothing, loggedIn};
  m_ui.ReleaseUserFiles();
  m_users.Close();

  const std::filesystem::path folder = ExportFolderPath(chosen, m_clock.Now().date);
  if (const Status inside = CheckExportFolder(m_paths, folder); !inside) {
    m_ui.Show(NoticeIcon::Warning, inside.message());
    return ReopenFor(loggedIn, Outcome::Nothing);
  }
  std::error_code error;
  if (std::filesystem::exists(std::filesystem::symlink_status(folder, error)) && !m_ui.AskYesNo(kOverwriteExport))
    return ReopenFor(loggedIn, Outcome::Nothing);

  m_ui.SetBusy(true);
  const TransferResult result = ExportData(m_paths, folder);
  m_ui.SetBusy(false);
  Result reopened = ReopenFor(loggedIn, Outcome::SameUser);
  if (!result.status) {
    m_ui.Show(NoticeIcon::Warning, result.status.message() + NotCopiedText(result));
    return reopened;
  }
  const std::string leftOut = LeftOutText(result.leftOut, "Not exported");
  if (!result.notCopied.empty()) {
    m_ui.Show(NoticeIcon::Warning, "Files exported to " + Shown(folder) + NotCopiedText(result) + leftOut);
    return reopened;
  }
  m_ui.Show(NoticeIcon::None, "Files exported to " + Shown(folder) + leftOut);
  return reopened;
}

DataTransferFlow::Result DataTransferFlow::Import(const LocalUserRecord& loggedIn) {
  const std::filesystem::path source = m_ui.ChooseFolder("Please select a folder to import");
  if (source.empty()) return {Outcome::Nothing, loggedIn};
  m_ui.ReleaseUserFiles();
  m_users.Close();

  m_ui.SetBusy(true);
  const TransferResult result = ImportData(m_paths, source, m_clock.Now());
  m_ui.SetBusy(false);
  if (!result.status) {
    // Nothing changed: the data folder is as it was.
    const bool incorrect = result.status.message().rfind(kIncorrectFilesMessage, 0) == 0;
    m_ui.Show(incorrect ? NoticeIcon::None : NoticeIcon::Warning, result.status.message() + NotCopiedText(result));
    return ReopenFor(loggedIn, Outcome::Nothing);
  }
  if (!Reopen()) return {Outcome::UserChanged, std::nullopt};
  std::string text = "Data Imported!";
  if (!result.backup.empty()) text += "\n\nThe data folder as it was before is kept in\n" + Shown(result.backup);
  text += LeftOutText(result.leftOut, "Not imported");
  text += LeftOutText(result.leftOutOfBackup, "Kept in the data folder but not in the safety copy");
  m_ui.Show(NoticeIcon::None, text);
  // The imported file's first user is logged in from now on.
  return FirstUser();
}

}  // namespace tempovia
