#pragma once
// The process's one watch driver. The first window that finds none makes it
// and opens the watch; it goes when the watch is unplugged and is made again
// when it comes back, and it survives logouts. The link's transport (the
// watch's USB bridge, or the simulator) lives as long as the host.
//
// The host is every driver's observer, for good: the windows never are, so
// nothing a transfer's thread reads can change under it. A transfer holds
// the driver through a Lease. While one lives the driver is never destroyed
// and device changes wait here; they are handled, in their order, when the
// last lease goes.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "base/Clock.h"
#include "base/Status.h"
#include "device/DeviceChange.h"
#include "device/HidTransport.h"
#include "device/Trekmo.h"
#include "device/TrekmoObserver.h"

namespace tempovia {

// Hears what the host made of a device change that concerns the windows.
class WatchListener {
 public:
  virtual ~WatchListener() = default;
  // An arrival found no driver, made one and connected it: the watch is back.
  virtual void WatchReturned() = 0;
};

class WatchDriverHost final : private TrekmoObserver {
 public:
  WatchDriverHost(std::unique_ptr<HidTransport> transport, Clock& linkClock);
  ~WatchDriverHost() override;
  WatchDriverHost(const WatchDriverHost&) = delete;
  WatchDriverHost& operator=(const WatchDriverHost&) = delete;

  // For questions on the user-interface thread (is there a driver, its last
  // error); transfers go through a Lease.
  CTrekmo* Driver() const { return m_driver.get(); }
  bool Connected() const { return m_driver && m_driver->IsConnected(); }
  HidTransport& Transport() { return *m_transport; }
  // Who hears the watch's return; nullptr for nobody.
  void SetListener(WatchListener* listener) { m_listener = listener; }

  // Makes a driver and connects it. When the watch cannot be opened, no
  // driver is left and the reason is returned (a watch this user may not
  // open has told the user so already); a driver that exists is kept.
  Status MakeAndConnect();
  // A window's start: when no driver exists, make one and open the watch
  // (a failure leaves none).
  void OpenWatch();
  // Destroys the driver ("Trekmo Closed" on the trace), or as soon as no
  // lease holds it.
  void Destroy();

  // A transfer's hold on the driver, for the transfer's whole life.
  class Lease {
   public:
    Lease(Lease&& other) noexcept : m_host(std::exchange(other.m_host, nullptr)) {}
    Lease& operator=(Lease&& other) noexcept {
      if (this != &other) {
        Release();
        m_host = std::exchange(other.m_host, nullptr);
      }
      return *this;
    }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    ~Lease() { Release(); }
    CTrekmo& Driver() const { return *m_host->m_driver; }

   private:
    friend class WatchDriverHost;
    explicit Lease(WatchDriverHost& host) : m_host(&host) {}
    void Release();
    WatchDriverHost* m_host;
  };
  // A lease on the connected driver; nothing when there is none. progress
  // hears the transfer's percentages on the transfer's own thread; it is set
  // for the lease's life and nothing else changes it meanwhile.
  std::optional<Lease> Hold(std::function<void(int percent)> progress);

  // A plug or unplug notice (its trace lines are the host's): an arrival
  // with no driver makes and connects one and tells the listener; a removal
  // passes the notice to the driver and destroys it. Handled at once, or
  // after the last lease when one lives.
  void OnDeviceChange(const DeviceChange& change);

 private:
  void OnReconnected() override;
  void OnDisconnected() override;
  void OnProgress(int percent) override;
  void Handle(const DeviceChange& change);
  void BeginUse() { ++m_users; }
  void EndUse();

  std::unique_ptr<HidTransport> m_transport;
  Clock& m_clock;
  std::unique_ptr<CTrekmo> m_driver;
  WatchListener* m_listener = nullptr;
  int m_users = 0;
  bool m_destroyWhenFree = false;
  std::vector<DeviceChange> m_waiting;
  bool m_draining = false;
  std::function<void(int)> m_progress;
};

}  // namespace tempovia
