#include "preview/SampleWindows.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/AppContext.h"
#include "app/CopyFileDlg.h"
#include "app/DlgLogin.h"
#include "app/DlgMain.h"
#include "charts/widgets/BarChart.h"
#include "preview/SampleClock.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "widgets/MessageBoxes.h"
#include "widgets/TrayArea.h"

namespace tempovia {
namespace {

constexpr int kDays = 550;

// Whatever a window would say goes unseen: nothing may wait for a click.
class QuietMessageBoxes final : public MessageBoxes {
 public:
  QuietMessageBoxes() : m_previous(InstallMessageBoxes(this)) {}
  ~QuietMessageBoxes() override { InstallMessageBoxes(m_previous); }
  QuietMessageBoxes(const QuietMessageBoxes&) = delete;
  QuietMessageBoxes& operator=(const QuietMessageBoxes&) = delete;
  MessageAnswer Show(QWidget*, NoticeIcon, const QString&, MessageButtons buttons, const QString&) override {
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
  }

 private:
  MessageBoxes* m_previous;
};

class QuietTray final : public TrayArea {
 public:
  bool Add(const QIcon&, const QString&) override { return true; }
  void Remove() override {}
  void SetMouseHandler(std::function<void(TrayMouse)>) override {}
};

// A plausible walker: weekday commutes, longer weekends, a rest day a week,
// heart rates that follow the effort, and a session every few days.
bool WriteHistory(const StorePaths& paths, const LocalUserRecord& user, const LocalDateTime& today) {
  StepData steps;
  CExerciseDB sessions;
  if (!steps.Open(*paths.UserFile(user.stepFile)) || !sessions.Open(*paths.UserFile(user.exerciseFile))) return false;
  bool ok = true;
  for (int back = kDays; back >= 0; --back) {
    const std::chrono::year_month_day date{std::chrono::sys_days{today.date} - std::chrono::days{back}};
    const int n = kDays - back;
    if (n % 7 == 3) continue;
    DayRecord& r = steps.Current();
    r = DayRecord::Blank();
    r.year = static_cast<std::uint8_t>(static_cast<int>(date.year()) - 2000);
    r.month = static_cast<std::uint8_t>(static_cast<unsigned>(date.month()));
    r.day = static_cast<std::uint8_t>(static_cast<unsigned>(date.day()));
    const double effort = 0.6 + 0.4 * ((n * 37) % 11) / 10.0 + (n % 7 == 5 || n % 7 == 6 ? 0.5 : 0);
    r.steps = static_cast<int>(7200 * effort);
    r.distance = r.steps * 0.00074;
    r.calories = r.steps * 0.042;
    r.fatBurnt = r.calories * 0.085;
    r.avgSpeed = 4.4 + effort;
    r.minHeartRate = 56 + n % 6;
    r.avgHeartRate = 78 + 14 * effort;
    r.maxHeartRate = 122 + 30 * effort;
    r.exerciseMinutes = static_cast<int>(35 * effort) % 60;
    if (n % 29 == 0) r.note = "Long walk by the river";
    ok = ok && steps.MergeDay();
    if (n % 3 == 0) {
      StoredExercise& s = sessions.Current();
      s = StoredExercise{};
      s.year = r.year;
      s.month = r.month;
      s.day = r.day;
      s.startHour = static_cast<std::uint8_t>(7 + n % 11);
      s.startMinute = static_cast<std::uint8_t>((n * 7) % 60);
      s.durationMinutes = static_cast<std::uint8_t>(25 + n % 30);
      s.durationSeconds = static_cast<std::uint8_t>(n % 60);
      s.steps = 2800 + n * 3 % 2000;
      s.distance = s.steps * 0.00076;
      s.avgSpeed = 5.1 + (n % 9) * 0.1;
      s.calories = s.steps * 0.045;
      s.fatBurnt = s.calories * 0.09;
      s.minHeartRate = 71;
      s.avgHeartRate = 104 + n % 12;
      s.maxHeartRate = 131 + n % 17;
      ok = ok && sessions.MergeExercise();
    }
  }
  return ok && steps.SortAndRenumber() && sessions.SortAndRenumber();
}

QImage Shot(QWidget& window) {
  return window.grab().toImage();
}

void Click(CDlgMain& window, int area) {
  const HitRect& r = kMainAreas[static_cast<std::size_t>(area)];
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
}

// Anna, user 100, with her year and a half of days and sessions.
bool AddAnna(const StorePaths& paths, const LocalDateTime& now) {
  UserData users;
  if (!paths.CreateDataFolder() || !users.Open(paths.UserDatabase())) return false;
  LocalUserRecord anna;
  anna.name = "Anna";
  anna.password = "pw";
  anna.height = 168;
  anna.weight = 64;
  anna.walkingStride = 70;
  anna.runningStride = 95;
  anna.age = 34;
  anna.sex = LocalUserRecord::kFemale;
  return users.Add(anna, paths, now) && WriteHistory(paths, anna, now);
}

}  // namespace

bool RenderSampleWindows(const std::function<void(const QString& name, const QImage& image)>& save,
                         const std::function<bool(QWidget& mainWindow)>& withMainWindow, bool screenshotOnly) {
  QTemporaryDir home;
  if (!home.isValid()) return false;
  QuietMessageBoxes boxes;
  SampleClock clock(LocalDateTime::From(2026, 12, 8, 18, 30, 0));
  AppOptions options;
  options.home = home.path().toStdString();
  options.watch = {true, "4"};
  options.instant = true;
  AppContext app(options, clock);
  if (!AddAnna(app.Paths(), clock.Now())) return false;

  CDlgMain main(app, std::make_unique<QuietTray>());
  main.LoadDataStore();
  if (!screenshotOnly) {
    CDlgLogin login(app, std::make_unique<QuietTray>());
    login.Start();
    save(QStringLiteral("window-login"), Shot(login));
  }
  if (const std::optional<LocalUserRecord> anna = app.Work().Users().Find(100)) app.Work().LogIn(*anna);
  main.Start();
  main.Dashboard().SetChartDate(clock.Now());
  Click(main, kAreaWeekly);
  save(QStringLiteral("main-steps"), Shot(main));
  if (screenshotOnly) return true;
  const bool handed = !withMainWindow || withMainWindow(main);
  const struct {
    int row;
    const char* name;
  } kinds[] = {{kAreaStepsRow, "steps"},
               {kAreaCaloriesRow, "calories"},
               {kAreaHeartRateRow, "heart-rate"},
               {kAreaDistanceRow, "distance"}};
  const struct {
    int area;
    const char* name;
  } periods[] = {{kAreaWeekly, "week"}, {kAreaMonthly, "month"}, {kAreaYearly, "year"}};
  for (const auto& kind : kinds) {
    Click(main, kind.row);
    for (const auto& period : periods) {
      main.Dashboard().SetChartDate(clock.Now());
      Click(main, period.area);
      save(QStringLiteral("dashboard-%1-%2").arg(QString::fromLatin1(kind.name), QString::fromLatin1(period.name)),
           main.Chart().grab().toImage());
      if (period.area == kAreaWeekly && kind.row != kAreaStepsRow)
        save(QStringLiteral("main-%1").arg(QString::fromLatin1(kind.name)), Shot(main));
    }
  }
  // With a daily goal of 10000 steps: the line across the step charts.
  Click(main, kAreaStepsRow);
  main.Dashboard().ShowStepGoal(10000);
  for (const auto& period : {periods[0], periods[1]}) {
    main.Dashboard().SetChartDate(clock.Now());
    Click(main, period.area);
    save(QStringLiteral("dashboard-steps-%1-goal").arg(QString::fromLatin1(period.name)),
         main.Chart().grab().toImage());
  }
  save(QStringLiteral("window-main-steps-goal"), Shot(main));
  main.Dashboard().ShowStepGoal(std::nullopt);

  Click(main, kAreaExerciseRow);
  save(QStringLiteral("main-exercise"), Shot(main));

  // The progress window part-way through an attempt.
  CCopyFileDlg progress(&main);
  progress.SetText(QStringLiteral("Uploading data    ") + QString(23, QLatin1Char('.')));
  progress.SetPercent(45);
  progress.adjustSize();
  save(QStringLiteral("window-progress"), Shot(progress));
  return handed;
}

}  // namespace tempovia
