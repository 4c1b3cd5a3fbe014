#pragma once
// The watch's plug and unplug notices on the user-interface thread: the
// device monitor's descriptor is watched by the event loop, and each notice
// goes to whichever window is shown (the login dialog or the main window).

#include <QObject>
#include <deque>
#include <memory>

#include "device/DeviceChange.h"
#include "device/DeviceMonitor.h"

class QSocketNotifier;

namespace tempovia {

class DeviceWatch : public QObject {
  Q_OBJECT

 public:
  explicit DeviceWatch(QObject* parent = nullptr);
  ~DeviceWatch() override;

  // Starts following the system's devices (udev, or polling where udev does
  // not run). False where neither works; the program then only finds a watch
  // at a window's start.
  bool Start();
  bool IsRunning() const { return m_monitor.IsRunning(); }
  // A change from outside the system (the simulated watch, a test): it
  // arrives through the event loop as the system's do.
  void Deliver(const DeviceChange& change) { m_monitor.Deliver(change); }

 signals:
  void Changed(const tempovia::DeviceChange& change);

 private:
  void Read();

  DeviceMonitor m_monitor;
  std::unique_ptr<QSocketNotifier> m_notifier;
  // A window may answer a change with a message box, whose loop reads the
  // next ones: they wait here until the change before them is handled.
  std::deque<DeviceChange> m_waiting;
  bool m_emitting = false;
};

}  // namespace tempovia
