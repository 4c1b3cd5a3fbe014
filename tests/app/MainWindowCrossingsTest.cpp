// The main window where state crosses layers: a dialog open while a download
// ends, the window's timer running through a modal dialog, a write failing
// after the user typed, files replaced under the running program, input the
// toolkit mishandles.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "MainWindowFixture.h"
#include "ReportTestSupport.h"
#include "app/DayNoteEdit.h"
#include "calendar/CalendarLook.h"
#include "calendar/widgets/CalendarCtrl.h"
#include "calendar/widgets/DlgCalendar.h"
#include "charts/widgets/BarChart.h"
#include "store/FileWriter.h"
#include "store/StepData.h"
#include "store/UserData.h"
#include "users/widgets/DlgUserRecord.h"
#include "users/widgets/VerifyPWDlg.h"
#include "widgets/Artwork.h"
#include "widgets/ExStatic.h"
#include "widgets/QtColour.h"
#include "widgets/TrayNotifyIcon.h"
#include "widgets/Windows1252Validator.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using test::Centre;
using test::Day;
using test::kGenerous;
using ::testing::ElementsAre;

// A disk with no room left: every write of the store fails.
class FullDisk final : public FileWriter {
 public:
  FullDisk() : m_previous(InstallFileWriter(this)) {}
  ~FullDisk() override { InstallFileWriter(m_previous); }
  int WriteAt(int, std::span<const std::uint8_t>, std::uint64_t) override { return ENOSPC; }

 private:
  FileWriter* m_previous;
};

class MainWindowCrossingsTest : public test::MainWindowFixture {
 protected:
  void Paste(QWidget& field) { QTest::keySequence(&field, QKeySequence::Paste); }
};

// Qt's own paste crashes on a clipboard without text; the note field must
// refuse it. Single-line fields are checked once with the same clipboard.
TEST_F(MainWindowCrossingsTest, PastingAnEmptyClipboardOrAPictureChangesNothing) {
  CDlgMain& w = Open();
  w.NoteField().setFocus();
  QTest::keyClicks(&w.NoteField(), "typed");
  QClipboard& clipboard = *QGuiApplication::clipboard();
  // What an empty clipboard looks like under X: a source with no formats.
  clipboard.setMimeData(new QMimeData);
  Paste(w.NoteField());
  EXPECT_EQ(w.NoteField().toPlainText(), "typed");
  clipboard.clear();
  Paste(w.NoteField());
  EXPECT_EQ(w.NoteField().toPlainText(), "typed");
  auto* picture = new QMimeData;
  picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
  clipboard.setMimeData(picture);
  Paste(w.NoteField());
  EXPECT_EQ(w.NoteField().toPlainText(), "typed");
  clipboard.setText(QStringLiteral(" and pasted"));
  Paste(w.NoteField());
  EXPECT_EQ(w.NoteField().toPlainText(), "typed and pasted");
  const Date noteDay = w.Dashboard().ChartDate().date;
  Click(Centre(kAreaWeekly));  // a paste is typing: the next click saves it
  EXPECT_EQ(StoredNote(noteDay), "typed and pasted");

  clipboard.setMimeData(new QMimeData);
  QLineEdit single;
  single.setValidator(new Windows1252Validator(12, &single));
  single.setText(QStringLiteral("pw"));
  Paste(single);
  EXPECT_EQ(single.text(), "pw");
}

TEST_F(MainWindowCrossingsTest, AStoredPhotoThatIsANamedPipeShowsThePlaceholder) {
  ASSERT_TRUE(app->Paths().CreatePhotosFolder().ok());
  ASSERT_EQ(::mkfifo((app->Paths().PhotosFolder() / "100.jpg").c_str(), 0600), 0);
  {
    UserData users;
    ASSERT_TRUE(users.Open(app->Paths().UserDatabase()));
    users.Current().photo = "100.jpg";
    ASSERT_TRUE(users.Update(100));
  }
  CDlgMain& w = Open();  // never returns when the pipe is read
  EXPECT_EQ(w.Photo().Image(), BuiltInPicture(Picture::PhotoPlaceholder, w.Photo().devicePixelRatioF()));
}

// The window's 50 ms timer runs through the modal calendar and closes the
// idle step file after a second; every paint after it must still find it.
TEST_F(MainWindowCrossingsTest, TheCalendarKeepsItsMarksPastTheIdleClose) {
  DayRecord noted = Day(2008, 3, 19, 5000);
  noted.note = "walk";
  FillSteps({noted});
  CDlgMain& w = Open();
  bool checked = false;
  WhileModal<CDlgCalendar>([&](CDlgCalendar& shown) {
    CDlgCalendar* dialog = &shown;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.Presenter().Files().StepsOpen(); }, kGenerous));
    CCalendarCtrl& calendar = dialog->Calendar();
    calendar.PaintSurface();
    const CalendarLook look = LookOf(calendar.Model(), nullptr, true);
    const int cell = calendar.Model().CellOf(DayKey(MakeDate(2008, 3, 19)));
    ASSERT_GE(cell, 0);
    const PixelRect note = look.cells[static_cast<std::size_t>(cell)].noteRect;
    bool red = false;
    for (int y = note.top; y < note.bottom && !red; ++y)
      for (int x = note.left; x < note.right && !red; ++x)
        red = ToRgb(calendar.Surface().pixel(x, y)) == kCalendarNoteText;
    EXPECT_TRUE(red) << "\"Note\" drawn after the idle close";
    checked = true;
    dialog->reject();
  });
  Click(Centre(kAreaCalendar));
  EXPECT_TRUE(checked) << boxes.Texts().join("|").toStdString() << " visible " << w.isVisible() << " active "
                       << (QApplication::activeWindow() == &w);
}

// The attempt's end is queued while the calendar comes up, so the download
// stores from inside the calendar's own loop.
TEST_F(MainWindowCrossingsTest, ADownloadEndingWhileTheCalendarIsOpenStores) {
  Open();
  Click(Centre(kAreaUpload));
  ASSERT_TRUE(window->Download().Busy());
  bool ended = false;
  WhileModal<CDlgCalendar>([&](CDlgCalendar& dialog) {
    ended = WaitForDownload();
    dialog.reject();
  });
  Click(Centre(kAreaCalendar));
  EXPECT_TRUE(ended);
  EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join("|").toStdString();
  EXPECT_EQ(StoredDays(), 7);
}

class NoteFailureTest : public MainWindowCrossingsTest {
 protected:
  // A note typed for 19 March, and a disk that has filled up since.
  CDlgMain& OpenWithTypedNote() {
    FillSteps({Day(2008, 3, 19, 1200)});
    CDlgMain& w = Open();
    w.Dashboard().SetChartDate(LocalDateTime::From(2008, 3, 19));
    Click(Centre(kAreaWeekly));
    w.NoteField().setFocus();
    QTest::keyClicks(&w.NoteField(), "walked");
    disk = std::make_unique<FullDisk>();
    return w;
  }
  QString Failure() const {
    return QString::fromStdString("The day note could not be saved.\n\nCannot write " + stepFile.string() +
                                  ": No space left on device");
  }

  std::unique_ptr<FullDisk> disk;
};

TEST_F(NoteFailureTest, ItIsToldOnceAndTheTypedTextStays) {
  CDlgMain& w = OpenWithTypedNote();
  Click(Centre(kAreaNextPeriod));
  Click(Centre(kAreaPreviousPeriod));
  Click(Centre(kAreaMonthly));
  EXPECT_THAT(boxes.Texts(), ElementsAre(Failure()));
  EXPECT_EQ(boxes.Boxes()[0].icon, NoticeIcon::Warning);
  EXPECT_EQ(w.NoteField().toPlainText(), "walked");
  // Once the disk has room the next click stores it, for its own day.
  disk.reset();
  Click(Centre(kAreaWeekly));
  EXPECT_EQ(StoredNote(MakeDate(2008, 3, 19)), "walked");
}

TEST_F(NoteFailureTest, LeavingAsksWhetherToDiscardItAndNoStays) {
  const QString question = QString::fromLatin1(ChartDashboard::kDiscardNoteQuestion);
  const struct {
    const char* how;
    std::function<void(CDlgMain&)> leave;
    int result;  // -1: the window hides instead of ending
  } ways[] = {
      {"LOGOUT", [](CDlgMain& w) { QTest::mouseClick(&w, Qt::LeftButton, {}, Centre(kAreaLogout)); }, kLogoutResult},
      {"Escape", [](CDlgMain& w) { QTest::keyClick(&w, Qt::Key_Escape); }, kLogoutResult},
      {"the tray's Exit", [](CDlgMain& w) { emit w.Tray().Command(kTrayExitCommand); }, kExitResult},
      {"EXIT", [](CDlgMain& w) { QTest::mouseClick(&w, Qt::LeftButton, {}, Centre(kAreaExit)); }, -1},
  };
  for (const auto& way : ways) {
    boxes.Clear();
    CDlgMain& w = OpenWithTypedNote();
    QSignalSpy finished(&w, &QDialog::finished);
    boxes.Answer(MessageAnswer::No);
    way.leave(w);
    ASSERT_EQ(boxes.Boxes().size(), 2u) << way.how;
    EXPECT_EQ(boxes.Texts()[0], Failure()) << way.how;
    EXPECT_EQ(boxes.Texts()[1], question) << way.how;
    EXPECT_EQ(boxes.Boxes()[1].icon, NoticeIcon::Warning);
    EXPECT_EQ(boxes.Boxes()[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(finished.count(), 0) << way.how;
    EXPECT_TRUE(w.isVisible()) << way.how;
    EXPECT_EQ(w.NoteField().toPlainText(), "walked");

    // Asked again, without the failure a second time; Yes lets it go.
    boxes.Answer(MessageAnswer::Yes);
    way.leave(w);
    ASSERT_EQ(boxes.Boxes().size(), 3u) << way.how;
    EXPECT_EQ(boxes.Texts()[2], question);
    if (way.result == -1) {
      EXPECT_FALSE(w.isVisible()) << way.how;
      EXPECT_EQ(w.NoteField().toPlainText(), "") << "discarded: the stored note shows again";
    } else {
      ASSERT_EQ(finished.count(), 1) << way.how;
      EXPECT_EQ(finished.at(0).at(0).toInt(), way.result) << way.how;
    }
    disk.reset();
    StepData steps;
    w.Presenter().Files().Release();
    ASSERT_TRUE(steps.Open(stepFile));
    DayRecord day;
    ASSERT_TRUE(steps.FindByDate(MakeDate(2008, 3, 19), day));
    EXPECT_EQ(day.note, "") << way.how;
  }
}

// Plugging the watch in while the window is hidden logs out with nobody to
// ask: the note's text goes to standard error and the trace.
TEST_F(NoteFailureTest, ALogoutNobodyCanBeAskedAboutKeepsTheTextOnStandardError) {
  CDlgMain& w = OpenWithTypedNote();
  disk.reset();
  boxes.Answer(MessageAnswer::Yes);  // not asked: the box stays scripted
  w.hide();
  app->Watch().Destroy();
  disk = std::make_unique<FullDisk>();
  QSignalSpy finished(&w, &QDialog::finished);
  testing::internal::CaptureStderr();
  app->Devices().Deliver({kDeviceArrival, kDeviceTypeInterface, SimulatedWatch::kBridgePath});
  const bool ended = finished.wait(kGenerous);
  const std::string err = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(ended);
  EXPECT_EQ(finished.at(0).at(0).toInt(), kLogoutResult);
  EXPECT_NE(err.find("The day note of 19-Mar-2008 could not be saved"), std::string::npos) << err;
  EXPECT_NE(err.find("No space left on device"), std::string::npos) << err;
  EXPECT_NE(err.find("\nwalked\n"), std::string::npos) << err;
  EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join("|").toStdString();
}

TEST_F(MainWindowCrossingsTest, EditAfterTheDataFolderWasReplacedSavesNothingAndSaysWhichFile) {
  Open();
  const fs::path data = app->Paths().DataFolder();
  fs::rename(data, dir / "data.moved");
  fs::create_directories(data);
  fs::copy_file(dir / "data.moved" / "user.dat", data / "user.dat");
  const std::string before = test::ReadText(data / "user.dat");
  WhileModal<CDlgUserRecord>([this](CDlgUserRecord& editor) {
    editor.findChild<QLineEdit*>(QStringLiteral("age"))->setText(QStringLiteral("41"));
    editor.findChild<QLineEdit*>(QStringLiteral("runningStride"))->setText(QStringLiteral("90"));
    // SAVE asks for the password again.
    WhileModal<CVerifyPWDlg>([](CVerifyPWDlg& verify) {
      verify.findChild<QLineEdit*>(QStringLiteral("password"))->setText(QStringLiteral("pw"));
      verify.accept();
    });
    editor.accept();
    editor.reject();
  });
  Click(Centre(kAreaEdit));
  ASSERT_EQ(boxes.Texts().size(), 1) << boxes.Texts().join("|").toStdString();
  EXPECT_TRUE(boxes.Texts()[0].contains(
      QString::fromStdString(app->Paths().UserDatabase().string() + " was replaced or removed")))
      << boxes.Texts()[0].toStdString();
  EXPECT_FALSE(boxes.Texts().contains(QStringLiteral("Record Saved")));
  // Neither copy of user.dat was written.
  EXPECT_EQ(test::ReadText(dir / "data.moved" / "user.dat"), before);
  EXPECT_EQ(test::ReadText(data / "user.dat"), before);
}

// With the data folder gone, one action shows one box, however many reads
// it makes; UPLOAD's says what could not be opened and why.
TEST_F(MainWindowCrossingsTest, AMissingDataFolderIsToldOncePerActionWithItsReason) {
  CDlgMain& w = Open();
  w.Presenter().Files().Release();
  fs::remove_all(app->Paths().DataFolder());
  const QString missing = QString::fromStdString(stepFile.string() + ": No such file or directory");
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keySequence(&w, QKeySequence(Qt::ALT | Qt::Key_Y));
  EXPECT_THAT(boxes.Texts(), ElementsAre(QStringLiteral("Failed to open Step Data\n\n") + missing));
  QTest::keySequence(&w, QKeySequence(Qt::ALT | Qt::Key_W));
  EXPECT_EQ(boxes.Texts().size(), 2);

  boxes.Clear();
  Click(Centre(kAreaUpload));
  ASSERT_TRUE(WaitForDownload());
  EXPECT_THAT(boxes.Texts(), ElementsAre(QStringLiteral("Cannot open database\n\n") + missing));
}

}  // namespace
}  // namespace tempovia
