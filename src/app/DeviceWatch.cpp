#include "DeviceWatch.h"

#include <QSocketNotifier>

#include "Trace.h"

namespace tempovia {

namespace {

constexpr char kTraceModule[] = "DeviceWatch";

}  // namespace

DeviceWatch::DeviceWatch(QObject* parent) : QObject(parent) {}

DeviceWatch::~DeviceWatch() {
  m_notifier.reset();
  m_monitor.Stop();
}

bool DeviceWatch::Start() {
  const Status started = m_monitor.Start();
  if (!started) {
    TV_TRACE("Device watch not started : %s\n", started.message().c_str());
    return false;
  }
  m_notifier = std::make_unique<QSocketNotifier>(m_monitor.FileDescriptor(), QSocketNotifier::Read);
  connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { Read(); });
  return true;
}

void DeviceWatch::Read() {
  for (const DeviceChange& change : m_monitor.ReadEvents()) emit Changed(change);
}

}  // namespace tempovia
