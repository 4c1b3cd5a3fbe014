#include "app/SignalNotifier.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>

namespace tempovia {

namespace {

// Where each signal's handler writes: the socket of the notifier that took
// it over, or -1.
std::atomic<int> g_writeEnd[NSIG];

void OnSignal(int signalNumber) {
  const int fd = g_writeEnd[signalNumber].load();
  if (fd < 0) return;
  const auto byte = static_cast<unsigned char>(signalNumber);
  [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
}

}  // namespace

SignalNotifier::SignalNotifier(std::initializer_list<int> signalNumbers, QObject* parent)
    : QObject(parent), m_signals(signalNumbers) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_socket) != 0) return;
  m_notifier = std::make_unique<QSocketNotifier>(m_socket[1], QSocketNotifier::Read);
  connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] {
    unsigned char bytes[16];
    ssize_t n = 0;
    while ((n = ::read(m_socket[1], bytes, sizeof bytes)) > 0) {
      for (ssize_t i = 0; i < n; ++i) emit Arrived(bytes[i]);
    }
  });
  for (int signalNumber : m_signals) {
    g_writeEnd[signalNumber] = m_socket[0];
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signalNumber, &action, nullptr);
  }
}

SignalNotifier::~SignalNotifier() {
  for (int signalNumber : m_signals) {
    ::signal(signalNumber, SIG_DFL);
    g_writeEnd[signalNumber] = -1;
  }
  m_notifier.reset();
  for (int& fd : m_socket) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

}  // namespace tempovia
