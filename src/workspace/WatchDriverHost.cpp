#include "workspace/WatchDriverHost.h"

#include "trace/Trace.h"

namespace tempovia {

namespace {

constexpr char kTraceModule[] = "WatchDriverHost";

Status NotConnected(const CTrekmo& driver) {
  return Status::Error(driver.LastError().empty() ? "Device not connected!" : driver.LastError());
}

}  // namespace

WatchDriverHost::WatchDriverHost(std::unique_ptr<HidTransport> transport, Clock& linkClock)
    : m_transport(std::move(transport)), m_clock(linkClock) {}

WatchDriverHost::~WatchDriverHost() {
  m_users = 0;
  Destroy();
}

Status WatchDriverHost::MakeAndConnect() {
  if (m_driver) return m_driver->IsConnected() ? Status::Ok() : NotConnected(*m_driver);
  m_driver = std::make_unique<CTrekmo>(*m_transport, m_clock);
  if (m_driver->Connect(this)) return Status::Ok();
  Status failed = NotConnected(*m_driver);
  Destroy();
  return failed;
}

void WatchDriverHost::OpenWatch() {
  // A failure leaves no driver; the next arrival tries again.
  if (!m_driver) (void)MakeAndConnect();
}

void WatchDriverHost::Destroy() {
  if (m_users > 0) {
    m_destroyWhenFree = true;
    return;
  }
  m_destroyWhenFree = false;
  if (!m_driver) return;
  m_driver.reset();
  TV_TRACE("Trekmo Closed========================\n");
}

std::optional<WatchDriverHost::Lease> WatchDriverHost::Hold(std::function<void(int percent)> progress) {
  if (!Connected()) return std::nullopt;
  // Set before the transfer's thread starts and cleared after it has ended.
  m_progress = std::move(progress);
  BeginUse();
  return Lease(*this);
}

void WatchDriverHost::Lease::Release() {
  if (m_host == nullptr) return;
  WatchDriverHost* host = std::exchange(m_host, nullptr);
  host->m_progress = nullptr;
  host->EndUse();
}

void WatchDriverHost::EndUse() {
  if (m_users > 0) --m_users;
  if (m_users > 0) return;
  if (m_destroyWhenFree) Destroy();
  if (m_draining) return;
  m_draining = true;
  while (!m_waiting.empty() && m_users == 0) {
    const DeviceChange change = m_waiting.front();
    m_waiting.erase(m_waiting.begin());
    Handle(change);
  }
  m_draining = false;
}

void WatchDriverHost::OnDeviceChange(const DeviceChange& change) {
  if (m_users > 0 || m_draining) {
    m_waiting.push_back(change);
    return;
  }
  Handle(change);
}

void WatchDriverHost::Handle(const DeviceChange& change) {
  TV_TRACE("OnDeviceChange : %X, %X\n", static_cast<unsigned>(change.event), static_cast<unsigned>(change.deviceType));
  if (change.event == kDeviceArrival && !m_driver) {
    if (!MakeAndConnect()) return;
    TV_TRACE("Reconnected to device\n");
    if (m_listener != nullptr) m_listener->WatchReturned();
    return;
  }
  if (change.event == kDeviceRemoveComplete && m_driver) {
    // The driver may report the disconnection back before this returns.
    BeginUse();
    m_driver->OnDeviceChange(change);
    --m_users;
    Destroy();
  }
}

void WatchDriverHost::OnReconnected() {
  // Comes from inside a call into the current driver: replaced after it.
  Destroy();
  if (m_driver) return;  // still in use: the next arrival makes a new one
  m_driver = std::make_unique<CTrekmo>(*m_transport, m_clock);
  m_driver->Connect(this);
  if (m_driver->Reconnect()) {
    TV_TRACE("Reconnected to device\n");
    return;
  }
  TV_TRACE("Cannot re-connect to the device again\n");
  Destroy();
}

void WatchDriverHost::OnDisconnected() {
  if (m_driver && m_driver->Disconnect()) {
    TV_TRACE("Device disconnected\n");
  } else {
    TV_TRACE("Cannot disconnect device\n");
  }
  Destroy();
}

void WatchDriverHost::OnProgress(int percent) {
  if (m_progress) m_progress(percent);
}

}  // namespace tempovia
