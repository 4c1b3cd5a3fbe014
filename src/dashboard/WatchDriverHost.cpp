#include "WatchDriverHost.h"

#include "Trace.h"

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

Status WatchDriverHost::MakeAndConnect(TrekmoObserver* observer) {
  if (m_driver) return m_driver->IsConnected() ? Status::Ok() : NotConnected(*m_driver);
  m_driver = std::make_unique<CTrekmo>(*m_transport, m_clock);
  if (m_driver->Connect(observer)) return Status::Ok();
  Status failed = NotConnected(*m_driver);
  Destroy();
  return failed;
}

void WatchDriverHost::OpenFor(TrekmoObserver* observer) {
  if (!m_driver) {
    // A failure leaves no driver; the next arrival tries again.
    (void)MakeAndConnect(observer);
    return;
  }
  m_driver->SetObserver(observer);
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

void WatchDriverHost::Unregister(TrekmoObserver* observer) {
  if (m_driver && m_driver->Observer() == observer) m_driver->SetObserver(nullptr);
}

void WatchDriverHost::EndUse() {
  if (m_users > 0) --m_users;
  if (m_users == 0 && m_destroyWhenFree) Destroy();
}

WatchDriverHost::ChangeResult WatchDriverHost::HandleDeviceChange(const DeviceChange& change,
                                                                  TrekmoObserver* observer) {
  TV_TRACE("OnDeviceChange : %X, %X\n", static_cast<unsigned>(change.event), static_cast<unsigned>(change.deviceType));
  if (change.event == kDeviceArrival && !m_driver) {
    if (!MakeAndConnect(observer)) return ChangeResult::Failed;
    TV_TRACE("Reconnected to device\n");
    return ChangeResult::Connected;
  }
  if (change.event == kDeviceRemoveComplete && m_driver) {
    // The driver may report the disconnection back before this returns.
    BeginUse();
    m_driver->OnDeviceChange(change);
    EndUse();
    Destroy();
  }
  return ChangeResult::Nothing;
}

void WatchDriverHost::HandleReconnected(TrekmoObserver* observer) {
  Destroy();
  if (m_driver) return;  // still in use: the next arrival makes a new one
  m_driver = std::make_unique<CTrekmo>(*m_transport, m_clock);
  m_driver->Connect(observer);
  if (m_driver->Reconnect()) {
    TV_TRACE("Reconnected to device\n");
    return;
  }
  TV_TRACE("Cannot re-connect to the device again\n");
  Destroy();
}

void WatchDriverHost::HandleDisconnected(std::int64_t nowMs) {
  if (m_driver && m_driver->Disconnect()) {
    m_disconnectedAt = nowMs;
    TV_TRACE("Device disconnected\n");
  } else {
    TV_TRACE("Cannot disconnect device\n");
  }
  Destroy();
}

}  // namespace tempovia
