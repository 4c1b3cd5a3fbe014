#include "MainWindowFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

#include "store/StepData.h"
#include "store/UserData.h"

namespace tempovia::test {

DayRecord Day(int year, int month, int day, double steps) {
  DayRecord record = DayRecord::Blank();
  record.year = static_cast<std::uint8_t>(year - 2000);
  record.month = static_cast<std::uint8_t>(month);
  record.day = static_cast<std::uint8_t>(day);
  record.steps = steps;
  return record;
}

void Type(QWidget& widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&widget, &release);
  }
}

QPoint Centre(int area) {
  const HitRect& r = kMainAreas[static_cast<std::size_t>(area)];
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

MainWindowFixture::MainWindowFixture() {
  AppOptions options;
  options.home = dir.Path().string();
  options.watch = {true, "7"};
  options.instant = true;
  app = std::make_unique<AppContext>(options, clock, &desktop);
  const StorePaths& paths = app->Paths();
  EXPECT_TRUE(paths.CreateDataFolder().ok());
  UserData users;
  EXPECT_TRUE(users.Open(paths.UserDatabase()));
  LocalUserRecord user;
  user.name = "Ann";
  user.password = "pw";
  user.height = 170;
  user.weight = 65;
  user.walkingStride = 70;
  user.sex = LocalUserRecord::kFemale;
  users.Current() = user;
  EXPECT_TRUE(users.Append());
  stepFile = *paths.UserFile(users.Current().stepFile);
  exerciseFile = *paths.UserFile(users.Current().exerciseFile);
}

void MainWindowFixture::FillSteps(const std::vector<DayRecord>& days) {
  StepData steps;
  ASSERT_TRUE(steps.Open(stepFile));
  for (const DayRecord& day : days) {
    steps.Current() = day;
    ASSERT_TRUE(steps.MergeDay());
  }
  ASSERT_TRUE(steps.SortAndRenumber());
}

void MainWindowFixture::Remake(const AppOptions& options) {
  window.reset();
  app = std::make_unique<AppContext>(options, clock, &desktop);
}

int MainWindowFixture::StoredDays() {
  window->Presenter().Files().Release();
  StepData steps;
  EXPECT_TRUE(steps.Open(stepFile));
  return steps.GetCount();
}

std::string MainWindowFixture::StoredNote(Date day) {
  window->Presenter().Files().Release();
  StepData steps;
  EXPECT_TRUE(steps.Open(stepFile));
  DayRecord record;
  if (!steps.FindByDate(day, record)) return "(no record)";
  return record.note;
}

CDlgMain& MainWindowFixture::Open() {
  window.reset();
  window = std::make_unique<CDlgMain>(*app, std::make_unique<FakeTrayArea>(tray));
  EXPECT_TRUE(window->LoadDataStore());
  app->Work().LogIn(app->Work().Users().All().front());
  window->Start();
  window->show();
  return *window;
}

void MainWindowFixture::Hover(QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, window->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &move);
}

bool MainWindowFixture::WaitForDownload() {
  return QTest::qWaitFor([this] { return !window->Download().Busy(); }, kGenerous);
}

}  // namespace tempovia::test
