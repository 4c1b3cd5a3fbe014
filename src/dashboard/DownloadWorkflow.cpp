#include "DownloadWorkflow.h"

#include "DownloadStore.h"
#include "ExerciseDB.h"
#include "Printf.h"
#include "StepData.h"
#include "Trace.h"

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

void DownloadWorkflow::Upload() {
  if (m_watch.Driver() == nullptr) {
    ShowWarning("Device Not Found!\n\nPlease Plug the Device and Try again");
    return;
  }
  if (m_busy) return;
  m_busy = true;
  StartDownload();
}

void DownloadWorkflow::StartDownload() {
  if (!m_watch.Connected()) {
    ShowWarning("Device not connected!");
    m_busy = false;
    return;
  }
  DownloadChoices choices{m_settings.writeClock != 0, m_settings.downloadData != 0};
  // The boxes are each other's opposite from the start.
  choices.downloadData = !choices.writeClock;
  if (!m_ui.AskChoices(choices)) {
    m_busy = false;
    return;
  }
  m_choices = choices;
  m_ui.SetProgressVisible(true);
  m_settings.writeClock = choices.writeClock ? 1 : 0;
  m_settings.downloadData = choices.downloadData ? 1 : 0;
  // Only the dialog's last choice is lost when user.set cannot be written.
  (void)m_settings.Save();
  if (choices.writeClock) TV_TRACE("Write time to device\n");
  if (choices.downloadData) TV_TRACE("Download data from device\n");

  if (!m_watch.Connected()) {
    m_ui.SetProgressVisible(false);
    ShowWarning("Device Not Found!\n\nPlease Plug the Device and Try again.");
    m_busy = false;
    return;
  }
  m_dotCount = 0;
  const LocalUserRecord& user = m_users.Current();
  m_userId = user.id;
  if (choices.downloadData) {
    // user.dat may come from elsewhere: no unchecked cast of a stored double.
    UserRecord& record = m_watch.Driver()->GetUserRecord();
    record.SetHeight(TruncateToInt(user.height));
    record.SetWeight(TruncateToInt(user.weight));
    record.SetStride(TruncateToInt(user.walkingStride));
  }
  m_progressTarget = 100;
  RunDownload(kAttempts);
}

void DownloadWorkflow::RunDownload(int n) {
  if (n > 0 && m_watch.Connected()) {
    CTrekmo* driver = m_watch.Driver();
    const bool writeClock = m_choices.writeClock;
    m_watch.BeginUse();
    m_usingDriver = true;
    m_runner.Run([driver, writeClock] { return driver->Download(false, writeClock); },
                 [this, n](bool ok) { AttemptDone(n, ok); });
    return;
  }
  AttemptDone(n, false);
}

void DownloadWorkflow::AttemptDone(int n, bool ok) {
  if (m_usingDriver) {
    if (ok) {
      const CTrekmo& driver = *m_watch.Driver();
      m_watchUser = driver.GetUserRecord();
      m_steps = driver.GetStepRecord();
      m_exercises = driver.GetExerciseRecord();
    }
    m_usingDriver = false;
    m_watch.EndUse();
    m_ui.AttemptEnded();
  }
  if (!ok) {
    TV_TRACE("Retry Count = %d\n", kAttempts - n);
    if (n > 0) {
      m_ui.Post([this, n] {
        TV_TRACE("OnUploadRetry : %d\n", n - 1);
        RunDownload(n - 1);
      });
      return;
    }
  }
  Finish(ok);
}

void DownloadWorkflow::PostProgress(int percent) {
  m_ui.Post([this, percent] { OnProgress(percent); });
}

void DownloadWorkflow::OnProgress(int percent) {
  if (!m_busy) return;
  std::string text = "Uploading data    ";
  text.append(static_cast<std::size_t>(m_dotCount), '.');
  m_ui.SetProgressText(text);
  TV_TRACE("Update Progress : %d (%d, %d)\t%s\n", percent, m_dotCount, m_progressTarget, text.c_str());
  m_dotCount = (m_dotCount + 1) % 80;
}

void DownloadWorkflow::Finish(bool ok) {
  m_ui.SetProgressVisible(false);
  if (!ok) ShowWarning("Download error!\n\nPlease Plug the Device and Try again");
  m_ui.ReleaseUserFiles();
  const bool opened = ok && m_choices.downloadData ? Store() : FilesOpen();
  if (opened) m_ui.RefreshAfterDownload();
  m_busy = false;
  // What a test of the whole program waits for before it looks at the files.
  TV_TRACE("Download ended\n");
}

bool DownloadWorkflow::FilesOpen() {
  StepData steps;
  CExerciseDB exercises;
  const Status opened = OpenDownloadFiles(m_paths, m_users.Current(), steps, exercises);
  if (!opened) ShowWarning(opened.message());
  return opened.ok();
}

bool DownloadWorkflow::Store() {
  // The download belongs to the user UPLOAD started with.
  m_users.SaveCopy();
  if (m_users.Current().id != m_userId && !m_users.FindById(m_userId)) {
    m_users.RestoreCopy();
    ShowWarning("The user this download was started for is no longer in the user database.\n\nNothing was stored.");
    return false;
  }
  DownloadStoreResult result;
  const Status stored = StoreDownload(m_paths, m_users, m_watchUser, m_steps, m_exercises, result);
  if (!stored) ShowWarning(stored.message());
  // Whatever was stored before a failure is shown; files that did not open
  // leave nothing to show.
  return stored.ok() || !result.openFailed;
}

void DownloadWorkflow::Stop() {
  if (!m_busy) return;
  StopAttempt();
  m_ui.SetProgressVisible(false);
  m_busy = false;
}

void DownloadWorkflow::StopAttempt() {
  if (!m_runner.Running()) return;
  CTrekmo* driver = m_watch.Driver();
  if (driver != nullptr) driver->RequestStop();
  m_runner.Wait();
  if (driver != nullptr) driver->ClearStop();
  if (m_usingDriver) {
    m_usingDriver = false;
    m_watch.EndUse();
  }
}

}  // namespace tempovia
