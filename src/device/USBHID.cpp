#include "device/USBHID.h"

#include <algorithm>

#include "base/Notice.h"
#include "device/TrekmoObserver.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "USBHID";

constexpr std::uint8_t kCommandMagic[4] = {'U', 'S', 'B', 'C'};

}  // namespace

bool USBHID::UsageMatches(const HidInterfaceInfo& info, std::uint16_t usage) {
  if (info.usagePage == 0 && info.usage == 0) return true;
  return info.usage == usage && info.usagePage == kRequiredUsagePage;
}

USBHID::USBHID(HidTransport& transport) : m_transport(transport) {}

USBHID::~USBHID() {
  Close();
}

bool USBHID::Open(TrekmoObserver* notify) {
  const bool found = FindByIds(kVendorId, kProductId, kRequiredUsage);
  m_notify = notify;
  m_connected = found;
  return found;
}

bool USBHID::FindByIds(std::uint16_t vendorId, std::uint16_t productId, std::uint16_t usage) {
  return Find(vendorId, productId, true, usage);
}

bool USBHID::FindByVendorProduct(std::uint16_t vendorId, std::uint16_t productId) {
  return Find(vendorId, productId, false, 0);
}

bool USBHID::Find(std::uint16_t vendorId, std::uint16_t productId, bool requireUsage, std::uint16_t usage) {
  Close();
  std::string openError;
  for (const HidInterfaceInfo& info : m_transport.Enumerate()) {
    if (info.vendorId != vendorId || info.productId != productId) continue;
    if (requireUsage && !UsageMatches(info, usage)) continue;
    const Status opened = m_transport.Open(info.path);
    if (!opened) {
      TV_TRACE("Cannot open %s : %s\n", info.path.c_str(), opened.message().c_str());
      if (openError.empty()) openError = opened.message();
      continue;
    }
    m_caps = info;
    m_connected = true;
    m_lastError.clear();
    return true;
  }
  if (!openError.empty()) {
    // The watch is there but out of reach (most often for lack of permission):
    // the user can fix that, so say it rather than "not connected" later.
    m_lastError = openError;
    ShowNotice(NoticeIcon::Warning, openError);
  } else {
    m_lastError = "The watch is not plugged in.";
  }
  return false;
}

bool USBHID::Close() {
  if (m_transport.IsOpen()) m_transport.Close();
  m_connected = false;
  return true;
}

bool USBHID::Fail(const Status& status) {
  m_lastError = status.message();
  TV_TRACE("Transfer failed : %s\n", m_lastError.c_str());
  return false;
}

bool USBHID::Stopped() {
  if (!m_stopRequested) return false;
  Fail(Status::Error("The transfer was stopped."));
  return true;
}

bool USBHID::SendCommand(std::uint8_t reportId, std::uint8_t code) {
  if (Stopped()) return false;
  m_commandReport[0] = reportId;
  std::copy(std::begin(kCommandMagic), std::end(kCommandMagic), m_commandReport.begin() + 1);
  m_commandReport[8] = code;
  const Status written = m_transport.Write(m_commandReport);
  return written ? true : Fail(written);
}

bool USBHID::SendData(std::uint8_t reportId, const Data& data, std::size_t length) {
  if (Stopped()) return false;
  OutputReport report{};
  report[0] = reportId;
  // Bytes past the command's length mean nothing to the bridge; send zeros.
  std::copy_n(data.begin(), std::min(length, data.size()), report.begin() + 1);
  const Status written = m_transport.Write(report);
  return written ? true : Fail(written);
}

bool USBHID::ReadAnswer(std::size_t dataBytes) {
  if (Stopped()) return false;
  m_inputReport.fill(0);
  std::vector<std::uint8_t> report;
  const Status read = m_transport.Read(report, m_readTimeout);
  if (!read) return Fail(read);
  std::copy_n(report.begin(), std::min(report.size(), m_inputReport.size()), m_inputReport.begin());
  // A short answer would leave zeros that pass for watch data.
  if (report.size() < 1 + dataBytes) return Fail(Status::Error("The watch sent a short answer."));
  return true;
}

bool USBHID::ReadBlock(std::uint8_t reportId, std::uint8_t addressHigh, std::uint8_t addressLow, std::uint8_t length) {
  m_commandReport[5] = addressHigh;
  m_commandReport[6] = addressLow;
  m_commandReport[7] = length;
  m_transport.DiscardPendingInput();
  return SendCommand(reportId, kReadBlock) && ReadAnswer(length);
}

bool USBHID::WriteBlock(std::uint8_t reportId, std::uint8_t addressHigh, std::uint8_t addressLow, std::uint8_t length,
                        const Data& data) {
  m_commandReport[5] = addressHigh;
  m_commandReport[6] = addressLow;
  m_commandReport[7] = length;
  return SendCommand(reportId, kWriteBlock) && SendData(reportId, data, length);
}

bool USBHID::PortCommand(std::uint8_t reportId, std::uint8_t code, std::uint8_t length, const Data& data) {
  m_commandReport[7] = length;
  return SendCommand(reportId, code) && SendData(reportId, data, length);
}

bool USBHID::PortConfig(std::uint8_t reportId, const Data& data) {
  return PortCommand(reportId, kPortConfig, 2, data);
}

bool USBHID::PortSet(std::uint8_t reportId, const Data& data) {
  return PortCommand(reportId, kPortSet, 1, data);
}

bool USBHID::PortMask(std::uint8_t reportId, const Data& data) {
  return PortCommand(reportId, kPortMask, 1, data);
}

bool USBHID::ReadStatus(std::uint8_t reportId, std::uint8_t& status) {
  status = 0;
  m_transport.DiscardPendingInput();
  if (!SendCommand(reportId, kReadStatus) || !ReadAnswer(1)) return false;
  status = m_inputReport[1];
  return true;
}

void USBHID::OnArrival(const DeviceChange& change) {
  TV_TRACE("Device arrived : %s\n", change.path.c_str());
  if (FindByVendorProduct(kVendorId, kProductId)) {
    m_connected = true;
    if (m_notify != nullptr) m_notify->OnReconnected();
  }
}

}  // namespace tempovia
