#pragma once
// The real bridge through hidapi's hidraw backend. Reads wait at most their
// time-out, so a watch that stops answering fails the transfer instead of
// freezing the program.

#include <string>

#include "device/HidTransport.h"

struct hid_device_;

namespace tempovia {

class HidapiTransport final : public HidTransport {
 public:
  HidapiTransport();
  ~HidapiTransport() override;
  HidapiTransport(const HidapiTransport&) = delete;
  HidapiTransport& operator=(const HidapiTransport&) = delete;

  std::vector<HidInterfaceInfo> Enumerate() override;
  Status Open(const std::string& path) override;
  bool IsOpen() const override { return m_device != nullptr; }
  void Close() override;
  Status Write(const OutputReport& report) override;
  Status Read(std::vector<std::uint8_t>& report, std::chrono::milliseconds timeout) override;
  void DiscardPendingInput() override;

  // The user's message for an interface that is present but cannot be opened
  // (errno value), naming the fix where there is one.
  static std::string OpenErrorText(const std::string& path, int error);
  // What gives this user the watch when a missing permission keeps it out:
  // the udev rule, installed and reloaded.
  static std::string PermissionFix();
  // Where sysfs keeps the report descriptor of a hidraw node (/dev/hidraw3).
  static std::string DescriptorPath(const std::string& devicePath);

 private:
  hid_device_* m_device = nullptr;
  // hidraw leaves the report ID out of unnumbered input reports.
  bool m_numbered = false;
  std::string m_path;
};

}  // namespace tempovia
