#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "DeviceTestSupport.h"
#include "RecordingSimulatedWatch.h"
#include "WatchValueMatchers.h"
#include "base/testing/FakeClock.h"
#include "base/testing/NoticeRecorder.h"
#include "device/Trekmo.h"
#include "device/WatchScenario.h"
#include "trace/testing/TraceCapture.h"

namespace tempovia {
namespace {

using namespace std::chrono;
using test::SentCommand;

constexpr year_month_day kLastDay{year{2009}, December, day{31}};

// A connected driver on a simulated watch holding a scenario's week; the log,
// progress and sleeps start empty after the connection.
struct Rig {
  explicit Rig(std::uint32_t seed = 11) : scenario(WatchScenario::ForSeed(seed, kLastDay)) {
    EXPECT_TRUE(driver.Connect(&observer));
    watch.ClearLog();
    observer.progress.clear();
    sleptAtStart = clock.TotalSleptMs();
    sleepsAtStart = clock.Sleeps().size();
  }
  std::int64_t Slept() const { return clock.TotalSleptMs() - sleptAtStart; }
  std::vector<std::int64_t> Sleeps() const {
    return {clock.Sleeps().begin() + static_cast<std::ptrdiff_t>(sleepsAtStart), clock.Sleeps().end()};
  }
  std::vector<SentCommand> Commands() const { return test::SentCommands(watch.Log()); }

  FakeClock clock;  // 2009-12-31 23:59
  WatchScenario scenario;
  test::RecordingSimulatedWatch watch{clock, scenario.Image()};
  test::RecordingObserver observer;
  CTrekmo driver{watch, clock};
  std::int64_t sleptAtStart = 0;
  std::size_t sleepsAtStart = 0;
};

bool IsPortOrStatus(const SentCommand& c) {
  return c.code == USBHID::kPortConfig || c.code == USBHID::kPortSet || c.code == USBHID::kPortMask ||
         c.code == USBHID::kReadStatus;
}

std::vector<std::uint8_t> Data(std::initializer_list<std::uint8_t> first) {
  std::vector<std::uint8_t> data(first);
  data.resize(8, 0);
  return data;
}

// Nothing the driver holds may pass for a day or a session of the watch.
void ExpectNothingValid(const CTrekmo& driver) {
  EXPECT_EQ(driver.GetUserRecord().DayCount(), 0);
  EXPECT_EQ(driver.GetExerciseRecord().Count(), 0);
  for (int k = 0; k < kSlotCount; ++k) {
    EXPECT_EQ(driver.GetStepRecord().Slot(k).valid, 0) << "day slot " << k;
    EXPECT_EQ(driver.GetExerciseRecord().Entry(k).valid, 0) << "session slot " << k;
  }
}

void ExpectScenarioDownloaded(const CTrekmo& driver, const WatchScenario& scenario) {
  const WatchImageValues& v = scenario.Values();
  const UserRecord& user = driver.GetUserRecord();
  EXPECT_EQ(user.Height(), v.height);
  EXPECT_EQ(user.Weight(), v.weight);
  EXPECT_EQ(user.Stride(), v.stride);
  EXPECT_EQ(user.Word(), v.word);
  EXPECT_EQ(user.Flags(), v.flags);
  ASSERT_EQ(user.DayCount(), kSlotCount);
  for (int p = 0; p < kSlotCount; ++p)
    EXPECT_EQ(user.SlotAtPosition(p), v.dayOrderTable[static_cast<std::size_t>(p)]) << "position " << p;
  for (int k = 0; k < kSlotCount; ++k) {
    EXPECT_EQ(driver.GetStepRecord().Slot(k).valid, 1) << "day slot " << k;
    test::ExpectSameDay(driver.GetStepRecord().Slot(k), v.days[static_cast<std::size_t>(k)], k);
  }
  const CExerciseRecord& sessions = driver.GetExerciseRecord();
  ASSERT_EQ(sessions.Count(), v.exerciseCountByte);
  for (int p = 0; p < sessions.Count(); ++p)
    EXPECT_EQ(sessions.SlotAtPosition(p), v.exerciseOrderTable[static_cast<std::size_t>(p)]) << "position " << p;
  for (int k = 0; k < sessions.Count(); ++k) {
    EXPECT_EQ(sessions.Entry(k).valid, 1) << "session slot " << k;
    test::ExpectSameExercise(sessions.Entry(k), v.exercises[static_cast<std::size_t>(k)], k);
  }
}

TEST(TrekmoConnect, ConnectConfiguresTheBridgePort) {
  FakeClock clock;
  test::RecordingSimulatedWatch watch(clock, WatchImage{});
  CTrekmo driver(watch, clock);
  TraceCapture trace;
  ASSERT_TRUE(driver.Connect(nullptr));
  EXPECT_TRUE(driver.IsConnected());
  const auto commands = test::SentCommands(watch.Log());
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(commands[0].code, USBHID::kPortConfig);
  EXPECT_EQ(commands[0].data, Data({0x15, 0x59}));
  EXPECT_EQ(commands[1].code, USBHID::kPortSet);
  EXPECT_EQ(commands[1].data, Data({0x00}));
  EXPECT_EQ(commands[2].code, USBHID::kPortMask);
  EXPECT_EQ(commands[2].data, Data({0xBF}));
  EXPECT_EQ(clock.Sleeps(), (std::vector<std::int64_t>{50, 50, 100}));
  EXPECT_EQ(trace.Messages(), std::vector<std::string>{"InitPort\n"});
}

TEST(TrekmoConnect, NoWatchOrNoAccessMeansNotConnected) {
  NoticeRecorder notices;
  FakeClock clock;
  test::RecordingSimulatedWatch watch(clock, WatchImage{});
  watch.Unplug();
  CTrekmo absent(watch, clock);
  EXPECT_FALSE(absent.Connect(nullptr));
  EXPECT_FALSE(absent.IsConnected());
  EXPECT_TRUE(notices.Notices().empty());

  watch.Plug();
  watch.DenyOpen("no permission");
  CTrekmo denied(watch, clock);
  EXPECT_FALSE(denied.Connect(nullptr));
  EXPECT_EQ(notices.Texts(), std::vector<std::string>{"no permission"});
  EXPECT_EQ(denied.LastError(), "no permission");

  // A bridge whose port cannot be set up is not left open.
  watch.DenyOpen("");
  SimulatedFaults faults;
  faults.failWrite = 2;
  watch.SetFaults(faults);
  CTrekmo broken(watch, clock);
  EXPECT_FALSE(broken.Connect(nullptr));
  EXPECT_FALSE(broken.IsConnected());
}

TEST(TrekmoConnect, DisconnectClosesAnOpenLinkOnly) {
  Rig rig;
  EXPECT_TRUE(rig.driver.Disconnect());
  EXPECT_FALSE(rig.driver.IsConnected());
  EXPECT_FALSE(rig.driver.Disconnect());
  EXPECT_TRUE(rig.driver.Reconnect());
  EXPECT_TRUE(rig.driver.IsConnected());
}

TEST(TrekmoDownload, AFullDownloadDecodesToTheScenariosValues) {
  for (std::uint32_t seed : {1u, 2u, 3u, 11u, 4096u, 20081208u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Rig rig(seed);
    ASSERT_TRUE(rig.driver.Download(false, false)) << rig.driver.LastError();
    ExpectScenarioDownloaded(rig.driver, rig.scenario);
    // Transfer mode is left: the release cleared the bit the wake set.
    EXPECT_EQ(rig.watch.PortBits() & 0x04, 0);
  }
}

TEST(TrekmoDownload, ReadsTheMemoryInItsFixedOrder) {
  Rig rig;
  ASSERT_TRUE(rig.driver.Download(false, false));
  std::vector<std::uint16_t> expected = {0x000, 0x000, 0x008, 0x010, 0x018};
  for (std::uint16_t a = 0x20; a < 0x100; a += 8) expected.push_back(a);
  expected.push_back(0x100);
  for (std::uint16_t a = 0x100; a < 0x200; a += 8) expected.push_back(a);
  EXPECT_EQ(test::ReadAddresses(rig.watch.Log()), expected);
  for (const SentCommand& c : rig.Commands()) {
    if (c.code == USBHID::kReadBlock) {
      EXPECT_EQ(c.length, 8);
    }
  }
}

TEST(TrekmoDownload, ReportsProgressInItsFixedSequence) {
  Rig rig;
  ASSERT_TRUE(rig.driver.Download(false, false));
  const std::vector<int> expected = {0,   5,   8,  10, 12, 15, 20, 80,                                  // wake
                                     20,  26,  32, 38, 40,                                              // user record
                                     40,  47,  54, 61, 68, 75, 82, 60,                                  // days
                                     50,  75,  76, 77, 78, 78, 79, 80, 81, 82, 82, 83, 84, 85, 85, 86,  // sessions
                                     87,  88,  89, 89, 90, 91, 92, 92, 93, 94, 95, 96, 96, 97, 98, 99,  //
                                     100, 100, 100};
  EXPECT_EQ(rig.observer.progress, expected);
}

TEST(TrekmoDownload, AsksForTheProtocolsPausesOnly) {
  Rig rig;
  ASSERT_TRUE(rig.driver.Download(false, false));
  // Wake (2.1 s) and release (0.6 s) when the watch is ready at once.
  EXPECT_EQ(rig.Sleeps(), (std::vector<std::int64_t>{50, 50, 500, 500, 500, 500, 50, 50, 500}));

  Rig withClock;
  ASSERT_TRUE(withClock.driver.Download(false, true));
  EXPECT_EQ(withClock.Slept(), 2900);
}

TEST(TrekmoDownload, WithoutHandshakeSendsNoPortCommandsNorStatusReads) {
  Rig rig;
  rig.driver.SetHandshake(false);
  ASSERT_TRUE(rig.driver.Download(false, false));
  for (const SentCommand& c : rig.Commands()) EXPECT_FALSE(IsPortOrStatus(c)) << "command " << int{c.code};
  EXPECT_EQ(rig.watch.StatusPolls(), 0);
  EXPECT_EQ(rig.Slept(), 0);
  ExpectScenarioDownloaded(rig.driver, rig.scenario);
}

TEST(TrekmoDownload, AWatchNeverReadyFailsAfterFiftyStatusReads) {
  Rig rig;
  rig.watch.SetReadyAfter(SimulatedWatch::kNeverReady);
  EXPECT_FALSE(rig.driver.Download(false, false));
  EXPECT_EQ(rig.watch.StatusPolls(), 50);
  for (const SentCommand& c : rig.Commands()) EXPECT_EQ(c.code, USBHID::kReadStatus);
  std::vector<int> expected = {0};
  for (int i = 0; i < 50; ++i) expected.push_back(i / 10);
  expected.push_back(5);
  expected.push_back(100);
  EXPECT_EQ(rig.observer.progress, expected);
  EXPECT_EQ(rig.Slept(), 50 * 100);
  EXPECT_EQ(rig.driver.LastError(), "The watch did not get ready for the transfer.");
}

TEST(TrekmoDownload, WaitsForReadyUpToTheFiftiethStatusRead) {
  const struct {
    int notReadyPolls;
    bool succeeds;
  } cases[] = {{0, true}, {1, true}, {49, true}, {50, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE("not ready for " + std::to_string(c.notReadyPolls) + " reads");
    Rig rig;
    rig.watch.SetReadyAfter(c.notReadyPolls);
    EXPECT_EQ(rig.driver.Download(false, false), c.succeeds);
  }
}

TEST(TrekmoDownload, WritesTheClockAndItsFlagBeforeReadingTheUserRecord) {
  Rig rig;
  WatchImageValues values = rig.scenario.Values();
  values.flags = 0x20;  // settings written, clock not yet
  rig.watch.SetImage(EncodeWatchImage(values));
  ASSERT_TRUE(rig.driver.Download(false, true));

  const auto commands = rig.Commands();
  std::size_t firstRead = 0;
  while (commands[firstRead].code != USBHID::kReadBlock || commands[firstRead].address != 0) ++firstRead;
  ASSERT_GE(firstRead, 3u);
  const SentCommand& clock = commands[firstRead - 3];
  const SentCommand& flagsRead = commands[firstRead - 2];
  const SentCommand& flagsWrite = commands[firstRead - 1];
  EXPECT_EQ(clock.code, USBHID::kWriteBlock);
  EXPECT_EQ(clock.address, 0x009);
  EXPECT_EQ(clock.length, 6);
  // 2009-12-31 23:59: BCD exchanged, then the sum 0xC8 as it is.
  EXPECT_EQ(clock.data, Data({0x90, 0x21, 0x13, 0x32, 0x95, 0xC8}));
  EXPECT_EQ(flagsRead.code, USBHID::kReadBlock);
  EXPECT_EQ(flagsRead.address, 0x019);
  EXPECT_EQ(flagsRead.length, 1);
  EXPECT_EQ(flagsWrite.code, USBHID::kWriteBlock);
  EXPECT_EQ(flagsWrite.address, 0x019);
  EXPECT_EQ(flagsWrite.length, 1);
  EXPECT_EQ(flagsWrite.data, Data({0x03}));  // stored form: settings bit kept, clock bit added

  EXPECT_EQ(rig.driver.SyncTimeText(), "2009-12-31, 23:59");
  EXPECT_EQ(rig.watch.Image()[0x19], 0x03);
  EXPECT_EQ(rig.driver.GetUserRecord().DateText(), "09-12-31");
  EXPECT_EQ(rig.driver.GetUserRecord().TimeText(), "23:59 [C8]");
  EXPECT_EQ(rig.driver.GetUserRecord().Flags(), 0x30);
}

TEST(TrekmoDownload, WritesTheKeptSettingsWhenAsked) {
  Rig rig;
  rig.driver.GetUserRecord().SetHeight(170);
  rig.driver.GetUserRecord().SetWeight(65);
  rig.driver.GetUserRecord().SetStride(75);
  ASSERT_TRUE(rig.driver.Download(true, false));
  const auto commands = rig.Commands();
  const auto settings = std::find_if(commands.begin(), commands.end(),
                                     [](const SentCommand& c) { return c.code == USBHID::kWriteBlock; });
  ASSERT_NE(settings, commands.end());
  EXPECT_EQ(settings->address, 0x000);
  EXPECT_EQ(settings->length, 7);
  EXPECT_EQ(settings->data, Data({0x10, 0x07, 0x00, 0x56, 0x00, 0x57, 0xB4, 0x00}));
  EXPECT_EQ(rig.driver.GetUserRecord().Height(), 170);
  EXPECT_EQ(rig.driver.GetUserRecord().Weight(), 65);
  EXPECT_EQ(rig.driver.GetUserRecord().Stride(), 75);
}

TEST(TrekmoDownload, ABadChecksumFailsTheDownloadOnlyForTheSettings) {
  const struct {
    SimulatedChecksum which;
    int slot;
    bool succeeds;
    const char* name;
  } cases[] = {
      {SimulatedChecksum::Settings, 0, false, "settings"},
      {SimulatedChecksum::Day, 3, true, "day 3"},
      {SimulatedChecksum::Exercise, 0, true, "exercise 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.watch.CorruptChecksum(c.which, c.slot);
    EXPECT_EQ(rig.driver.Download(false, false), c.succeeds);
    if (!c.succeeds) {
      ExpectNothingValid(rig.driver);
      continue;
    }
    for (int k = 0; k < kSlotCount; ++k) {
      const bool bad = c.which == SimulatedChecksum::Day && k == c.slot;
      EXPECT_EQ(rig.driver.GetStepRecord().Slot(k).valid, bad ? 0 : 1) << k;
    }
    for (int k = 0; k < rig.driver.GetExerciseRecord().Count(); ++k) {
      const bool bad = c.which == SimulatedChecksum::Exercise && k == c.slot;
      EXPECT_EQ(rig.driver.GetExerciseRecord().Entry(k).valid, bad ? 0 : 1) << k;
    }
  }
}

bool EnteredTransferMode(const std::vector<SentCommand>& commands) {
  return std::any_of(commands.begin(), commands.end(), [](const SentCommand& c) {
    return c.code == USBHID::kPortConfig && c.data == Data({0x1A, 0x59});
  });
}

// Codes of the last three command reports sent, whatever became of them.
std::vector<std::uint8_t> LastThreeCodes(const std::vector<SentCommand>& commands) {
  std::vector<std::uint8_t> codes;
  for (std::size_t i = commands.size() > 3 ? commands.size() - 3 : 0; i < commands.size(); ++i)
    codes.push_back(commands[i].code);
  return codes;
}

// Counts the reads and writes of a clean download writing clock and settings.
void CountTransfers(int& reads, int& writes) {
  Rig rig;
  ASSERT_TRUE(rig.driver.Download(true, true));
  reads = test::CountReports(rig.watch.Log(), ReportLogEntry::Direction::In);
  writes = test::CountReports(rig.watch.Log(), ReportLogEntry::Direction::Out);
}

TEST(TrekmoDownload, EveryInjectedFaultFailsTheAttemptAndOffersNothing) {
  int reads = 0;
  int writes = 0;
  CountTransfers(reads, writes);
  ASSERT_GT(reads, 60);
  ASSERT_GT(writes, 80);

  enum Kind { FailRead, FailWrite, TimeOut, Unplug };
  const struct {
    Kind kind;
    const char* name;
    int positions;
  } kinds[] = {{FailRead, "failed read", reads},
               {FailWrite, "failed write", writes},
               {TimeOut, "time-out", reads},
               {Unplug, "unplug", reads + writes - 1}};
  for (const auto& kind : kinds) {
    for (int n = 1; n <= kind.positions; ++n) {
      SCOPED_TRACE(std::string(kind.name) + " at transfer " + std::to_string(n));
      Rig rig;
      rig.driver.GetUserRecord().SetHeight(181);
      rig.driver.GetUserRecord().SetWeight(77);
      rig.driver.GetUserRecord().SetStride(74);
      SimulatedFaults faults;
      (kind.kind == FailRead    ? faults.failRead
       : kind.kind == FailWrite ? faults.failWrite
       : kind.kind == TimeOut   ? faults.timeoutRead
                                : faults.unplugAfter) = n;
      rig.watch.SetFaults(faults);
      EXPECT_FALSE(rig.driver.Download(true, true));
      EXPECT_FALSE(rig.driver.LastError().empty());
      ExpectNothingValid(rig.driver);
      EXPECT_EQ(rig.driver.GetUserRecord().Height(), 181);
      EXPECT_EQ(rig.observer.progress.back(), 100);
      if (kind.kind == Unplug) continue;

      // Once the wake has begun switching the watch into transfer mode, the
      // attempt ends by switching it back; only a lost report of that very
      // sequence can leave it there.
      if (EnteredTransferMode(rig.Commands())) {
        EXPECT_EQ(LastThreeCodes(rig.Commands()),
                  (std::vector<std::uint8_t>{USBHID::kPortConfig, USBHID::kPortMask, USBHID::kPortSet}));
        if (kind.kind != FailWrite) {
          EXPECT_EQ(rig.watch.PortBits() & 0x04, 0);
        }
      }
      // The next attempt reads the right bytes: a late answer is not taken
      // for the answer to a later command.
      rig.watch.SetFaults({});
      rig.watch.SetImage(rig.scenario.Image());
      ASSERT_TRUE(rig.driver.Download(false, false)) << rig.driver.LastError();
      ExpectScenarioDownloaded(rig.driver, rig.scenario);
      if (HasFailure()) return;
    }
  }
}

TEST(TrekmoTransfers, WriteSettingsIsFramedByWakeAndRelease) {
  Rig rig;
  rig.driver.GetUserRecord().SetHeight(170);
  rig.driver.GetUserRecord().SetWeight(65);
  rig.driver.GetUserRecord().SetStride(75);
  ASSERT_TRUE(rig.driver.WriteSettings(true));

  std::vector<std::pair<std::uint8_t, std::vector<std::uint8_t>>> sequence;
  for (const SentCommand& c : rig.Commands())
    if (c.code != USBHID::kReadStatus) sequence.emplace_back(c.code, c.data);
  using P = decltype(sequence)::value_type;
  const decltype(sequence) expected = {
      P{USBHID::kPortConfig, Data({0x1A, 0x59})},
      P{USBHID::kPortSet, Data({0x04})},
      P{USBHID::kPortMask, Data({0xF7})},
      P{USBHID::kWriteBlock, Data({0x10, 0x07, 0x00, 0x56, 0x00, 0x57, 0xB4, 0x00})},
      P{USBHID::kReadBlock, {}},
      P{USBHID::kWriteBlock, Data({0x03})},  // scenario flags 0x30 are stored as 0x03
      P{USBHID::kPortConfig, Data({0x1A, 0x59})},
      P{USBHID::kPortMask, Data({0xFB})},
      P{USBHID::kPortSet, Data({0x08})},
  };
  EXPECT_EQ(sequence, expected);
  EXPECT_EQ(rig.observer.progress, (std::vector<int>{0, 5, 8, 10, 12, 15, 20, 50, 100}));
  const DecodedWatchImage decoded = DecodeWatchImage(rig.watch.Image());
  EXPECT_TRUE(decoded.userValid);
  EXPECT_EQ(decoded.user.Height(), 170);
  EXPECT_EQ(decoded.user.Stride(), 75);
}

TEST(TrekmoTransfers, AClockTheWatchCannotHoldIsNotWritten) {
  Rig rig;
  rig.clock.Set(LocalDateTime::From(2100, 1, 1, 0, 0, 0));
  std::string text = "unchanged";
  EXPECT_FALSE(rig.driver.WriteClock(text, false));
  EXPECT_EQ(text, "unchanged");
  EXPECT_TRUE(rig.watch.Log().empty());
}

TEST(TrekmoTransfers, ReadExercisesAloneDecodesTheSessions) {
  Rig rig;
  ASSERT_TRUE(rig.driver.ReadExercises(true));
  const WatchImageValues& v = rig.scenario.Values();
  ASSERT_EQ(rig.driver.GetExerciseRecord().Count(), v.exerciseCountByte);
  for (int k = 0; k < v.exerciseCountByte; ++k)
    test::ExpectSameExercise(rig.driver.GetExerciseRecord().Entry(k), v.exercises[static_cast<std::size_t>(k)], k);
  EXPECT_EQ(rig.watch.PortBits() & 0x04, 0);
}

TEST(TrekmoTransfers, ReadImageCopiesTheWholeMemoryOrNothing) {
  Rig rig;
  WatchImage image{};
  ASSERT_TRUE(rig.driver.ReadImage(image));
  EXPECT_EQ(image, rig.watch.Image());
  EXPECT_EQ(rig.observer.progress.back(), 100);

  SimulatedFaults faults;
  faults.failRead = 40;
  rig.watch.SetFaults(faults);
  WatchImage untouched{};
  untouched.fill(0xEE);
  WatchImage target = untouched;
  EXPECT_FALSE(rig.driver.ReadImage(target));
  EXPECT_EQ(target, untouched);
}

TEST(TrekmoDeviceChange, ReactsToEachEventAsItsTableSays) {
  const struct {
    DeviceChange change;
    const char* trace;  // empty: nothing traced
    int disconnected;
  } cases[] = {
      {{kDeviceNodesChanged, 0, ""}, "", 0},
      {{kDeviceRemoveComplete, kDeviceTypeVolume, ""}, "DBT_DEVTYP_VOLUME\n", 0},
      {{kDeviceRemoveComplete, kDeviceTypePort, ""}, "DBT_DEVTYP_PORT\n", 0},
      {{kDeviceRemoveComplete, kDeviceTypeInterface, "/dev/hidraw9"}, "DBT_DEVTYP_DEVICEINTERFACE\n", 1},
      {{kDeviceRemoveComplete, 9, ""}, "device type : 9\n", 0},
      {{0x1234, kDeviceTypeInterface, ""}, "Unknown USB event : 1234, 5\n", 0},
      {{kDeviceArrival, kDeviceTypeInterface, ""}, "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.trace);
    Rig rig;
    TraceCapture trace;
    rig.driver.OnDeviceChange(c.change);
    EXPECT_EQ(trace.Text(), c.trace);
    EXPECT_EQ(rig.observer.disconnected, c.disconnected);
    EXPECT_EQ(rig.observer.reconnected, 0);
  }
}

TEST(TrekmoDeviceChange, ArrivalReopensAClosedLinkAndRemovalOfAClosedOneIsQuiet) {
  Rig rig;
  ASSERT_TRUE(rig.driver.Disconnect());
  rig.driver.OnDeviceChange({kDeviceRemoveComplete, kDeviceTypeInterface, ""});
  EXPECT_EQ(rig.observer.disconnected, 0);
  rig.driver.OnDeviceChange({kDeviceArrival, kDeviceTypeInterface, "/dev/hidraw2"});
  EXPECT_EQ(rig.observer.reconnected, 1);
  EXPECT_TRUE(rig.driver.IsConnected());
}

}  // namespace
}  // namespace tempovia
