#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "Process.h"
#include "TempDir.h"
#include "WatchScenario.h"

namespace tempovia {
namespace {

using nlohmann::json;
using test::ProcessResult;

constexpr char kToday[] = "2009-01-05";
const std::chrono::year_month_day kTodayDate{std::chrono::year{2009}, std::chrono::month{1}, std::chrono::day{5}};

class CliTest : public testing::Test {
 protected:
  ProcessResult Run(std::vector<std::string> arguments, const std::string& password = "s3cret") {
    std::vector<std::string> all{"--home", m_dir.Path().string(), "--today", kToday};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return test::RunProcess(TEMPOVIA_CLI, all, {{"TEMPOVIA_PASSWORD", password}});
  }
  json RunJson(std::vector<std::string> arguments, const std::string& password = "s3cret") {
    const ProcessResult r = Run(std::move(arguments), password);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.exitCode == 0 ? json::parse(r.out) : json();
  }
  void AddUser(const std::string& name = "Ann") { RunJson({"add-user", "--name", name, "--height", "170"}); }
  std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  test::TempDir m_dir;
};

TEST_F(CliTest, DumpImageShowsTheSimulatedWeek) {
  const auto image = m_dir / "week.img";
  RunJson({"simulate-image", "--out", image.string(), "--seed", "7"});
  const json dump = RunJson({"dump-image", image.string()});
  const WatchScenario scenario = WatchScenario::ForSeed(7, kTodayDate);
  const WatchImageValues& v = scenario.Values();
  EXPECT_TRUE(dump["user"]["valid"].get<bool>());
  EXPECT_EQ(dump["user"]["height"], v.height);
  EXPECT_EQ(dump["user"]["dayCount"], v.dayCountByte);
  ASSERT_EQ(dump["days"].size(), 7u);
  for (int slot = 0; slot < 7; ++slot) {
    const json& day = dump["days"][static_cast<std::size_t>(slot)];
    const StepDay& want = v.days[static_cast<std::size_t>(slot)];
    EXPECT_EQ(day["slot"], slot);
    EXPECT_EQ(day["steps"], want.steps);
    EXPECT_EQ(day["day"], want.day);
    EXPECT_DOUBLE_EQ(day["calories"].get<double>(), want.calories);
  }
  EXPECT_EQ(dump["exercises"]["count"], v.exerciseCountByte);
  EXPECT_EQ(dump["exercises"]["entries"].size(), 7u);
  EXPECT_EQ(dump["exercises"]["entries"][0]["steps"].get<double>(), v.exercises[0].steps);
}

TEST_F(CliTest, DumpImageRefusesAFileOfTheWrongSize) {
  std::ofstream(m_dir / "short.img") << "not an image";
  const ProcessResult r = Run({"dump-image", (m_dir / "short.img").string()});
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("not a watch memory image"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
}

TEST_F(CliTest, UsersAreAddedCheckedAndListedWithoutPasswords) {
  const json added =
      RunJson({"add-user", "--name", "Zo\xC3\xAB", "--height", "175", "--weight", "70", "--sex", "female"});
  EXPECT_EQ(added["id"], 100);
  EXPECT_EQ(added["stepFile"], "100.dat");
  EXPECT_TRUE(std::filesystem::exists(m_dir.Path() / "data" / "100.dat"));
  EXPECT_TRUE(std::filesystem::exists(m_dir.Path() / "data" / "100_exercise.dat"));

  struct Refusal {
    std::vector<std::string> arguments;
    const char* message;
  };
  const Refusal refusals[] = {
      {{"add-user", "--name", "Zo\xC3\xAB"}, "The name already exists in the databse! Please choose another one."},
      {{"add-user", "--name", "Bob", "--height", "241"}, "Invalid height! It should be ranged from 100cm ~ 240cm"},
      {{"add-user", "--name", "Bob", "--weight", "19"}, "Invalid weight! It should be ranged from 20kg ~ 220kg"},
      {{"add-user", "--name", "Bob", "--height", "nan"}, "Invalid height! It should be ranged from 100cm ~ 240cm"},
      {{"add-user", "--name", std::string(31, 'x')}, "at most 30 characters"},
      {{"add-user", "--name", "\xE6\x97\xA5"}, "cannot be stored"},
  };
  for (const Refusal& refusal : refusals) {
    const ProcessResult r = Run(refusal.arguments);
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.err.find(refusal.message), std::string::npos) << r.err;
  }
  const ProcessResult longPassword = Run({"add-user", "--name", "Bob"}, "thirteen-char");
  EXPECT_NE(longPassword.err.find("at most 12 characters"), std::string::npos) << longPassword.err;

  const json users = RunJson({"users"});
  ASSERT_EQ(users.size(), 1u);
  EXPECT_EQ(users[0]["name"], "Zo\xC3\xAB");
  EXPECT_FALSE(users[0].contains("password"));
  EXPECT_EQ(users[0].dump().find("s3cret"), std::string::npos);
}

TEST_F(CliTest, DownloadStoresExactlyTheNamedValidDaysAndSessions) {
  AddUser();
  const json result = RunJson({"--simulate-watch=4", "--simulate-instant", "download", "--user", "Ann"});
  const WatchScenario scenario = WatchScenario::ForSeed(4, kTodayDate);
  const WatchImageValues& v = scenario.Values();
  EXPECT_EQ(result["daysStored"], v.dayCountByte);
  EXPECT_EQ(result["exercisesStored"], v.exerciseCountByte);
  EXPECT_EQ(result["latestDate"], kToday);

  const json days = RunJson({"days", "--user", "Ann"});
  ASSERT_EQ(days.size(), v.dayCountByte);
  std::set<int> stepsWanted;
  for (int p = 0; p < v.dayCountByte; ++p)
    stepsWanted.insert(v.days[v.dayOrderTable[static_cast<std::size_t>(p)] & 0x0F].steps);
  std::set<int> stepsStored;
  for (const json& day : days) stepsStored.insert(static_cast<int>(day["steps"].get<double>()));
  EXPECT_EQ(stepsStored, stepsWanted);
  EXPECT_EQ(days.back()["date"], kToday);

  // The same week again changes nothing.
  const json again = RunJson({"--simulate-watch=4", "--simulate-instant", "download", "--user", "Ann"});
  EXPECT_EQ(RunJson({"days", "--user", "Ann"}), days);
  EXPECT_EQ(RunJson({"exercises", "--user", "Ann"}).size(), static_cast<std::size_t>(v.exerciseCountByte));

  const json someDays = RunJson({"days", "--user", "Ann", "--from", kToday, "--to", kToday});
  ASSERT_EQ(someDays.size(), 1u);
  EXPECT_EQ(someDays[0]["date"], kToday);
}

TEST_F(CliTest, SettingTheClockStoresNothing) {
  AddUser();
  const json result = RunJson({"--simulate-watch", "--simulate-instant", "download", "--user", "Ann", "--set-clock"});
  EXPECT_EQ(result["daysStored"], 0);
  EXPECT_FALSE(result["clock"].get<std::string>().empty());
  EXPECT_TRUE(RunJson({"days", "--user", "Ann"}).empty());
}

TEST_F(CliTest, AWatchThatFailsItsChecksumFailsAfterTenAttemptsAndStoresNothing) {
  AddUser();
  WatchImageValues v = WatchScenario::ForSeed(2, kTodayDate).Values();
  v.corruptSettingsChecksum = true;
  const WatchImage image = EncodeWatchImage(v);
  const auto path = m_dir / "bad.img";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), image.size());
  const ProcessResult r =
      Run({"--simulate-watch=" + path.string(), "--simulate-instant", "--trace", "download", "--user", "Ann"});
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("tempovia-cli: Download error! Please Plug the Device and Try again"), std::string::npos);
  EXPECT_NE(r.err.find("Retry Count = 9"), std::string::npos);
  EXPECT_EQ(r.err.find("Retry Count = 10"), std::string::npos);
  EXPECT_TRUE(RunJson({"days", "--user", "Ann"}).empty());
}

TEST_F(CliTest, ReadImageSavesTheWatchMemoryAsStored) {
  const auto read = m_dir / "read.img";
  const auto simulated = m_dir / "simulated.img";
  RunJson({"--simulate-watch=9", "--simulate-instant", "read-image", "--out", read.string()});
  RunJson({"simulate-image", "--seed", "9", "--out", simulated.string()});
  EXPECT_EQ(ReadFile(read), ReadFile(simulated));
  EXPECT_EQ(ReadFile(read).size(), 512u);
}

TEST_F(CliTest, AnImageReplacesAFileButNeverAFolderAndAFailureSaysWhy) {
  const auto image = m_dir / "week.img";
  std::ofstream(image) << "an older dump";
  RunJson({"simulate-image", "--out", image.string()});
  EXPECT_EQ(ReadFile(image).size(), 512u);

  const ProcessResult folder = Run({"simulate-image", "--out", m_dir.Path().string()});
  EXPECT_NE(folder.exitCode, 0);
  EXPECT_NE(folder.err.find("not a regular file"), std::string::npos) << folder.err;
  EXPECT_TRUE(std::filesystem::is_directory(m_dir.Path()));

  const ProcessResult missing = Run({"simulate-image", "--out", (m_dir / "no-such-folder" / "x.img").string()});
  EXPECT_NE(missing.exitCode, 0);
  EXPECT_NE(missing.err.find("No such file or directory"), std::string::npos) << missing.err;
}

TEST_F(CliTest, WrongPasswordIsRefusedAndChangesNothing) {
  AddUser();
  const ProcessResult r = Run({"delete-user", "--name", "Ann"}, "S3CRET");
  EXPECT_EQ(r.exitCode, 4);
  EXPECT_NE(r.err.find("Incorrect Login"), std::string::npos);
  EXPECT_EQ(RunJson({"users"}).size(), 1u);
}

TEST_F(CliTest, DeleteUserRemovesTheUserAndTheUsersFiles) {
  AddUser("Ann");
  AddUser("Bob");
  RunJson({"delete-user", "--name", "Ann"});
  const json users = RunJson({"users"});
  ASSERT_EQ(users.size(), 1u);
  EXPECT_EQ(users[0]["name"], "Bob");
  EXPECT_FALSE(std::filesystem::exists(m_dir.Path() / "data" / "100.dat"));
  EXPECT_TRUE(std::filesystem::exists(m_dir.Path() / "data" / "101.dat"));
}

TEST_F(CliTest, ReportWritesAPdfWithBothTables) {
  AddUser();
  RunJson({"--simulate-watch", "--simulate-instant", "download", "--user", "Ann"});
  const json written = RunJson({"report", "--user", "Ann", "--from", "2008-12-01", "--to", "2009-01-31", "--out",
                                (m_dir / "ann").string(), "--sort", "steps"});
  EXPECT_EQ(written["path"], (m_dir / "ann.pdf").string());
  const ProcessResult info = test::RunProcess(PDFINFO, {(m_dir / "ann.pdf").string()});
  EXPECT_TRUE(std::regex_search(info.out, std::regex(R"(Pages:\s+2\n)"))) << info.out;

  const ProcessResult nothing = Run({"report", "--user", "Ann", "--from", "2009-01-01", "--to", "2009-01-31", "--out",
                                     (m_dir / "x").string(), "--no-detail"});
  EXPECT_EQ(nothing.exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(m_dir / "x.pdf"));
}

TEST_F(CliTest, AUserFileNameLeadingOutOfTheDataFolderIsRefusedSayingSo) {
  AddUser();
  {
    // An imported user.dat whose step file name climbs out of the data folder.
    std::fstream users(m_dir / "data" / "user.dat", std::ios::in | std::ios::out | std::ios::binary);
    users.seekp(108);
    users.write("../escape.dat", 14);
  }
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"days", "--user", "Ann"},
        std::vector<std::string>{"report", "--user", "Ann", "--from", "2009-01-01", "--to", "2009-01-05", "--out",
                                 (m_dir / "r.pdf").string()}}) {
    const ProcessResult r = Run(command);
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.err.find("The user's step file is not a plain file name in the data folder: \"../escape.dat\""),
              std::string::npos)
        << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(m_dir / "escape.dat"));
  EXPECT_FALSE(std::filesystem::exists(m_dir / "r.pdf"));
}

TEST_F(CliTest, ExportAndImportRoundTripTheDataFolder) {
  AddUser();
  RunJson({"--simulate-watch", "--simulate-instant", "download", "--user", "Ann"});
  const json days = RunJson({"days", "--user", "Ann"});
  const auto backups = m_dir / "backups";
  std::filesystem::create_directory(backups);
  const json exported = RunJson({"export", backups.string()});
  EXPECT_EQ(exported["path"], (backups / "Tempovia Data 05-Jan-2009").string());

  const ProcessResult twice = Run({"export", backups.string()});
  EXPECT_NE(twice.exitCode, 0);
  EXPECT_NE(twice.err.find("Output folder already exist"), std::string::npos);
  RunJson({"export", backups.string(), "--overwrite"});

  RunJson({"delete-user", "--name", "Ann"});
  EXPECT_TRUE(RunJson({"users"}).empty());
  RunJson({"import", exported["path"].get<std::string>()});
  EXPECT_EQ(RunJson({"days", "--user", "Ann"}), days);

  const ProcessResult wrong = Run({"import", backups.string()});
  EXPECT_NE(wrong.err.find("Incorrect files!"), std::string::npos);
}

TEST_F(CliTest, UsageErrorsSayWhatIsWrong) {
  const ProcessResult date = Run({"days", "--user", "Ann", "--from", "2009-02-30"});
  EXPECT_EQ(date.exitCode, 2);
  EXPECT_NE(date.err.find("--from must be a date written YYYY-MM-DD"), std::string::npos) << date.err;
  const ProcessResult none = Run({});
  EXPECT_NE(none.exitCode, 0);
  const ProcessResult noWatch =
      Run({"--simulate-watch=" + (m_dir / "missing.img").string(), "read-image", "--out", "x"});
  EXPECT_NE(noWatch.exitCode, 0);
  EXPECT_NE(noWatch.err.find("Cannot read"), std::string::npos) << noWatch.err;
}

}  // namespace
}  // namespace tempovia
