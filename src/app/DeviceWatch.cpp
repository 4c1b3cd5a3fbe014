#include "app/DeviceWatch.h"

#include <QSocketNotifier>

#include "trace/Trace.h"

namespace tempovia {

namespace {

constexpr char kTraceModule[] = "DeviceWatch";

}  // namespace

DeviceWatch::DeviceWatch(QObject* parent) : QObject(parent) {
  if (m_monitor.FileDescriptor() < 0) return;
  m_notifier = std::make_unique<QSocketNotifier>(m_monitor.FileDescriptor(), QSocketNotifier::Read);
  connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { Read(); });
}

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
  return true;
}

void DeviceWatch::Read() {
  for (DeviceChange& change : m_monitor.ReadEvents()) m_waiting.push_back(std::move(change));
  if (m_emitting) return;
  m_emitting = true;
  while (!m_waiting.empty()) {
    const DeviceChange change = std::move(m_waiting.front());
    m_waiting.pop_front();
    emit Changed(change);
  }
  m_emitting = false;
}

}  // namespace tempovia
