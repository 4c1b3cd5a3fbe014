#pragma once
// Whether the watch is plugged in and whether this user may open it, found
// without a word to the watch: what `tempovia-cli probe` reports, so that a
// start script can choose the simulator when the watch is out of reach and
// name the fix.

#include <string>
#include <vector>

#include "device/HidTransport.h"

namespace tempovia {

struct WatchProbe {
  // An interface of the watch's bridge (its vendor and product) is plugged in.
  bool present = false;
  // The bridge's command collection opened; it is closed again.
  bool openable = false;
  // The collection that opened, else the first that was refused.
  std::string path;
  // Why the watch cannot be used, for the user; empty when it can.
  std::string reason;
  // The refusal was a missing permission, which the udev rule fixes.
  bool permissionDenied = false;
  // What to do about it; empty unless permissionDenied.
  std::string fix;
  // Every interface of the bridge, in enumeration order.
  std::vector<HidInterfaceInfo> interfaces;
};

// Looks for the bridge as the driver does, opening each command collection
// until one opens.
WatchProbe ProbeWatch(HidTransport& transport);

}  // namespace tempovia
