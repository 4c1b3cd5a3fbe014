#include "preview/SampleReport.h"

#include <QTemporaryDir>

#include "base/Notice.h"
#include "report/ReportRun.h"
#include "report/widgets/PrntScreen.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "store/StorePaths.h"
#include "store/UserSettings.h"

namespace tempovia {
namespace {

using std::chrono::sys_days;
using std::chrono::year_month_day;

// The report shows its failures as notices and also returns them; the
// preview tells the returned one, once.
class QuietNotices final : public NoticeSink {
 public:
  QuietNotices() : m_previous(InstallNoticeSink(this)) {}
  ~QuietNotices() override { InstallNoticeSink(m_previous); }
  QuietNotices(const QuietNotices&) = delete;
  QuietNotices& operator=(const QuietNotices&) = delete;
  void Show(const Notice&) override {}

 private:
  NoticeSink* m_previous;
};

year_month_day Ymd(int y, unsigned m, unsigned d) {
  return year_month_day{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

DayRecord SampleDay(year_month_day date, int n) {
  DayRecord r = DayRecord::Blank();
  r.year = static_cast<std::uint8_t>(static_cast<int>(date.year()) - 2000);
  r.month = static_cast<std::uint8_t>(static_cast<unsigned>(date.month()));
  r.day = static_cast<std::uint8_t>(static_cast<unsigned>(date.day()));
  r.steps = 5200 + (n * 1877) % 7300;
  r.distance = r.steps * 0.00072;
  r.calories = r.steps * 0.043;
  r.fatBurnt = r.calories * 0.079;
  r.avgSpeed = 4.1 + (n % 5) * 0.23;
  r.exerciseMinutes = 20 + (n * 7) % 40;
  r.exerciseSeconds = (n * 13) % 60;
  r.minHeartRate = 58 + n % 6;
  r.avgHeartRate = n % 9 == 4 ? 0 : 78 + (n * 5) % 17;  // a day without heart rate prints "---"
  r.maxHeartRate = 128 + (n * 3) % 30;
  return r;
}

StoredExercise SampleSession(year_month_day date, int hour, int n) {
  StoredExercise e;
  e.year = static_cast<std::uint8_t>(static_cast<int>(date.year()) - 2000);
  e.month = static_cast<std::uint8_t>(static_cast<unsigned>(date.month()));
  e.day = static_cast<std::uint8_t>(static_cast<unsigned>(date.day()));
  e.startHour = static_cast<std::uint8_t>(hour);
  e.startMinute = static_cast<std::uint8_t>((n * 17) % 60);
  e.startSecond = static_cast<std::uint8_t>((n * 29) % 60);
  e.durationMinutes = static_cast<std::uint8_t>(25 + (n * 11) % 30);
  e.durationSeconds = static_cast<std::uint8_t>((n * 7) % 60);
  e.durationHundredths = static_cast<std::uint8_t>((n * 37) % 100);
  e.steps = 2400 + (n * 613) % 3000;
  e.distance = e.steps * 0.00078;
  e.calories = e.steps * 0.051;
  e.fatBurnt = e.calories * 0.081;
  e.avgSpeed = 5.2 + (n / 4 % 4) * 0.31;
  e.minHeartRate = 92 + n % 7;
  e.avgHeartRate = 118 + (n * 3) % 14;
  e.maxHeartRate = 146 + (n / 4 * 7) % 20;
  return e;
}

}  // namespace

bool WriteSampleReport(QWidget& window, const QString& folder, const QString& fileName, QString* error) {
  QTemporaryDir base;
  if (!base.isValid()) {
    *error = base.errorString();
    return false;
  }
  const StorePaths paths(base.path().toStdString());
  if (const Status made = paths.CreateDataFolder(); !made) {
    *error = QString::fromStdString(made.message());
    return false;
  }
  LocalUserRecord user;
  user.id = 100;
  user.name = "Anna Lindqvist";
  user.stepFile = StorePaths::StepFileName(100);
  user.exerciseFile = StorePaths::ExerciseFileName(100);
  {
    StepData steps;
    CExerciseDB exercises;
    if (!steps.Open(*paths.UserFile(user.stepFile)) || !exercises.Open(*paths.UserFile(user.exerciseFile))) {
      *error = QStringLiteral("Cannot make the sample user's files");
      return false;
    }
    int n = 0;
    for (sys_days d = sys_days{Ymd(2008, 2, 1)}; d <= sys_days{Ymd(2008, 3, 5)}; d += std::chrono::days{1}, ++n) {
      if (n % 11 == 6) continue;  // a day the watch was not worn
      steps.Current() = SampleDay(year_month_day{d}, n);
      bool stored = steps.MergeDay();
      if (n % 4 == 1) {
        exercises.Current() = SampleSession(year_month_day{d}, 7 + n % 11, n);
        stored = stored && exercises.MergeExercise();
      }
      if (!stored) {
        *error = QString::fromStdString("Cannot write the sample user's files: " + steps.LastError() +
                                        exercises.LastError());
        return false;
      }
    }
  }

  std::unique_ptr<CaptureFile> picture = CPrntScreen().CaptureToFile(window, error);
  if (!picture) return false;

  UserSettings settings;
  settings.SetPath(paths.SettingsFile());
  ReportRequest request;
  request.folder = folder.toStdString();
  request.fileName = fileName.toStdString();
  request.from = Ymd(2008, 2, 1);
  request.to = Ymd(2008, 3, 5);
  request.chart = true;
  request.detail = true;
  request.picture = picture->Path();
  const QuietNotices quiet;
  const ReportResult result = WriteReport(request, user, paths, settings);
  if (!result.status) {
    *error = QString::fromStdString(result.status.message());
    return false;
  }
  return true;
}

}  // namespace tempovia
