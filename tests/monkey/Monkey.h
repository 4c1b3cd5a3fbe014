#pragma once
// The monkey: random clicks (on the active areas and anywhere), keys,
// typed and pasted text, the close box, minimising and the watch plugged
// in and out, sent as a person's would be (through the window system, so a
// modal dialog blocks the windows behind it) to whatever window is in
// front, one event at a time from the event loop, in whichever dialog's
// loop is running.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <chrono>

#include "Dice.h"
#include "EventLog.h"
#include "Watchdog.h"
#include "app/AppContext.h"

namespace tempovia::monkey {

class Monkey final : public QObject {
 public:
  // Ends after events, or after duration when it is not zero.
  Monkey(Dice& dice, EventLog& log, Watchdog& watchdog, long long events, std::chrono::steady_clock::duration duration);

  // The program's context of the current start (nullptr between starts).
  void SetContext(AppContext* context) { m_context = context; }
  // Sends the first event; each schedules the next before it is sent, so a
  // dialog it opens gets events too.
  void Start();
  // All events sent (the run is then ended with SIGTERM).
  bool Done() const { return m_done; }

 private:
  void Step();
  void Act();
  QWidget* Target();
  void Click(QWidget& window);
  void Key(QWidget& window);
  void Type(QWidget& window, const QString& text);
  void Paste(QWidget& window);
  void Leave();
  void Plug();
  void Finish();

  Dice& m_dice;
  EventLog& m_log;
  Watchdog& m_watchdog;
  const long long m_events;
  std::chrono::steady_clock::duration m_duration;
  std::chrono::steady_clock::time_point m_started;
  long long m_sent = 0;
  bool m_done = false;
  int m_depth = 0;
  static constexpr int kDeepest = 8;
  AppContext* m_context = nullptr;
  bool m_plugged = true;
  // The window in front and how many events it has had: a dialog that
  // keeps the front too long is answered with Escape, as a person would.
  QPointer<QWidget> m_front;
  int m_frontEvents = 0;
};

}  // namespace tempovia::monkey
