// The main window on a screen of device pixel ratio 2.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "FakeTrayArea.h"
#include "TempDir.h"
#include "TwoScreens.h"
#include "app/AppContext.h"
#include "app/DlgMain.h"
#include "base/testing/FakeClock.h"
#include "charts/widgets/BarChart.h"
#include "store/UserData.h"
#include "widgets/ExStatic.h"
#include "widgets/QtColour.h"

namespace tempovia {
namespace {

class MainWindowHiDpiTest : public ::testing::Test {
 protected:
  MainWindowHiDpiTest() {
    AppOptions options;
    options.home = dir.Path().string();
    options.watch = {true, "7"};
    options.instant = true;
    app = std::make_unique<AppContext>(options, clock);
    EXPECT_TRUE(app->Paths().CreateDataFolder().ok());
    UserData users;
    EXPECT_TRUE(users.Open(app->Paths().UserDatabase()));
    LocalUserRecord user;
    user.name = "Ann";
    user.password = "pw";
    user.height = 170;
    user.weight = 65;
    users.Current() = user;
    EXPECT_TRUE(users.Append());
  }

  CDlgMain& Open(qreal ratio) {
    window = std::make_unique<CDlgMain>(*app, std::make_unique<test::FakeTrayArea>(tray));
    EXPECT_TRUE(window->LoadDataStore());
    app->Work().LogIn(app->Work().Users().All().front());
    window->Start();
    window->show();
    EXPECT_TRUE(test::PutOnScreen(*window, ratio));
    return *window;
  }

  void Click(QPoint at) { QTest::mouseClick(window.get(), Qt::LeftButton, {}, at); }

  test::TempDir dir;
  FakeClock clock{LocalDateTime::From(2008, 3, 20, 9, 0, 0)};
  std::unique_ptr<AppContext> app;
  test::FakeTrayArea::State tray;
  std::unique_ptr<CDlgMain> window;
};

TEST_F(MainWindowHiDpiTest, TheWindowIsCapturedAtTwiceItsSizeWithTheSkinDrawnSharp) {
  CDlgMain& w = Open(2);
  EXPECT_EQ(w.size(), QSize(1000, 709));
  const QImage shot = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shot.size(), QSize(2000, 1418));
  EXPECT_EQ(shot.devicePixelRatio(), 2);
  // The lower panel's two one-pixel lines at y = 400 and 401, on either side
  // of the chart: two device rows each, nothing blended beside them.
  for (int column : {20, 21, 1900, 1901}) {
    SCOPED_TRACE(column);
    EXPECT_EQ(ToRgb(shot.pixel(column, 799)), (Rgb{233, 237, 242}));
    EXPECT_EQ(ToRgb(shot.pixel(column, 800)), (Rgb{128, 128, 128}));
    EXPECT_EQ(ToRgb(shot.pixel(column, 801)), (Rgb{128, 128, 128}));
    EXPECT_EQ(ToRgb(shot.pixel(column, 802)), (Rgb{166, 166, 166}));
    EXPECT_EQ(ToRgb(shot.pixel(column, 803)), (Rgb{166, 166, 166}));
    EXPECT_EQ(ToRgb(shot.pixel(column, 804)), kChartBackground);
  }
  EXPECT_EQ(w.Chart().Surface().devicePixelRatio(), 2);
  EXPECT_EQ(&w.Background(ChartKind::Steps).Image(), &BuiltInPicture(Picture::SkinSteps, 2));

  // On the screen of ratio 1 the same capture is 1000 x 709.
  ASSERT_TRUE(test::PutOnScreen(w, 1));
  EXPECT_EQ(w.grab().toImage().size(), QSize(1000, 709));
}

TEST_F(MainWindowHiDpiTest, AreasAnswerInLogicalPixelsUpToTheirEdges) {
  CDlgMain& w = Open(2);
  ASSERT_EQ(w.devicePixelRatioF(), 2);
  const HitRect yearly = kMainAreas[kAreaYearly];
  const HitRect monthly = kMainAreas[kAreaMonthly];
  const HitRect weekly = kMainAreas[kAreaWeekly];
  Click({yearly.right, yearly.bottom});
  EXPECT_EQ(w.Dashboard().Period(), ChartPeriod::Year);
  Click({monthly.left - 1, monthly.top});
  Click({monthly.left, monthly.top - 1});
  EXPECT_EQ(w.Dashboard().Period(), ChartPeriod::Year);
  Click({monthly.left, monthly.top});
  EXPECT_EQ(w.Dashboard().Period(), ChartPeriod::Month);
  Click({weekly.right + 1, weekly.bottom});
  Click({weekly.right, weekly.bottom + 1});
  EXPECT_EQ(w.Dashboard().Period(), ChartPeriod::Month);
  Click({weekly.right, weekly.bottom});
  EXPECT_EQ(w.Dashboard().Period(), ChartPeriod::Week);
  // A row of the summary switches the kind and its skin.
  const HitRect exercise = kMainAreas[kAreaExerciseRow];
  Click({exercise.left, exercise.bottom});
  EXPECT_EQ(w.Dashboard().Kind(), ChartKind::ExerciseWalking);
  EXPECT_TRUE(w.Background(ChartKind::ExerciseWalking).isVisible());
}

}  // namespace
}  // namespace tempovia
