#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <string>
#include <vector>

#include "base/testing/FakeClock.h"
#include "device/HidapiTransport.h"
#include "device/SimulatedWatch.h"
#include "device/USBHID.h"
#include "device/WatchProbe.h"

namespace tempovia {
namespace {

HidInterfaceInfo Interface(std::string path, std::uint16_t usagePage, std::uint16_t usage,
                           std::uint16_t vendor = USBHID::kVendorId) {
  return HidInterfaceInfo{std::move(path), vendor, USBHID::kProductId, usagePage, usage, 9};
}

// Interfaces that open or are refused one by one, and a record of every open.
class ScriptedTransport final : public HidTransport {
 public:
  std::vector<HidInterfaceInfo> interfaces;
  std::map<std::string, Status> refusals;
  std::vector<std::string> opened;

  std::vector<HidInterfaceInfo> Enumerate() override { return interfaces; }
  Status Open(const std::string& path) override {
    opened.push_back(path);
    if (const auto refused = refusals.find(path); refused != refusals.end()) return refused->second;
    m_open = true;
    return Status::Ok();
  }
  bool IsOpen() const override { return m_open; }
  void Close() override { m_open = false; }
  Status Write(const OutputReport&) override { return Status::Error("not used"); }
  Status Read(std::vector<std::uint8_t>&, std::chrono::milliseconds) override { return Status::Error("not used"); }
  void DiscardPendingInput() override {}

 private:
  bool m_open = false;
};

// The case a start script must tell apart: the watch is there, but this user
// may not open it. The simulator refuses as hidraw does without the udev rule.
TEST(WatchProbe, APresentWatchThisUserMayNotOpenIsReportedWithTheUdevFix) {
  FakeClock clock;
  SimulatedWatch watch(clock, WatchImage{});
  const std::string refusal = HidapiTransport::OpenErrorText(SimulatedWatch::kBridgePath, EACCES);
  watch.DenyOpen(refusal);
  const WatchProbe probe = ProbeWatch(watch);
  EXPECT_TRUE(probe.present);
  EXPECT_FALSE(probe.openable);
  EXPECT_TRUE(probe.permissionDenied);
  EXPECT_EQ(probe.path, SimulatedWatch::kBridgePath);
  EXPECT_EQ(probe.reason, refusal);
  for (const char* part : {"70-tempovia.rules", "/etc/udev/rules.d/", "udevadm control --reload-rules",
                           "udevadm trigger", "plug it in again", "Watch access on Linux"})
    EXPECT_NE(probe.fix.find(part), std::string::npos) << part;
  EXPECT_FALSE(watch.IsOpen());

  watch.DenyOpen("");
  const WatchProbe allowed = ProbeWatch(watch);
  EXPECT_TRUE(allowed.openable);
  EXPECT_TRUE(allowed.reason.empty());
  EXPECT_TRUE(allowed.fix.empty());
  EXPECT_FALSE(allowed.permissionDenied);
  EXPECT_FALSE(watch.IsOpen()) << "the probe leaves the watch closed for the driver";

  watch.Unplug();
  const WatchProbe gone = ProbeWatch(watch);
  EXPECT_FALSE(gone.present);
  EXPECT_FALSE(gone.openable);
  EXPECT_EQ(gone.reason, "The watch is not plugged in.");
  EXPECT_TRUE(gone.interfaces.empty());
}

TEST(WatchProbe, OnlyTheBridgesCommandCollectionsAreOpenedAndTheFirstThatOpensCounts) {
  ScriptedTransport transport;
  transport.interfaces = {Interface("mouse", 0x01, 0x02, 0x046D), Interface("keys", 0x01, 0x06),
                          Interface("bridge-a", 0x01, 0x10), Interface("bridge-b", 0x01, 0x10)};
  transport.refusals.emplace("bridge-a", Status::Error("Cannot open the watch (bridge-a): busy.", EBUSY));
  const WatchProbe probe = ProbeWatch(transport);
  EXPECT_EQ(transport.opened, (std::vector<std::string>{"bridge-a", "bridge-b"}));
  EXPECT_TRUE(probe.openable);
  EXPECT_EQ(probe.path, "bridge-b");
  ASSERT_EQ(probe.interfaces.size(), 3u) << "the mouse is another vendor's";
  EXPECT_EQ(probe.interfaces[0].path, "keys");
  EXPECT_FALSE(transport.IsOpen());

  // Refused for another reason than a permission: said, but no udev fix.
  transport.refusals.emplace("bridge-b", Status::Error("Cannot open the watch (bridge-b): busy.", EBUSY));
  const WatchProbe busy = ProbeWatch(transport);
  EXPECT_TRUE(busy.present);
  EXPECT_FALSE(busy.openable);
  EXPECT_EQ(busy.path, "bridge-a") << "the first refusal is the one told";
  EXPECT_EQ(busy.reason, "Cannot open the watch (bridge-a): busy.");
  EXPECT_FALSE(busy.permissionDenied);
  EXPECT_TRUE(busy.fix.empty());

  // A refusal as EPERM is a missing permission too.
  transport.refusals.at("bridge-a") = Status::Error("denied", EPERM);
  EXPECT_TRUE(ProbeWatch(transport).permissionDenied);

  // Only collections that do not take commands: present, but of no use.
  transport.interfaces.resize(2);
  transport.opened.clear();
  const WatchProbe keysOnly = ProbeWatch(transport);
  EXPECT_TRUE(keysOnly.present);
  EXPECT_FALSE(keysOnly.openable);
  EXPECT_TRUE(transport.opened.empty());
  EXPECT_FALSE(keysOnly.reason.empty());
}

}  // namespace
}  // namespace tempovia
