#include "device/WatchProbe.h"

#include <cerrno>
#include <optional>

#include "device/HidapiTransport.h"
#include "device/USBHID.h"

namespace tempovia {

WatchProbe ProbeWatch(HidTransport& transport) {
  WatchProbe probe;
  for (const HidInterfaceInfo& info : transport.Enumerate())
    if (info.vendorId == USBHID::kVendorId && info.productId == USBHID::kProductId) probe.interfaces.push_back(info);
  probe.present = !probe.interfaces.empty();
  if (!probe.present) {
    probe.reason = "The watch is not plugged in.";
    return probe;
  }
  std::optional<Status> refusal;
  for (const HidInterfaceInfo& info : probe.interfaces) {
    if (!USBHID::UsageMatches(info, USBHID::kRequiredUsage)) continue;
    Status opened = transport.Open(info.path);
    if (opened) {
      transport.Close();
      probe.openable = true;
      probe.path = info.path;
      return probe;
    }
    if (!refusal) {
      refusal = std::move(opened);
      probe.path = info.path;
    }
  }
  if (!refusal) {
    probe.reason = "The watch is plugged in, but none of its interfaces takes the watch's commands.";
    return probe;
  }
  probe.reason = refusal->message();
  probe.permissionDenied = refusal->systemError() == EACCES || refusal->systemError() == EPERM;
  if (probe.permissionDenied) probe.fix = HidapiTransport::PermissionFix();
  return probe;
}

}  // namespace tempovia
