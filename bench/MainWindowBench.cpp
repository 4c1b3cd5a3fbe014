// The main window and the login window on 30 years of data, offscreen: from
// construction to the first complete paint, a click that changes the chart
// until it is painted, the resident memory with the window open, and a whole
// download's wall time against the watch's pauses.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "LongHistory.h"
#include "app/AppContext.h"
#include "app/DlgLogin.h"
#include "app/DlgMain.h"
#include "base/testing/FakeClock.h"
#include "device/SimulatedWatch.h"
#include "skin/SkinLayout.h"
#include "widgets/Fonts.h"
#include "widgets/TrayArea.h"
#include "widgets/testing/ScriptedMessageBoxes.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using namespace tempovia::bench;

// A notification area that is there, so no window says it is missing.
class QuietTray final : public TrayArea {
 public:
  bool Add(const QIcon&, const QString&) override { return true; }
  void Remove() override {}
  void SetMouseHandler(std::function<void(TrayMouse)>) override {}
};

// A base folder with one user whose files hold 30 years.
struct Home {
  fs::path folder;

  Home() {
    std::string pattern = (fs::temp_directory_path() / "tempovia-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
    folder = pattern;
    const StorePaths paths(folder);
    if (!paths.CreateDataFolder()) throw std::runtime_error("cannot create the data folder");
    UserData users;
    if (!users.Open(paths.UserDatabase())) throw std::runtime_error("cannot create user.dat");
    LocalUserRecord user;
    user.name = "Ann";
    user.password = "pw";
    user.height = 168;
    user.weight = 61;
    if (!users.Add(user, paths, LocalDateTime::From(2029, 12, 31, 12, 0, 0))) throw std::runtime_error("cannot add");
    WriteRecords(*paths.UserFile(user.stepFile), AllDays());
    WriteRecords(*paths.UserFile(user.exerciseFile), AllSessions());
  }
  ~Home() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
};

const Home& TheHome() {
  static const Home home;
  return home;
}

AppOptions Options(bool instant) {
  AppOptions options;
  options.home = TheHome().folder.string();
  options.watch = {true, "1"};
  options.instant = instant;
  return options;
}

double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// UPLOAD downloads the data without a dialog in the way.
class UploadingDesktop final : public QtDesktop {
 public:
  using QtDesktop::QtDesktop;
  bool AskUploadChoices(DownloadChoices& choices) override {
    choices = {false, true};
    return true;
  }
};

std::unique_ptr<CDlgMain> OpenMain(AppContext& app) {
  auto window = std::make_unique<CDlgMain>(app, std::make_unique<QuietTray>());
  window->LoadDataStore();
  app.Work().LogIn(app.Work().Users().All().front());
  window->Start();
  window->show();
  // Painting starts once the platform shows the window.
  if (!QTest::qWaitForWindowExposed(window.get())) throw std::runtime_error("the window was never shown");
  return window;
}

// Construction, the data store, the window's start with its chart, and the
// first paint of everything in it.
void BM_MainWindowToFirstPaint(benchmark::State& state) {
  FakeClock clock(LocalDateTime::From(2029, 12, 31, 12, 0, 0));
  AppContext app(Options(true), clock);
  for (auto _ : state) {
    std::unique_ptr<CDlgMain> window = OpenMain(app);
    window->repaint();
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
  state.counters["resident_MB"] = ResidentMegabytes();
}
BENCHMARK(BM_MainWindowToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// A click on an area that changes the chart, until the window is painted.
void BM_ClickPainted(benchmark::State& state) {
  FakeClock clock(LocalDateTime::From(2029, 12, 31, 12, 0, 0));
  AppContext app(Options(true), clock);
  std::unique_ptr<CDlgMain> window = OpenMain(app);
  window->repaint();
  const int area = static_cast<int>(state.range(0));
  const HitRect& r = kMainAreas[static_cast<std::size_t>(area)];
  const QPoint at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  // Kind rows alternate with another kind, so every click changes something.
  const int other = area == kAreaStepsRow ? kAreaHeartRateRow : kAreaStepsRow;
  const HitRect& o = kMainAreas[static_cast<std::size_t>(other)];
  const QPoint otherAt((o.left + o.right) / 2, (o.top + o.bottom) / 2);
  bool flip = false;
  for (auto _ : state) {
    const bool kindRow = area >= kAreaStepsRow;
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, kindRow && flip ? otherAt : at);
    flip = !flip;
    window->repaint();
  }
  state.counters["resident_MB"] = ResidentMegabytes();
}
BENCHMARK(BM_ClickPainted)
    ->Arg(kAreaNextPeriod)
    ->Arg(kAreaPreviousPeriod)
    ->Arg(kAreaWeekly)
    ->Arg(kAreaYearly)
    ->Arg(kAreaStepsRow)
    ->Arg(kAreaExerciseRow)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The login window as the program opens it, painted.
void BM_LoginWindowToFirstPaint(benchmark::State& state) {
  FakeClock clock(LocalDateTime::From(2029, 12, 31, 12, 0, 0));
  AppContext app(Options(true), clock);
  for (auto _ : state) {
    CDlgMain main(app, std::make_unique<QuietTray>());
    main.LoadDataStore();
    CDlgLogin login(app, std::make_unique<QuietTray>());
    login.Start();
    login.show();
    if (!QTest::qWaitForWindowExposed(&login)) state.SkipWithError("the login window was never shown");
    login.repaint();
  }
}
BENCHMARK(BM_LoginWindowToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// A whole UPLOAD with the simulator pausing as the watch does (2.7 s of
// pauses per download), with the window open and painting its progress.
void BM_DownloadWithTheWindowOpen(benchmark::State& state) {
  UploadingDesktop desktop(SystemClockInstance());
  AppContext app(Options(false), SystemClockInstance(), &desktop);
  std::unique_ptr<CDlgMain> window = OpenMain(app);
  const HitRect& r = kMainAreas[kAreaUpload];
  for (auto _ : state) {
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    if (!QTest::qWaitFor([&] { return !window->Download().Busy(); }, 60000)) state.SkipWithError("no end");
  }
  state.counters["pauses_ms"] = 2700;
}
BENCHMARK(BM_DownloadWithTheWindowOpen)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace tempovia

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tempovia::InstallFontSubstitutes();
  tempovia::ScriptedMessageBoxes boxes;  // a failure must not wait for a click
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
