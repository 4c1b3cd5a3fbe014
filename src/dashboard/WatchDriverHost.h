#pragma once
// The process's one watch driver. The first window that finds none makes it
// and opens the watch; it goes when the watch is unplugged and is made again
// when it comes back, and it survives logouts. The link's transport (the
// watch's USB bridge, or the simulator) lives as long as the host.
//
// A driver in use (a transfer running on another thread, or a call into it
// that may report back) is never destroyed under its user: Destroy then
// happens when the use ends.

#include <cstdint>
#include <memory>

#include "Clock.h"
#include "DeviceChange.h"
#include "HidTransport.h"
#include "Status.h"
#include "Trekmo.h"

namespace tempovia {

class WatchDriverHost {
 public:
  WatchDriverHost(std::unique_ptr<HidTransport> transport, Clock& linkClock);
  ~WatchDriverHost();
  WatchDriverHost(const WatchDriverHost&) = delete;
  WatchDriverHost& operator=(const WatchDriverHost&) = delete;

  CTrekmo* Driver() const { return m_driver.get(); }
  bool Connected() const { return m_driver && m_driver->IsConnected(); }
  HidTransport& Transport() { return *m_transport; }

  // Makes a driver and connects it for the observer. When the watch cannot
  // be opened, no driver is left and the reason is returned (a watch this
  // user may not open has told the user so already); a driver that exists is
  // kept.
  Status MakeAndConnect(TrekmoObserver* observer);
  // Window start: when no driver exists, make one and open the watch (a
  // failure leaves none); when one exists, register the observer with it.
  void OpenFor(TrekmoObserver* observer);
  // Destroys the driver ("Trekmo Closed" on the trace), or as soon as it is
  // no longer in use.
  void Destroy();
  // A window that goes stops receiving the driver's events.
  void Unregister(TrekmoObserver* observer);

  void BeginUse() { ++m_users; }
  void EndUse();
  bool InUse() const { return m_users > 0; }

  // The windows' side of the watch's notices; the trace lines are the
  // host's. An arrival with no driver makes and connects one: Connected then
  // (the window decides what the watch's return means for it), Failed when
  // it could not be opened (no driver is left). A removal passes the notice
  // to the driver and destroys it.
  enum class ChangeResult { Nothing, Connected, Failed };
  ChangeResult HandleDeviceChange(const DeviceChange& change, TrekmoObserver* observer);
  // The driver found the watch again: a fresh driver reconnects.
  void HandleReconnected(TrekmoObserver* observer);
  // The watch's interface went while the link was open.
  void HandleDisconnected(std::int64_t nowMs);
  // When the watch was last disconnected (monotonic ms), 0 before.
  std::int64_t DisconnectedAt() const { return m_disconnectedAt; }

 private:
  std::unique_ptr<HidTransport> m_transport;
  Clock& m_clock;
  std::unique_ptr<CTrekmo> m_driver;
  int m_users = 0;
  bool m_destroyWhenFree = false;
  std::int64_t m_disconnectedAt = 0;
};

}  // namespace tempovia
