#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "FileContents.h"
#include "TempDir.h"
#include "store/LocalUserRecord.h"
#include "store/StepGoal.h"
#include "store/StorePaths.h"
#include "store/UserData.h"
#include "users/UserEditor.h"
#include "users/UserRules.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;

const char kMetricHeight[] = "Invalid height!\nIt should be ranged from 100cm ~ 240cm";
const char kImperialHeight[] = "Invalid height!\nIt should be ranged from 3'3\" ~ 7'10\"";
const char kMetricWeight[] = "Invalid weight!\nIt should be ranged from 20kg ~ 220kg";
const char kPoundWeight[] = "Invalid weight!\nIt should be ranged from 44lbs ~ 485lbs";

using Mode = UserEditor::Mode;

LocalUserRecord Sample() {
  LocalUserRecord user;
  user.name = "Zo\xEB";  // "Zoë" in Windows-1252
  user.password = "pw";
  user.height = 175.26;
  user.weight = 70;
  user.walkingStride = 70;
  user.runningStride = 95.5;
  user.age = 34;
  user.sex = LocalUserRecord::kFemale;
  user.photo = "100.jpg";
  return user;
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Texts of the messages, with a "!" before the warnings.
std::vector<std::string> Shown(const EditorOutcome& outcome) {
  std::vector<std::string> texts;
  for (const Notice& message : outcome.messages)
    texts.push_back((message.icon == NoticeIcon::Warning ? "!" : "") + message.text);
  return texts;
}

class UserEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(paths.CreateDataFolder().ok());
    ASSERT_TRUE(users.Open(paths.UserDatabase()));
  }

  // Stores a user, who becomes the one edited (as after a login).
  void Store(LocalUserRecord user) {
    users.Current() = std::move(user);
    ASSERT_TRUE(users.Append());
    ASSERT_TRUE(users.MoveLastActive());
    loggedIn = users.Current();
  }

  LocalUserRecord Stored(std::int32_t id) const {
    for (int i = 0; i < users.GetCount(); ++i)
      if (users.RecordAt(i).id == id) return users.RecordAt(i);
    ADD_FAILURE() << "no user " << id;
    return {};
  }

  UserEditor Editor(Mode mode, bool imperial = false, bool pounds = false) {
    return UserEditor(users, paths, mode, loggedIn, imperial, pounds, LocalDateTime::From(2008, 3, 20, 9, 0, 0));
  }

  // Answers the confirmation with text and counts the questions.
  UserEditor::Confirmation Confirm(std::string text) {
    return [this, text] {
      ++confirmations;
      return std::optional<std::string>(text);
    };
  }

  test::TempDir dir;
  StorePaths paths{dir.Path()};
  UserData users;
  LocalUserRecord loggedIn;
  int confirmations = 0;
};

TEST_F(UserEditorTest, OpeningShowsTheStoredUserInTheChosenUnits) {
  Store(Sample());
  {
    UserEditor editor = Editor(Mode::Edit);
    EXPECT_EQ(editor.Caption(), "Edit User Data");
    EXPECT_EQ(editor.Shown(), (EditorTexts{"Zo\xC3\xAB", "pw", "175", "70", "70", "96", "34", 1}));
    const EditorLabels labels = editor.Labels();
    EXPECT_EQ(labels.height, "Height (cm)");
    EXPECT_EQ(labels.weight, "Weight (Kg)");
    EXPECT_EQ(labels.walkingStride, "Stride (Walking) (cm)");
    EXPECT_EQ(labels.runningStride, "Stride (Running) (cm)");
    EXPECT_EQ(editor.StoredPhoto(), paths.PhotosFolder() / "100.jpg");
  }
  {
    // Each unit system on its own: feet and inches beside kilograms.
    UserEditor editor = Editor(Mode::Edit, true, false);
    EXPECT_EQ(editor.Shown().height, "5'9\"");
    EXPECT_EQ(editor.Shown().weight, "70");
    EXPECT_EQ(editor.Labels().weight, "Weight (Kg)");
  }
  {
    UserEditor editor = Editor(Mode::Create);
    EXPECT_EQ(editor.Caption(), "Create New User");
    EXPECT_EQ(editor.Shown(), EditorTexts{});  // nothing of the shown user
    EXPECT_EQ(editor.StoredPhoto(), std::nullopt);
  }
  LocalUserRecord unset = Sample();
  unset.height = unset.weight = unset.walkingStride = unset.runningStride = 0;
  unset.age = 0;
  unset.sex = LocalUserRecord::kSexNotSet;
  unset.photo = "../user.dat";  // never opened as a photo
  Store(unset);
  UserEditor editor = Editor(Mode::Edit, true, true);
  EXPECT_EQ(editor.Shown(), (EditorTexts{"Zo\xC3\xAB", "pw", "", "", "", "", "", -1}));
  EXPECT_EQ(editor.StoredPhoto(), std::nullopt);
}

TEST_F(UserEditorTest, MeasuresOutOfRangeAreRefusedWithTheirUnitsMessage) {
  struct Case {
    const char* field;
    const char* text;
    bool imperial;
    bool pounds;
    const char* message;  // nullptr: saved
  };
  const Case cases[] = {
      {"height", "175", false, false, nullptr},
      {"height", "100", false, false, nullptr},
      {"height", "240", false, false, nullptr},
      {"height", "99", false, false, kMetricHeight},
      {"height", "241", false, false, kMetricHeight},
      {"height", "", false, false, kMetricHeight},     // every measure is needed when editing
      {"height", "69", true, false, kImperialHeight},  // 6 inches: no apostrophe, the 9 is taken for the quote
      {"weight", "19", false, false, kMetricWeight},
      {"weight", "20", false, false, nullptr},
      {"weight", "220", false, false, nullptr},
      {"weight", "19", true, false, kMetricWeight},  // the weight message follows the weight unit
      {"weight", "40", false, true, kPoundWeight},
      {"walking", "181", false, false, "Invalid stride (Walking)!\nIt should be ranged from 20cm ~ 180cm"},
      {"running", "7\"", true, false, "Invalid stride (Running)!\nIt should be ranged from 8\" ~ 5'11\""},
  };
  LocalUserRecord sample = Sample();
  sample.walkingStride = 70;
  Store(sample);
  const LocalUserRecord before = loggedIn;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.text);
    confirmations = 0;
    ASSERT_TRUE(users.Store(before).ok());
    UserEditor editor = Editor(Mode::Edit, c.imperial, c.pounds);
    EditorTexts typed = editor.Shown();
    std::string& field = std::string(c.field) == "height"    ? typed.height
                         : std::string(c.field) == "weight"  ? typed.weight
                         : std::string(c.field) == "walking" ? typed.walkingStride
                                                             : typed.runningStride;
    field = c.text;
    const EditorOutcome outcome = editor.Save(typed, Confirm("pw"));
    if (c.message == nullptr) {
      EXPECT_EQ(Shown(outcome), std::vector<std::string>{"Record Saved"});
      EXPECT_TRUE(outcome.close);
      continue;
    }
    EXPECT_EQ(Shown(outcome), (std::vector<std::string>{std::string("!") + c.message, "Please input all data"}));
    EXPECT_FALSE(outcome.close);
    EXPECT_EQ(confirmations, 0);
    EXPECT_EQ(Stored(before.id), before);
  }
}

TEST_F(UserEditorTest, OnlyTheFirstMeasureOutOfRangeIsNamed) {
  Store(Sample());
  UserEditor editor = Editor(Mode::Edit);
  const EditorOutcome outcome = editor.Save({"Zo\xC3\xAB", "pw", "", "10", "5", "500", "34", 1}, Confirm("pw"));
  EXPECT_EQ(Shown(outcome), (std::vector<std::string>{std::string("!") + kMetricHeight, "Please input all data"}));
}

TEST_F(UserEditorTest, TheDailyStepGoalIsCheckedAndKeptBesideTheUser) {
  Store(Sample());
  {
    UserEditor editor = Editor(Mode::Edit);
    EXPECT_EQ(editor.Shown().stepGoal, "") << "no goal yet";
    EditorTexts typed = editor.Shown();
    for (const char* bad : {"999", "100000", "12a", "-2000"}) {
      typed.stepGoal = bad;
      const EditorOutcome refused = editor.Save(typed, Confirm("pw"));
      EXPECT_EQ(Shown(refused), std::vector<std::string>{std::string("!") + kStepGoalRangeMessage}) << bad;
      EXPECT_FALSE(refused.close);
    }
    EXPECT_EQ(confirmations, 0) << "refused before the password is asked again";
    EXPECT_FALSE(fs::exists(paths.DataFolder() / StepGoalFileName(100)));
    typed.stepGoal = "10000";
    ASSERT_TRUE(editor.Save(typed, Confirm("pw")).close);
  }
  EXPECT_EQ(LoadStepGoal(paths, 100), 10000);
  const std::vector<std::uint8_t> userDat = test::ReadBytes(paths.UserDatabase());
  {
    // Cancel keeps the stored goal; an emptied field removes it.
    UserEditor editor = Editor(Mode::Edit);
    EXPECT_EQ(editor.Shown().stepGoal, "10000");
    EditorTexts typed = editor.Shown();
    typed.stepGoal = "8000";
    ASSERT_FALSE(editor.Save(typed, Confirm("other")).close);
    editor.Cancel();
    EXPECT_EQ(editor.StepGoal(), 10000);
    EXPECT_EQ(LoadStepGoal(paths, 100), 10000);
    typed.stepGoal = "";
    ASSERT_TRUE(editor.Save(typed, Confirm("pw")).close);
  }
  EXPECT_EQ(LoadStepGoal(paths, 100), std::nullopt);
  EXPECT_EQ(test::ReadBytes(paths.UserDatabase()), userDat) << "user.dat keeps its bytes";

  // A goal that cannot be written is said; the user is saved all the same.
  fs::create_directory(paths.DataFolder() / StepGoalFileName(100));
  UserEditor editor = Editor(Mode::Edit);
  EditorTexts typed = editor.Shown();
  typed.stepGoal = "9000";
  const EditorOutcome outcome = editor.Save(typed, Confirm("pw"));
  EXPECT_TRUE(outcome.close);
  ASSERT_EQ(outcome.messages.size(), 2u);
  EXPECT_EQ(outcome.messages[1].icon, NoticeIcon::Warning);
  EXPECT_NE(outcome.messages[1].text.find("The daily step goal could not be saved"), std::string::npos);
}

TEST_F(UserEditorTest, UntouchedImperialStridesStayExactAndAgeAndSexAreRead) {
  Store(Sample());
  UserEditor editor = Editor(Mode::Edit, true, false);
  EditorTexts typed = editor.Shown();
  typed.age = "35 years";
  typed.sex = -1;
  ASSERT_TRUE(editor.Save(typed, Confirm("pw")).close);
  const LocalUserRecord stored = Stored(100);
  EXPECT_EQ(stored.walkingStride, 70);
  EXPECT_EQ(stored.runningStride, 95.5);
  EXPECT_EQ(stored.age, 35);
  EXPECT_EQ(stored.sex, LocalUserRecord::kSexNotSet);
  EXPECT_TRUE(editor.Saved());
  EXPECT_EQ(editor.User(), stored);
}

TEST_F(UserEditorTest, MissingNameOrPasswordComesBeforeAnyOtherCheck) {
  Store(Sample());
  UserEditor editor = Editor(Mode::Edit);
  EditorTexts typed = editor.Shown();
  typed.password.clear();
  typed.height = "5";
  const EditorOutcome outcome = editor.Save(typed, Confirm(""));
  EXPECT_EQ(Shown(outcome), std::vector<std::string>{"Please input all data"});
  EXPECT_EQ(outcome.messages[0].icon, NoticeIcon::None);
  EXPECT_FALSE(outcome.close);
  EXPECT_EQ(confirmations, 0);

  // A cancelled confirmation stops without a word.
  const EditorOutcome cancelled = editor.Save(editor.Shown(), [] { return std::optional<std::string>(); });
  EXPECT_TRUE(cancelled.messages.empty());
  EXPECT_FALSE(cancelled.close);
}

TEST_F(UserEditorTest, CreateModeAddsAUserWithNothingButNameAndPassword) {
  UserEditor first = Editor(Mode::Create);
  EditorOutcome outcome = first.Save({"Ann", "secret", "", "", "", "", "", -1}, Confirm("secret"));
  EXPECT_EQ(Shown(outcome), std::vector<std::string>{"Record Saved"});
  EXPECT_TRUE(outcome.close);
  const LocalUserRecord ann = Stored(100);
  EXPECT_EQ(ann.name, "Ann");
  EXPECT_EQ(ann.password, "secret");
  EXPECT_EQ(ann.height, 0);
  EXPECT_EQ(ann.weight, 0);
  EXPECT_EQ(ann.walkingStride, 0);
  EXPECT_EQ(ann.runningStride, 0);
  EXPECT_EQ(ann.age, 0);
  EXPECT_EQ(ann.sex, LocalUserRecord::kSexNotSet);
  EXPECT_EQ(ann.photo, "");
  EXPECT_TRUE(fs::exists(paths.DataFolder() / "100.dat"));
  EXPECT_TRUE(fs::exists(paths.DataFolder() / "100_exercise.dat"));
  EXPECT_EQ(first.User(), ann);

  // A second "Ann" is refused; the editor stays open, and Cancel writes
  // nothing.
  UserEditor again = Editor(Mode::Create);
  outcome = again.Save({"Ann", "other", "", "", "", "", "", -1}, Confirm("other"));
  ASSERT_EQ(outcome.messages.size(), 1u);
  EXPECT_EQ(outcome.messages[0].icon, NoticeIcon::Warning);
  EXPECT_EQ(outcome.messages[0].text, "The name already exists in the databse!\nPlease choose another one.");
  EXPECT_FALSE(outcome.close);
  EXPECT_EQ(users.GetCount(), 1);
  EXPECT_FALSE(again.Saved());
  again.Cancel();
  EXPECT_EQ(again.User(), LocalUserRecord{});
  EXPECT_EQ(users.All(), std::vector<LocalUserRecord>{ann});
}

TEST_F(UserEditorTest, TextsAreStoredAsWindows1252WithinTheFieldWidths) {
  UserEditor editor = Editor(Mode::Create);
  const std::string name30(30, 'n');
  EXPECT_FALSE(editor.Save({name30 + "n", "pw", "", "", "", "", "", -1}, Confirm("pw")).close);
  EXPECT_FALSE(editor.Save({"Chlo\xC3\xAB", "\xCE\xA9", "", "", "", "", "", -1}, Confirm("\xCE\xA9")).close);  // Ω
  EXPECT_EQ(users.GetCount(), 0);
  // "€" is one byte in Windows-1252, and the confirmation compares bytes.
  ASSERT_TRUE(editor
                  .Save({name30,
                         "\xE2\x82\xAC"
                         "12345678901",
                         "", "", "", "", "", -1},
                        Confirm("\xE2\x82\xAC"
                                "12345678901"))
                  .close);
  EXPECT_EQ(Stored(100).name, name30);
  EXPECT_EQ(Stored(100).password,
            "\x80"
            "12345678901");
}

TEST_F(UserEditorTest, OverlongStoredTextsAreKeptUntilChanged) {
  // A file written elsewhere fills both fields to their last byte.
  std::array<std::uint8_t, LocalUserRecord::kSize> bytes{};
  Sample().ToBytes(bytes.data());
  std::memset(bytes.data() + 4, 'N', 31);
  std::memcpy(bytes.data() + 35, "ABCDEFGHIJKLM", 13);
  users.Close();
  WriteAll(paths.UserDatabase(), std::string(bytes.begin(), bytes.end()));
  ASSERT_TRUE(users.Open(paths.UserDatabase()));
  loggedIn = users.RecordAt(0);

  UserEditor editor = Editor(Mode::Edit);
  EXPECT_EQ(editor.Shown().name, std::string(31, 'N'));
  EXPECT_EQ(editor.Shown().password, "ABCDEFGHIJKLM");
  EditorTexts typed = editor.Shown();
  typed.password = "ABCDEFGHIJKLm";  // a changed password must fit
  EXPECT_FALSE(editor.Save(typed, Confirm("ABCDEFGHIJKLm")).close);
  EXPECT_EQ(users.RecordAt(0).password, "ABCDEFGHIJKLM");
  EXPECT_TRUE(editor.Save(editor.Shown(), Confirm("ABCDEFGHIJKLM")).close);
  EXPECT_EQ(users.RecordAt(0).name, std::string(31, 'N'));
  EXPECT_EQ(users.RecordAt(0).password, "ABCDEFGHIJKLM");
}

TEST_F(UserEditorTest, AUserNoLongerInTheFileIsNotSavedElsewhere) {
  Store(Sample());
  Store(Sample());  // 101, the last record
  loggedIn = Stored(100);
  loggedIn.id = 555;  // user.dat changed under the logged-in user
  const std::string fileBefore = test::ReadText(paths.UserDatabase());
  UserEditor editor = Editor(Mode::Edit);
  const EditorOutcome outcome = editor.Save(editor.Shown(), Confirm("pw"));
  EXPECT_EQ(Shown(outcome),
            std::vector<std::string>{"!The changes could not be saved: this user is no longer in the user database."});
  EXPECT_FALSE(outcome.close);
  EXPECT_EQ(editor.User().id, 555);  // still the edited user, not the file's last one
  EXPECT_EQ(test::ReadText(paths.UserDatabase()), fileBefore);

  users.Close();
  EXPECT_FALSE(editor.Save(editor.Shown(), Confirm("pw")).close);
}

TEST_F(UserEditorTest, APhotoIsCopiedOnlyOnSaveAndAFailedCopyKeepsTheOldOne) {
  Store(Sample());
  const fs::path chosen = dir / "me.jpg";
  WriteAll(chosen, "png bytes");
  UserEditor editor = Editor(Mode::Edit);
  ASSERT_EQ(editor.ChoosePhoto(chosen, "png"), std::nullopt);
  EXPECT_FALSE(fs::exists(paths.PhotosFolder()));
  ASSERT_TRUE(editor.Save(editor.Shown(), Confirm("pw")).close);
  EXPECT_EQ(Stored(100).photo, "100.png");
  EXPECT_EQ(test::ReadText(paths.PhotosFolder() / "100.png"), "png bytes");

  // A file where the photos folder belongs.
  fs::remove_all(paths.PhotosFolder());
  WriteAll(paths.PhotosFolder(), "in the way");
  loggedIn = editor.User();
  UserEditor blocked = Editor(Mode::Edit);
  ASSERT_EQ(blocked.ChoosePhoto(chosen, "bmp"), std::nullopt);
  EditorTexts typed = blocked.Shown();
  typed.age = "40";
  const EditorOutcome outcome = blocked.Save(typed, Confirm("pw"));
  ASSERT_EQ(outcome.messages.size(), 2u);
  EXPECT_EQ(outcome.messages[0].text, "Record Saved");
  EXPECT_EQ(outcome.messages[1].icon, NoticeIcon::Warning);
  EXPECT_EQ(outcome.messages[1].text.rfind("The photo could not be saved, the previous one is kept.\n", 0), 0u);
  EXPECT_TRUE(outcome.close);  // the rest of the record was saved
  EXPECT_EQ(Stored(100).age, 40);
  EXPECT_EQ(Stored(100).photo, "100.png");
  EXPECT_EQ(blocked.User().photo, "100.png");
}

TEST(UserRulesText, PasswordsAndTextsCompareAsStoredBytes) {
  EXPECT_TRUE(
      PasswordsMatch("Gr\xC3\xBC\xC3\x9F"
                     "e",
                     "Gr\xFC\xDF"
                     "e"));  // "Grüße"
  EXPECT_FALSE(
      PasswordsMatch("gr\xC3\xBC\xC3\x9F"
                     "e",
                     "Gr\xFC\xDF"
                     "e"));
  EXPECT_TRUE(PasswordsMatch("\xE2\x82\xAC", "\x80"));
  EXPECT_FALSE(PasswordsMatch("\xC4\x85", "\xE5"));  // "ą" has no byte; "å" is not it
  EXPECT_FALSE(PasswordsMatch("\xC4\x85", "?"));
  EXPECT_FALSE(PasswordsMatch("", "x"));

  EXPECT_EQ(TypedToStored("caf\xC3\xA9", "", 12), "caf\xE9");
  EXPECT_EQ(TypedToStored(std::string(13, 'a'), "", 12), std::nullopt);
  EXPECT_EQ(TypedToStored(std::string(13, 'a'), std::string(13, 'a'), 12), std::string(13, 'a'));
  EXPECT_EQ(TypedToStored(std::string(13, 'b'), std::string(13, 'a'), 12), std::nullopt);
  EXPECT_EQ(TypedToStored("\xE4\xB8\xAD", "", 12), std::nullopt);  // a CJK character

  EXPECT_EQ(LeadingInteger(" 35 years"), 35);
  EXPECT_EQ(LeadingInteger("x"), 0);
  EXPECT_EQ(LeadingInteger("99999999999"), 2147483647);
  EXPECT_EQ(LeadingInteger("-99999999999"), -2147483647 - 1);
}

TEST(UserRulesText, PhotoExtensionsComeFromTheFormat) {
  EXPECT_EQ(PhotoExtension("jpeg"), "jpg");
  EXPECT_EQ(PhotoExtension("PNG"), "png");
  EXPECT_EQ(PhotoExtension("gif"), "gif");
  EXPECT_EQ(PhotoExtension(""), std::nullopt);
  EXPECT_EQ(PhotoExtension("x/y"), std::nullopt);
  EXPECT_EQ(PhotoExtension("longname"), std::nullopt);
}

}  // namespace
}  // namespace tempovia
