#pragma once
// The platform seam under the watch link: finding HID interfaces and moving
// 9-byte reports. The hidraw backend talks to a real bridge; the simulated
// watch answers like one, for tests and for a demo without a watch.

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Status.h"

namespace tempovia {

// One HID interface (top-level collection) as enumeration sees it.
struct HidInterfaceInfo {
  std::string path;
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  // Both 0 when the backend cannot tell the collection's usage.
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
  // Bytes of the longest input report, counting the report ID byte.
  int inputReportLength = 0;
};

// Report ID 0 followed by the 8 bytes of a command or data report.
constexpr std::size_t kOutputReportSize = 9;
using OutputReport = std::array<std::uint8_t, kOutputReportSize>;

class HidTransport {
 public:
  virtual ~HidTransport() = default;

  // Every HID interface present now.
  virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
  // Opens one interface for reading and writing, closing any open one first.
  // The message of a failure is meant for the user.
  virtual Status Open(const std::string& path) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;

  virtual Status Write(const OutputReport& report) = 0;
  // Waits at most the time-out for one input report. Byte 0 of the result is
  // the report ID, the data starts at byte 1. No report in time is a failure.
  virtual Status Read(std::vector<std::uint8_t>& report, std::chrono::milliseconds timeout) = 0;
  // Drops input reports that arrived unasked, such as the late answer to a
  // read that timed out, so that the next read gets the answer to its own command.
  virtual void DiscardPendingInput() = 0;
};

}  // namespace tempovia
