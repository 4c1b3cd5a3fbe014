#pragma once
// The watch's USB bridge: finds it among the HID interfaces and carries its
// small command set. Every exchange is a 9-byte command report, sometimes a
// 9-byte data report, and for reads one input report. Knows nothing of the
// memory layout; CTrekmo drives it.

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>

#include "device/DeviceChange.h"
#include "device/HidTransport.h"

namespace tempovia {

class TrekmoObserver;

class USBHID {
 public:
  static constexpr std::uint16_t kVendorId = 0x1130;
  static constexpr std::uint16_t kProductId = 0x0202;
  // The bridge's collection; other collections of the same device are skipped.
  static constexpr std::uint16_t kRequiredUsage = 0x10;
  static constexpr std::uint16_t kRequiredUsagePage = 0x01;

  // Command codes, byte 8 of a command report.
  static constexpr std::uint8_t kReadBlock = 1;
  static constexpr std::uint8_t kWriteBlock = 2;
  static constexpr std::uint8_t kPortConfig = 4;
  static constexpr std::uint8_t kPortSet = 5;
  static constexpr std::uint8_t kPortMask = 6;
  static constexpr std::uint8_t kReadStatus = 7;
  static constexpr std::uint8_t kStatusReady = 0x02;

  // A bridge answers within a few USB frames; a second means it never will.
  static constexpr std::chrono::milliseconds kDefaultReadTimeout{1000};

  using Data = std::array<std::uint8_t, 8>;

  explicit USBHID(HidTransport& transport);
  ~USBHID();
  USBHID(const USBHID&) = delete;
  USBHID& operator=(const USBHID&) = delete;

  // Whether an interface is the bridge's collection (with the usage asked
  // for). A backend that cannot tell usages reports 0 and 0: the interface
  // is then taken on vendor and product alone rather than never found.
  static bool UsageMatches(const HidInterfaceInfo& info, std::uint16_t usage);

  // Finds and opens the bridge's collection; the observer hears of a later
  // re-arrival (OnArrival). A bridge that is present but cannot be opened is
  // told to the user with the reason.
  bool Open(TrekmoObserver* notify);
  bool FindByIds(std::uint16_t vendorId, std::uint16_t productId, std::uint16_t usage);
  bool FindByVendorProduct(std::uint16_t vendorId, std::uint16_t productId);
  bool Close();
  bool IsOpen() const { return m_connected; }

  bool ReadBlock(std::uint8_t reportId, std::uint8_t addressHigh, std::uint8_t addressLow, std::uint8_t length);
  bool WriteBlock(std::uint8_t reportId, std::uint8_t addressHigh, std::uint8_t addressLow, std::uint8_t length,
                  const Data& data);
  // The address bytes (and for ReadStatus the length) of these commands are
  // those left in the previous command report.
  bool PortConfig(std::uint8_t reportId, const Data& data);
  bool PortSet(std::uint8_t reportId, const Data& data);
  bool PortMask(std::uint8_t reportId, const Data& data);
  bool ReadStatus(std::uint8_t reportId, std::uint8_t& status);

  // Who hears of a re-arrival from now on (a window replaces another).
  void SetNotify(TrekmoObserver* notify) { m_notify = notify; }

  // An interface arrived while closed: looks for the bridge again by vendor
  // and product alone, and tells the observer when it is open again.
  void OnArrival(const DeviceChange& change);

  // The last input report: byte 0 the report ID, data from byte 1.
  const std::array<std::uint8_t, 256>& InputReport() const { return m_inputReport; }
  // The open interface as enumeration described it.
  const HidInterfaceInfo& Caps() const { return m_caps; }
  // Why the last failed call failed, for the trace and the command-line tool.
  const std::string& LastError() const { return m_lastError; }

  // Asks a transfer running on another thread to give up at its next report:
  // every later report fails until ClearStop.
  void RequestStop() { m_stopRequested = true; }
  void ClearStop() { m_stopRequested = false; }
  bool StopRequested() const { return m_stopRequested; }

  void SetReadTimeout(std::chrono::milliseconds timeout) { m_readTimeout = timeout; }
  std::chrono::milliseconds ReadTimeout() const { return m_readTimeout; }

 private:
  // Interfaces of this vendor and product are tried in enumeration order;
  // requireUsage adds the usage test of the first open.
  bool Find(std::uint16_t vendorId, std::uint16_t productId, bool requireUsage, std::uint16_t usage);
  bool SendCommand(std::uint8_t reportId, std::uint8_t code);
  bool SendData(std::uint8_t reportId, const Data& data, std::size_t length);
  bool ReadAnswer(std::size_t dataBytes);
  bool PortCommand(std::uint8_t reportId, std::uint8_t code, std::uint8_t length, const Data& data);
  bool Fail(const Status& status);
  bool Stopped();

  HidTransport& m_transport;
  std::atomic<bool> m_stopRequested{false};
  std::array<std::uint8_t, 256> m_inputReport{};
  OutputReport m_commandReport{};
  bool m_connected = false;
  TrekmoObserver* m_notify = nullptr;
  HidInterfaceInfo m_caps;
  std::string m_lastError;
  std::chrono::milliseconds m_readTimeout = kDefaultReadTimeout;
};

}  // namespace tempovia
