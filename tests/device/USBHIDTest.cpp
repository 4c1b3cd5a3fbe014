#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DeviceTestSupport.h"
#include "RecordingSimulatedWatch.h"
#include "base/testing/FakeClock.h"
#include "base/testing/NoticeRecorder.h"
#include "device/USBHID.h"

namespace tempovia {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Direction = ReportLogEntry::Direction;

WatchImage CountingImage() {
  WatchImage image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7);
  return image;
}

class USBHIDTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(link.Open(nullptr)); }

  // The reports written since the last call, oldest first.
  std::vector<Bytes> Written() {
    std::vector<Bytes> out;
    for (const ReportLogEntry& e : watch.Log())
      if (e.direction == Direction::Out) out.push_back(e.bytes);
    watch.ClearLog();
    return out;
  }

  FakeClock clock;
  test::RecordingSimulatedWatch watch{clock, CountingImage()};
  USBHID link{watch};
};

TEST_F(USBHIDTest, ReadBlockSendsTheCommandReportAndKeepsTheAnswer) {
  ASSERT_TRUE(link.ReadBlock(0, 0x01, 0x28, 8));
  EXPECT_EQ(Written(), (std::vector<Bytes>{{0, 'U', 'S', 'B', 'C', 0x01, 0x28, 8, 1}}));
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(link.InputReport()[static_cast<std::size_t>(1 + i)], static_cast<std::uint8_t>((0x128 + i) * 7));
}

TEST_F(USBHIDTest, WriteBlockZeroFillsTheDataReportPastTheLength) {
  ASSERT_TRUE(link.WriteBlock(0, 0x00, 0x09, 3, {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8}));
  EXPECT_EQ(Written(),
            (std::vector<Bytes>{{0, 'U', 'S', 'B', 'C', 0x00, 0x09, 3, 2}, {0, 0xA1, 0xA2, 0xA3, 0, 0, 0, 0, 0}}));
  EXPECT_EQ(watch.Image()[9], 0xA1);
  EXPECT_EQ(watch.Image()[11], 0xA3);
  EXPECT_EQ(watch.Image()[12], static_cast<std::uint8_t>(12 * 7));
}

TEST_F(USBHIDTest, PortCommandsSendTheAddressLeftByThePreviousCommand) {
  const USBHID::Data data{0x1A, 0x59, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
  // A fresh link has sent no command yet: the address bytes are zero.
  ASSERT_TRUE(link.PortConfig(0, data));
  EXPECT_EQ(Written(), (std::vector<Bytes>{{0, 'U', 'S', 'B', 'C', 0, 0, 2, 4}, {0, 0x1A, 0x59, 0, 0, 0, 0, 0, 0}}));
  ASSERT_TRUE(link.ReadBlock(0, 0x01, 0xF8, 8));
  Written();
  ASSERT_TRUE(link.PortConfig(0, data));
  ASSERT_TRUE(link.PortSet(0, data));
  ASSERT_TRUE(link.PortMask(0, data));
  EXPECT_EQ(Written(), (std::vector<Bytes>{{0, 'U', 'S', 'B', 'C', 0x01, 0xF8, 2, 4},
                                           {0, 0x1A, 0x59, 0, 0, 0, 0, 0, 0},
                                           {0, 'U', 'S', 'B', 'C', 0x01, 0xF8, 1, 5},
                                           {0, 0x1A, 0, 0, 0, 0, 0, 0, 0},
                                           {0, 'U', 'S', 'B', 'C', 0x01, 0xF8, 1, 6},
                                           {0, 0x1A, 0, 0, 0, 0, 0, 0, 0}}));
  std::uint8_t status = 0xFF;
  ASSERT_TRUE(link.ReadStatus(0, status));
  EXPECT_EQ(status, USBHID::kStatusReady);
  // ReadStatus leaves both address and length as they were.
  EXPECT_EQ(Written(), (std::vector<Bytes>{{0, 'U', 'S', 'B', 'C', 0x01, 0xF8, 1, 7}}));
}

TEST_F(USBHIDTest, ALateAnswerIsDroppedBeforeTheNextCommand) {
  SimulatedFaults faults;
  faults.timeoutRead = 1;
  watch.SetFaults(faults);
  EXPECT_FALSE(link.ReadBlock(0, 0x00, 0x00, 8));
  ASSERT_TRUE(link.ReadBlock(0, 0x00, 0x40, 8));
  EXPECT_EQ(link.InputReport()[1], static_cast<std::uint8_t>(0x40 * 7));
  EXPECT_EQ(clock.TotalSleptMs(), USBHID::kDefaultReadTimeout.count());
}

// A transport whose answers are always too short to hold the asked bytes.
class ShortAnswers final : public HidTransport {
 public:
  std::vector<HidInterfaceInfo> Enumerate() override {
    return {{"short", USBHID::kVendorId, USBHID::kProductId, 1, 0x10, 9}};
  }
  Status Open(const std::string&) override {
    m_open = true;
    return Status::Ok();
  }
  bool IsOpen() const override { return m_open; }
  void Close() override { m_open = false; }
  Status Write(const OutputReport&) override { return Status::Ok(); }
  Status Read(std::vector<std::uint8_t>& report, std::chrono::milliseconds) override {
    report = {0, 0x11, 0x22};
    return Status::Ok();
  }
  void DiscardPendingInput() override {}

 private:
  bool m_open = false;
};

TEST(USBHIDShortAnswer, AnAnswerShorterThanTheBlockFailsTheRead) {
  ShortAnswers transport;
  USBHID link(transport);
  ASSERT_TRUE(link.Open(nullptr));
  EXPECT_TRUE(link.ReadBlock(0, 0, 0, 2));
  EXPECT_FALSE(link.ReadBlock(0, 0, 0, 8));
  std::uint8_t status = 0;
  EXPECT_TRUE(link.ReadStatus(0, status));
  EXPECT_EQ(status, 0x11);
}

HidInterfaceInfo Collection(std::string path, std::uint16_t page, std::uint16_t usage,
                            std::uint16_t product = USBHID::kProductId) {
  return HidInterfaceInfo{std::move(path), USBHID::kVendorId, product, page, usage, 9};
}

struct OpenCase {
  const char* name;
  std::vector<HidInterfaceInfo> collections;  // the bridge's own goes last
  std::string opened;                         // empty: none
};

TEST(USBHIDOpen, OpensOnlyTheBridgesCollection) {
  const std::string bridge = SimulatedWatch::kBridgePath;
  const OpenCase cases[] = {
      {"wrong usage first", {Collection("a", 0x01, 0x06)}, bridge},
      {"wrong page first", {Collection("a", 0xFF00, 0x10)}, bridge},
      {"other product first", {Collection("a", 0x01, 0x10, 0x0203)}, bridge},
      {"both wrong", {Collection("a", 0x01, 0x02), Collection("b", 0x0C, 0x10)}, bridge},
      {"no usage known", {Collection("a", 0, 0)}, "a"},
  };
  for (const OpenCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeClock clock;
    test::RecordingSimulatedWatch watch(clock, WatchImage{});
    watch.Interfaces().insert(watch.Interfaces().begin(), c.collections.begin(), c.collections.end());
    USBHID link(watch);
    EXPECT_EQ(link.Open(nullptr), !c.opened.empty());
    EXPECT_EQ(link.Caps().path, c.opened);
  }
}

TEST(USBHIDOpen, NoBridgeMeansNotOpenAndNoNotice) {
  NoticeRecorder notices;
  FakeClock clock;
  test::RecordingSimulatedWatch watch(clock, WatchImage{});
  watch.Interfaces() = {Collection("a", 0x01, 0x06)};
  USBHID link(watch);
  EXPECT_FALSE(link.Open(nullptr));
  EXPECT_FALSE(link.IsOpen());
  watch.Unplug();
  EXPECT_FALSE(link.Open(nullptr));
  EXPECT_TRUE(notices.Notices().empty());
}

TEST(USBHIDOpen, ABridgeThatCannotBeOpenedIsToldWithTheReason) {
  NoticeRecorder notices;
  FakeClock clock;
  test::RecordingSimulatedWatch watch(clock, WatchImage{});
  watch.DenyOpen("permission denied; install the udev rule");
  USBHID link(watch);
  EXPECT_FALSE(link.Open(nullptr));
  ASSERT_EQ(notices.Notices().size(), 1u);
  EXPECT_EQ(notices.Notices()[0].icon, NoticeIcon::Warning);
  EXPECT_EQ(notices.Notices()[0].text, "permission denied; install the udev rule");
  EXPECT_EQ(link.LastError(), notices.Notices()[0].text);
}

TEST(USBHIDOpen, AnArrivalMatchesOnVendorAndProductAlone) {
  FakeClock clock;
  test::RecordingSimulatedWatch watch(clock, WatchImage{});
  watch.Interfaces() = {Collection("keys", 0x01, 0x06)};
  test::RecordingObserver observer;
  USBHID link(watch);
  EXPECT_FALSE(link.Open(&observer));
  link.OnArrival(DeviceChange{kDeviceArrival, kDeviceTypeInterface, "keys"});
  EXPECT_TRUE(link.IsOpen());
  EXPECT_EQ(link.Caps().path, "keys");
  EXPECT_EQ(observer.reconnected, 1);
}

}  // namespace
}  // namespace tempovia
