#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "FileContents.h"
#include "TempDir.h"
#include "Typing.h"
#include "store/StepGoal.h"
#include "store/StorePaths.h"
#include "store/UserData.h"
#include "users/widgets/DlgUserRecord.h"
#include "widgets/Artwork.h"
#include "widgets/ExStatic.h"
#include "widgets/testing/ScriptedMessageBoxes.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path) {
  return QFile::decodeName(path.c_str());
}

class DlgUserRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(paths.CreateDataFolder().ok());
    ASSERT_TRUE(users.Open(paths.UserDatabase()));
  }

  void Store(const char* name, double height, double weight) {
    LocalUserRecord user;
    user.name = name;
    user.password = "pw";
    user.height = height;
    user.weight = weight;
    user.walkingStride = 70;
    user.runningStride = 95;
    user.age = 34;
    user.sex = LocalUserRecord::kMale;
    users.Current() = user;
    ASSERT_TRUE(users.Append());
    ASSERT_TRUE(users.MoveLastActive());
  }

  LocalUserRecord Stored(std::int32_t id) const {
    for (int i = 0; i < users.GetCount(); ++i)
      if (users.RecordAt(i).id == id) return users.RecordAt(i);
    ADD_FAILURE() << "no user " << id;
    return {};
  }

  // The editor on the shown (the last stored) user, as the windows run it.
  std::unique_ptr<CDlgUserRecord> Open(bool create, int distanceUnit = 0, int weightUnit = 0) {
    const LocalUserRecord shown = users.GetCount() > 0 ? users.RecordAt(users.GetCount() - 1) : LocalUserRecord{};
    editors.push_back(
        std::make_unique<UserEditor>(users, paths, create ? UserEditor::Mode::Create : UserEditor::Mode::Edit, shown,
                                     distanceUnit != 0, weightUnit != 0, LocalDateTime::From(2008, 3, 20, 9, 0, 0)));
    auto dialog = std::make_unique<CDlgUserRecord>(*editors.back());
    dialog->SetConfirmation([this] {
      ++confirmations;
      return confirmation;
    });
    dialog->SetPhotoChooser([this] { return chosenPhoto; });
    dialog->show();
    return dialog;
  }

  static QLineEdit* Box(QDialog& dialog, const char* name) {
    auto* box = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
    EXPECT_NE(box, nullptr) << name;
    return box;
  }

  // Types into a box the way a person does, through its validator.
  static void Retype(QDialog& dialog, const char* name, const QString& text) {
    QLineEdit* box = Box(dialog, name);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    test::TypeText(box, text);
  }

  static void Click(QDialog& dialog, const char* name) {
    auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }

  test::TempDir dir;
  StorePaths paths{dir.Path()};
  UserData users;
  ScriptedMessageBoxes boxes;
  std::optional<QString> confirmation = QStringLiteral("pw");
  QString chosenPhoto;
  std::vector<std::unique_ptr<UserEditor>> editors;
  int confirmations = 0;
};

TEST_F(DlgUserRecordTest, EditModeShowsEveryValueAndCreateModeOnlyNameAndPassword) {
  Store("Ann", 175.26, 70);
  auto edit = Open(false, 1, 1);
  EXPECT_EQ(edit->windowTitle(), QStringLiteral("Edit User Data"));
  EXPECT_FALSE(Box(*edit, "name")->isEnabled());
  EXPECT_EQ(Box(*edit, "name")->text(), QStringLiteral("Ann"));
  EXPECT_EQ(Box(*edit, "password")->echoMode(), QLineEdit::Password);
  EXPECT_EQ(Box(*edit, "height")->text(), QStringLiteral("5'9\""));
  EXPECT_EQ(Box(*edit, "weight")->text(), QStringLiteral("154"));
  EXPECT_EQ(Box(*edit, "walkingStride")->text(), QStringLiteral("2'4\""));
  EXPECT_EQ(Box(*edit, "age")->text(), QStringLiteral("34"));
  EXPECT_EQ(edit->findChild<QComboBox*>(QStringLiteral("sex"))->currentText(), QStringLiteral("Male"));
  QStringList labels;
  for (const QLabel* label : edit->findChildren<QLabel*>()) labels << label->text();
  for (const char* text : {"Height (feet)", "Weight (Pound)", "Stride (Walking) (inch)", "Stride (Running) (inch)"})
    EXPECT_TRUE(labels.contains(QString::fromLatin1(text))) << text;
  // No photo file: the placeholder.
  auto* photo = edit->findChild<CExStatic*>(QStringLiteral("photo"));
  EXPECT_TRUE(photo->isVisible());
  EXPECT_EQ(photo->Image(), BuiltInPicture(Picture::PhotoPlaceholder));

  auto create = Open(true);
  EXPECT_EQ(create->windowTitle(), QStringLiteral("Create New User"));
  EXPECT_TRUE(Box(*create, "name")->isEnabled());
  EXPECT_EQ(Box(*create, "name")->text(), QString());
  EXPECT_EQ(Box(*create, "password")->text(), QString());
  for (const char* name : {"height", "weight", "walkingStride", "runningStride", "age", "stepGoal"})
    EXPECT_FALSE(Box(*create, name)->isVisible()) << name;
  EXPECT_FALSE(create->findChild<CExStatic*>(QStringLiteral("photo"))->isVisible());
  EXPECT_FALSE(create->findChild<QPushButton*>(QStringLiteral("changePhoto"))->isVisible());
  // The buttons close up under the password box and the dialog shrinks.
  const QRect password = Box(*create, "password")->geometry();
  const QRect save = create->findChild<QPushButton*>(QStringLiteral("save"))->geometry();
  EXPECT_GT(save.top(), password.bottom());
  EXPECT_LT(save.top() - password.bottom(), 40);
  EXPECT_LT(create->height(), edit->height() / 2);
  EXPECT_LT(create->width(), edit->width());
}

TEST_F(DlgUserRecordTest, CreateModeRefusesAnExistingNameButNotADifferentCase) {
  Store("Ann", 0, 0);
  const LocalUserRecord ann = users.RecordAt(0);
  auto dialog = Open(true);
  Retype(*dialog, "name", QStringLiteral("Ann"));
  Retype(*dialog, "password", QStringLiteral("pw"));
  Click(*dialog, "save");
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].icon, NoticeIcon::Warning);
  EXPECT_EQ(boxes.Texts()[0], QStringLiteral("The name already exists in the databse!\nPlease choose another one."));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(users.GetCount(), 1);

  Retype(*dialog, "name", QStringLiteral("ANN"));
  Click(*dialog, "save");
  EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Record Saved"));
  EXPECT_EQ(boxes.Boxes().back().icon, NoticeIcon::None);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(editors.back()->User().name, "ANN");
  EXPECT_EQ(Stored(101).name, "ANN");

  // Escape after a refusal writes nothing.
  auto again = Open(true);
  Retype(*again, "name", QStringLiteral("Ann"));
  Retype(*again, "password", QStringLiteral("pw"));
  Click(*again, "save");
  QTest::keyClick(again.get(), Qt::Key_Escape);
  EXPECT_EQ(again->result(), QDialog::Rejected);
  EXPECT_FALSE(editors.back()->Saved());
  EXPECT_EQ(users.GetCount(), 2);
  EXPECT_EQ(Stored(100), ann);
}

TEST_F(DlgUserRecordTest, AWrongConfirmationThenCancelLeavesTheStoredRecordUnchanged) {
  Store("Ann", 170, 60);
  const LocalUserRecord before = users.RecordAt(0);
  const std::string fileBefore = test::ReadText(paths.UserDatabase());
  auto dialog = Open(false);
  Retype(*dialog, "height", QStringLiteral("180"));
  Retype(*dialog, "password", QStringLiteral("new"));
  confirmation = QStringLiteral("New");
  Click(*dialog, "save");
  EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("Password not match")});
  EXPECT_EQ(boxes.Boxes()[0].icon, NoticeIcon::None);
  EXPECT_TRUE(dialog->isVisible());

  Click(*dialog, "cancel");
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(editors.back()->User(), before);
  EXPECT_EQ(test::ReadText(paths.UserDatabase()), fileBefore);
}

TEST_F(DlgUserRecordTest, ImperialHeightsAreKeptOrConvertedAsTyped) {
  Store("Ann", 175.26, 70);
  auto dialog = Open(false, 1, 0);
  Click(*dialog, "save");
  EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("Record Saved")});
  EXPECT_EQ(Stored(100).height, 175.26);
  EXPECT_EQ(Stored(100).photo, "blank.jpg");  // no photo chosen: the name stays

  dialog = Open(false, 1, 0);
  Retype(*dialog, "height", QStringLiteral("5'10\""));
  Click(*dialog, "save");
  EXPECT_DOUBLE_EQ(Stored(100).height, 177.8);

  boxes.Clear();
  dialog = Open(false, 1, 0);
  Retype(*dialog, "height", QStringLiteral("69"));
  Click(*dialog, "save");
  EXPECT_EQ(boxes.Texts(), (QStringList{QStringLiteral("Invalid height!\nIt should be ranged from 3'3\" ~ 7'10\""),
                                        QStringLiteral("Please input all data")}));
  EXPECT_EQ(boxes.Boxes()[0].icon, NoticeIcon::Warning);
  EXPECT_EQ(boxes.Boxes()[1].icon, NoticeIcon::None);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_DOUBLE_EQ(Stored(100).height, 177.8);
}

TEST_F(DlgUserRecordTest, WeightsAreShownAndReadInTheWeightUnit) {
  Store("Ann", 170, 70);
  auto dialog = Open(false, 0, 1);
  EXPECT_EQ(Box(*dialog, "weight")->text(), QStringLiteral("154"));
  Click(*dialog, "save");
  EXPECT_DOUBLE_EQ(Stored(100).weight, 154 / 2.205);

  struct Case {
    const char* text;
    bool saved;
  };
  for (const Case& c : {Case{"19", false}, Case{"20", true}, Case{"220", true}, Case{"221", false}}) {
    SCOPED_TRACE(c.text);
    boxes.Clear();
    dialog = Open(false, 0, 0);
    Retype(*dialog, "weight", QString::fromLatin1(c.text));
    Click(*dialog, "save");
    if (c.saved) {
      EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("Record Saved")});
      EXPECT_EQ(Stored(100).weight, QString::fromLatin1(c.text).toDouble());
    } else {
      EXPECT_EQ(boxes.Texts(), (QStringList{QStringLiteral("Invalid weight!\nIt should be ranged from 20kg ~ 220kg"),
                                            QStringLiteral("Please input all data")}));
      EXPECT_EQ(dialog->result(), QDialog::Rejected);  // not ended
    }
  }
}

TEST_F(DlgUserRecordTest, AChosenPhotoIsShownAndStoredInItsRealFormat) {
  Store("Ann", 170, 70);
  QImage picture(40, 60, QImage::Format_RGB32);
  picture.fill(Qt::darkCyan);
  const fs::path misnamed = dir / "me.jpg";  // a PNG under a JPEG name
  ASSERT_TRUE(picture.save(Q(misnamed), "PNG"));
  const fs::path text = dir / "notes.png";
  std::ofstream(text) << "not a picture";

  auto dialog = Open(false);
  auto* photo = dialog->findChild<CExStatic*>(QStringLiteral("photo"));
  chosenPhoto = Q(misnamed);
  Click(*dialog, "changePhoto");
  EXPECT_EQ(photo->Image().size(), QSize(40, 60));
  EXPECT_TRUE(boxes.Texts().isEmpty());

  chosenPhoto = Q(text);
  Click(*dialog, "changePhoto");
  EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("Cannot open image file : ") + Q(text)});
  EXPECT_EQ(boxes.Boxes()[0].icon, NoticeIcon::Warning);
  EXPECT_EQ(photo->Image().size(), QSize(40, 60));  // the good choice stays

  chosenPhoto.clear();  // the chooser cancelled
  Click(*dialog, "changePhoto");
  EXPECT_EQ(boxes.Texts().size(), 1);

  Click(*dialog, "save");
  EXPECT_EQ(Stored(100).photo, "100.png");
  EXPECT_EQ(QImage(Q(paths.PhotosFolder() / "100.png")).size(), QSize(40, 60));
  EXPECT_FALSE(fs::exists(paths.PhotosFolder() / "100.jpg"));

  // The stored photo is what the editor shows next time.
  dialog = Open(false);
  EXPECT_EQ(dialog->findChild<CExStatic*>(QStringLiteral("photo"))->Image().size(), QSize(40, 60));
}

// A pipe would hold the window in the image reader forever.
TEST_F(DlgUserRecordTest, ANamedPipeIsNeverReadAsAPhoto) {
  Store("Ann", 170, 70);
  ASSERT_TRUE(paths.CreatePhotosFolder().ok());
  ASSERT_EQ(::mkfifo((paths.PhotosFolder() / "100.jpg").c_str(), 0600), 0);
  users.Current().photo = "100.jpg";
  ASSERT_TRUE(users.Update(100));
  const fs::path pipe = dir / "pipe.jpg";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

  auto dialog = Open(false);
  auto* photo = dialog->findChild<CExStatic*>(QStringLiteral("photo"));
  EXPECT_EQ(photo->Image(), BuiltInPicture(Picture::PhotoPlaceholder, photo->devicePixelRatioF()));
  chosenPhoto = Q(pipe);
  Click(*dialog, "changePhoto");
  EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("Cannot open image file : ") + Q(pipe)});
}

TEST_F(DlgUserRecordTest, AFailedPhotoCopyIsReportedAndTheOldNameKept) {
  Store("Ann", 170, 70);
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(Qt::red);
  const fs::path chosen = dir / "me.bmp";
  ASSERT_TRUE(picture.save(Q(chosen), "BMP"));
  auto dialog = Open(false);
  chosenPhoto = Q(chosen);
  Click(*dialog, "changePhoto");
  fs::remove(chosen);
  Click(*dialog, "save");
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Texts()[0], QStringLiteral("Record Saved"));
  EXPECT_EQ(boxes.Boxes()[1].icon, NoticeIcon::Warning);
  EXPECT_TRUE(boxes.Texts()[1].startsWith(QStringLiteral("The photo could not be saved")));
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(Stored(100).photo, "blank.jpg");
}

TEST_F(DlgUserRecordTest, BoxesRefuseWhatTheRecordCannotHold) {
  auto dialog = Open(true);
  Retype(*dialog, "name", QString(35, QLatin1Char('x')));
  EXPECT_EQ(Box(*dialog, "name")->text(), QString(30, QLatin1Char('x')));
  Retype(*dialog, "name", QString::fromUtf8("Zo\xC3\xAB \xCE\xA9"));  // "Zoë Ω": Ω has no byte
  EXPECT_EQ(Box(*dialog, "name")->text(), QString::fromUtf8("Zo\xC3\xAB "));
  Retype(*dialog, "password", QStringLiteral("1234567890123"));
  EXPECT_EQ(Box(*dialog, "password")->text(), QStringLiteral("123456789012"));
  confirmation = QStringLiteral("123456789012");
  Click(*dialog, "save");
  EXPECT_EQ(Stored(100).name, "Zo\xEB ");
  EXPECT_EQ(Stored(100).password, "123456789012");
}

TEST_F(DlgUserRecordTest, TheDailyStepGoalTakesDigitsAsTypedAndItsRangeOnSave) {
  Store("Ann", 175, 70);
  auto dialog = Open(false);
  ASSERT_TRUE(Box(*dialog, "stepGoal")->isVisible());
  EXPECT_EQ(Box(*dialog, "stepGoal")->text(), QString());
  Retype(*dialog, "stepGoal", QStringLiteral("12a,000000"));
  EXPECT_EQ(Box(*dialog, "stepGoal")->text(), QStringLiteral("12000")) << "digits only, five at most";
  Retype(*dialog, "stepGoal", QStringLiteral("500"));
  Click(*dialog, "save");
  EXPECT_TRUE(dialog->isVisible());
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Daily step goal must be between 1000 and 99999 steps, or empty for none");
  EXPECT_EQ(boxes.Boxes()[0].icon, NoticeIcon::Warning);
  EXPECT_EQ(confirmations, 0);

  Retype(*dialog, "stepGoal", QStringLiteral("9500"));
  Click(*dialog, "save");
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(LoadStepGoal(paths, 100), 9500);
  EXPECT_EQ(Box(*Open(false), "stepGoal")->text(), QStringLiteral("9500"));
}

}  // namespace
}  // namespace tempovia
