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
//
// Changes can also be delivered from outside (Deliver): the simulated watch
// plugged in and out, and tests. They come out of ReadEvents like the
// system's, through the same descriptor, so everything after the monitor
// sees one path.

#include <chrono>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "base/Status.h"
#include "device/DeviceChange.h"
#include "device/USBHID.h"

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
  // Following the system's devices (udev or polling).
  bool IsRunning() const { return m_monitor != nullptr || m_timerFd >= 0; }
  // For tests: the system gave no udev monitor, so the nodes are polled.
  bool IsPolling() const { return m_timerFd >= 0; }
  // Readable when events may be waiting, the delivered ones included; valid
  // from construction (-1 only when the system has no descriptor to spare).
  int FileDescriptor() const { return m_readyFd; }
  // Arrivals (kDeviceArrival) and removals (kDeviceRemoveComplete), both of
  // type kDeviceTypeInterface with the node's path, since the last call:
  // the delivered ones first, in their order. Never blocks.
  std::vector<DeviceChange> ReadEvents();
  // Queues a change as if the system had reported it; any thread.
  void Deliver(const DeviceChange& change);
  // For tests: the watch's nodes present as last seen.
  const std::set<std::string>& KnownNodes() const { return m_known; }

  // The arrivals and removals that turn one set of present nodes into another.
  static std::vector<DeviceChange> Differences(const std::set<std::string>& before, const std::set<std::string>& after);
  // Compares sysfs's hexadecimal idVendor / idProduct texts ("1130").
  static bool IdsMatch(const char* idVendor, const char* idProduct, std::uint16_t vendorId, std::uint16_t productId);

 private:
  std::set<std::string> PresentNodes() const;
  std::vector<DeviceChange> ReadUdevEvents();
  void Watch(int fd);

  std::uint16_t m_vendorId;
  std::uint16_t m_productId;
  udev* m_udev = nullptr;
  udev_monitor* m_monitor = nullptr;
  int m_timerFd = -1;
  std::set<std::string> m_known;
  // One descriptor for the loop: an epoll set of the system's source and
  // the delivery queue's eventfd.
  int m_readyFd = -1;
  int m_deliveredFd = -1;
  std::mutex m_deliveredLock;
  std::vector<DeviceChange> m_delivered;
};

}  // namespace tempovia
