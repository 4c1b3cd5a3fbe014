#pragma once
// Signals of the process, delivered on the user-interface thread. A handler
// may do almost nothing, so it only writes the signal's number down a
// socket; the event loop reads it and emits Arrived.

#include <QObject>
#include <initializer_list>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace tempovia {

class SignalNotifier : public QObject {
  Q_OBJECT

 public:
  // Takes over these signals until destroyed, which puts back their
  // default handling.
  explicit SignalNotifier(std::initializer_list<int> signalNumbers, QObject* parent = nullptr);
  ~SignalNotifier() override;
  SignalNotifier(const SignalNotifier&) = delete;
  SignalNotifier& operator=(const SignalNotifier&) = delete;

 signals:
  void Arrived(int signalNumber);

 private:
  std::vector<int> m_signals;
  int m_socket[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> m_notifier;
};

}  // namespace tempovia
