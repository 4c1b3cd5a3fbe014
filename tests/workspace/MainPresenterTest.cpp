#include "workspace/MainPresenter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "FileContents.h"
#include "WorkspaceTestSupport.h"
#include "help/HelpFiles.h"
#include "report/CaptureFile.h"
#include "skin/SkinLayout.h"
#include "skin/WindowCommands.h"
#include "store/StepData.h"
#include "users/UserEditor.h"
#include "workspace/AutoDownload.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

// Ann logged in, with a few days of March 2008; the window started.
class MainPresenterTest : public test::WorkspaceFixture {
 protected:
  MainPresenterTest() {
    ann = AddUser("Ann", "pw");
    test::FillStepFile(*paths.UserFile(ann.stepFile), {test::DayOf(2008, 3, 5, 4000), test::DayOf(2008, 3, 6, 6000)});
  }

  MainPresenter& Open(bool trayCreated = true) {
    EXPECT_TRUE(workspace.LoadDataStore());
    workspace.LogIn(*workspace.Users().Find(ann.id));
    presenter.Start(trayCreated);
    return presenter;
  }
  void Run(int area) { presenter.RunArea(area, false, 10, 20); }
  bool DownloadEnds() {
    return desktop.RunUntil([this] { return !presenter.Download().Busy(); });
  }

  LocalUserRecord ann;
  test::RecordingChart chart;
  test::RecordingMainView view;
  MainPresenter presenter{workspace, view, chart};
};

TEST_F(MainPresenterTest, OpensOnTheUsersPanelPhotoAndLastStoredMonthOfSteps) {
  Open();
  EXPECT_EQ(view.panel.values[0], "Ann");
  EXPECT_EQ(view.panel.values[1], "170 cm");
  EXPECT_EQ(view.photo, paths.PhotoFile(ann.photo));
  EXPECT_EQ(view.shownKind, ChartKind::Steps);
  EXPECT_EQ(presenter.Dashboard().ChartDate(), LocalDateTime::From(2008, 3, 1));
  EXPECT_EQ(chart.drawn.title, "TOTAL STEPS     (Month : Mar-2008)");
  EXPECT_NE(host.Driver(), nullptr) << "the watch opened with the window";
  EXPECT_TRUE(desktop.boxes.empty());
}

// While the watch is read, what would change the user, the files or the
// window's own life waits; the chart, the calendar, HELP and hiding stay live.
TEST_F(MainPresenterTest, WhatWouldChangeTheFilesWaitsForTheDownload) {
  Open();
  Run(kAreaUpload);
  ASSERT_TRUE(presenter.Download().Busy());
  EXPECT_TRUE(view.progressVisible);
  bool calendarShown = false;
  desktop.calendar = [&](CalendarDays&) {
    calendarShown = true;
    return ChartDashboard::CalendarResult{};
  };
  for (int area : {kAreaPrint, kAreaExport, kAreaImport, kAreaSetup, kAreaEdit, kAreaLogout}) Run(area);
  presenter.Logout();
  presenter.Confirm();
  presenter.ExitProgram();
  EXPECT_EQ(desktop.boxes.size(), 9u);
  for (const auto& box : desktop.boxes) {
    EXPECT_EQ(box.text, MainPresenter::kBusyMessage);
    EXPECT_EQ(box.icon, NoticeIcon::Information);
  }
  EXPECT_FALSE(view.ended);
  EXPECT_TRUE(desktop.folderTitles.empty());
  Run(kAreaUpload);  // a second UPLOAD does nothing
  EXPECT_EQ(desktop.uploadOffered.size(), 1u);

  desktop.Clear();
  Run(kAreaYearly);
  EXPECT_EQ(presenter.Dashboard().Period(), ChartPeriod::Year);
  Run(kAreaCalendar);
  EXPECT_TRUE(calendarShown);
  Run(kAreaHelp);
  EXPECT_EQ(desktop.helpAt, std::make_pair(10, 20));
  Run(kAreaExit);
  EXPECT_TRUE(view.hidden);
  EXPECT_TRUE(desktop.boxes.empty());

  ASSERT_TRUE(DownloadEnds());
  EXPECT_FALSE(view.progressVisible);
  Run(kAreaImport);
  EXPECT_THAT(desktop.folderTitles, ElementsAre("Please select a folder to import"));
}

TEST_F(MainPresenterTest, ADownloadStoresForTheLoggedInUserAndShowsTheLatestWeek) {
  Open();
  Run(kAreaUpload);
  ASSERT_TRUE(DownloadEnds());
  EXPECT_TRUE(desktop.boxes.empty());
  EXPECT_EQ(presenter.Dashboard().Period(), ChartPeriod::Week);
  presenter.Files().Release();
  StepData steps;
  ASSERT_TRUE(steps.Open(*paths.UserFile(ann.stepFile)));
  EXPECT_GT(steps.GetCount(), 2);
  EXPECT_EQ(view.progressText.rfind("Uploading data    .", 0), 0u);
}

TEST_F(MainPresenterTest, ADownloadsEndIsToldOnTheDesktopOnlyWhileTheWindowIsOutOfSight) {
  Open();
  Run(kAreaUpload);
  ASSERT_TRUE(DownloadEnds());
  EXPECT_TRUE(view.notifications.empty()) << "in sight, the window shows it";

  // The close box hides the window while the watch is read.
  Run(kAreaUpload);
  presenter.CloseBox();
  ASSERT_TRUE(view.hidden);
  ASSERT_TRUE(DownloadEnds());
  ASSERT_EQ(view.notifications.size(), 1u);
  EXPECT_EQ(view.notifications[0].title, "Download finished");
  EXPECT_EQ(view.notifications[0].body.rfind("Stored ", 0), 0u) << view.notifications[0].body;
  EXPECT_FALSE(view.notifications[0].failed);

  // Minimised, a failure is told with the box's words, and the box still
  // comes; a desktop that takes no notification changes nothing.
  view.hidden = false;
  view.notificationsTaken = false;
  Watch().SetReadyAfter(SimulatedWatch::kNeverReady);
  Run(kAreaUpload);
  view.minimised = true;
  ASSERT_TRUE(DownloadEnds());
  ASSERT_EQ(view.notifications.size(), 2u);
  EXPECT_EQ(view.notifications[1].title, "Download failed");
  EXPECT_EQ(view.notifications[1].body, "Download error! Please Plug the Device and Try again");
  EXPECT_TRUE(view.notifications[1].failed);
  EXPECT_EQ(desktop.Texts(), std::vector<std::string>{"Download error!\n\nPlease Plug the Device and Try again"});
}

TEST_F(MainPresenterTest, LeavingEndsTheWindowWithItsResult) {
  const struct {
    void (MainPresenter::*leave)();
    int result;
    int quits;
  } ways[] = {{&MainPresenter::Logout, kLogoutResult, 0},
              {&MainPresenter::Confirm, kConfirmResult, 0},
              {&MainPresenter::ExitProgram, kExitResult, 1}};
  for (const auto& way : ways) {
    test::RecordingMainView window;
    MainPresenter main(workspace, window, chart);
    desktop.quits = 0;
    EXPECT_TRUE(workspace.LoadDataStore());
    workspace.LogIn(*workspace.Users().Find(ann.id));
    main.Start(true);
    (main.*way.leave)();
    EXPECT_EQ(window.ended, way.result);
    EXPECT_EQ(desktop.quits, way.quits);
  }
  Open();
  presenter.TrayCommand(kTrayExitCommand);
  EXPECT_EQ(view.ended, kExitResult);
}

TEST_F(MainPresenterTest, OutOfSightIsHiddenWithATrayAndMinimisedWithout) {
  Open(false);
  EXPECT_THAT(desktop.Texts(), ElementsAre("Can't Setup Tray ICON"));
  Run(kAreaExit);
  EXPECT_TRUE(view.minimised);
  EXPECT_FALSE(view.hidden);
  view.minimised = false;
  presenter.CloseBox();
  presenter.Minimised();
  EXPECT_FALSE(view.hidden);

  test::RecordingMainView withTray;
  MainPresenter main(workspace, withTray, chart);
  main.Start(true);
  main.CloseBox();
  EXPECT_TRUE(withTray.hidden);
  main.TrayCommand(kTrayShowCommand);
  EXPECT_FALSE(withTray.hidden);
  main.Minimised();
  EXPECT_TRUE(withTray.hidden);
}

// The device monitor's path, in every state of the main window.
TEST_F(MainPresenterTest, TheWatchPluggedInBringsAShownWindowForwardAndLogsOutAHiddenOne) {
  Open();
  Plug(false);
  view.minimised = true;  // minimised is still shown
  Plug(true);
  EXPECT_EQ(view.broughtForward, 1);
  EXPECT_FALSE(view.ended);

  // Hidden in the tray during a download: the download ends as usual.
  Run(kAreaUpload);
  ASSERT_TRUE(presenter.Download().Busy());
  view.hidden = true;
  Plug(false);
  Plug(true);
  ASSERT_TRUE(DownloadEnds());
  EXPECT_FALSE(view.ended);

  // Hidden and idle: nobody is looking; the user is logged out unasked.
  view.hidden = true;
  Plug(false);
  Plug(true);
  EXPECT_EQ(view.ended, kLogoutResult);
  EXPECT_EQ(host.Driver(), nullptr);
  EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(MainPresenterTest, TurnedOnAWatchPluggedInDownloadsWithTheLastChoicesWithoutAsking) {
  // Off (no file): a plug-in only brings the window forward.
  Open();
  Plug(false);
  Plug(true);
  EXPECT_FALSE(presenter.Download().Busy());

  // Turned on in SETUP: remembered beside user.set, which keeps its size.
  desktop.settings = [](SettingsChoices& choices) {
    EXPECT_FALSE(choices.downloadOnPlugIn);
    choices.downloadOnPlugIn = true;
    return true;
  };
  Run(kAreaSetup);
  EXPECT_TRUE(workspace.DownloadOnPlugIn());
  EXPECT_EQ(test::ReadBytes(paths.SettingsFile()).size(), UserSettings::kSize);
  EXPECT_TRUE(LoadAutoDownload(AutoDownloadFile(paths)));
  const auto storedDays = [&] {
    presenter.Files().Release();
    StepData steps;
    EXPECT_TRUE(steps.Open(*paths.UserFile(ann.stepFile)));
    return steps.GetCount();
  };
  const auto daysBefore = storedDays();

  // The upload dialog's last choice was the clock alone: that is what runs,
  // and the dialog is not asked.
  UserSettings& settings = workspace.Settings();
  settings.writeClock = 1;
  settings.downloadData = 0;
  const std::size_t asked = desktop.uploadOffered.size();
  view.minimised = true;  // brought forward first
  Plug(false);
  Plug(true);
  EXPECT_EQ(view.broughtForward, 2);
  ASSERT_TRUE(presenter.Download().Busy());
  ASSERT_TRUE(DownloadEnds());
  EXPECT_EQ(desktop.uploadOffered.size(), asked);
  EXPECT_TRUE(desktop.boxes.empty());
  EXPECT_EQ(storedDays(), daysBefore) << "setting the clock stores nothing";

  // With data chosen last, the week is stored, as UPLOAD stores it.
  settings.writeClock = 0;
  settings.downloadData = 1;
  Plug(false);
  Plug(true);
  ASSERT_TRUE(presenter.Download().Busy());
  ASSERT_TRUE(DownloadEnds());
  EXPECT_TRUE(desktop.boxes.empty());
  EXPECT_GT(storedDays(), daysBefore);

  // Hidden in the tray: the user is logged out as before, nothing downloads.
  view.hidden = true;
  Plug(false);
  Plug(true);
  EXPECT_EQ(view.ended, kLogoutResult);
  EXPECT_FALSE(presenter.Download().Busy());
}

TEST(AutoDownload, OnlyTheFilesOwnWordTurnsItOn) {
  test::TempDir dir;
  const fs::path file = dir / "download.ini";
  EXPECT_FALSE(LoadAutoDownload(file)) << "no file";
  ASSERT_TRUE(SaveAutoDownload(file, true));
  EXPECT_TRUE(LoadAutoDownload(file));
  ASSERT_TRUE(SaveAutoDownload(file, false));
  EXPECT_FALSE(LoadAutoDownload(file));
  for (const auto& [text, on] : std::vector<std::pair<std::string, bool>>{
           {"download-when-plugged-in=1\r\n", true},
           {"# a note\ndownload-when-plugged-in=1", true},
           {"download-when-plugged-in=1\ndownload-when-plugged-in=0\n", false},
           {"download-when-plugged-in=yes\n", false},
           {"download-when-plugged-in = 1\n", false},
           {"download-when-plugged-in-too=1\n", false},
           {"", false},
           {std::string(5000, '1'), false},
       })
    EXPECT_EQ((test::WriteText(file, text), LoadAutoDownload(file)), on) << text.substr(0, 60);
  fs::remove(file);
  fs::create_directory(file);
  EXPECT_FALSE(LoadAutoDownload(file)) << "a folder";
  EXPECT_FALSE(SaveAutoDownload(file, true)) << "a folder cannot be replaced";
}

TEST(AutoDownload, OnlyAnIdleMainWindowDownloadsByItself) {
  for (const WindowState state :
       {WindowState::None, WindowState::Login, WindowState::LoginHidden, WindowState::Main, WindowState::MainHidden}) {
    for (const bool busy : {false, true}) {
      EXPECT_FALSE(DownloadsByItself(false, state, busy));
      EXPECT_EQ(DownloadsByItself(true, state, busy), state == WindowState::Main && !busy)
          << static_cast<int>(state) << " " << busy;
    }
  }
}

TEST_F(MainPresenterTest, SetupSwitchesTheUnitsAndRemembersThemAndCancelKeepsThem) {
  Open();
  SettingsChoices offered;
  desktop.settings = [&](SettingsChoices& choices) {
    offered = choices;
    choices = {1, 1, false};
    return true;
  };
  Run(kAreaSetup);
  EXPECT_EQ(offered.distanceUnit, 0);
  EXPECT_TRUE(offered.handshake);
  EXPECT_EQ(view.panel.values[1], "5'7\" ");
  EXPECT_EQ(view.panel.values[2], "143 Pound");
  EXPECT_FALSE(workspace.Handshake());
  UserSettings saved;
  saved.SetPath(paths.SettingsFile());
  saved.Load();
  EXPECT_EQ(saved.distanceUnit, 1);
  EXPECT_EQ(saved.weightUnit, 1);

  desktop.settings = nullptr;  // Cancel: the same choices come back
  fs::remove(paths.SettingsFile());
  Run(kAreaSetup);
  EXPECT_TRUE(fs::exists(paths.SettingsFile()));
  EXPECT_EQ(view.panel.values[2], "143 Pound");
}

TEST_F(MainPresenterTest, UnitsThatCannotBeSavedStillApplyAndTheUserIsToldOnce) {
  Open();
  fs::remove(paths.SettingsFile());
  fs::create_directory(paths.SettingsFile());  // nothing can replace it
  desktop.settings = [](SettingsChoices& choices) {
    choices.distanceUnit = 1 - choices.distanceUnit;
    choices.weightUnit = 1;
    return true;
  };
  Run(kAreaSetup);
  Run(kAreaSetup);
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].text.rfind("The unit settings could not be saved", 0), 0u);
  EXPECT_EQ(view.panel.values[1], "170 cm");  // switched twice
  EXPECT_EQ(view.panel.values[2], "143 Pound");
}

TEST_F(MainPresenterTest, EditSavesTheLoggedInUserAndShowsThemAnew) {
  Open();
  desktop.editor = [](UserEditor& editor) {
    EXPECT_EQ(editor.GetMode(), UserEditor::Mode::Edit);
    EditorTexts typed = editor.Shown();
    typed.height = "180";
    typed.walkingStride = "70";
    typed.runningStride = "90";
    return editor.Save(typed, [] { return std::optional<std::string>("pw"); }).close;
  };
  Run(kAreaEdit);
  EXPECT_EQ(workspace.LoggedIn()->height, 180);
  EXPECT_EQ(workspace.Users().Find(ann.id)->height, 180);
  EXPECT_EQ(view.panel.values[1], "180 cm");
  desktop.editor = nullptr;  // cancelled: nothing changes
  Run(kAreaEdit);
  EXPECT_EQ(workspace.LoggedIn()->height, 180);
}

TEST_F(MainPresenterTest, TheStepsRowsTipAddsTheGoalAndStreaksOnceAGoalIsSet) {
  Open();
  EXPECT_EQ(presenter.AreaTip(kAreaStepsRow), "") << "no goal: the tip is the row's name alone";
  desktop.editor = [](UserEditor& editor) {
    EditorTexts typed = editor.Shown();
    typed.height = "180";
    typed.walkingStride = "70";
    typed.runningStride = "90";
    typed.stepGoal = "4000";
    return editor.Save(typed, [] { return std::optional<std::string>("pw"); }).close;
  };
  Run(kAreaEdit);
  ASSERT_EQ(presenter.StepGoal(), 4000);
  // Up to the chart date, the day the STEPS row shows: the month's chart
  // stands on 1 March, before either walk.
  EXPECT_EQ(presenter.AreaTip(kAreaStepsRow), "Daily goal: 4000 steps\nStreak: 0 days (longest 0 days)");
  presenter.Dashboard().SetChartDate(LocalDateTime::From(2008, 3, 6));
  EXPECT_EQ(presenter.AreaTip(kAreaStepsRow), "Daily goal: 4000 steps\nStreak: 2 days (longest 2 days)");
  EXPECT_EQ(presenter.AreaTip(kAreaDistanceRow), "");
  presenter.Dashboard().SetChartDate(LocalDateTime::From(2008, 3, 5));
  EXPECT_EQ(presenter.AreaTip(kAreaStepsRow), "Daily goal: 4000 steps\nStreak: 1 day (longest 1 day)");

  // The next window of the user starts with it: the chart's line too.
  test::RecordingMainView nextView;
  test::RecordingChart nextChart;
  MainPresenter next(workspace, nextView, nextChart);
  next.Start(true);
  EXPECT_EQ(next.StepGoal(), 4000);
  EXPECT_EQ(nextChart.drawn.goalLine, 4000);
}

TEST_F(MainPresenterTest, HelpOpensTheChosenDocumentOrSaysItIsMissing) {
  Open();
  fs::create_directories(workspace.ProgramFolder());
  std::ofstream(workspace.ProgramFolder() / std::string(kQuestionsAndAnswersFile)) << "%PDF-1.4";
  desktop.help = HelpChoice::Questions;
  Run(kAreaHelp);
  EXPECT_THAT(desktop.opened, ElementsAre(workspace.ProgramFolder() / std::string(kQuestionsAndAnswersFile)));
  EXPECT_TRUE(desktop.boxes.empty());
  desktop.help = HelpChoice::QuickStart;
  Run(kAreaHelp);
  EXPECT_THAT(desktop.Texts(), ElementsAre("Help file does not exist"));
  EXPECT_EQ(desktop.boxes[0].icon, NoticeIcon::Warning);
  EXPECT_EQ(desktop.opened.size(), 1u);
  desktop.help = HelpChoice::None;
  Run(kAreaHelp);
  EXPECT_EQ(desktop.boxes.size(), 1u);
}

TEST_F(MainPresenterTest, PrintWritesTheReportAndSaysWhenThePictureIsMissing) {
  Open();
  const fs::path out = dir / "reports";
  fs::create_directories(out);
  std::string offeredFolder = "unset";
  desktop.report = [&](const std::string& lastFolder) {
    offeredFolder = lastFolder;
    ReportJob job;
    job.options.folder = out.string();
    job.options.fileName = "march.pdf";
    job.options.from = {2, 0, 8};  // 1 March 2008 in the dialog's lists
    job.options.to = {2, 19, 8};
    job.options.chart = true;
    job.options.detail = true;
    job.captureError = "no screen";
    return std::optional<ReportJob>(std::move(job));
  };
  Run(kAreaPrint);
  EXPECT_EQ(offeredFolder, "");
  EXPECT_TRUE(fs::exists(out / "march.pdf"));
  EXPECT_THAT(desktop.Texts(),
              ElementsAre("The picture of the window could not be made:\nno screen\n\nThe chart page stays empty."));
  EXPECT_EQ(desktop.busyCursors, 0);
  Run(kAreaPrint);
  EXPECT_EQ(offeredFolder, out.string()) << "the folder is remembered";
}

TEST_F(MainPresenterTest, AnImportLogsInTheImportedFilesFirstUserAndShowsThem) {
  Open();
  const fs::path source = dir / "other";
  fs::create_directories(source);
  {
    UserData other;
    ASSERT_TRUE(other.Open(source / "user.dat"));
    LocalUserRecord cleo;
    cleo.name = "Cleo";
    cleo.password = "c";
    cleo.height = 160;
    other.Current() = cleo;
    ASSERT_TRUE(other.Append());
  }
  desktop.folder = source;
  Run(kAreaImport);
  ASSERT_NE(workspace.LoggedIn(), nullptr);
  EXPECT_EQ(workspace.LoggedIn()->name, "Cleo");
  EXPECT_EQ(view.panel.values[0], "Cleo");
  EXPECT_EQ(view.panel.values[1], "160 cm");
}

}  // namespace
}  // namespace tempovia
