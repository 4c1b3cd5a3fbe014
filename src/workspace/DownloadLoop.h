#pragma once
// One download, as the tool and the windows both run it: the user's body
// values primed into the driver, up to ten attempts, then the store. The tool
// runs it straight through on its own thread; the window runs each attempt on
// a worker and everything else on its own thread, between attempts.

#include <functional>
#include <string>

#include "device/Trekmo.h"
#include "records/ExerciseRecord.h"
#include "records/StepRecord.h"
#include "records/UserRecord.h"
#include "store/LocalUserRecord.h"

namespace tempovia {

// The two boxes of the upload dialog: always one or the other.
struct DownloadChoices {
  bool writeClock = false;    // "Download Date and Time to Watch"
  bool downloadData = false;  // "Upload Data to Computer"
};

class DownloadLoop {
 public:
  static constexpr int kAttempts = 10;

  explicit DownloadLoop(DownloadChoices choices);

  const DownloadChoices& Choices() const { return m_choices; }
  // Says on the trace what is about to be done.
  void Announce() const;
  // The user's height, weight and walking stride go into the driver's user
  // record when data is downloaded (the watch's own are read back over them).
  void Prime(CTrekmo& driver, const LocalUserRecord& user) const;

  // Attempts left before the next one; none is made when it is 0.
  int Left() const { return m_left; }
  int Made() const { return kAttempts - m_left; }
  // One attempt, on whichever thread runs it.
  bool Attempt(CTrekmo& driver) const { return driver.Download(false, m_choices.writeClock); }
  // After an attempt that failed (or the turn with none left): true when
  // another is due. Each says "Retry Count" on the trace.
  bool Failed();
  // After the attempt that worked: what it read, kept before the driver may go.
  void Succeeded(const CTrekmo& driver);
  bool Ok() const { return m_ok; }

  const UserRecord& WatchUser() const { return m_watchUser; }
  const StepRecord& Steps() const { return m_steps; }
  const CExerciseRecord& Exercises() const { return m_exercises; }

  // The attempts straight through on this thread. connected gives the driver
  // for the next attempt, or nullptr when none can be made.
  bool RunHere(const std::function<CTrekmo*()>& connected);

 private:
  DownloadChoices m_choices;
  int m_left = kAttempts;
  bool m_ok = false;
  UserRecord m_watchUser;
  StepRecord m_steps;
  CExerciseRecord m_exercises;
};

}  // namespace tempovia
