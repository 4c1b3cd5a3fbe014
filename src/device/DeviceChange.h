#pragma once
// A plug or unplug notice in the shape the watch driver takes it. The event
// and device-type numbers are those of the device-change messages the driver
// was first written against; DeviceMonitor produces them on this platform.

#include <string>

namespace tempovia {

constexpr int kDeviceNodesChanged = 0x0007;
constexpr int kDeviceArrival = 0x8000;
constexpr int kDeviceRemoveComplete = 0x8004;

constexpr int kDeviceTypeVolume = 2;
constexpr int kDeviceTypePort = 3;
constexpr int kDeviceTypeInterface = 5;

struct DeviceChange {
  int event = 0;
  int deviceType = 0;
  // The device node that came or went (/dev/hidraw3), empty when unknown.
  std::string path;

  friend bool operator==(const DeviceChange&, const DeviceChange&) = default;
};

}  // namespace tempovia
