// The login cycle of the real windows under a Wayland compositor: start, log
// in, a chart click, the close box, LOGOUT, Escape. A headless compositor
// takes no input from outside, so the events go in from inside the program,
// through Qt's window system interface as the compositor's would. Without a
// notification area (a compositor with none, as GNOME's default) the close
// box minimises and the window stays; the notice that there is no tray comes
// once in the run. The window picture PRINT takes is checked too.
//
//   tempovia_wayland_cycle BASE_FOLDER
//
// BASE_FOLDER holds a user "Ann" with the password "pw". Exit status 0 when
// every step happened, 1 with the step that did not.

#include <QApplication>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "WindowInput.h"
#include "app/AppContext.h"
#include "app/DlgLogin.h"
#include "app/DlgMain.h"
#include "app/ProgramWindows.h"
#include "app/Termination.h"
#include "base/Clock.h"
#include "skin/SkinLayout.h"
#include "widgets/Fonts.h"
#include "widgets/MessageBoxNoticeSink.h"
#include "widgets/testing/ScriptedMessageBoxes.h"

namespace tempovia {
namespace {

using testing::KeyClick;
using testing::MouseClicks;
using testing::TypeText;

template <class Window>
Window* Shown() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<Window*>(widget);
    if (window != nullptr && window->isVisible() && window->windowHandle() != nullptr &&
        window->windowHandle()->isExposed())
      return window;
  }
  return nullptr;
}

QPoint Centre(const HitRect& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A picture of the window as PRINT takes it: the window's size at its pixel
// ratio, and more than one colour.
bool PictureLooksRight(QWidget& window, std::string& why) {
  const QImage picture = window.grab().toImage();
  const QSize expected = window.size() * window.devicePixelRatio();
  if (picture.isNull() || picture.size() != expected) {
    why = "the window's picture is " + std::to_string(picture.width()) + "x" + std::to_string(picture.height()) +
          ", not " + std::to_string(expected.width()) + "x" + std::to_string(expected.height());
    return false;
  }
  const QRgb first = picture.pixel(0, 0);
  for (int y = 0; y < picture.height(); y += 7)
    for (int x = 0; x < picture.width(); x += 7)
      if (picture.pixel(x, y) != first) return true;
  why = "the window's picture is one colour";
  return false;
}

// Whether a window was ever minimised. Wayland makes minimising a request
// the window hears no answer to: the compositor's next configure may set
// the state back to normal, so the state itself cannot be waited for.
class MinimiseWatch final : public QObject {
 public:
  bool Seen() const { return m_seen; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowStateChange) {
      if (auto* widget = qobject_cast<QWidget*>(watched); widget != nullptr && widget->isMinimized()) m_seen = true;
    }
    return false;
  }

 private:
  bool m_seen = false;
};

// Steps taken one after the other from a timer that runs in whichever
// window's loop is running: each waits for its state, then acts.
class Driver final : public QObject {
 public:
  struct Step {
    std::string what;
    std::function<bool()> ready;
    std::function<bool(std::string& why)> act;
  };

  explicit Driver(std::vector<Step> steps) : m_steps(std::move(steps)) {
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
  }

  void Start() {
    m_since = std::chrono::steady_clock::now();
    m_timer.start();
  }
  bool Finished() const { return m_next == m_steps.size(); }
  const std::string& Failure() const { return m_failure; }
  std::string Waiting() const { return Finished() ? std::string() : m_steps[m_next].what; }

 private:
  void Poll() {
    if (Finished() || !m_failure.empty() || m_acting) return;
    const Step& step = m_steps[m_next];
    if (!step.ready()) {
      // A generous limit: the states come in milliseconds.
      if (std::chrono::steady_clock::now() - m_since > std::chrono::seconds(60)) {
        m_failure = "no state for: " + step.what;
        QCoreApplication::exit(1);
      }
      return;
    }
    std::printf("wayland cycle: %s\n", step.what.c_str());
    std::fflush(stdout);
    ++m_next;
    m_since = std::chrono::steady_clock::now();
    // An action may open a loop that runs this timer again.
    m_acting = true;
    std::string why;
    if (!step.act(why)) {
      m_failure = step.what + ": " + why;
      QCoreApplication::exit(1);
    }
    m_acting = false;
  }

  std::vector<Step> m_steps;
  std::size_t m_next = 0;
  std::string m_failure;
  bool m_acting = false;
  std::chrono::steady_clock::time_point m_since;
  QTimer m_timer;
};

int Run(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tempovia_wayland_cycle BASE_FOLDER\n");
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  if (QGuiApplication::platformName() != QLatin1String("wayland")) {
    std::fprintf(stderr, "wayland cycle: running on \"%s\", not wayland\n",
                 qPrintable(QGuiApplication::platformName()));
    return 1;
  }
  InstallFontSubstitutes();
  std::setlocale(LC_NUMERIC, "C");
  std::setlocale(LC_TIME, "C");

  ScriptedMessageBoxes boxes;
  const MessageBoxNoticeSink notices;
  AppOptions options;
  options.home = argv[1];
  options.watch.simulate = true;
  options.instant = true;
  AppContext context(options, SystemClockInstance());

  QPointer<CDlgLogin> firstLogin;
  QPointer<CDlgMain> main;
  MinimiseWatch minimised;
  Driver driver({
      {"the login window shows; Ann logs in", [&] { return (firstLogin = Shown<CDlgLogin>()) != nullptr; },
       [&](std::string&) {
         TypeText(firstLogin->windowHandle(), QStringLiteral("pw"));
         KeyClick(firstLogin->windowHandle(), Qt::Key_Return);
         return true;
       }},
      {"the main window shows; its picture is taken and WEEKLY clicked",
       [&] { return (main = Shown<CDlgMain>()) != nullptr; },
       [&](std::string& why) {
         if (!PictureLooksRight(*main, why)) return false;
         MouseClicks(main->windowHandle(), Qt::LeftButton, Centre(kMainAreas[kAreaWeekly]));
         return true;
       }},
      {"the close box of the main window", [&] { return main != nullptr && main->isVisible(); },
       [&](std::string&) {
         main->installEventFilter(&minimised);
         main->windowHandle()->close();
         return true;
       }},
      {"the main window is minimised, not hidden; back from the taskbar, LOGOUT",
       [&] { return main != nullptr && main->isVisible() && minimised.Seen(); },
       [&](std::string&) {
         main->setWindowState(Qt::WindowNoState);
         MouseClicks(main->windowHandle(), Qt::LeftButton, Centre(kMainAreas[kAreaLogout]));
         return true;
       }},
      {"the login window shows again; Escape",
       [&] { return (main == nullptr || !main->isVisible()) && Shown<CDlgLogin>() != nullptr; },
       [&](std::string&) {
         KeyClick(Shown<CDlgLogin>()->windowHandle(), Qt::Key_Escape);
         return true;
       }},
  });
  driver.Start();

  Termination termination;
  QObject::connect(&termination, &Termination::Arrived, [] { QCoreApplication::exit(0); });
  RunProgramWindows(context, termination, false);

  std::vector<std::string> failures;
  if (!driver.Failure().empty()) failures.push_back(driver.Failure());
  if (driver.Failure().empty() && !driver.Finished())
    failures.push_back("the program ended while waiting for: " + driver.Waiting());
  int trayNotices = 0;
  for (const ScriptedMessageBoxes::Shown& box : boxes.Boxes()) {
    if (box.text == QLatin1String("Can't Setup Tray ICON")) {
      ++trayNotices;
    } else {
      failures.push_back("a message box: " + box.text.toStdString());
    }
  }
  if (trayNotices != 1)
    failures.push_back("the notice that there is no tray came " + std::to_string(trayNotices) + " times, not once");
  for (const std::string& failure : failures) std::fprintf(stderr, "wayland cycle: %s\n", failure.c_str());
  if (!failures.empty()) return 1;
  std::printf("wayland cycle: passed\n");
  return 0;
}

}  // namespace
}  // namespace tempovia

int main(int argc, char** argv) {
  return tempovia::Run(argc, argv);
}
