#pragma once
// What the windows of one run share: the base folder, the clocks, the watch
// (its one driver lives here, across logouts), the plug notices, the
// desktop's services and the workspace beneath the windows.

#include <QString>
#include <filesystem>
#include <memory>
#include <string>

#include "app/DeviceWatch.h"
#include "app/QtDesktop.h"
#include "base/Clock.h"
#include "base/InstantClock.h"
#include "base/Status.h"
#include "device/WatchSource.h"
#include "store/StorePaths.h"
#include "workspace/WatchDriverHost.h"
#include "workspace/Workspace.h"

namespace tempovia {

struct AppOptions {
  std::string home;  // the base folder; empty: $TEMPOVIA_HOME, else the user's data folder
  WatchSource watch;
  bool instant = false;  // the simulator without the watch's pauses
  // Where the program's own files are looked for first; empty: the folder of
  // the running executable.
  std::filesystem::path programFolder;
};

class AppContext {
 public:
  // The clock is the program's idea of now (tests give a fake one); the
  // desktop is the program's own unless one is given (tests script some of
  // its dialogs).
  AppContext(const AppOptions& options, Clock& clock, QtDesktop* desktop = nullptr);
  ~AppContext();
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  // Why the watch could not be set up (an unreadable image), else ok.
  const Status& WatchStatus() const { return m_watchStatus; }

  const StorePaths& Paths() const { return m_paths; }
  Clock& Now() { return m_clock; }
  WatchDriverHost& Watch() { return *m_watch; }
  DeviceWatch& Devices() { return m_devices; }
  QtDesktop& Desktop() { return *m_desktop; }
  Workspace& Work() { return *m_workspace; }
  // The simulated watch unplugged or plugged in, as a person would: the
  // change reaches the windows as a real watch's does. False when the
  // program runs on a real watch.
  bool PlugSimulatedWatch(bool plugged);

 private:
  Clock& m_clock;
  StorePaths m_paths;
  std::unique_ptr<InstantClock> m_instantClock;
  Status m_watchStatus = Status::Ok();
  std::unique_ptr<WatchDriverHost> m_watch;
  std::unique_ptr<QtDesktop> m_ownDesktop;
  QtDesktop* m_desktop;
  std::unique_ptr<Workspace> m_workspace;
  DeviceWatch m_devices;
};

}  // namespace tempovia
