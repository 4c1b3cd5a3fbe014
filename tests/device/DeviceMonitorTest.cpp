#include <gtest/gtest.h>
#include <poll.h>

#include <set>
#include <string>
#include <vector>

#include "device/DeviceMonitor.h"

namespace tempovia {
namespace {

TEST(DeviceMonitor, ComparesPresentNodesIntoRemovalsAndArrivals) {
  using Nodes = std::set<std::string>;
  const auto arrival = [](std::string node) { return DeviceChange{kDeviceArrival, kDeviceTypeInterface, node}; };
  const auto removal = [](std::string node) { return DeviceChange{kDeviceRemoveComplete, kDeviceTypeInterface, node}; };
  const struct {
    Nodes before, after;
    std::vector<DeviceChange> changes;
  } cases[] = {
      {{}, {}, {}},
      {{}, {"/dev/hidraw1"}, {arrival("/dev/hidraw1")}},
      {{"/dev/hidraw1"}, {}, {removal("/dev/hidraw1")}},
      {{"/dev/hidraw1"}, {"/dev/hidraw1"}, {}},
      // Unplugged and plugged in again between two looks: a new node number.
      {{"/dev/hidraw1"}, {"/dev/hidraw2"}, {removal("/dev/hidraw1"), arrival("/dev/hidraw2")}},
  };
  for (const auto& c : cases) EXPECT_EQ(DeviceMonitor::Differences(c.before, c.after), c.changes);
}

TEST(DeviceMonitor, MatchesTheIdsSysfsGives) {
  const struct {
    const char* vendor;
    const char* product;
    bool matches;
  } cases[] = {
      {"1130", "0202", true},   {"1130\n", "0202\n", true}, {"1130", "0203", false},  {"0202", "1130", false},
      {"11301", "0202", false}, {"", "0202", false},        {nullptr, "0202", false}, {"11g0", "0202", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DeviceMonitor::IdsMatch(c.vendor, c.product, 0x1130, 0x0202), c.matches)
        << (c.vendor ? c.vendor : "null") << " " << c.product;
}

TEST(DeviceMonitor, PollingOffersADescriptorAndReportsNothingWhileNothingChanges) {
  // Ids no device has, so whatever this machine has plugged in stays out.
  DeviceMonitor monitor(0xFFFF, 0xFFFE);
  EXPECT_FALSE(monitor.IsRunning());
  EXPECT_TRUE(monitor.ReadEvents().empty());
  ASSERT_TRUE(monitor.Start(DeviceMonitor::Mode::Polling));
  EXPECT_TRUE(monitor.IsPolling());
  EXPECT_GE(monitor.FileDescriptor(), 0);
  EXPECT_TRUE(monitor.ReadEvents().empty());
  EXPECT_TRUE(monitor.KnownNodes().empty());
  monitor.Stop();
  EXPECT_FALSE(monitor.IsRunning());
}

bool Readable(int fd) {
  pollfd entry{fd, POLLIN, 0};
  return ::poll(&entry, 1, 0) == 1 && (entry.revents & POLLIN) != 0;
}

TEST(DeviceMonitor, DeliveredChangesComeThroughTheSameDescriptorInTheirOrder) {
  DeviceMonitor monitor(0xFFFF, 0xFFFE);
  const DeviceChange removal{kDeviceRemoveComplete, kDeviceTypeInterface, "simulated:watch"};
  const DeviceChange arrival{kDeviceArrival, kDeviceTypeInterface, "simulated:watch"};
  // Also before the system's devices are followed, and after.
  for (bool started : {false, true}) {
    if (started) {
      ASSERT_TRUE(monitor.Start(DeviceMonitor::Mode::Polling));
    }
    ASSERT_GE(monitor.FileDescriptor(), 0);
    EXPECT_FALSE(Readable(monitor.FileDescriptor()));
    monitor.Deliver(removal);
    monitor.Deliver(arrival);
    EXPECT_TRUE(Readable(monitor.FileDescriptor()));
    EXPECT_EQ(monitor.ReadEvents(), (std::vector<DeviceChange>{removal, arrival}));
    EXPECT_FALSE(Readable(monitor.FileDescriptor())) << "read once, told once";
    EXPECT_TRUE(monitor.ReadEvents().empty());
  }
}

}  // namespace
}  // namespace tempovia
