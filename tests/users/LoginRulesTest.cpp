#include "LoginRules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "StorePaths.h"
#include "TempDir.h"

namespace tempovia {
namespace {

class LoginRulesTest : public ::testing::Test {
 protected:
  LoginRulesTest() : paths(dir.Path()) {
    EXPECT_TRUE(paths.CreateDataFolder().ok());
    EXPECT_TRUE(users.Open(paths.UserDatabase()));
  }

  void Add(const std::string& name, const std::string& password) {
    LocalUserRecord user;
    user.name = name;
    user.password = password;
    users.Current() = user;
    ASSERT_TRUE(users.Append());
    // A user's files, so deleting one shows they go.
    std::ofstream(*paths.UserFile(users.Current().stepFile)) << "x";
    std::ofstream(*paths.UserFile(users.Current().exerciseFile)) << "x";
  }

  std::string Shown() const { return ShownUserText(users); }

  test::TempDir dir;
  StorePaths paths;
  UserData users;
};

TEST_F(LoginRulesTest, WithNoUsersNobodyCanLogInOrBeDeleted) {
  EXPECT_EQ(Shown(), "  ");
  EXPECT_EQ(TryLogin(users, ""), LoginResult::EmptyPassword);
  EXPECT_EQ(TryLogin(users, "anything"), LoginResult::Incorrect);
  // The all-zero record has an empty password; an empty text never logs in.
  EXPECT_EQ(LoginRefusal(LoginResult::EmptyPassword).text, kEnterPasswordMessage);
  EXPECT_EQ(LoginRefusal(LoginResult::EmptyPassword).icon, NoticeIcon::Warning);
  EXPECT_EQ(LoginRefusal(LoginResult::Incorrect).text, kIncorrectLoginMessage);
  EXPECT_EQ(LoginRefusal(LoginResult::Incorrect).icon, NoticeIcon::Information);
  ASSERT_TRUE(DeleteRefusal(users).has_value());
  EXPECT_EQ(DeleteRefusal(users)->text, kNoUserRecordMessage);
}

TEST_F(LoginRulesTest, PasswordsCountLetterCaseAndStoredBytes) {
  Add("Zo\xEB", "P\xE4ss");  // Windows-1252: Zoë, Päss
  ASSERT_TRUE(users.MoveFirst());
  EXPECT_EQ(Shown(), "  Zo\xC3\xAB");
  EXPECT_EQ(TryLogin(users, "p\xC3\xA4ss"), LoginResult::Incorrect);
  EXPECT_EQ(TryLogin(users, "P\xC3\xA4ss"), LoginResult::LoggedIn);
  EXPECT_EQ(TryLogin(users, "P\xC3\xA4ss\xE2\x9C\x93"), LoginResult::Incorrect);
}

TEST_F(LoginRulesTest, TheArrowsGoRoundTheUsers) {
  Add("Ann", "a");
  ASSERT_TRUE(users.MoveFirst());
  ShowNextUser(users);
  EXPECT_EQ(Shown(), "  Ann");
  ShowPreviousUser(users);
  EXPECT_EQ(Shown(), "  Ann");

  Add("Ben", "b");
  Add("Cy", "c");
  ASSERT_TRUE(users.MoveLastActive());
  EXPECT_EQ(Shown(), "  Cy");
  ShowNextUser(users);
  EXPECT_EQ(Shown(), "  Ann");
  ShowPreviousUser(users);
  EXPECT_EQ(Shown(), "  Cy");
  ShowPreviousUser(users);
  EXPECT_EQ(Shown(), "  Ben");
  ShowNewUser(users);
  EXPECT_EQ(Shown(), "  Cy");
}

TEST_F(LoginRulesTest, DeletingWantsTheShownUsersPasswordAndTakesTheirFiles) {
  Add("Ann", "a");
  Add("Ben", "Secret");
  ASSERT_TRUE(users.MoveLastActive());
  const std::filesystem::path steps = *paths.UserFile(users.Current().stepFile);
  const std::filesystem::path sessions = *paths.UserFile(users.Current().exerciseFile);

  const Notice wrong = DeleteShownUser(users, "secret");
  EXPECT_EQ(wrong.text, kInvalidPasswordMessage);
  EXPECT_EQ(wrong.icon, NoticeIcon::Warning);
  EXPECT_EQ(users.GetCount(), 2);
  EXPECT_TRUE(std::filesystem::exists(steps));

  const Notice done = DeleteShownUser(users, "Secret");
  EXPECT_EQ(done.text, kUserDeletedMessage);
  EXPECT_EQ(done.icon, NoticeIcon::None);
  EXPECT_EQ(users.GetCount(), 1);
  EXPECT_FALSE(std::filesystem::exists(steps));
  EXPECT_FALSE(std::filesystem::exists(sessions));
  EXPECT_EQ(Shown(), "  Ann");  // the first left

  EXPECT_EQ(DeleteShownUser(users, "a").text, kUserDeletedMessage);
  EXPECT_EQ(users.GetCount(), 0);
  EXPECT_EQ(Shown(), "  ");
}

TEST_F(LoginRulesTest, AUserWithoutANameCannotBeDeleted) {
  Add("", "x");  // a foreign file
  ASSERT_TRUE(users.MoveFirst());
  ASSERT_TRUE(DeleteRefusal(users).has_value());
  EXPECT_EQ(DeleteRefusal(users)->text, kSelectUserMessage);
}

}  // namespace
}  // namespace tempovia
