#pragma once
// UPLOAD: setting the watch's clock or downloading its data into the
// logged-in user's files, tried up to ten times, with a progress line.
//
// Each attempt runs on another thread (AttemptRunner) and holds the driver
// for its whole life (a lease); everything else (options, messages, storing,
// the refresh) happens on the user-interface thread, between attempts and
// after the last. While a download is under way the window refuses what would
// change the user, the files or its own life; the chart, the note and moving
// the window stay live.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/Notice.h"
#include "store/LocalUserRecord.h"
#include "store/StorePaths.h"
#include "store/UserData.h"
#include "store/UserSettings.h"
#include "workspace/AttemptRunner.h"
#include "workspace/DownloadLoop.h"
#include "workspace/DownloadNotification.h"
#include "workspace/WatchDriverHost.h"

namespace tempovia {

// What the workflow needs of the window.
class DownloadUi {
 public:
  virtual ~DownloadUi() = default;
  // The upload dialog, opened with the remembered choices; false on Cancel.
  virtual bool AskChoices(DownloadChoices& choices) = 0;
  virtual void SetProgressVisible(bool visible) = 0;
  virtual void SetProgressText(const std::string& text) = 0;
  // How far the current attempt has come, 0 to 100, as the watch reports it;
  // each attempt starts again from 0.
  virtual void SetProgressPercent(int percent) = 0;
  virtual void ShowMessage(NoticeIcon icon, const std::string& text) = 0;
  // The user's files are about to be opened here: let go of them.
  virtual void ReleaseUserFiles() = 0;
  // The end of a download whose files opened: the latest week, the user
  // panel, the exercise table.
  virtual void RefreshAfterDownload() = 0;
  // Runs fn on the user-interface thread after what is queued now; may be
  // called from any thread.
  virtual void Post(std::function<void()> fn) = 0;
  // The download has ended this way; told before any message box about it,
  // which holds the user until answered.
  virtual void DownloadEnded(const DownloadOutcome& outcome) = 0;
};

class DownloadWorkflow {
 public:
  static constexpr int kAttempts = DownloadLoop::kAttempts;

  DownloadWorkflow(WatchDriverHost& watch, DownloadUi& ui, AttemptRunner& runner, const StorePaths& paths,
                   UserData& users, UserSettings& settings);
  ~DownloadWorkflow();

  // From UPLOAD until the workflow has ended.
  bool Busy() const { return m_busy; }
  // For tests, which step an attempt on its thread: one is under way.
  bool AttemptRunning() const { return m_runner.Running(); }

  // The UPLOAD area, for the logged-in user.
  void Upload(const LocalUserRecord& user);
  // The same without the upload dialog, with the choices it last made (a
  // download started by the watch being plugged in).
  void UploadWithLastChoices(const LocalUserRecord& user);
  // The program or the window ends: a running attempt is asked to stop at
  // its next transfer and waited for; a retry already queued does nothing;
  // nothing is stored and the workflow ends.
  void Stop();

 private:
  void StartDownload(const LocalUserRecord& user, bool ask);
  // The next turn of the loop: an attempt on the worker, or the end.
  void RunDownload();
  void AttemptDone(bool ok);
  // A progress step on the user-interface thread: one more dot.
  void OnProgress(int percent);
  // Stops and waits for a running attempt without touching the window.
  void StopAttempt();
  void Finish(bool ok);
  // Stores the download for the user UPLOAD started with; false when the
  // files could not be opened.
  bool Store();
  bool FilesOpen();
  void ShowWarning(const std::string& text) { m_ui.ShowMessage(NoticeIcon::Warning, text); }
  // The download failed this way: told as it ends, then shown.
  void Failed(const std::string& text);

  WatchDriverHost& m_watch;
  DownloadUi& m_ui;
  AttemptRunner& m_runner;
  const StorePaths& m_paths;
  UserData& m_users;
  UserSettings& m_settings;

  bool m_busy = false;
  // Counts the downloads started, so that a retry queued for one that was
  // stopped meanwhile finds it gone.
  unsigned m_run = 0;
  std::int32_t m_userId = 0;
  int m_dotCount = 0;
  std::optional<DownloadLoop> m_loop;
  std::optional<WatchDriverHost::Lease> m_lease;
  // Calls queued on the user-interface thread find out by it whether the
  // workflow is still there.
  std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

}  // namespace tempovia
