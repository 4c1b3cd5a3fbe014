#include "workspace/DownloadWorkflow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "TempDir.h"
#include "base/testing/FakeClock.h"
#include "base/testing/NoticeRecorder.h"
#include "device/SimulatedWatch.h"
#include "device/TrekmoObserver.h"
#include "device/WatchScenario.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "trace/testing/TraceCapture.h"
#include "workspace/testing/PostedQueue.h"

namespace tempovia {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The window's side: scripted answers, everything shown kept, and a queue of
// work for the user-interface thread (the test's thread), filled from any
// thread.
class FakeUi final : public DownloadUi {
 public:
  bool AskChoices(DownloadChoices& choices) override {
    offered.push_back(choices);
    if (!answer) return false;
    choices = *answer;
    return true;
  }
  void SetProgressVisible(bool visible) override { progressVisible = visible; }
  void SetProgressText(const std::string& text) override { progressTexts.push_back(text); }
  void SetProgressPercent(int percent) override { percents.push_back(percent); }
  void ShowMessage(NoticeIcon, const std::string& text) override {
    messages.push_back(text);
    order.push_back("box");
  }
  void ReleaseUserFiles() override { ++releases; }
  void RefreshAfterDownload() override { ++refreshes; }
  void Post(std::function<void()> fn) override { queue.Post(std::move(fn)); }
  void DownloadEnded(const DownloadOutcome& outcome) override {
    outcomes.push_back(outcome);
    order.push_back("ended");
  }
  bool PumpUntil(const std::function<bool()>& done) { return queue.RunUntil(done); }

  std::optional<DownloadChoices> answer;
  std::vector<DownloadChoices> offered;
  bool progressVisible = false;
  std::vector<std::string> progressTexts;
  std::vector<int> percents;
  std::vector<std::string> messages;
  int releases = 0;
  int refreshes = 0;
  std::vector<DownloadOutcome> outcomes;
  std::vector<std::string> order;  // "ended" and "box", as they came

  test::PostedQueue queue;
};

const std::chrono::year_month_day kToday{std::chrono::year{2008}, std::chrono::month{3}, std::chrono::day{20}};

class DownloadWorkflowTest : public ::testing::Test {
 protected:
  DownloadWorkflowTest()
      : paths(dir.Path()),
        scenario(WatchScenario::ForSeed(7, kToday)),
        host(MakeWatch(), clock),
        runner([this](std::function<void()> fn) { ui.Post(std::move(fn)); }),
        workflow(host, ui, runner, paths, users, settings) {
    EXPECT_TRUE(paths.CreateDataFolder().ok());
    EXPECT_TRUE(users.Open(paths.UserDatabase()));
    LocalUserRecord user;
    user.name = "Ann";
    user.password = "pw";
    user.height = 168.6;
    user.weight = 61.2;
    user.walkingStride = 70.9;
    users.Current() = user;
    EXPECT_TRUE(users.Append());
    ann = users.RecordAt(0);
    settings.SetPath(paths.SettingsFile());
    settings.Load();
    ui.answer = DownloadChoices{false, true};
  }

  void Upload() { workflow.Upload(ann); }
  std::vector<std::string> TraceLines(const TraceCapture& trace, const char* start) const {
    std::vector<std::string> lines;
    for (const std::string& line : trace.Messages())
      if (line.rfind(start, 0) == 0) lines.push_back(line);
    return lines;
  }

  std::unique_ptr<HidTransport> MakeWatch() {
    auto simulated = std::make_unique<SimulatedWatch>(clock, scenario.Image());
    watch = simulated.get();
    return simulated;
  }

  int StoredDays() {
    StepData steps;
    EXPECT_TRUE(steps.Open(*paths.UserFile(ann.stepFile)));
    return steps.GetCount();
  }
  int StoredSessions() {
    CExerciseDB db;
    EXPECT_TRUE(db.Open(*paths.UserFile(ann.exerciseFile)));
    return db.GetCount();
  }
  // The days the watch's order table names with a good checksum.
  int ValidDays() const {
    const DecodedWatchImage decoded = DecodeWatchImage(scenario.Image());
    int count = 0;
    for (int position = 0; position < decoded.user.DayCount(); ++position) {
      const int slot = decoded.user.SlotAtPosition(position);
      count += slot != kNoPosition && decoded.steps.Slot(slot).valid ? 1 : 0;
    }
    return count;
  }

  test::TempDir dir;
  StorePaths paths;
  FakeClock clock{LocalDateTime{kToday, 9, 0, 0}};
  WatchScenario scenario;
  SimulatedWatch* watch = nullptr;
  WatchDriverHost host;
  UserData users;
  LocalUserRecord ann;
  UserSettings settings;
  FakeUi ui;
  ThreadAttemptRunner runner;
  DownloadWorkflow workflow;
};

TEST_F(DownloadWorkflowTest, ADownloadStoresTheWatchsDaysAndSessionsAndRefreshes) {
  ASSERT_TRUE(host.MakeAndConnect());
  TraceCapture trace;
  Upload();
  EXPECT_TRUE(workflow.Busy());
  EXPECT_TRUE(ui.progressVisible);
  ASSERT_TRUE(ui.PumpUntil([&] { return !workflow.Busy(); }));

  EXPECT_THAT(ui.messages, ::testing::IsEmpty());
  EXPECT_FALSE(ui.progressVisible);
  EXPECT_EQ(ui.refreshes, 1);
  EXPECT_EQ(StoredDays(), ValidDays());
  EXPECT_GT(StoredSessions(), 0);
  // The choice is remembered in user.set.
  UserSettings reread;
  reread.SetPath(paths.SettingsFile());
  reread.Load();
  EXPECT_EQ(reread.downloadData, 1);
  EXPECT_EQ(reread.writeClock, 0);
  // The driver carried the user's body values, whole.
  EXPECT_EQ(host.Driver()->GetUserRecord().Height(), scenario.Values().height);
  // Every progress step added a dot.
  ASSERT_FALSE(ui.progressTexts.empty());
  EXPECT_EQ(ui.progressTexts[0], "Uploading data    ");
  EXPECT_EQ(ui.progressTexts[1], "Uploading data    .");
  // The bar follows the watch's own figures, from 0 to the whole.
  ASSERT_GE(ui.percents.size(), ui.progressTexts.size());
  EXPECT_EQ(ui.percents.front(), 0);
  EXPECT_EQ(ui.percents.back(), 100);
  EXPECT_THAT(ui.percents, ::testing::Each(::testing::AllOf(::testing::Ge(0), ::testing::Le(100))));
  EXPECT_TRUE(trace.Contains("Download data from device\n"));
  EXPECT_TRUE(trace.Contains("Update Progress : 0 (0, 100)\tUploading data    \n"));
  EXPECT_FALSE(trace.Contains("Retry Count"));
  // The end is told once, with what was stored.
  ASSERT_EQ(ui.outcomes.size(), 1u);
  EXPECT_TRUE(ui.outcomes[0].ok);
  EXPECT_FALSE(ui.outcomes[0].clockSet);
  EXPECT_EQ(ui.outcomes[0].daysStored, ValidDays());
  EXPECT_EQ(ui.outcomes[0].exercisesStored, StoredSessions());
}

TEST(DownloadNotification, SaysWhatWasStoredOrWhyNot) {
  const auto body = [](DownloadOutcome outcome) { return DownloadNotification(outcome).body; };
  EXPECT_EQ(body(DownloadOutcome::Stored(7, 3)), "Stored 7 days and 3 exercise sessions.");
  EXPECT_EQ(body(DownloadOutcome::Stored(1, 1)), "Stored 1 day and 1 exercise session.");
  EXPECT_EQ(body(DownloadOutcome::Stored(2, 0)), "Stored 2 days and 0 exercise sessions.");
  EXPECT_EQ(body(DownloadOutcome::Stored(0, 0)), "The watch held no days or sessions to store.");
  const DesktopNotification clock = DownloadNotification(DownloadOutcome::ClockSet());
  EXPECT_EQ(clock.title, "Watch clock set");
  EXPECT_FALSE(clock.failed);
  const DesktopNotification failed =
      DownloadNotification(DownloadOutcome::Failed("Cannot open database\n\n/d/100.dat: denied\n"));
  EXPECT_EQ(failed.title, "Download failed");
  EXPECT_EQ(failed.body, "Cannot open database /d/100.dat: denied");
  EXPECT_TRUE(failed.failed);
}

TEST_F(DownloadWorkflowTest, AWatchThatNeverAnswersIsTriedTenTimesAndNothingIsStored) {
  ASSERT_TRUE(host.MakeAndConnect());
  watch->SetReadyAfter(SimulatedWatch::kNeverReady);
  TraceCapture trace;
  Upload();
  ASSERT_TRUE(ui.PumpUntil([&] { return !workflow.Busy(); }));

  EXPECT_THAT(ui.messages, ElementsAre("Download error!\n\nPlease Plug the Device and Try again"));
  EXPECT_TRUE(TraceLines(trace, "InitPort").empty()) << "one driver for all ten attempts";
  std::vector<std::string> retries;
  for (const std::string& line : trace.Messages()) {
    if (line.rfind("Retry Count", 0) == 0 || line.rfind("OnUploadRetry", 0) == 0) retries.push_back(line);
  }
  ASSERT_EQ(retries.size(), 21u);
  EXPECT_EQ(retries.front(), "Retry Count = 0\n");
  EXPECT_EQ(retries[1], "OnUploadRetry : 9\n");
  EXPECT_EQ(retries[19], "OnUploadRetry : 0\n");
  EXPECT_EQ(retries.back(), "Retry Count = 10\n");
  EXPECT_EQ(StoredDays(), 0);
  EXPECT_EQ(StoredSessions(), 0);
  // The files opened, so the window is refreshed all the same.
  EXPECT_EQ(ui.refreshes, 1);
  // The failure is told before its box holds the user.
  EXPECT_THAT(ui.order, ElementsAre("ended", "box"));
  ASSERT_EQ(ui.outcomes.size(), 1u);
  EXPECT_FALSE(ui.outcomes[0].ok);
  EXPECT_EQ(ui.outcomes[0].failure, ui.messages[0]);
}

// The store returns its failures and the window shows each once; a download
// whose files would not open leaves nothing to refresh.
TEST_F(DownloadWorkflowTest, AStoreThatFailsIsToldOnceByTheWindow) {
  ASSERT_TRUE(host.MakeAndConnect());
  std::filesystem::create_directory(paths.DataFolder() / "100.dat");  // the step file cannot be opened
  NoticeRecorder notices;
  Upload();
  ASSERT_TRUE(ui.PumpUntil([&] { return !workflow.Busy(); }));
  // One box: the words, then the file and why.
  EXPECT_THAT(ui.messages, ElementsAre("Cannot open database\n\n" + (paths.DataFolder() / "100.dat").string() +
                                       ": not a regular file"));
  EXPECT_TRUE(notices.Texts().empty());
  EXPECT_EQ(ui.refreshes, 0);
  EXPECT_EQ(StoredSessions(), 0);
  EXPECT_THAT(ui.order, ElementsAre("ended", "box"));
  ASSERT_EQ(ui.outcomes.size(), 1u);
  EXPECT_FALSE(ui.outcomes[0].ok);
  EXPECT_EQ(ui.outcomes[0].failure, ui.messages[0]);
}

TEST_F(DownloadWorkflowTest, AUserTiedToAnotherIsRefusedOnceAndTheWindowRefreshes) {
  ASSERT_TRUE(host.MakeAndConnect());
  users.Current() = LocalUserRecord{};
  users.Current().name = "Eve";
  ASSERT_TRUE(users.Append());
  ASSERT_TRUE(users.MoveLastActive());
  users.Current().exerciseFile = "100.dat";  // Eve's sessions would land in Ann's days
  ASSERT_TRUE(users.WriteCurrent());
  NoticeRecorder notices;
  Upload();
  ASSERT_TRUE(ui.PumpUntil([&] { return !workflow.Busy(); }));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_THAT(ui.messages[0], HasSubstr("names one file, 100.dat, for two users"));
  EXPECT_TRUE(notices.Texts().empty());
  EXPECT_EQ(ui.refreshes, 1);
  EXPECT_EQ(StoredDays(), 0);
}

TEST_F(DownloadWorkflowTest, SettingTheClockStoresNothing) {
  ASSERT_TRUE(host.MakeAndConnect());
  ui.answer = DownloadChoices{true, false};
  TraceCapture trace;
  Upload();
  ASSERT_TRUE(ui.PumpUntil([&] { return !workflow.Busy(); }));
  EXPECT_THAT(ui.messages, ::testing::IsEmpty());
  EXPECT_TRUE(trace.Contains("Write time to device\n"));
  EXPECT_NE(watch->Image(), scenario.Image());  // the clock block was written
  EXPECT_EQ(StoredDays(), 0);
  EXPECT_EQ(ui.refreshes, 1);
  ASSERT_EQ(ui.outcomes.size(), 1u);
  EXPECT_TRUE(ui.outcomes[0].ok && ui.outcomes[0].clockSet);
  // Next time the dialog offers the clock again.
  ui.answer.reset();
  Upload();
  ASSERT_EQ(ui.offered.size(), 2u);
  EXPECT_TRUE(ui.offered[1].writeClock);
  EXPECT_FALSE(ui.offered[1].downloadData);
  EXPECT_FALSE(workflow.Busy());
}

TEST_F(DownloadWorkflowTest, WithoutAConnectedWatchNothingStarts) {
  Upload();
  EXPECT_THAT(ui.messages, ElementsAre("Device Not Found!\n\nPlease Plug the Device and Try again"));
  EXPECT_FALSE(workflow.Busy());
  EXPECT_TRUE(ui.offered.empty());

  ASSERT_TRUE(host.MakeAndConnect());
  host.Driver()->Disconnect();
  ui.messages.clear();
  Upload();
  EXPECT_THAT(ui.messages, ElementsAre("Device not connected!"));
  EXPECT_FALSE(workflow.Busy());
}

TEST_F(DownloadWorkflowTest, CancellingTheDialogChangesNothing) {
  ASSERT_TRUE(host.MakeAndConnect());
  ui.answer.reset();
  Upload();
  EXPECT_FALSE(workflow.Busy());
  EXPECT_FALSE(ui.progressVisible);
  EXPECT_EQ(ui.refreshes, 0);
}

TEST_F(DownloadWorkflowTest, AWatchUnpluggedDuringAnAttemptIsLetGoOnlyAfterTheAttempt) {
  ASSERT_TRUE(host.MakeAndConnect());
  watch->SetFaults(SimulatedFaults{0, 0, 0, 30});  // gone in the middle of the memory
  TraceCapture trace;
  Upload();
  ASSERT_TRUE(workflow.AttemptRunning());
  // The removal arrives now; the driver host holds it until the attempt ends.
  host.OnDeviceChange({kDeviceRemoveComplete, kDeviceTypeInterface, SimulatedWatch::kBridgePath});
  EXPECT_NE(host.Driver(), nullptr);
  ASSERT_TRUE(ui.PumpUntil([&] { return !workflow.Busy(); }));

  EXPECT_EQ(host.Driver(), nullptr);
  EXPECT_THAT(ui.messages, ElementsAre("Download error!\n\nPlease Plug the Device and Try again"));
  // The retries found no driver: one attempt on the watch, ten counted.
  EXPECT_EQ(TraceLines(trace, "Retry Count").back(), "Retry Count = 10\n");
  EXPECT_EQ(StoredDays(), 0);
}

TEST_F(DownloadWorkflowTest, StoppingWaitsForTheAttemptAndStoresNothing) {
  ASSERT_TRUE(host.MakeAndConnect());
  Upload();
  ASSERT_TRUE(workflow.AttemptRunning());
  workflow.Stop();
  EXPECT_FALSE(workflow.AttemptRunning());
  EXPECT_FALSE(workflow.Busy());
  EXPECT_FALSE(ui.progressVisible);
  EXPECT_EQ(StoredDays(), 0);
  // A retry or result queued before the stop finds the workflow stopped.
  ui.PumpUntil([] { return true; });
  EXPECT_FALSE(workflow.Busy());
  // The driver works again afterwards.
  Upload();
  ASSERT_TRUE(ui.PumpUntil([&] { return !workflow.Busy(); }));
  EXPECT_EQ(StoredDays(), ValidDays());
  host.Destroy();
  EXPECT_EQ(host.Driver(), nullptr) << "no hold outlived the download";
}

// Ten attempts that never see the watch ready report more than eighty steps.
TEST_F(DownloadWorkflowTest, TheProgressLineStartsAgainAfterSeventyNineDots) {
  ASSERT_TRUE(host.MakeAndConnect());
  watch->SetReadyAfter(SimulatedWatch::kNeverReady);
  Upload();
  ASSERT_TRUE(ui.PumpUntil([&] { return !workflow.Busy(); }));
  ASSERT_GE(ui.progressTexts.size(), 81u);
  EXPECT_EQ(ui.progressTexts[0], "Uploading data    ");
  EXPECT_EQ(ui.progressTexts[79], "Uploading data    " + std::string(79, '.'));
  EXPECT_EQ(ui.progressTexts[80], "Uploading data    ");
}

class ReturnCounter final : public WatchListener {
 public:
  void WatchReturned() override { ++returns; }
  int returns = 0;
};

TEST(WatchDriverHost, ARemovalDisconnectsThenDestroysTheDriverAndAnArrivalMakesANewOne) {
  FakeClock clock;
  const WatchScenario scenario = WatchScenario::ForSeed(3, kToday);
  WatchDriverHost host(std::make_unique<SimulatedWatch>(clock, scenario.Image()), clock);
  ReturnCounter listener;
  host.SetListener(&listener);

  TraceCapture trace;
  clock.Advance(std::chrono::milliseconds(1234));
  host.OnDeviceChange({kDeviceArrival, kDeviceTypeInterface, "simulated:watch"});
  ASSERT_NE(host.Driver(), nullptr);
  EXPECT_TRUE(host.Connected());
  EXPECT_EQ(listener.returns, 1);
  host.OnDeviceChange({kDeviceArrival, kDeviceTypeInterface, "simulated:watch"});  // already there
  EXPECT_EQ(listener.returns, 1);
  host.OnDeviceChange({kDeviceRemoveComplete, kDeviceTypeInterface, "simulated:watch"});
  EXPECT_EQ(host.Driver(), nullptr);
  EXPECT_THAT(trace.Messages(),
              ElementsAre("OnDeviceChange : 8000, 5\n", "InitPort\n", "Reconnected to device\n",
                          "OnDeviceChange : 8000, 5\n", "OnDeviceChange : 8004, 5\n", "DBT_DEVTYP_DEVICEINTERFACE\n",
                          "Device disconnected\n", "Trekmo Closed========================\n"));
  // A removal of something else with no driver changes nothing.
  host.OnDeviceChange({kDeviceRemoveComplete, kDeviceTypeVolume, ""});
  EXPECT_EQ(host.Driver(), nullptr);
  EXPECT_EQ(listener.returns, 1);
}

// While a transfer holds the driver, it is never destroyed and changes wait;
// they are handled in their order as the last hold goes.
TEST(WatchDriverHost, ChangesDuringAHoldWaitForItsEnd) {
  FakeClock clock;
  WatchDriverHost host(std::make_unique<SimulatedWatch>(clock, WatchScenario::ForSeed(3, kToday).Image()), clock);
  ReturnCounter listener;
  host.SetListener(&listener);
  ASSERT_TRUE(host.MakeAndConnect());
  std::vector<int> progress;
  std::optional<WatchDriverHost::Lease> lease = host.Hold([&](int percent) { progress.push_back(percent); });
  ASSERT_TRUE(lease);
  CTrekmo* held = &lease->Driver();
  host.OnDeviceChange({kDeviceRemoveComplete, kDeviceTypeInterface, "simulated:watch"});
  host.OnDeviceChange({kDeviceArrival, kDeviceTypeInterface, "simulated:watch"});
  host.Destroy();
  EXPECT_EQ(host.Driver(), held);
  // The driver's progress reaches the holder.
  ASSERT_TRUE(held->WriteSettings(false));
  EXPECT_FALSE(progress.empty());
  lease.reset();
  // Destroyed, then the removal (nothing left to remove), then the arrival,
  // which made a new driver and said the watch is back.
  EXPECT_NE(host.Driver(), nullptr);
  EXPECT_EQ(listener.returns, 1);
  EXPECT_TRUE(host.Hold(nullptr).has_value());
}

TEST(WatchDriverHost, AWatchThatCannotBeOpenedLeavesNoDriver) {
  FakeClock clock;
  auto simulated = std::make_unique<SimulatedWatch>(clock, WatchScenario::ForSeed(3, kToday).Image());
  simulated->DenyOpen("Permission denied");
  WatchDriverHost host(std::move(simulated), clock);
  ReturnCounter listener;
  host.SetListener(&listener);
  NoticeRecorder notices;
  host.OpenWatch();
  EXPECT_EQ(host.Driver(), nullptr);
  // The watch is there but out of reach: the user can mend that, so it is told.
  EXPECT_THAT(notices.Texts(), ElementsAre("Permission denied"));
  host.OnDeviceChange({kDeviceArrival, kDeviceTypeInterface, ""});
  EXPECT_EQ(host.Driver(), nullptr);
  EXPECT_EQ(listener.returns, 0);
  EXPECT_EQ(host.MakeAndConnect().message(), "Permission denied") << "the reason comes back";
  EXPECT_EQ(host.Driver(), nullptr);
  EXPECT_FALSE(host.Hold(nullptr).has_value());
}

}  // namespace
}  // namespace tempovia
