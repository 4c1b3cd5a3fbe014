#include "app/Termination.h"

#include <csignal>

namespace tempovia {

Termination::Termination(QObject* parent) : QObject(parent), m_signals({SIGTERM, SIGINT, SIGHUP}) {
  connect(&m_signals, &SignalNotifier::Arrived, this, [this] {
    if (m_requested) return;
    m_requested = true;
    emit Arrived();
  });
}

}  // namespace tempovia
