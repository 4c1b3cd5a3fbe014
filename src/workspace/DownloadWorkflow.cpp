#include "workspace/DownloadWorkflow.h"

#include <algorithm>

#include "store/DownloadStore.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "trace/Trace.h"

namespace tempovia {

namespace {

constexpr char kTraceModule[] = "DownloadWorkflow";

}  // namespace

DownloadWorkflow::DownloadWorkflow(WatchDriverHost& watch, DownloadUi& ui, AttemptRunner& runner,
                                   const StorePaths& paths, UserData& users, UserSettings& settings)
    : m_watch(watch), m_ui(ui), m_runner(runner), m_paths(paths), m_users(users), m_settings(settings) {}

DownloadWorkflow::~DownloadWorkflow() {
  StopAttempt();
}

void DownloadWorkflow::Upload(const LocalUserRecord& user) {
  if (m_watch.Driver() == nullptr) {
    ShowWarning("Device Not Found!\n\nPlease Plug the Device and Try again");
    return;
  }
  if (m_busy) return;
  m_busy = true;
  StartDownload(user, true);
}

void DownloadWorkflow::UploadWithLastChoices(const LocalUserRecord& user) {
  if (m_watch.Driver() == nullptr || m_busy) return;
  m_busy = true;
  TV_TRACE("Download started by the watch being plugged in\n");
  StartDownload(user, false);
}

void DownloadWorkflow::StartDownload(const LocalUserRecord& user, bool ask) {
  if (!m_watch.Connected()) {
    ShowWarning("Device not connected!");
    m_busy = false;
    return;
  }
  DownloadChoices choices{m_settings.writeClock != 0, m_settings.downloadData != 0};
  // The boxes are each other's opposite from the start.
  choices.downloadData = !choices.writeClock;
  if (ask && !m_ui.AskChoices(choices)) {
    m_busy = false;
    return;
  }
  m_ui.SetProgressVisible(true);
  m_settings.writeClock = choices.writeClock ? 1 : 0;
  m_settings.downloadData = choices.downloadData ? 1 : 0;
  // Only the dialog's last choice is lost when user.set cannot be written.
  (void)m_settings.Save();
  m_loop.emplace(choices);
  m_loop->Announce();

  if (!m_watch.Connected()) {
    m_ui.SetProgressVisible(false);
    ShowWarning("Device Not Found!\n\nPlease Plug the Device and Try again.");
    m_busy = false;
    return;
  }
  ++m_run;
  m_dotCount = 0;
  m_ui.SetProgressPercent(0);
  m_userId = user.id;
  m_loop->Prime(*m_watch.Driver(), user);
  RunDownload();
}

void DownloadWorkflow::RunDownload() {
  if (m_loop->Left() > 0) {
    m_lease = m_watch.Hold([this, alive = std::weak_ptr<int>(m_alive)](int percent) {
      m_ui.Post([this, alive, percent] {
        if (!alive.expired()) OnProgress(percent);
      });
    });
    if (m_lease) {
      CTrekmo* driver = &m_lease->Driver();
      const DownloadLoop* loop = &*m_loop;
      m_runner.Run([driver, loop] { return loop->Attempt(*driver); }, [this](bool ok) { AttemptDone(ok); });
      return;
    }
  }
  AttemptDone(false);
}

void DownloadWorkflow::AttemptDone(bool ok) {
  if (m_lease) {
    if (ok) m_loop->Succeeded(m_lease->Driver());
    // Device changes held meanwhile are handled as the lease goes.
    m_lease.reset();
  }
  if (!ok && m_loop->Failed()) {
    m_ui.Post([this, alive = std::weak_ptr<int>(m_alive), run = m_run] {
      if (alive.expired() || run != m_run || !m_busy) return;  // stopped meanwhile
      TV_TRACE("OnUploadRetry : %d\n", m_loop->Left());
      RunDownload();
    });
    return;
  }
  Finish(ok);
}

void DownloadWorkflow::OnProgress(int percent) {
  if (!m_busy) return;
  std::string text = "Uploading data    ";
  text.append(static_cast<std::size_t>(m_dotCount), '.');
  m_ui.SetProgressText(text);
  m_ui.SetProgressPercent(std::clamp(percent, 0, 100));
  TV_TRACE("Update Progress : %d (%d, %d)\t%s\n", percent, m_dotCount, 100, text.c_str());
  m_dotCount = (m_dotCount + 1) % 80;
}

void DownloadWorkflow::Finish(bool ok) {
  m_ui.SetProgressVisible(false);
  if (!ok) Failed("Download error!\n\nPlease Plug the Device and Try again");
  if (ok && !m_loop->Choices().downloadData) m_ui.DownloadEnded(DownloadOutcome::ClockSet());
  m_ui.ReleaseUserFiles();
  const bool opened = ok && m_loop->Choices().downloadData ? Store() : FilesOpen();
  if (opened) m_ui.RefreshAfterDownload();
  m_busy = false;
  // What a test of the whole program waits for before it looks at the files.
  TV_TRACE("Download ended\n");
}

bool DownloadWorkflow::FilesOpen() {
  const std::optional<LocalUserRecord> user = m_users.Find(m_userId);
  if (!user) return false;
  StepData steps;
  CExerciseDB exercises;
  const Status opened = OpenDownloadFiles(m_paths, *user, steps, exercises);
  if (!opened) ShowWarning(opened.message());
  return opened.ok();
}

bool DownloadWorkflow::Store() {
  // The download belongs to the user UPLOAD started with.
  const std::optional<LocalUserRecord> user = m_users.Find(m_userId);
  if (!user) {
    Failed("The user this download was started for is no longer in the user database.\n\nNothing was stored.");
    return false;
  }
  DownloadStoreResult result;
  const Status stored =
      StoreDownload(m_paths, m_users, *user, m_loop->WatchUser(), m_loop->Steps(), m_loop->Exercises(), result);
  if (!stored) {
    const std::string part = PartlyStoredText(result);
    Failed(part.empty() ? stored.message() : stored.message() + "\n\n" + part);
  } else {
    m_ui.DownloadEnded(DownloadOutcome::Stored(result.daysStored, result.exercisesStored));
  }
  // Whatever was stored before a failure is shown; files that did not open
  // leave nothing to show.
  return stored.ok() || !result.openFailed;
}

void DownloadWorkflow::Failed(const std::string& text) {
  m_ui.DownloadEnded(DownloadOutcome::Failed(text));
  ShowWarning(text);
}

void DownloadWorkflow::Stop() {
  if (!m_busy) return;
  StopAttempt();
  m_ui.SetProgressVisible(false);
  m_busy = false;
}

void DownloadWorkflow::StopAttempt() {
  if (!m_runner.Running()) return;
  CTrekmo* driver = m_lease ? &m_lease->Driver() : nullptr;
  if (driver != nullptr) driver->RequestStop();
  m_runner.Wait();
  if (driver != nullptr) driver->ClearStop();
  m_lease.reset();
}

}  // namespace tempovia
