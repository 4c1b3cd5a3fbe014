#include "workspace/DownloadLoop.h"

#include "base/Printf.h"
#include "trace/Trace.h"

namespace tempovia {

namespace {

constexpr char kTraceModule[] = "DownloadLoop";

}  // namespace

DownloadLoop::DownloadLoop(DownloadChoices choices) : m_choices(choices) {}

void DownloadLoop::Announce() const {
  if (m_choices.writeClock) TV_TRACE("Write time to device\n");
  if (m_choices.downloadData) TV_TRACE("Download data from device\n");
}

void DownloadLoop::Prime(CTrekmo& driver, const LocalUserRecord& user) const {
  if (!m_choices.downloadData) return;
  // user.dat may come from elsewhere: no unchecked cast of a stored double.
  UserRecord& record = driver.GetUserRecord();
  record.SetHeight(TruncateToInt(user.height));
  record.SetWeight(TruncateToInt(user.weight));
  record.SetStride(TruncateToInt(user.walkingStride));
}

bool DownloadLoop::Failed() {
  TV_TRACE("Retry Count = %d\n", Made());
  if (m_left == 0) return false;
  --m_left;
  return true;
}

void DownloadLoop::Succeeded(const CTrekmo& driver) {
  --m_left;
  m_ok = true;
  m_watchUser = driver.GetUserRecord();
  m_steps = driver.GetStepRecord();
  m_exercises = driver.GetExerciseRecord();
}

bool DownloadLoop::RunHere(const std::function<CTrekmo*()>& connected) {
  for (;;) {
    CTrekmo* driver = m_left > 0 ? connected() : nullptr;
    if (driver != nullptr && Attempt(*driver)) {
      Succeeded(*driver);
      return true;
    }
    if (!Failed()) return false;
  }
}

}  // namespace tempovia
