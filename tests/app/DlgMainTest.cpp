#include "app/DlgMain.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QHelpEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <fstream>
#include <iterator>
#include <memory>

#include "FakeTrayArea.h"
#include "MainWindowFixture.h"
#include "TempDir.h"
#include "app/AppContext.h"
#include "app/CopyFileDlg.h"
#include "app/DayNoteEdit.h"
#include "app/HitAreaButton.h"
#include "app/MainShortcuts.h"
#include "base/testing/FakeClock.h"
#include "charts/widgets/BarChart.h"
#include "device/SimulatedWatch.h"
#include "help/HelpFiles.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "store/StepGoal.h"
#include "widgets/ExStatic.h"
#include "widgets/Label.h"
#include "widgets/TrayNotifyIcon.h"
#include "widgets/testing/ScriptedMessageBoxes.h"
#include "workspace/AutoDownload.h"

namespace tempovia {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

using test::Centre;
using test::Day;
using test::Type;

class MainWindowTest : public test::MainWindowFixture {};

TEST_F(MainWindowTest, OpensOnTheSkinOfStepsWithTheUsersPanelAndTheLastStoredMonth) {
  FillSteps({Day(2008, 1, 9, 4321), Day(2008, 2, 14, 8765)});
  CDlgMain& w = Open();
  EXPECT_EQ(w.size(), QSize(1000, 709));
  EXPECT_EQ(w.windowTitle(), "Tempovia");
  EXPECT_TRUE(w.Background(ChartKind::Steps).isVisible());
  EXPECT_FALSE(w.Background(ChartKind::Calories).isVisible());
  EXPECT_EQ(w.Dashboard().ChartDate(), LocalDateTime::From(2008, 2, 1));
  EXPECT_EQ(QString::fromStdString(w.Chart().Model().Title()), "TOTAL STEPS     (Month : Feb-2008)");
  EXPECT_EQ(w.SummaryLabel(0).text(), "01-Feb-2008");
  EXPECT_EQ(w.UserValue(0).text(), "Ann");
  EXPECT_EQ(w.UserValue(1).text(), "170 cm");
  EXPECT_EQ(w.UserValue(2).text(), "65 kg");
  EXPECT_EQ(w.UserValue(7).text(), "Female");
  EXPECT_EQ(w.InfoValue(0).text(), "22.49  ");
  EXPECT_EQ(w.VersionLabel().text(), "V 1.27");
  EXPECT_TRUE(w.Tray().IsCreated());
  EXPECT_EQ(tray.toolTip, "Double click to activate Tempovia");
  EXPECT_FALSE(w.Photo().Image().isNull());  // the placeholder
  EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(MainWindowTest, AnEmptyStepFileStartsTodayAndADayWithoutRecordShowsZeros) {
  CDlgMain& w = Open();
  // Today's month, from its first day.
  EXPECT_EQ(w.Dashboard().ChartDate(), LocalDateTime::From(2008, 3, 1));
  w.Dashboard().SetChartDate(clock.Now());
  Click(Centre(kAreaWeekly));
  EXPECT_EQ(w.SummaryLabel(0).text(), "Today");
  EXPECT_EQ(w.SummaryLabel(1).text(), "0");
  EXPECT_EQ(w.SummaryLabel(2).text(), "0.00 km");
  EXPECT_EQ(w.SummaryLabel(3).text(), "0.0 kCal");
  EXPECT_EQ(w.SummaryLabel(4).text(), "0");
  EXPECT_EQ(w.InfoValue(1).text(), "0.0 g  ");
  EXPECT_EQ(w.InfoValue(2).text(), "0.00 km/hr  ");
}

TEST_F(MainWindowTest, AreasAnswerUpToTheirEdgesAndOnlyForTheirKind) {
  CDlgMain& w = Open();
  const HitRect yearly = kMainAreas[kAreaYearly];
  Click({yearly.right, yearly.bottom});  // the edge counts
  EXPECT_EQ(w.Dashboard().Period(), ChartPeriod::Year);
  Click({yearly.right + 1, yearly.bottom});
  EXPECT_EQ(w.Dashboard().Period(), ChartPeriod::Year);

  // On the chart kinds the table arrows are not there: a press starts a drag.
  QTest::mousePress(&w, Qt::LeftButton, {}, Centre(kAreaTableDown));
  EXPECT_TRUE(w.Dragging());
  QTest::mouseRelease(&w, Qt::LeftButton, {}, Centre(kAreaTableDown));
  EXPECT_FALSE(w.Dragging());

  Click(Centre(kAreaExerciseRow));
  EXPECT_EQ(w.Dashboard().Kind(), ChartKind::ExerciseWalking);
  EXPECT_TRUE(w.Background(ChartKind::ExerciseWalking).isVisible());
  EXPECT_FALSE(w.Chart().isVisible());
  EXPECT_TRUE(w.ExerciseCell(0, 0).isVisible());
  for (int area : {kAreaWeekly, kAreaPreviousPeriod}) {
    QTest::mousePress(&w, Qt::LeftButton, {}, Centre(area));
    EXPECT_TRUE(w.Dragging()) << area;
    QTest::mouseRelease(&w, Qt::LeftButton, {}, Centre(area));
  }
  EXPECT_EQ(w.Dashboard().Period(), ChartPeriod::Year);
  // The cursor says where a click does something.
  Hover(Centre(kAreaTableUp));
  EXPECT_EQ(w.cursor().shape(), Qt::PointingHandCursor);
  Hover(QPoint(5, 5));
  EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, AHeldArrowRepeatsUntilTheMouseMovesOnePixel) {
  CDlgMain& w = Open();
  Click(Centre(kAreaWeekly));
  const LocalDateTime start = w.Dashboard().ChartDate();
  QTest::mousePress(&w, Qt::LeftButton, {}, Centre(kAreaPreviousPeriod));
  for (int tick = 0; tick < ChartDashboard::kRepeatDelayTicks + 2; ++tick) w.Presenter().Tick();
  const LocalDateTime held = w.Dashboard().ChartDate();
  EXPECT_EQ(DaysBetween(held.date, start.date), 7 * 4);  // the press, then three repeats
  QMouseEvent move(QEvent::MouseMove, Centre(kAreaPreviousPeriod) + QPoint(1, 0),
                   w.mapToGlobal(Centre(kAreaPreviousPeriod) + QPoint(1, 0)), Qt::LeftButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&w, &move);
  for (int tick = 0; tick < 5; ++tick) w.Presenter().Tick();
  EXPECT_EQ(w.Dashboard().ChartDate(), held);
  QTest::mouseRelease(&w, Qt::LeftButton, {}, Centre(kAreaPreviousPeriod));
}

TEST_F(MainWindowTest, ATypedNoteIsSavedBeforeTheNextClickAndAProgramTextIsNot) {
  FillSteps({Day(2008, 3, 19, 1200)});
  CDlgMain& w = Open();
  w.Dashboard().SetChartDate(LocalDateTime::From(2008, 3, 19));
  Click(Centre(kAreaWeekly));
  QTest::keyClicks(&w.NoteField(), "walked to work");
  Click(Centre(kAreaNextPeriod));
  // The field now holds 26 March's empty note, put there by the program: the
  // next click must not store it as a blank record of that day.
  Click(Centre(kAreaNextPeriod));
  EXPECT_EQ(StoredNote(MakeDate(2008, 3, 26)), "(no record)");
  w.Presenter().Files().Release();
  StepData steps;
  ASSERT_TRUE(steps.Open(stepFile));
  DayRecord day;
  ASSERT_TRUE(steps.FindByDate(MakeDate(2008, 3, 19), day));
  EXPECT_EQ(day.note, "walked to work");
  EXPECT_EQ(day.steps, 1200);
}

TEST_F(MainWindowTest, TheNoteFieldRefusesWhatCannotBeStored) {
  CDlgMain& w = Open();
  w.NoteField().setFocus();
  QTest::keyClicks(&w.NoteField(), QString(250, QLatin1Char('a')));
  QTest::keyClicks(&w.NoteField(), QStringLiteral("bcdefgh"));
  EXPECT_EQ(w.NoteField().toPlainText().size(), 255);
  QTest::keyClick(&w.NoteField(), Qt::Key_Backspace);
  QTest::keyClick(&w.NoteField(), Qt::Key_Return);  // a line break is two stored bytes
  EXPECT_EQ(w.NoteField().toPlainText().size(), 254);
  w.NoteField().clear();
  Type(w.NoteField(), QString::fromUtf8("caf\xC3\xA9 \xE2\x9C\x93"));  // no check mark in the stored form
  EXPECT_EQ(w.NoteField().toPlainText(), QString::fromUtf8("caf\xC3\xA9 "));
}

TEST_F(MainWindowTest, UploadDownloadsTheWatchIntoTheUsersFilesAndShowsTheLatestWeek) {
  CDlgMain& w = Open();
  Click(Centre(kAreaUpload));
  EXPECT_TRUE(w.ProgressVisible());
  EXPECT_EQ(w.ProgressDialog().Percent(), 0);
  ASSERT_TRUE(WaitForDownload());
  EXPECT_EQ(w.ProgressDialog().Percent(), 100);
  EXPECT_FALSE(w.ProgressVisible());
  EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join("|").toStdString();
  ASSERT_EQ(desktop.offered.size(), 1u);
  EXPECT_EQ(StoredDays(), 7);
  CExerciseDB sessions;
  ASSERT_TRUE(sessions.Open(exerciseFile));
  EXPECT_GT(sessions.GetCount(), 0);
  EXPECT_EQ(w.Dashboard().Period(), ChartPeriod::Week);
  EXPECT_TRUE(w.ProgressDialog().Text().startsWith("Uploading data    ."));
  UserSettings reread;
  reread.SetPath(app->Paths().SettingsFile());
  reread.Load();
  EXPECT_EQ(reread.downloadData, 1);
}

TEST_F(MainWindowTest, ADownloadEndingWhileTheWindowIsHiddenIsToldThroughTheTrayIcon) {
  CDlgMain& w = Open();
  Click(Centre(kAreaUpload));
  ASSERT_TRUE(w.ProgressVisible());
  Click(Centre(kAreaExit));  // hidden to the tray while the watch is read
  ASSERT_FALSE(w.isVisible());
  ASSERT_TRUE(WaitForDownload());
  EXPECT_EQ(StoredDays(), 7);
  ASSERT_EQ(tray.messages.size(), 1u);
  EXPECT_TRUE(tray.messages[0].startsWith(QStringLiteral("Download finished: Stored 7 days and ")))
      << tray.messages[0].toStdString();
  EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join("|").toStdString();
}

TEST_F(MainWindowTest, TheStepsRowsTipAddsTheGoalAndStreaksOnlyForAUserWithAGoal) {
  FillSteps({Day(2008, 3, 19, 9000), Day(2008, 3, 20, 12000)});
  const auto tipAt = [this](int area) {
    QHelpEvent help(QEvent::ToolTip, Centre(area), window->mapToGlobal(Centre(area)));
    QApplication::sendEvent(window.get(), &help);
    return QToolTip::text();
  };
  Open();
  window->Dashboard().SetChartDate(LocalDateTime::From(2008, 3, 20));
  EXPECT_FALSE(tipAt(kAreaStepsRow).contains(QStringLiteral("goal"))) << tipAt(kAreaStepsRow).toStdString();

  ASSERT_TRUE(SaveStepGoal(app->Paths(), app->Work().Users().All().front().id, 8000).ok());
  Open();
  window->Dashboard().SetChartDate(LocalDateTime::From(2008, 3, 20));
  EXPECT_TRUE(
      tipAt(kAreaStepsRow).endsWith(QStringLiteral("\nDaily goal: 8000 steps\nStreak: 2 days (longest 2 days)")))
      << tipAt(kAreaStepsRow).toStdString();
  EXPECT_FALSE(tipAt(kAreaDistanceRow).contains(QStringLiteral("goal")));
  QToolTip::hideText();
}

TEST_F(MainWindowTest, TurnedOnPluggingTheWatchInDownloadsWithoutTheDialog) {
  ASSERT_TRUE(SaveAutoDownload(AutoDownloadFile(app->Paths()), true));
  CDlgMain& w = Open();
  app->Watch().Destroy();
  app->Devices().Deliver({kDeviceArrival, kDeviceTypeInterface, SimulatedWatch::kBridgePath});
  // The download has run once days reach the step file.
  std::error_code error;
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::file_size(stepFile, error) > 0 && !error; },
                              test::kGenerous));
  ASSERT_TRUE(WaitForDownload());
  EXPECT_TRUE(desktop.offered.empty()) << "the upload dialog was asked";
  EXPECT_EQ(StoredDays(), 7);
  EXPECT_FALSE(w.ProgressVisible());
  EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join("|").toStdString();
}

TEST_F(MainWindowTest, PluggingTheWatchInShowsAVisibleWindowAndLogsOutAHiddenOne) {
  // Without a notification area minimising leaves the window visible: the
  // watch brings it forward.
  tray.available = false;
  CDlgMain& minimised = Open();
  app->Watch().Destroy();
  minimised.showMinimized();
  QSignalSpy ended(&minimised, &QDialog::finished);
  app->Devices().Deliver({kDeviceArrival, kDeviceTypeInterface, SimulatedWatch::kBridgePath});
  ASSERT_TRUE(QTest::qWaitFor([&] { return app->Watch().Driver() != nullptr; }, test::kGenerous));
  EXPECT_TRUE(minimised.isVisible());
  EXPECT_FALSE(minimised.isMinimized());
  EXPECT_EQ(ended.count(), 0);

  tray.available = true;
  CDlgMain& w = Open();
  app->Watch().Destroy();
  Click(Centre(kAreaExit));  // hidden to the tray
  EXPECT_FALSE(w.isVisible());
  QSignalSpy finished(&w, &QDialog::finished);
  app->Devices().Deliver({kDeviceArrival, kDeviceTypeInterface, SimulatedWatch::kBridgePath});
  ASSERT_TRUE(finished.wait(test::kGenerous));
  ASSERT_EQ(finished.count(), 1);
  EXPECT_EQ(finished.at(0).at(0).toInt(), kLogoutResult);
  EXPECT_EQ(app->Watch().Driver(), nullptr);
}

TEST_F(MainWindowTest, WithoutANotificationAreaTheWindowIsMinimisedNotHidden) {
  tray.available = false;
  CDlgMain& w = Open();
  EXPECT_THAT(boxes.Texts(), ElementsAre("Can't Setup Tray ICON"));
  Click(Centre(kAreaExit));
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(w.isMinimized());
}

TEST_F(MainWindowTest, LogoutEscapeEnterAndTheTraysExitEndTheWindowWithTheirResults) {
  struct Case {
    std::function<void(CDlgMain&)> act;
    int result;
  };
  const std::vector<Case> cases{
      {[this](CDlgMain&) { Click(Centre(kAreaLogout)); }, kLogoutResult},
      {[](CDlgMain& w) { QTest::keyClick(&w, Qt::Key_Escape); }, kLogoutResult},
      {[](CDlgMain& w) { QTest::keyClick(&w, Qt::Key_Return); }, kConfirmResult},
      {[this](CDlgMain&) { tray.handler(TrayMouse::LeftDoubleClick); }, -1},
  };
  for (const Case& c : cases) {
    CDlgMain& w = Open();
    QSignalSpy finished(&w, &QDialog::finished);
    c.act(w);
    if (c.result == -1) {
      EXPECT_EQ(finished.count(), 0);  // a double click only shows the window
      emit w.Tray().Command(kTrayExitCommand);
      ASSERT_EQ(finished.count(), 1);
      EXPECT_EQ(finished.at(0).at(0).toInt(), kExitResult);
    } else {
      ASSERT_EQ(finished.count(), 1);
      EXPECT_EQ(finished.at(0).at(0).toInt(), c.result);
    }
  }
  // Enter in the note field is a new line, not the end.
  CDlgMain& w = Open();
  QSignalSpy finished(&w, &QDialog::finished);
  w.NoteField().setFocus();
  QTest::keyClick(&w.NoteField(), Qt::Key_Return);
  EXPECT_EQ(finished.count(), 0);
}

// A window hidden in the notification area goes on running: its loop ends
// only with its result (a hidden QDialog would have ended it there).
TEST_F(MainWindowTest, HiddenInTheTrayTheWindowRunsOnUntilLogout) {
  CDlgMain& w = Open();
  bool hidden = false;
  QTimer::singleShot(0, &w, [&] {
    Click(Centre(kAreaExit));
    hidden = !w.isVisible();
    QTimer::singleShot(0, &w, [&] {
      emit w.Tray().Command(kTrayShowCommand);
      Click(Centre(kAreaLogout));
    });
  });
  EXPECT_EQ(w.exec(), kLogoutResult);
  EXPECT_TRUE(hidden);
}

TEST_F(MainWindowTest, TheCloseBoxHidesToTheTray) {
  CDlgMain& w = Open();
  QSignalSpy finished(&w, &QDialog::finished);
  EXPECT_FALSE(w.close());
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(finished.count(), 0);
  emit w.Tray().Command(kTrayShowCommand);
  EXPECT_TRUE(w.isVisible());
}

TEST_F(MainWindowTest, EveryShortcutRunsItsAreaAndEveryActiveAreaIsANamedButton) {
  CDlgMain& w = Open();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keySequence(&w, QKeySequence(Qt::ALT | Qt::Key_P));
  QTest::keySequence(&w, QKeySequence(Qt::ALT | Qt::Key_E));
  EXPECT_EQ(desktop.reportDialogs, 1);
  EXPECT_EQ(desktop.folderTitles, std::vector<std::string>{"Please select a folder to export"});
  // F1 opens HELP's menu, where the button is.
  QTest::keyClick(&w, Qt::Key_F1);
  ASSERT_EQ(desktop.helpAt.size(), 1u);
  EXPECT_EQ(desktop.helpAt[0], std::make_pair(Centre(kAreaHelp).x(), Centre(kAreaHelp).y()));
  QTest::keySequence(&w, QKeySequence(Qt::ALT | Qt::Key_Y));
  EXPECT_EQ(w.Dashboard().Period(), ChartPeriod::Year);
  QTest::keySequence(&w, QKeySequence(Qt::ALT | Qt::Key_4));
  EXPECT_EQ(w.Dashboard().Kind(), ChartKind::HeartRate);
  const LocalDateTime before = w.Dashboard().ChartDate();
  QTest::keySequence(&w, MainShortcuts()[13].keys);  // previous period
  EXPECT_EQ(w.Dashboard().ChartDate().Year(), before.Year() - 1);
  // Typing in the note field and then a shortcut saves the note first.
  const Date noteDay = w.Dashboard().ChartDate().date;
  w.NoteField().setFocus();
  QTest::keyClicks(&w.NoteField(), "x");
  QTest::keySequence(&w.NoteField(), QKeySequence(Qt::ALT | Qt::Key_W));
  EXPECT_EQ(w.Dashboard().Period(), ChartPeriod::Week);
  EXPECT_EQ(StoredNote(noteDay), "x");

  // Every active area is a named button assistive technology can press.
  for (const MainShortcut& shortcut : MainShortcuts()) {
    CHitAreaButton& button = w.AreaButton(shortcut.area);
    EXPECT_EQ(button.isVisible(), MainAreaActive(shortcut.area, w.Dashboard().Kind())) << shortcut.area;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), shortcut.name);
    EXPECT_EQ(accessible->role(), QAccessible::Button);
  }
  w.AreaButton(kAreaPrint).click();
  EXPECT_EQ(desktop.reportDialogs, 2);
  QAccessibleInterface* summary = QAccessible::queryAccessibleInterface(&w.SummaryLabel(1));
  EXPECT_EQ(summary->text(QAccessible::Name), "STEPS");
}

TEST(MainShortcuts, NoShortcutIsAStandardEditingKeyOfTheNoteField) {
  // The keys a multi-line text field acts on.
  const QKeySequence::StandardKey editing[] = {QKeySequence::Undo,
                                               QKeySequence::Redo,
                                               QKeySequence::Cut,
                                               QKeySequence::Copy,
                                               QKeySequence::Paste,
                                               QKeySequence::SelectAll,
                                               QKeySequence::Delete,
                                               QKeySequence::Backspace,
                                               QKeySequence::DeleteStartOfWord,
                                               QKeySequence::DeleteEndOfWord,
                                               QKeySequence::DeleteEndOfLine,
                                               QKeySequence::DeleteCompleteLine,
                                               QKeySequence::InsertParagraphSeparator,
                                               QKeySequence::InsertLineSeparator,
                                               QKeySequence::MoveToNextChar,
                                               QKeySequence::MoveToPreviousChar,
                                               QKeySequence::MoveToNextWord,
                                               QKeySequence::MoveToPreviousWord,
                                               QKeySequence::MoveToNextLine,
                                               QKeySequence::MoveToPreviousLine,
                                               QKeySequence::MoveToNextPage,
                                               QKeySequence::MoveToPreviousPage,
                                               QKeySequence::MoveToStartOfLine,
                                               QKeySequence::MoveToEndOfLine,
                                               QKeySequence::MoveToStartOfBlock,
                                               QKeySequence::MoveToEndOfBlock,
                                               QKeySequence::MoveToStartOfDocument,
                                               QKeySequence::MoveToEndOfDocument,
                                               QKeySequence::SelectNextChar,
                                               QKeySequence::SelectPreviousChar,
                                               QKeySequence::SelectNextWord,
                                               QKeySequence::SelectPreviousWord,
                                               QKeySequence::SelectNextLine,
                                               QKeySequence::SelectPreviousLine,
                                               QKeySequence::SelectNextPage,
                                               QKeySequence::SelectPreviousPage,
                                               QKeySequence::SelectStartOfLine,
                                               QKeySequence::SelectEndOfLine,
                                               QKeySequence::SelectStartOfBlock,
                                               QKeySequence::SelectEndOfBlock,
                                               QKeySequence::SelectStartOfDocument,
                                               QKeySequence::SelectEndOfDocument,
                                               QKeySequence::Deselect};
  std::vector<QKeySequence> standard;
  for (QKeySequence::StandardKey key : editing) {
    for (const QKeySequence& binding : QKeySequence::keyBindings(key)) standard.push_back(binding);
  }
  // Bound to editing on some desktops whatever the platform theme says.
  standard.push_back(QKeySequence(Qt::CTRL | Qt::Key_K));
  standard.push_back(QKeySequence(Qt::CTRL | Qt::Key_U));
  std::vector<QKeySequence> ours;
  for (const MainShortcut& shortcut : MainShortcuts()) ours.push_back(shortcut.keys);
  ours.push_back(ExitProgramKeys());
  for (const QKeySequence& keys : ours) {
    EXPECT_THAT(standard, ::testing::Not(Contains(keys))) << keys.toString().toStdString();
  }
  // Each shortcut is its own.
  for (std::size_t i = 0; i < ours.size(); ++i)
    for (std::size_t j = i + 1; j < ours.size(); ++j) EXPECT_NE(ours[i], ours[j]);
}

}  // namespace
}  // namespace tempovia
