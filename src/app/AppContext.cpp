#include "app/AppContext.h"

#include <QCoreApplication>

#include "device/SimulatedWatch.h"

namespace tempovia {

namespace {

std::filesystem::path ProgramFolderOf(const AppOptions& options) {
  if (!options.programFolder.empty()) return options.programFolder;
  return QCoreApplication::applicationDirPath().toStdString();
}

}  // namespace

AppContext::AppContext(const AppOptions& options, Clock& clock, QtDesktop* desktop)
    : m_clock(clock), m_paths(options.home.empty() ? StorePaths::FromEnvironment() : StorePaths(options.home)) {
  Clock* linkClock = &SystemClockInstance();
  if (options.watch.simulate && options.instant) {
    m_instantClock = std::make_unique<InstantClock>(clock);
    linkClock = m_instantClock.get();
  }
  auto transport = OpenWatchSource(options.watch, *linkClock, clock.Now().date, m_watchStatus);
  if (!transport) {
    // An unreadable image: a simulator without a watch behind it, so the
    // program still runs and says there is no watch.
    transport = std::make_unique<SimulatedWatch>(*linkClock, WatchImage{});
    static_cast<SimulatedWatch*>(transport.get())->Unplug();
  }
  m_watch = std::make_unique<WatchDriverHost>(std::move(transport), *linkClock);
  if (desktop == nullptr) {
    m_ownDesktop = std::make_unique<QtDesktop>(clock);
    desktop = m_ownDesktop.get();
  }
  m_desktop = desktop;
  m_workspace = std::make_unique<Workspace>(m_paths, clock, *m_watch, *m_desktop, ProgramFolderOf(options));
  QObject::connect(&m_devices, &DeviceWatch::Changed, &m_devices,
                   [this](const DeviceChange& change) { m_workspace->OnDeviceChange(change); });
}

AppContext::~AppContext() = default;

bool AppContext::PlugSimulatedWatch(bool plugged) {
  auto* simulator = dynamic_cast<SimulatedWatch*>(&m_watch->Transport());
  if (simulator == nullptr) return false;
  if (plugged) {
    simulator->PushPlugIn();
  } else {
    simulator->PullPlug();
  }
  m_devices.Deliver(
      {plugged ? kDeviceArrival : kDeviceRemoveComplete, kDeviceTypeInterface, SimulatedWatch::kBridgePath});
  return true;
}

}  // namespace tempovia
