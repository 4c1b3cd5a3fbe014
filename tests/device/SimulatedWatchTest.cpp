#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "RecordingSimulatedWatch.h"
#include "base/testing/FakeClock.h"
#include "device/USBHID.h"

namespace tempovia {
namespace {

using Outcome = ReportLogEntry::Outcome;
using Direction = ReportLogEntry::Direction;

OutputReport Command(std::uint16_t address, std::uint8_t length, std::uint8_t code) {
  return {0,      'U', 'S', 'B', 'C', static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
          length, code};
}

class SimulatedWatchTest : public ::testing::Test {
 protected:
  SimulatedWatchTest() {
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i);
    watch.SetImage(image);
    EXPECT_TRUE(watch.Open(SimulatedWatch::kBridgePath));
  }
  std::vector<Outcome> Outcomes() const {
    std::vector<Outcome> out;
    for (const ReportLogEntry& e : watch.Log()) out.push_back(e.outcome);
    return out;
  }

  FakeClock clock;
  WatchImage image{};
  test::RecordingSimulatedWatch watch{clock, WatchImage{}};
  std::vector<std::uint8_t> report;
};

TEST_F(SimulatedWatchTest, ReadsWrapAtTheEndOfTheMemory) {
  ASSERT_TRUE(watch.Write(Command(0x1FC, 8, USBHID::kReadBlock)));
  ASSERT_TRUE(watch.Read(report, std::chrono::milliseconds(1000)));
  EXPECT_EQ(report, (std::vector<std::uint8_t>{0, 0xFC, 0xFD, 0xFE, 0xFF, 0x00, 0x01, 0x02, 0x03}));
  // Bytes past the asked length come as zeros.
  ASSERT_TRUE(watch.Write(Command(0x010, 2, USBHID::kReadBlock)));
  ASSERT_TRUE(watch.Read(report, std::chrono::milliseconds(1000)));
  EXPECT_EQ(report, (std::vector<std::uint8_t>{0, 0x10, 0x11, 0, 0, 0, 0, 0, 0}));
}

TEST_F(SimulatedWatchTest, LogsEveryReportWithWhatBecameOfIt) {
  SimulatedFaults faults;
  faults.failRead = 2;
  faults.timeoutRead = 3;
  watch.SetFaults(faults);
  ASSERT_TRUE(watch.Write(Command(0, 8, USBHID::kReadBlock)));
  ASSERT_TRUE(watch.Read(report, std::chrono::milliseconds(1000)));
  ASSERT_TRUE(watch.Write(Command(8, 8, USBHID::kReadBlock)));
  EXPECT_FALSE(watch.Read(report, std::chrono::milliseconds(1000)));  // 2nd read fails, answer lost
  ASSERT_TRUE(watch.Write(Command(16, 8, USBHID::kReadBlock)));
  EXPECT_FALSE(watch.Read(report, std::chrono::milliseconds(250)));  // 3rd read: late answer
  EXPECT_EQ(clock.TotalSleptMs(), 250);
  watch.DiscardPendingInput();
  EXPECT_FALSE(watch.Read(report, std::chrono::milliseconds(250)));  // nothing was asked
  EXPECT_EQ(Outcomes(),
            (std::vector<Outcome>{Outcome::Delivered, Outcome::Delivered, Outcome::Delivered, Outcome::Failed,
                                  Outcome::Delivered, Outcome::TimedOut, Outcome::Discarded, Outcome::TimedOut}));
  EXPECT_EQ(watch.Log()[6].bytes[1], 16);  // the late answer was the block at 16
}

// Pulling the plug comes from another thread than the transfer's (a
// signal handled on the user-interface thread): the transfer's next report
// finds the watch gone, as it would find a real one.
TEST_F(SimulatedWatchTest, APlugPulledFromAnotherThreadEndsTheTransferAtItsNextReport) {
  ASSERT_TRUE(watch.Write(Command(0x20, 8, USBHID::kReadBlock)));
  std::thread([this] { watch.PullPlug(); }).join();
  EXPECT_EQ(watch.Read(report, std::chrono::milliseconds(100)).message(), "The watch was unplugged.");
  EXPECT_TRUE(watch.Enumerate().empty());
  EXPECT_FALSE(watch.Open(SimulatedWatch::kBridgePath));
  std::thread([this] { watch.PushPlugIn(); }).join();
  EXPECT_FALSE(watch.Enumerate().empty());
  EXPECT_TRUE(watch.Open(SimulatedWatch::kBridgePath));
  // Pulled and pushed back before anyone looked: nothing happened.
  watch.PullPlug();
  watch.PushPlugIn();
  EXPECT_TRUE(watch.Write(Command(0x20, 8, USBHID::kReadBlock)));
}

}  // namespace
}  // namespace tempovia
