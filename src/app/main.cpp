// tempovia: the windowed program.
#include <QApplication>
#include <QCommandLineParser>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/DlgMain.h"
#include "app/HelpRequest.h"
#include "app/ProgramWindows.h"
#include "app/SignalNotifier.h"
#include "app/SingleInstance.h"
#include "app/Termination.h"
#include "trace/Trace.h"
#include "widgets/Fonts.h"
#include "widgets/MessageBoxNoticeSink.h"
#include "widgets/MessageBoxes.h"
#include "workspace/LoginCycle.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "Tempovia";

// --simulate-watch takes its value optionally, as the command-line tool does:
// the next argument when it is not an option, else the default seed.
QStringList WithSimulationValue(QStringList arguments) {
  const QString option = QStringLiteral("--simulate-watch");
  for (int i = 1; i < arguments.size(); ++i) {
    if (arguments[i] != option) continue;
    if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1Char('-'))) {
      arguments[i] = option + QLatin1Char('=') + arguments[i + 1];
      arguments.removeAt(i + 1);
    } else {
      arguments[i] = option + QStringLiteral("=1");
    }
  }
  return arguments;
}

// The options; anything else on the command line is left alone ("-tray" in
// any spelling is looked for in the whole line).
AppOptions ParseOptions(const QCoreApplication& app, bool& stop) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Tempovia: the companion program of the step and heart-rate watch.\n"
                     "-tray starts it hidden in the notification area."));
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Shows this help."));
  const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Shows the version."));
  const QCommandLineOption home(QStringLiteral("home"),
                                QStringLiteral("The base folder (else $TEMPOVIA_HOME, else the user's data folder)."),
                                QStringLiteral("DIR"));
  const QCommandLineOption simulate(
      QStringLiteral("simulate-watch"),
      QStringLiteral("Use the watch simulator: SEED is a number (the week of that seed, 1 when left out) or a memory "
                     "image saved with tempovia-cli read-image."),
      QStringLiteral("SEED|FILE"));
  const QCommandLineOption instant(QStringLiteral("simulate-instant"),
                                   QStringLiteral("The simulator answers without the watch's pauses."));
  const QCommandLineOption trace(QStringLiteral("trace"),
                                 QStringLiteral("Writes the developer trace to standard error."));
  parser.addOptions({help, version, home, simulate, instant, trace});
  parser.parse(WithSimulationValue(app.arguments()));
  stop = false;
  if (parser.isSet(help)) {
    std::fputs(qPrintable(parser.helpText()), stdout);
    stop = true;
  } else if (parser.isSet(version)) {
    std::printf("Tempovia %s\n", CDlgMain::kVersion);
    stop = true;
  }
  if (parser.isSet(trace)) trace::SetStandardError(true);
  AppOptions options;
  options.home = parser.value(home).toStdString();
  options.watch.simulate = parser.isSet(simulate);
  options.watch.simulation = parser.value(simulate).toStdString();
  options.instant = parser.isSet(instant);
  return options;
}

int Run(int argc, char** argv) {
  if (MayAskForHelpOrVersion(argc, argv)) {
    // An application object that connects to no display answers them.
    const QCoreApplication text(argc, argv);
    bool stop = false;
    ParseOptions(text, stop);
    if (stop) return 0;
  }
  // A file size limit must show as a failed write, not end the program.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tempovia"));
  QApplication::setOrganizationName(QStringLiteral("Norvane"));
  QApplication::setApplicationVersion(QString::fromLatin1(CDlgMain::kVersion));
  QApplication::setQuitOnLastWindowClosed(false);
  // Docks match the window with its desktop entry (Wayland has no window class).
  QGuiApplication::setDesktopFileName(QStringLiteral("com.norvane.Tempovia"));
  if (const char* env = std::getenv("TEMPOVIA_TRACE"); env != nullptr && std::string(env) == "1")
    trace::SetStandardError(true);

  // Before anything else: a second copy says so and touches nothing.
  const SingleInstance instance;
  if (!instance.IsFirst()) {
    CurrentMessageBoxes().Show(
        nullptr, NoticeIcon::Warning,
        QStringLiteral("Tempovia is already running on your computer - you don't need to start another copy."),
        MessageButtons::Ok, QStringLiteral("Tempovix"));
    return 0;
  }

  // Numbers and dates are written the program's way whatever the desktop's
  // language.
  std::setlocale(LC_NUMERIC, "C");
  std::setlocale(LC_TIME, "C");
  bool stop = false;
  const AppOptions options = ParseOptions(app, stop);
  if (stop) return 0;

  const std::string commandLine = LoweredCommandLine(std::vector<std::string>(argv, argv + argc));
  TV_TRACE("%s\n", commandLine.c_str());
  InstallFontSubstitutes();
  MessageBoxNoticeSink notices;

  AppContext context(options, SystemClockInstance());
  if (!context.WatchStatus()) ShowWarning(nullptr, QString::fromStdString(context.WatchStatus().message()));
  context.Devices().Start();
  // Hotplug without a watch: SIGUSR1 unplugs the simulated one, SIGUSR2 plugs
  // it back in, before any window shows and for the whole run.
  std::unique_ptr<SignalNotifier> hotplug;
  if (options.watch.simulate) {
    hotplug = std::make_unique<SignalNotifier>(std::initializer_list<int>{SIGUSR1, SIGUSR2});
    QObject::connect(hotplug.get(), &SignalNotifier::Arrived, [&context](int signalNumber) {
      const bool plugged = signalNumber == SIGUSR2;
      TV_TRACE("%s: the simulated watch is %s\n", plugged ? "SIGUSR2" : "SIGUSR1",
               plugged ? "plugged in" : "unplugged");
      context.PlugSimulatedWatch(plugged);
    });
  }

  // A termination signal ends every window's loop; the windows then close in
  // order (a running transfer is stopped and waited for, the note saved).
  Termination termination;
  QObject::connect(&termination, &Termination::Arrived, [] { QCoreApplication::exit(0); });
  RunProgramWindows(context, termination, StartsInTray(commandLine));
  return 0;
}

}  // namespace
}  // namespace tempovia

int main(int argc, char** argv) {
  return tempovia::Run(argc, argv);
}
