#pragma once
// The desktop session ending, or a kill: SIGTERM, SIGINT and SIGHUP reach the
// user-interface thread as a signal, so the windows can stop a transfer at
// its next report, wait for it, save the day note and end cleanly instead of
// dying in the middle of a write.

#include <QObject>

#include "app/SignalNotifier.h"

namespace tempovia {

class Termination : public QObject {
  Q_OBJECT

 public:
  explicit Termination(QObject* parent = nullptr);

  // True once a termination signal arrived.
  bool Requested() const { return m_requested; }

 signals:
  void Arrived();

 private:
  SignalNotifier m_signals;
  bool m_requested = false;
};

}  // namespace tempovia
