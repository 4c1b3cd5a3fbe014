#include "DataTransferFlow.h"

#include "CalendarDate.h"

namespace tempovia {

namespace {

constexpr char kOverwriteExport[] = "Output folder already exist\n\nOverwrite data inside the folder ??";

// A path as the user typed it, with no doubled separators.
std::string Shown(const std::filesystem::path& path) {
  return path.lexically_normal().string();
}

}  // namespace

DataTransferFlow::DataTransferFlow(const StorePaths& paths, UserData& users, TransferUi& ui, const Clock& clock)
    : m_paths(paths), m_users(users), m_ui(ui), m_clock(clock) {}

bool DataTransferFlow::Reopen() {
  if (m_users.IsOpen()) return true;
  if (m_users.Open(m_paths.UserDatabase())) return true;
  m_ui.Show(NoticeIcon::Warning, "The user database could not be opened again:\n" + m_users.LastError());
  return false;
}

DataTransferFlow::Outcome DataTransferFlow::ReopenFor(std::int32_t id, Outcome found) {
  if (!Reopen()) return Outcome::UserChanged;
  // Reopening makes the first user current; the logged-in user must stay.
  if (m_users.GetCount() > 0 && m_users.FindById(id)) return found;
  m_users.MoveFirst();
  m_ui.Show(NoticeIcon::Warning,
            "The logged-in user is no longer in the user database.\n\nThe first user of the database is shown.");
  return Outcome::UserChanged;
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

DataTransferFlow::Outcome DataTransferFlow::Export() {
  const std::filesystem::path chosen = m_ui.ChooseFolder("Please select a folder to export");
  if (chosen.empty()) return Outcome::Nothing;
  const std::int32_t id = m_users.Current().id;
  m_ui.ReleaseUserFiles();
  m_users.Close();

  const std::filesystem::path folder = ExportFolderPath(chosen, m_clock.Now().date);
  if (const Status inside = CheckExportFolder(m_paths, folder); !inside) {
    m_ui.Show(NoticeIcon::Warning, inside.message());
    return ReopenFor(id, Outcome::Nothing);
  }
  std::error_code error;
  if (std::filesystem::exists(std::filesystem::symlink_status(folder, error)) && !m_ui.AskYesNo(kOverwriteExport))
    return ReopenFor(id, Outcome::Nothing);

  m_ui.SetBusy(true);
  const TransferResult result = ExportData(m_paths, folder);
  m_ui.SetBusy(false);
  const Outcome outcome = ReopenFor(id, Outcome::SameUser);
  if (!result.status) {
    m_ui.Show(NoticeIcon::Warning, result.status.message() + NotCopiedText(result));
    return outcome;
  }
  if (!result.notCopied.empty()) {
    m_ui.Show(NoticeIcon::Warning, "Files exported to " + Shown(folder) + NotCopiedText(result));
    return outcome;
  }
  m_ui.Show(NoticeIcon::None, "Files exported to " + Shown(folder));
  return outcome;
}

DataTransferFlow::Outcome DataTransferFlow::Import() {
  const std::filesystem::path source = m_ui.ChooseFolder("Please select a folder to import");
  if (source.empty()) return Outcome::Nothing;
  const std::int32_t id = m_users.Current().id;
  m_ui.ReleaseUserFiles();
  m_users.Close();

  m_ui.SetBusy(true);
  const TransferResult result = ImportData(m_paths, source, m_clock.Now());
  m_ui.SetBusy(false);
  if (!result.status) {
    // Nothing changed: the data folder is as it was.
    const bool incorrect = result.status.message() == kIncorrectFilesMessage;
    m_ui.Show(incorrect ? NoticeIcon::None : NoticeIcon::Warning, result.status.message() + NotCopiedText(result));
    return ReopenFor(id, Outcome::Nothing);
  }
  if (!Reopen()) return Outcome::UserChanged;
  m_users.MoveFirst();  // the imported file's first user is shown from now on
  std::string text = "Data Imported!";
  if (!result.backup.empty()) text += "\n\nThe data folder as it was before is kept in\n" + Shown(result.backup);
  m_ui.Show(NoticeIcon::None, text);
  return Outcome::UserChanged;
}

}  // namespace tempovia
