#pragma once
// UPLOAD: setting the watch's clock or downloading its data into the
// logged-in user's files, tried up to ten times, with a progress line.
//
// Each attempt runs on another thread (AttemptRunner); everything else
// (options, messages, storing, the refresh) happens on the user-interface
// thread, between attempts and after the last. While a download is under
// way the window refuses what would change the user, the files or its own
// life; the chart, the note and moving the window stay live.

#include <cstdint>
#include <functional>
#include <string>

#include "AttemptRunner.h"
#include "ExerciseRecord.h"
#include "Notice.h"
#include "StepRecord.h"
#include "StorePaths.h"
#include "UserData.h"
#include "UserRecord.h"
#include "UserSettings.h"
#include "WatchDriverHost.h"

namespace tempovia {

// The two boxes of the upload dialog: always one or the other.
struct DownloadChoices {
  bool writeClock = false;    // "Download Date and Time to Watch"
  bool downloadData = false;  // "Upload Data to Computer"
};

// What the workflow needs of the window.
class DownloadUi {
 public:
  virtual ~DownloadUi() = default;
  // The upload dialog, opened with the remembered choices; false on Cancel.
  virtual bool AskChoices(DownloadChoices& choices) = 0;
  virtual void SetProgressVisible(bool visible) = 0;
  virtual void SetProgressText(const std::string& text) = 0;
  virtual void ShowMessage(NoticeIcon icon, const std::string& text) = 0;
  // The user's files are about to be opened here: let go of them.
  virtual void ReleaseUserFiles() = 0;
  // The end of a download whose files opened: the latest week, the user
  // panel, the exercise table.
  virtual void RefreshAfterDownload() = 0;
  // An attempt returned: device notices held back meanwhile may run now.
  virtual void AttemptEnded() = 0;
  // Runs fn on the user-interface thread after what is queued now.
  virtual void Post(std::function<void()> fn) = 0;
};

class DownloadWorkflow {
 public:
  static constexpr int kAttempts = 10;

  DownloadWorkflow(WatchDriverHost& watch, DownloadUi& ui, AttemptRunner& runner, const StorePaths& paths,
                   UserData& users, UserSettings& settings);
  ~DownloadWorkflow();

  // From UPLOAD until the workflow has ended.
  bool Busy() const { return m_busy; }
  bool AttemptRunning() const { return m_runner.Running(); }

  // The UPLOAD area.
  void Upload();
  // One attempt with n attempts left (none is made for 0), then a retry or
  // the end.
  void RunDownload(int n);
  // The driver's progress, from any thread: it shows on the user-interface
  // thread.
  void PostProgress(int percent);
  // A progress step on the user-interface thread: one more dot.
  void OnProgress(int percent);
  // The program or the window ends: a running attempt is asked to stop at
  // its next transfer and waited for; nothing is stored and the workflow
  // ends.
  void Stop();

  int DotCount() const { return m_dotCount; }

 private:
  void StartDownload();
  // Stops and waits for a running attempt without touching the window.
  void StopAttempt();
  void AttemptDone(int n, bool ok);
  void Finish(bool ok);
  // Stores the copied download for the user UPLOAD started with; false when
  // the files could not be opened.
  bool Store();
  bool FilesOpen();
  void ShowWarning(const std::string& text) { m_ui.ShowMessage(NoticeIcon::Warning, text); }

  WatchDriverHost& m_watch;
  DownloadUi& m_ui;
  AttemptRunner& m_runner;
  const StorePaths& m_paths;
  UserData& m_users;
  UserSettings& m_settings;

  bool m_busy = false;
  DownloadChoices m_choices;
  std::int32_t m_userId = 0;
  int m_dotCount = 0;
  int m_progressTarget = 0;
  bool m_usingDriver = false;
  // The driver's records of the last good attempt, kept before the driver
  // may go.
  UserRecord m_watchUser;
  StepRecord m_steps;
  CExerciseRecord m_exercises;
};

}  // namespace tempovia
