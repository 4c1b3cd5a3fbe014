#include "device/DeviceMonitor.h"

#include <libudev.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/Notice.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "DeviceMonitor";

// udev's daemon keeps its control socket here while it runs; without it the
// monitor would never hear anything.
constexpr char kUdevControl[] = "/run/udev/control";

bool ParseHexId(const char* text, std::uint16_t& id) {
  if (text == nullptr || *text == '\0') return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long value = std::strtoul(text, &end, 16);
  // sysfs ends the value with a line break.
  while (end != nullptr && (*end == '\n' || *end == ' ')) ++end;
  if (errno != 0 || end == nullptr || *end != '\0' || value > 0xFFFF) return false;
  id = static_cast<std::uint16_t>(value);
  return true;
}

// The USB device a hidraw node belongs to, or null for other buses.
udev_device* UsbParent(udev_device* hidraw) {
  return udev_device_get_parent_with_subsystem_devtype(hidraw, "usb", "usb_device");
}

}  // namespace

DeviceMonitor::DeviceMonitor(std::uint16_t vendorId, std::uint16_t productId)
    : m_vendorId(vendorId), m_productId(productId) {
  m_readyFd = ::epoll_create1(EPOLL_CLOEXEC);
  m_deliveredFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (m_readyFd >= 0 && m_deliveredFd >= 0) Watch(m_deliveredFd);
}

DeviceMonitor::~DeviceMonitor() {
  Stop();
  if (m_deliveredFd >= 0) ::close(m_deliveredFd);
  if (m_readyFd >= 0) ::close(m_readyFd);
}

void DeviceMonitor::Watch(int fd) {
  if (m_readyFd < 0 || fd < 0) return;
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.fd = fd;
  ::epoll_ctl(m_readyFd, EPOLL_CTL_ADD, fd, &event);
}

void DeviceMonitor::Deliver(const DeviceChange& change) {
  {
    const std::lock_guard<std::mutex> lock(m_deliveredLock);
    m_delivered.push_back(change);
  }
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(m_deliveredFd, &one, sizeof one);
}

bool DeviceMonitor::IdsMatch(const char* idVendor, const char* idProduct, std::uint16_t vendorId,
                             std::uint16_t productId) {
  std::uint16_t vendor = 0;
  std::uint16_t product = 0;
  return ParseHexId(idVendor, vendor) && ParseHexId(idProduct, product) && vendor == vendorId && product == productId;
}

std::vector<DeviceChange> DeviceMonitor::Differences(const std::set<std::string>& before,
                                                     const std::set<std::string>& after) {
  std::vector<DeviceChange> changes;
  for (const std::string& node : before)
    if (!after.contains(node)) changes.push_back(DeviceChange{kDeviceRemoveComplete, kDeviceTypeInterface, node});
  for (const std::string& node : after)
    if (!before.contains(node)) changes.push_back(DeviceChange{kDeviceArrival, kDeviceTypeInterface, node});
  return changes;
}

Status DeviceMonitor::Start(Mode mode) {
  Stop();
  m_udev = udev_new();
  const bool daemon = ::access(kUdevControl, F_OK) == 0;
  if (mode == Mode::Udev || (mode == Mode::Automatic && daemon && m_udev != nullptr)) {
    if (m_udev == nullptr) return Status::Error("Cannot reach udev to follow the watch being plugged in.");
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (m_monitor != nullptr && udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) >= 0 &&
        udev_monitor_enable_receiving(m_monitor) >= 0) {
      m_known = PresentNodes();
      Watch(udev_monitor_get_fd(m_monitor));
      TV_TRACE("Following hidraw devices through udev\n");
      return Status::Ok();
    }
    if (m_monitor != nullptr) udev_monitor_unref(m_monitor);
    m_monitor = nullptr;
    if (mode == Mode::Udev) return Status::Error("Cannot follow the watch being plugged in through udev.");
  }

  m_timerFd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  if (m_timerFd < 0) {
    const int error = errno;
    Stop();
    return Status::Error("Cannot follow the watch being plugged in: " + SystemErrorText(error) + ".");
  }
  itimerspec every{};
  every.it_interval.tv_sec = kPollInterval.count();
  every.it_value.tv_sec = kPollInterval.count();
  if (::timerfd_settime(m_timerFd, 0, &every, nullptr) != 0) {
    const int error = errno;
    Stop();
    return Status::Error("Cannot follow the watch being plugged in: " + SystemErrorText(error) + ".");
  }
  m_known = PresentNodes();
  Watch(m_timerFd);
  TV_TRACE("Looking for the watch every %d s\n", static_cast<int>(kPollInterval.count()));
  return Status::Ok();
}

void DeviceMonitor::Stop() {
  // Closing a descriptor takes it out of the epoll set, but the udev
  // monitor's may be shared with udev's own handle: take it out first.
  if (m_monitor != nullptr && m_readyFd >= 0)
    ::epoll_ctl(m_readyFd, EPOLL_CTL_DEL, udev_monitor_get_fd(m_monitor), nullptr);
  if (m_monitor != nullptr) udev_monitor_unref(m_monitor);
  m_monitor = nullptr;
  if (m_udev != nullptr) udev_unref(m_udev);
  m_udev = nullptr;
  if (m_timerFd >= 0) ::close(m_timerFd);
  m_timerFd = -1;
  m_known.clear();
}

std::vector<DeviceChange> DeviceMonitor::ReadEvents() {
  std::vector<DeviceChange> changes;
  if (m_deliveredFd >= 0) {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t got = ::read(m_deliveredFd, &count, sizeof count);
    const std::lock_guard<std::mutex> lock(m_deliveredLock);
    changes.swap(m_delivered);
  }
  if (m_monitor != nullptr) {
    std::vector<DeviceChange> system = ReadUdevEvents();
    changes.insert(changes.end(), system.begin(), system.end());
    return changes;
  }
  if (m_timerFd < 0) return changes;
  std::uint64_t expirations = 0;
  // Only empties the timer; the present nodes are compared whenever asked.
  [[maybe_unused]] const ssize_t got = ::read(m_timerFd, &expirations, sizeof expirations);
  std::set<std::string> now = PresentNodes();
  std::vector<DeviceChange> system = Differences(m_known, now);
  m_known = std::move(now);
  changes.insert(changes.end(), system.begin(), system.end());
  return changes;
}

std::vector<DeviceChange> DeviceMonitor::ReadUdevEvents() {
  std::vector<DeviceChange> changes;
  // The monitor's socket does not block: receive until it is empty.
  while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
    const char* action = udev_device_get_action(device);
    const char* node = udev_device_get_devnode(device);
    if (action != nullptr && node != nullptr) {
      if (std::strcmp(action, "add") == 0) {
        udev_device* usb = UsbParent(device);
        if (usb != nullptr &&
            IdsMatch(udev_device_get_sysattr_value(usb, "idVendor"), udev_device_get_sysattr_value(usb, "idProduct"),
                     m_vendorId, m_productId) &&
            m_known.insert(node).second)
          changes.push_back(DeviceChange{kDeviceArrival, kDeviceTypeInterface, node});
      } else if (std::strcmp(action, "remove") == 0 && m_known.erase(node) > 0) {
        changes.push_back(DeviceChange{kDeviceRemoveComplete, kDeviceTypeInterface, node});
      }
    }
    udev_device_unref(device);
  }
  return changes;
}

std::set<std::string> DeviceMonitor::PresentNodes() const {
  std::set<std::string> nodes;
  if (m_udev == nullptr) return nodes;
  udev_enumerate* enumerate = udev_enumerate_new(m_udev);
  if (enumerate == nullptr) return nodes;
  udev_enumerate_add_match_subsystem(enumerate, "hidraw");
  udev_enumerate_scan_devices(enumerate);
  udev_list_entry* entry = nullptr;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
    udev_device* device = udev_device_new_from_syspath(m_udev, udev_list_entry_get_name(entry));
    if (device == nullptr) continue;
    udev_device* usb = UsbParent(device);
    const char* node = udev_device_get_devnode(device);
    if (usb != nullptr && node != nullptr &&
        IdsMatch(udev_device_get_sysattr_value(usb, "idVendor"), udev_device_get_sysattr_value(usb, "idProduct"),
                 m_vendorId, m_productId))
      nodes.insert(node);
    udev_device_unref(device);
  }
  udev_enumerate_unref(enumerate);
  return nodes;
}

}  // namespace tempovia
