// PRINT and IMPORT through the real main window, offscreen, with the options
// dialog filled in as a user would and the folder chooser answered. What the
// flows decide is tested beneath the window.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <iterator>

#include "FakeTrayArea.h"
#include "FileContents.h"
#include "PdfText.h"
#include "TempDir.h"
#include "TestDesktop.h"
#include "app/AppContext.h"
#include "app/DlgMain.h"
#include "base/testing/FakeClock.h"
#include "report/widgets/DlgPrint.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "widgets/Label.h"
#include "widgets/testing/ScriptedMessageBoxes.h"
#include "workspace/testing/OtherComputersData.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

QStringList CaptureFilesInTemp() {
  return QDir::temp().entryList({QStringLiteral("tempovia-chart-*")}, QDir::Files | QDir::Hidden);
}

class PrintTransferTest : public ::testing::Test {
 protected:
  PrintTransferTest() {
    AppOptions options;
    options.home = (dir / "home").string();
    options.watch = {true, "5"};
    options.instant = true;
    app = std::make_unique<AppContext>(options, clock, &desktop);
    const StorePaths& paths = app->Paths();
    EXPECT_TRUE(paths.CreateDataFolder().ok());
    UserData users;
    EXPECT_TRUE(users.Open(paths.UserDatabase()));
    for (const char* name : {"Ann", "Ben"}) {
      LocalUserRecord user;
      user.name = name;
      user.password = "pw";
      users.Current() = user;
      EXPECT_TRUE(users.Append());
      StepData steps;
      EXPECT_TRUE(steps.Open(*paths.UserFile(users.Current().stepFile)));
      for (int day = 3; day <= 12; ++day) {
        DayRecord record = DayRecord::Blank();
        record.year = 8;
        record.month = 3;
        record.day = static_cast<std::uint8_t>(day);
        record.steps = 1000 * day;
        steps.Current() = record;
        EXPECT_TRUE(steps.MergeDay());
      }
      CExerciseDB sessions;
      EXPECT_TRUE(sessions.Open(*paths.UserFile(users.Current().exerciseFile)));
      StoredExercise session;
      session.year = 8;
      session.month = 3;
      session.day = 7;
      session.startHour = 7;
      session.steps = 4321;
      sessions.Current() = session;
      EXPECT_TRUE(sessions.MergeExercise());
    }
  }

  // Logs in the second user, as the login window leaves it.
  CDlgMain& Open() {
    window = std::make_unique<CDlgMain>(*app, std::make_unique<test::FakeTrayArea>(tray));
    EXPECT_TRUE(window->LoadDataStore());
    app->Work().LogIn(*app->Work().Users().FindNamed("Ben"));
    window->Start();
    window->show();
    return *window;
  }

  void Click(int area) {
    const HitRect& r = kMainAreas[static_cast<std::size_t>(area)];
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  }

  // Fills the options dialog as a user would and presses "Create PDF File".
  void ScriptOptions(bool chart, bool detail, const fs::path& folder, const QString& name) {
    desktop.reportOptions = [=](CDlgPrint& dialog) {
      dialog.show();
      dialog.findChild<QCheckBox*>(QStringLiteral("chart"))->setChecked(chart);
      dialog.findChild<QCheckBox*>(QStringLiteral("detailedData"))->setChecked(detail);
      dialog.findChild<QComboBox*>(QStringLiteral("fromDay"))->setCurrentIndex(0);  // the 1st of this month
      auto* folderBox = dialog.findChild<QLineEdit*>(QStringLiteral("folder"));
      folderBox->setText(QString::fromStdString(folder.string()));
      dialog.findChild<QLineEdit*>(QStringLiteral("fileName"))->setText(name);
      QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("create")), Qt::LeftButton);
      return dialog.result();
    };
  }

  std::string StoredReportFolder() {
    UserSettings settings;
    settings.SetPath(app->Paths().SettingsFile());
    settings.Load();
    return settings.reportPath;
  }

  test::TempDir dir;
  FakeClock clock{LocalDateTime::From(2008, 3, 20, 9, 0, 0)};
  test::TestDesktop desktop{clock};
  // The window's picture goes to a temporary folder no other test writes to.
  test::PrivateTmpdir temporary;
  std::unique_ptr<AppContext> app;
  test::FakeTrayArea::State tray;
  ScriptedMessageBoxes boxes;
  std::unique_ptr<CDlgMain> window;
};

TEST_F(PrintTransferTest, AFullReportHasBothTablesThenThePictureOfTheWindow) {
  Open();
  const fs::path out = dir / "reports";
  fs::create_directories(out);
  ScriptOptions(true, true, out, QStringLiteral("march"));
  Click(kAreaPrint);
  EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join("|").toStdString();
  const fs::path pdf = out / "march.pdf";
  ASSERT_TRUE(fs::exists(pdf));
  const std::vector<std::string> pages = test::PdfPages(pdf);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_THAT(pages[0], HasSubstr("Walking Summary"));
  EXPECT_THAT(pages[0], HasSubstr("Ben"));
  EXPECT_THAT(pages[1], HasSubstr("Exercise Report"));
  EXPECT_THAT(pages[2], HasSubstr("Page 3"));
  const std::vector<std::string> images = test::PdfImages(pdf);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_THAT(images[0], ::testing::ContainsRegex("^ *3 .* 1000 +709 "));
  // The window's picture was a private temporary file, gone now.
  EXPECT_THAT(CaptureFilesInTemp(), ::testing::IsEmpty());
  EXPECT_EQ(StoredReportFolder(), out.string());
}

TEST_F(PrintTransferTest, AChartOnlyAndADetailOnlyReportHoldOnlyTheirParts) {
  Open();
  const fs::path out = dir / "reports";
  fs::create_directories(out);
  ScriptOptions(true, false, out, QStringLiteral("chart"));
  Click(kAreaPrint);
  ASSERT_EQ(test::PdfPageCount(out / "chart.pdf"), 1);
  EXPECT_EQ(test::PdfImages(out / "chart.pdf").size(), 1u);

  ScriptOptions(false, true, out, QStringLiteral("tables.PDF"));
  Click(kAreaPrint);
  ASSERT_EQ(test::PdfPageCount(out / "tables.PDF"), 2);
  EXPECT_TRUE(test::PdfImages(out / "tables.PDF").empty());
  EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join("|").toStdString();
}

TEST_F(PrintTransferTest, AFolderTooLongToRememberIsStillUsed) {
  Open();
  fs::path out = dir.Path();
  while (out.string().size() <= 300) out /= std::string(60, 'f');
  fs::create_directories(out);
  ScriptOptions(false, true, dir / "first", QStringLiteral("a"));
  fs::create_directories(dir / "first");
  Click(kAreaPrint);
  ASSERT_EQ(StoredReportFolder(), (dir / "first").string());
  ScriptOptions(false, true, out, QStringLiteral("b"));
  Click(kAreaPrint);
  EXPECT_TRUE(fs::exists(out / "b.pdf"));
  // Not cut to 259 bytes and kept: the last folder that fitted stays.
  EXPECT_EQ(StoredReportFolder(), (dir / "first").string());
}

TEST_F(PrintTransferTest, CancellingTheOptionsWritesNothingAndLeavesNoPicture) {
  Open();
  desktop.reportOptions = nullptr;
  Click(kAreaPrint);
  EXPECT_THAT(CaptureFilesInTemp(), ::testing::IsEmpty());
  EXPECT_EQ(StoredReportFolder(), "");
}

TEST_F(PrintTransferTest, ImportReplacesUserDatCopiesPhotosAndKeepsTheOldFolderSafe) {
  // Another computer's data: one user, a photo.
  const fs::path source = dir / "other";
  ASSERT_TRUE(test::WriteOtherComputersData(source));
  const auto before = test::Tree(app->Paths().DataFolder());
  CDlgMain& w = Open();
  desktop.folder = source;
  Click(kAreaImport);
  EXPECT_THAT(desktop.folderTitles, ElementsAre("Please select a folder to import"));
  ASSERT_EQ(boxes.Texts().size(), 1);
  EXPECT_TRUE(boxes.Texts()[0].startsWith("Data Imported!"));
  EXPECT_EQ(boxes.Boxes()[0].icon, NoticeIcon::None);
  EXPECT_EQ(test::ReadBytes(app->Paths().DataFolder() / "user.dat"), test::ReadBytes(source / "user.dat"));
  EXPECT_TRUE(fs::exists(app->Paths().PhotosFolder() / "100.png"));
  // The first user of the imported file is the one shown now.
  EXPECT_EQ(app->Work().LoggedIn()->name, "Cleo");
  EXPECT_EQ(w.UserValue(0).text(), "Cleo");
  // The safety copy holds the data folder as it was, byte for byte, and is
  // named in the message.
  const fs::path backups = app->Paths().BackupsFolder();
  ASSERT_TRUE(fs::exists(backups));
  const fs::path backup = fs::directory_iterator(backups)->path();
  EXPECT_EQ(test::Tree(backup), before);
  EXPECT_THAT(boxes.Texts()[0].toStdString(), HasSubstr(backup.string()));
  EXPECT_EQ(fs::status(backup).permissions() & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);
}

}  // namespace
}  // namespace tempovia
