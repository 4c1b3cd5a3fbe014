#include "Monkey.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <csignal>
#include <string>
#include <vector>

#include "WindowInput.h"
#include "skin/SkinLayout.h"

namespace tempovia::monkey {

using testing::KeyClick;
using testing::LetterClick;
using testing::MouseClicks;

namespace {

// Typed texts: the seeded users' password and name, numbers (good and
// wild), letters Windows-1252 has and letters it has not, and more than
// any field holds.
const std::vector<QString>& Texts() {
  static const std::vector<QString> texts = {
      QStringLiteral("pw"),
      QStringLiteral("Ann"),
      QStringLiteral("170"),
      QStringLiteral("-5"),
      QStringLiteral("1e300"),
      QStringLiteral("65.5"),
      QStringLiteral("0"),
      QStringLiteral("Zo\u00eb M\u00fcller"),
      QStringLiteral("\u03a9\u03bc\u03ad\u03b3\u03b1"),
      QStringLiteral("\u65e5\u672c\u8a9e\u306e\u30c6\u30ad\u30b9\u30c8"),
      QStringLiteral("\U0001F3C3\u200D\u2640\uFE0F"),
      QString(300, QLatin1Char('W')),
      QStringLiteral("../../etc"),
      QStringLiteral("a b\tc"),
  };
  return texts;
}

const std::vector<Qt::Key>& Keys() {
  static const std::vector<Qt::Key> keys = {
      Qt::Key_Return,   Qt::Key_Enter, Qt::Key_Escape,    Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Up,
      Qt::Key_Down,     Qt::Key_Left,  Qt::Key_Right,     Qt::Key_Home,   Qt::Key_End,     Qt::Key_PageUp,
      Qt::Key_PageDown, Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_F1,      Qt::Key_F4,
  };
  return keys;
}

std::string Describe(const QWidget& window) {
  return window.metaObject()->className() + std::string(" \"") + window.windowTitle().toStdString() + "\"";
}

// A point of one of the window's active areas, when it is one of the two
// skinned windows.
bool AreaPoint(const QWidget& window, Dice& dice, QPoint& point, std::string& area) {
  const auto inside = [&](const HitRect& r) {
    point = {dice.Between(r.left, std::max(r.left, r.right - 1)), dice.Between(r.top, std::max(r.top, r.bottom - 1))};
  };
  if (window.inherits("tempovia::CDlgMain")) {
    const int index = dice.Below(kMainAreaCount);
    inside(kMainAreas[static_cast<std::size_t>(index)]);
    area = "main area " + std::to_string(index);
    return true;
  }
  if (window.inherits("tempovia::CDlgLogin")) {
    const int index = dice.Below(kLoginAreaCount);
    inside(kLoginAreas[static_cast<std::size_t>(index)]);
    area = "login area " + std::to_string(index);
    return true;
  }
  return false;
}

}  // namespace

Monkey::Monkey(Dice& dice, EventLog& log, Watchdog& watchdog, long long events,
               std::chrono::steady_clock::duration duration)
    : m_dice(dice), m_log(log), m_watchdog(watchdog), m_events(events), m_duration(duration) {}

void Monkey::Start() {
  m_started = std::chrono::steady_clock::now();
  QTimer::singleShot(0, this, &Monkey::Step);
}

void Monkey::Step() {
  m_watchdog.Beat();
  if (m_done) return;
  // The next event is due whatever this one does: it may open a dialog
  // whose loop then runs the next ones.
  QTimer::singleShot(m_dice.Chance(0.05) ? 40 : m_dice.Between(0, 3), this, &Monkey::Step);
  // Each dialog or menu an event opens runs the next steps in its own loop.
  // Deeper than the windows nest, the monkey only leaves what is in front,
  // so the loops below it can end.
  ++m_depth;
  const bool late = m_duration.count() != 0 && std::chrono::steady_clock::now() - m_started > m_duration;
  if (++m_sent > m_events || late) {
    Finish();
  } else if (m_depth > kDeepest) {
    Leave();
  } else {
    Act();
  }
  --m_depth;
}

QWidget* Monkey::Target() {
  if (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr && m_dice.Chance(0.9)) return popup;
  if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && m_dice.Chance(0.85)) return modal;
  if (QWidget* active = QApplication::activeWindow(); active != nullptr && m_dice.Chance(0.5)) return active;
  std::vector<QWidget*> shown;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->isVisible() && widget->windowHandle() != nullptr) shown.push_back(widget);
  if (shown.empty()) return nullptr;
  return m_dice.Pick(shown);
}

void Monkey::Act() {
  if (m_context != nullptr && m_dice.Chance(0.02)) return Plug();
  QWidget* target = Target();
  if (target == nullptr || target->windowHandle() == nullptr) {
    m_log.Add("nothing shown");
    return;
  }
  if (target == m_front) {
    ++m_frontEvents;
  } else {
    m_front = target;
    m_frontEvents = 0;
  }
  // A dialog kept in front for long is left with Escape, as a person would;
  // one that does not go then is closed with its close box.
  if (target->isModal() && m_frontEvents == 60) {
    m_log.Add("key Escape to " + Describe(*target) + ", in front too long");
    KeyClick(target->windowHandle(), Qt::Key_Escape);
    return;
  }
  if (target->isModal() && m_frontEvents >= 90) {
    m_frontEvents = 0;
    m_log.Add("close box of " + Describe(*target) + ", in front too long");
    target->windowHandle()->close();
    return;
  }

  const int kind = m_dice.Below(100);
  if (kind < 45) return Click(*target);
  if (kind < 72) return Key(*target);
  if (kind < 88) {
    // At the login window, mostly the password that lets the user in.
    const bool login = target->inherits("tempovia::CDlgLogin") || target->inherits("tempovia::CVerifyPWDlg");
    if (login && m_dice.Chance(0.5)) {
      const QPointer<QWindow> handle = target->windowHandle();
      const std::string name = Describe(*target);
      Type(*target, QStringLiteral("pw"));
      m_log.Add("key Return to " + name);
      KeyClick(handle, Qt::Key_Return);
      return;
    }
    return Type(*target, m_dice.Pick(Texts()));
  }
  if (kind < 93) return Paste(*target);
  if (kind < 96) {
    m_log.Add("close box of " + Describe(*target));
    target->windowHandle()->close();
    return;
  }
  if (kind < 98) {
    m_log.Add("minimise " + Describe(*target));
    target->windowHandle()->setWindowStates(Qt::WindowMinimized);
    return;
  }
  // Back from the taskbar.
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible() && widget->isMinimized() && widget->windowHandle() != nullptr) {
      m_log.Add("restore " + Describe(*widget));
      widget->windowHandle()->setWindowStates(Qt::WindowNoState);
      widget->windowHandle()->requestActivate();
      return;
    }
  }
  m_log.Add("nothing minimised");
}

void Monkey::Click(QWidget& window) {
  QPoint point;
  std::string where;
  if (!m_dice.Chance(0.6) || !AreaPoint(window, m_dice, point, where)) {
    // Anywhere, a little outside the window too.
    point = {m_dice.Between(-5, window.width() + 5), m_dice.Between(-5, window.height() + 5)};
    where = "anywhere";
  }
  const bool right = m_dice.Chance(0.08);
  const bool twice = m_dice.Chance(0.05);
  m_log.Add(std::string(twice ? "double " : "") + (right ? "right " : "") + "click at " + std::to_string(point.x()) +
            "," + std::to_string(point.y()) + " (" + where + ") in " + Describe(window));
  MouseClicks(window.windowHandle(), right ? Qt::RightButton : Qt::LeftButton, point, twice ? 2 : 1);
}

void Monkey::Key(QWidget& window) {
  QPointer<QWindow> handle = window.windowHandle();
  const int kind = m_dice.Below(10);
  if (kind < 2) {
    // The main window's shortcuts and a dialog's mnemonics.
    const char letter = static_cast<char>('a' + m_dice.Below(26));
    m_log.Add(std::string("key Alt+") + letter + " to " + Describe(window));
    LetterClick(handle, letter, Qt::AltModifier);
    return;
  }
  if (kind < 4) {
    const std::vector<char> editing = {'a', 'c', 'x', 'z', 'v'};
    const char letter = m_dice.Pick(editing);
    m_log.Add(std::string("key Ctrl+") + letter + " to " + Describe(window));
    LetterClick(handle, letter, Qt::ControlModifier);
    return;
  }
  const Qt::Key key = m_dice.Pick(Keys());
  m_log.Add("key " + QKeySequence(key).toString().toStdString() + " to " + Describe(window));
  KeyClick(handle, key);
}

void Monkey::Type(QWidget& window, const QString& text) {
  m_log.Add("type \"" + text.left(40).toStdString() + (text.size() > 40 ? "...\"" : "\"") + " to " + Describe(window));
  QPointer<QWindow> handle = window.windowHandle();
  testing::TypeText(handle, text);
}

void Monkey::Paste(QWidget& window) {
  auto* data = new QMimeData;
  std::string what;
  switch (m_dice.Below(6)) {
    case 0:
      what = "nothing";
      break;
    case 1:
      data->setText(m_dice.Pick(Texts()));
      what = "text";
      break;
    case 2:
      data->setText(QString(5000, QChar(0x00e9)));
      what = "long text";
      break;
    case 3: {
      QImage picture(8, 8, QImage::Format_RGB32);
      picture.fill(Qt::red);
      data->setImageData(picture);
      what = "a picture";
      break;
    }
    case 4:
      data->setUrls({QUrl::fromLocalFile(QStringLiteral("/etc/hostname")), QUrl(QStringLiteral("https://x.invalid"))});
      what = "links";
      break;
    default:
      data->setHtml(QStringLiteral("<b>bold</b> \u00e9 \u65e5"));
      what = "html";
      break;
  }
  QApplication::clipboard()->setMimeData(data);
  m_log.Add("paste " + what + " to " + Describe(window));
  LetterClick(window.windowHandle(), 'v', Qt::ControlModifier);
}

void Monkey::Leave() {
  QWidget* front = QApplication::activePopupWidget();
  if (front == nullptr) front = QApplication::activeModalWidget();
  if (front == nullptr || front->windowHandle() == nullptr) return;
  m_log.Add("key Escape to " + Describe(*front) + ", too deep");
  KeyClick(front->windowHandle(), Qt::Key_Escape);
}

void Monkey::Plug() {
  m_plugged = !m_plugged;
  m_log.Add(m_plugged ? "watch plugged in" : "watch unplugged");
  m_context->PlugSimulatedWatch(m_plugged);
}

void Monkey::Finish() {
  m_done = true;
  m_log.Add("end: SIGTERM");
  std::raise(SIGTERM);
}

}  // namespace tempovia::monkey
