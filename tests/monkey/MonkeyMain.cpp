// tempovia_monkey: the real windows of Tempovia under random input, with the
// watch simulator, until a number of events is sent or a number of minutes
// has passed, whichever comes first; then the program is
// ended as the desktop session would end it and the users' files are checked:
// no stored day or session may be missing but through a DELETE USER or an
// IMPORT the monkey made. Any crash or sanitizer report fails the run, and so
// does a user-interface thread that stops coming back to its event loop.
//
//   tempovia_monkey [--seed N] [--events N] [--minutes M] [--log FILE]
//
// A failing run prints its seed and its last events; the whole list is in
// the log file. The same seed makes the same choices again; the program's
// own timers and the download's thread may still fall between them
// differently, so a replay follows the logged events, not the clock.

#include <QApplication>
#include <chrono>
#include <climits>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "EventLog.h"
#include "Monkey.h"
#include "MonkeyBoxes.h"
#include "MonkeyDesktop.h"
#include "StoredData.h"
#include "TempDir.h"
#include "Watchdog.h"
#include "app/AppContext.h"
#include "app/ProgramWindows.h"
#include "app/Termination.h"
#include "base/testing/FakeClock.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "store/UserData.h"
#include "widgets/Fonts.h"
#include "widgets/MessageBoxNoticeSink.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#define TEMPOVIA_MONKEY_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TEMPOVIA_MONKEY_SANITIZED 1
#endif
#ifdef TEMPOVIA_MONKEY_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

using namespace tempovia;
using namespace tempovia::monkey;

namespace {

namespace fs = std::filesystem;

struct Options {
  std::uint64_t seed = 1;
  long long events = 2000;
  double minutes = 0;  // no limit
  std::string log = "monkey-events.log";
};

bool ParseOptions(int argc, char** argv, Options& options) {
  bool eventsGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    if (option == "--seed" && hasValue) {
      options.seed = std::strtoull(argv[++i], nullptr, 10);
    } else if (option == "--events" && hasValue) {
      options.events = std::strtoll(argv[++i], nullptr, 10);
      eventsGiven = true;
    } else if (option == "--minutes" && hasValue) {
      options.minutes = std::strtod(argv[++i], nullptr);
    } else if (option == "--log" && hasValue) {
      options.log = argv[++i];
    } else {
      std::fprintf(stderr, "usage: tempovia_monkey [--seed N] [--events N] [--minutes M] [--log FILE]\n");
      return false;
    }
  }
  // Minutes alone run for the minutes.
  if (options.minutes > 0 && !eventsGiven) options.events = LLONG_MAX;
  return true;
}

const EventLog* g_log = nullptr;

// The log a death prints while it lives: what dies after main (the
// sanitizers' checks at exit) finds none.
struct LogForDeath {
  explicit LogForDeath(const EventLog& log) { g_log = &log; }
  ~LogForDeath() { g_log = nullptr; }
  LogForDeath(const LogForDeath&) = delete;
  LogForDeath& operator=(const LogForDeath&) = delete;
};

void PrintOnDeath() {
  if (g_log != nullptr) g_log->PrintTail("the run failed (see the report above)");
}

// The offscreen platform says at every dialog what it cannot do (raise a
// window, grab the keyboard), and QTest that a click fell outside its
// window, which the monkey means; the rest of Qt's messages are printed.
void QuietPlatform(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support")) ||
      (message.startsWith(QLatin1String("Mouse event at")) && message.contains(QLatin1String("outside target window"))))
    return;
  std::fprintf(stderr, "%s\n", qPrintable(message));
  if (type == QtFatalMsg) std::abort();
}

#ifndef TEMPOVIA_MONKEY_SANITIZED
// Without the sanitizers' own handlers, a crash still says how it came.
void OnCrash(int signalNumber) {
  PrintOnDeath();
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}
#endif

// Two users with a few weeks of days and sessions, and the password "pw".
void AddUsers(const StorePaths& paths, const LocalDateTime& now) {
  UserData users;
  if (!paths.CreateDataFolder().ok() || !users.Open(paths.UserDatabase())) {
    std::fprintf(stderr, "monkey: cannot set up the users: %s\n", users.LastError().c_str());
    std::exit(2);
  }
  for (const char* name : {"Ann", "Bob"}) {
    LocalUserRecord user;
    user.name = name;
    user.password = "pw";
    user.height = 170;
    user.weight = 65;
    user.walkingStride = 70;
    if (const Status added = users.Add(user, paths, now); !added) {
      std::fprintf(stderr, "monkey: cannot add %s: %s\n", name, added.message().c_str());
      std::exit(2);
    }
    StepData steps;
    CExerciseDB sessions;
    if (!steps.Open(*paths.UserFile(user.stepFile)) || !sessions.Open(*paths.UserFile(user.exerciseFile))) std::exit(2);
    for (unsigned day = 1; day <= 28; ++day) {
      DayRecord record = DayRecord::Blank();
      record.year = 26;
      record.month = 11;
      record.day = static_cast<std::uint8_t>(day);
      record.steps = 4000 + 100 * day;
      record.distance = record.steps * 0.0007;
      record.avgHeartRate = 70 + day % 9;
      steps.Current() = record;
      if (!steps.MergeDay()) std::exit(2);
      if (day % 7 != 0) continue;
      StoredExercise session;
      session.year = 26;
      session.month = 11;
      session.day = static_cast<std::uint8_t>(day);
      session.startHour = 7;
      session.durationMinutes = 30;
      session.steps = 3000;
      sessions.Current() = session;
      if (!sessions.MergeExercise()) std::exit(2);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) return 2;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  // Everything the program writes stays in the run's own folder: its base
  // folder, reports (home), temporary pictures (TMPDIR) and Qt's settings.
  test::TempDir scratch;
  for (const char* folder : {"home", "tmp", "config", "cache", "data"}) fs::create_directories(scratch / folder);
  qputenv("HOME", (scratch / "home").c_str());
  qputenv("TMPDIR", (scratch / "tmp").c_str());
  qputenv("XDG_CONFIG_HOME", (scratch / "config").c_str());
  qputenv("XDG_CACHE_HOME", (scratch / "cache").c_str());
  qputenv("XDG_DATA_HOME", (scratch / "data").c_str());

  std::signal(SIGXFSZ, SIG_IGN);
  qInstallMessageHandler(QuietPlatform);
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  InstallFontSubstitutes();
  std::setlocale(LC_NUMERIC, "C");
  std::setlocale(LC_TIME, "C");

  Dice dice(options.seed);
  EventLog log(options.seed, options.log);
  const LogForDeath logForDeath(log);
#ifdef TEMPOVIA_MONKEY_SANITIZED
  __sanitizer_set_death_callback(PrintOnDeath);
#else
  for (const int signalNumber : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(signalNumber, OnCrash);
#endif

  FakeClock clock(LocalDateTime::From(2026, 12, 9, 10, 0, 0));
  const StorePaths paths(scratch / "base");
  AddUsers(paths, clock.Now());
  const StoredData before = StoredData::Read(paths);

  MonkeyBoxes boxes(dice, log);
  const MessageBoxNoticeSink notices;
  Watchdog watchdog(log, std::chrono::seconds(90));
  Monkey monkey(dice, log, watchdog, options.events,
                std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                    std::chrono::duration<double, std::ratio<60>>(options.minutes)));
  const auto started = std::chrono::steady_clock::now();
  monkey.Start();
  int starts = 0;
  int offeredImports = 0;
  while (!monkey.Done()) {
    AppOptions program;
    program.home = paths.Base().string();
    program.watch = {true, std::to_string(1 + options.seed % 9)};
    program.instant = true;
    program.programFolder = TEMPOVIA_PROGRAM_FOLDER;
    MonkeyDesktop desktop(clock, dice, log, paths, scratch / "chosen");
    AppContext context(program, clock, &desktop);
    Termination termination;
    QObject::connect(&termination, &Termination::Arrived, [] { QCoreApplication::exit(0); });
    const bool inTray = dice.Chance(0.1);
    log.Add("start " + std::to_string(++starts) + (inTray ? " -tray" : ""));
    monkey.SetContext(&context);
    RunProgramWindows(context, termination, inTray);
    monkey.SetContext(nullptr);
    offeredImports += desktop.ImportsOffered();
    log.Add("the program ended");
  }
  const double minutes = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count() / 60.0;

  std::vector<std::string> failures;
  const StoredData after = StoredData::Read(paths);
  for (const std::string& problem : after.Problems()) failures.push_back("a user's file cannot be read: " + problem);
  const int imports = boxes.Count("Data Imported!");
  const int deletions = boxes.Count("User Record Deleted");
  if (imports == 0) {
    for (const std::string& missing : after.MissingFrom(before, deletions)) failures.push_back(missing);
  }

  std::printf("monkey: seed %llu, %lld events in %.1f minutes (%.0f a minute), %d starts of the program\n",
              static_cast<unsigned long long>(options.seed), log.Count(), minutes,
              minutes > 0 ? static_cast<double>(log.Count()) / minutes : 0.0, starts);
  std::printf("monkey: %d users deleted, %d imports (of %d folders offered that hold a user.dat)%s\n", deletions,
              imports, offeredImports, imports > 0 ? "; stored days not compared after an import" : "");
  std::printf("monkey: message boxes shown:\n");
  for (const auto& [text, count] : boxes.Shown()) std::printf("  %5d  %s\n", count, text.c_str());
  if (failures.empty()) {
    std::printf("monkey: passed\n");
    return 0;
  }
  for (const std::string& failure : failures) std::fprintf(stderr, "monkey: %s\n", failure.c_str());
  log.PrintTail("stored data went missing");
  return 1;
}
