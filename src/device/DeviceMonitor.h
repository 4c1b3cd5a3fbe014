#pragma once
// Notices the watch being plugged in and unplugged. Uses udev's monitor on the
// hidraw subsystem while the udev daemon runs; otherwise looks at the present
// devices every few seconds. Either way it exposes one file descriptor that
// becomes readable when there may be news, so an event loop (a Qt socket
// notifier, poll) can watch it without this layer knowing of the loop.
//
// Only the watch's own hidraw nodes are reported: a keyboard unplugged while
// the watch stays in must not look like the watch going away. The vendor and
// product come from the parent USB device, which no longer exists on removal,
// so removals are matched against the nodes seen to belong to the watch.

#include <chrono>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "DeviceChange.h"
#include "Status.h"
#include "USBHID.h"

struct udev;
struct udev_monitor;

namespace tempovia {

class DeviceMonitor {
 public:
  enum class Mode { Automatic, Udev, Polling };
  static constexpr std::chrono::seconds kPollInterval{2};

  explicit DeviceMonitor(std::uint16_t vendorId = USBHID::kVendorId, std::uint16_t productId = USBHID::kProductId);
  ~DeviceMonitor();
  DeviceMonitor(const DeviceMonitor&) = delete;
  DeviceMonitor& operator=(const DeviceMonitor&) = delete;

  // Automatic takes udev when its daemon runs and polling otherwise.
  Status Start(Mode mode = Mode::Automatic);
  void Stop();
  bool IsRunning() const { return FileDescriptor() >= 0; }
  bool IsPolling() const { return m_timerFd >= 0; }
  // Readable when events may be waiting; -1 when not started.
  int FileDescriptor() const;
  // Arrivals (kDeviceArrival) and removals (kDeviceRemoveComplete), both of
  // type kDeviceTypeInterface with the node's path, since the last call.
  // Never blocks.
  std::vector<DeviceChange> ReadEvents();
  // The watch's nodes present as last seen.
  const std::set<std::string>& KnownNodes() const { return m_known; }

  // The arrivals and removals that turn one set of present nodes into another.
  static std::vector<DeviceChange> Differences(const std::set<std::string>& before, const std::set<std::string>& after);
  // Compares sysfs's hexadecimal idVendor / idProduct texts ("1130").
  static bool IdsMatch(const char* idVendor, const char* idProduct, std::uint16_t vendorId, std::uint16_t productId);

 private:
  std::set<std::string> PresentNodes() const;
  std::vector<DeviceChange> ReadUdevEvents();

  std::uint16_t m_vendorId;
  std::uint16_t m_productId;
  udev* m_udev = nullptr;
  udev_monitor* m_monitor = nullptr;
  int m_timerFd = -1;
  std::set<std::string> m_known;
};

}  // namespace tempovia
