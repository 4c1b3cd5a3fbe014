// tempovia: the windowed program.
#include <QApplication>
#include <QCommandLineParser>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "AppContext.h"
#include "DlgMain.h"
#include "Fonts.h"
#include "MessageBoxNoticeSink.h"
#include "MessageBoxes.h"
#include "Trace.h"
#include "Windows1252.h"

namespace tempovia {
namespace {

struct Options {
  AppOptions app;
  QString user;
  QString password;
  bool passwordGiven = false;
};

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

Options ParseOptions(const QApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Tempovia: the companion program of the step and heart-rate watch."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption home(QStringLiteral("home"), QStringLiteral("The base folder (else $TEMPOVIA_HOME, else the user's data folder)."), QStringLiteral("DIR"));
  const QCommandLineOption simulate(QStringLiteral("simulate-watch"),
                                    QStringLiteral("Use the watch simulator: SEED is a number (the week of that seed) or a memory image file."),
                                    QStringLiteral("SEED|FILE"));
  const QCommandLineOption instant(QStringLiteral("simulate-instant"), QStringLiteral("The simulator without the watch's pauses."));
  const QCommandLineOption trace(QStringLiteral("trace"), QStringLiteral("Write the developer trace to standard error."));
  const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("Log in as this user."), QStringLiteral("NAME"));
  const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("The user's password (else $TEMPOVIA_PASSWORD)."), QStringLiteral("PASSWORD"));
  parser.addOptions({home, simulate, instant, trace, user, password});
  parser.process(WithSimulationValue(app.arguments()));

  Options options;
  options.app.home = parser.value(home).toStdString();
  options.app.watch.simulate = parser.isSet(simulate);
  options.app.watch.simulation = parser.value(simulate).toStdString();
  options.app.instant = parser.isSet(instant);
  if (parser.isSet(trace)) trace::SetStandardError(true);
  options.user = parser.value(user);
  if (parser.isSet(password)) {
    options.password = parser.value(password);
    options.passwordGiven = true;
  } else if (const char* env = std::getenv("TEMPOVIA_PASSWORD"); env != nullptr) {
    options.password = QString::fromUtf8(env);
    options.passwordGiven = true;
  }
  return options;
}

// Makes the named user current when the password matches (letter case counts).
bool LogIn(UserData& users, const Options& options) {
  const auto name = Utf8ToWindows1252(options.user.toStdString());
  const auto password = Utf8ToWindows1252(options.password.toStdString());
  if (!name || users.GetCount() == 0 || !users.FindByName(*name)) {
    ShowWarning(nullptr, QStringLiteral("No user named \"%1\"").arg(options.user));
    return false;
  }
  if (!options.passwordGiven || !password || *password != users.Current().password) {
    ShowInformation(nullptr, QStringLiteral("Incorrect Login"));
    return false;
  }
  return true;
}

int Run(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tempovia"));
  QApplication::setOrganizationName(QStringLiteral("Norvane"));
  QApplication::setApplicationVersion(QStringLiteral("1.27"));
  // Numbers and dates are written the program's way whatever the desktop's
  // language.
  std::setlocale(LC_NUMERIC, "C");
  std::setlocale(LC_TIME, "C");
  if (std::getenv("TEMPOVIA_TRACE") != nullptr && std::string(std::getenv("TEMPOVIA_TRACE")) == "1")
    trace::SetStandardError(true);
  const Options options = ParseOptions(app);
  InstallFontSubstitutes();
  MessageBoxNoticeSink notices;

  AppContext context(options.app, SystemClockInstance());
  if (!context.WatchStatus()) ShowWarning(nullptr, QString::fromStdString(context.WatchStatus().message()));
  context.Devices().Start();

  if (options.user.isEmpty()) {
    std::fprintf(stderr, "tempovia: give --user NAME (and the password with --password or $TEMPOVIA_PASSWORD)\n");
    return 2;
  }
  for (;;) {
    CDlgMain window(context);
    if (!window.LoadDataStore() || !LogIn(window.Users(), options)) return 1;
    const int result = window.exec();
    if (result != CDlgMain::kLogoutResult) return 0;
  }
}

}  // namespace
}  // namespace tempovia

int main(int argc, char** argv) {
  return tempovia::Run(argc, argv);
}
