#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <regex>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "CsvReading.h"
#include "FileContents.h"
#include "Process.h"
#include "TempDir.h"
#include "device/WatchScenario.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"

namespace tempovia {
namespace {

using nlohmann::json;
using test::CsvRows;
using test::ExpectCsvMatchesJson;
using test::ProcessResult;
using test::ReadCsv;

constexpr char kToday[] = "2009-01-05";
const std::chrono::year_month_day kTodayDate{std::chrono::year{2009}, std::chrono::month{1}, std::chrono::day{5}};

using OrderedJson = nlohmann::ordered_json;
std::vector<std::string> Keys(const OrderedJson& object) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : object.items()) keys.push_back(key);
  return keys;
}

class CliTest : public testing::Test {
 protected:
  ProcessResult Run(std::vector<std::string> arguments, const std::string& password = "s3cret",
                    const test::ProcessLimits& limits = {}) {
    std::vector<std::string> all{"--home", m_home.string(), "--today", kToday};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return test::RunProcess(TEMPOVIA_CLI, all, {{"TEMPOVIA_PASSWORD", password}}, limits);
  }
  json RunJson(std::vector<std::string> arguments, const std::string& password = "s3cret") {
    const ProcessResult r = Run(std::move(arguments), password);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.exitCode == 0 ? json::parse(r.out) : json();
  }
  void AddUser(const std::string& name = "Ann") { RunJson({"add-user", "--name", name, "--height", "170"}); }

  test::TempDir m_dir;
  // The base folder; whatever else a test makes in m_dir lies outside it.
  std::filesystem::path m_home = m_dir / "home";
  std::filesystem::path m_data = m_home / "data";
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

TEST_F(CliTest, AnImageOfTheWrongSizeIsRefusedSayingItsSize) {
  const struct {
    std::string bytes;
    const char* said;
  } cases[] = {{"not an image", "it holds 12 bytes, an image holds 512"},
               {"x", "it holds 1 byte, an image holds 512"},
               {"", "it holds 0 bytes, an image holds 512"}};
  const auto image = m_dir / "short.img";
  for (const auto& c : cases) {
    std::ofstream(image, std::ios::trunc) << c.bytes;
    const ProcessResult dumped = Run({"dump-image", image.string()});
    EXPECT_EQ(dumped.exitCode, 1);
    EXPECT_NE(dumped.err.find(image.string() + " is not a watch memory image: " + c.said), std::string::npos)
        << dumped.err;
    EXPECT_TRUE(dumped.out.empty());
    const ProcessResult replayed = Run({"--simulate-watch=" + image.string(), "probe"});
    EXPECT_EQ(replayed.exitCode, 2);
    EXPECT_NE(replayed.err.find(c.said), std::string::npos) << replayed.err;
  }
}

TEST_F(CliTest, UsersAreAddedCheckedAndListedWithoutPasswords) {
  const json added =
      RunJson({"add-user", "--name", "Zo\xC3\xAB", "--height", "175", "--weight", "70", "--sex", "female"});
  EXPECT_EQ(added["id"], 100);
  EXPECT_EQ(added["stepFile"], "100.dat");
  EXPECT_TRUE(std::filesystem::exists(m_data / "100.dat"));
  EXPECT_TRUE(std::filesystem::exists(m_data / "100_exercise.dat"));

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

// add-user keeps new names to 30 characters, but a user.dat from elsewhere
// may fill the whole 31-byte field; such a user is listed, so it can be used.
TEST_F(CliTest, AUserWhoseNameFillsTheWholeFieldCanBeAddressed) {
  AddUser("Ann");
  {
    std::fstream users(m_data / "user.dat", std::ios::in | std::ios::out | std::ios::binary);
    users.seekp(4);
    users.write(("Ren\xE9" + std::string(27, 'e')).data(), 31);  // no NUL: the password follows at once
  }
  const std::string name = "Ren\xC3\xA9" + std::string(27, 'e');
  const json users = RunJson({"users"});
  ASSERT_EQ(users.size(), 1u);
  EXPECT_EQ(users[0]["name"], name);

  RunJson({"--simulate-watch", "--simulate-instant", "download", "--user", name});
  EXPECT_FALSE(RunJson({"days", "--user", name}).empty());
  const ProcessResult longer = Run({"days", "--user", name + "e"});
  EXPECT_EQ(longer.exitCode, 1);
  EXPECT_NE(longer.err.find("No user named"), std::string::npos) << longer.err;
  EXPECT_EQ(RunJson({"delete-user", "--name", name})["deleted"]["name"], name);
  EXPECT_TRUE(RunJson({"users"}).empty());
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

// Under a file size limit the step file takes some days and not the rest:
// the failure says which are stored, and the listing agrees.
TEST_F(CliTest, ADownloadStoredInPartSaysWhatWasStored) {
  AddUser();
  const ProcessResult limited = Run({"--simulate-watch=4", "--simulate-instant", "download", "--user", "Ann"}, "s3cret",
                                    {.fileSizeLimit = 4 * 648 + 100});
  EXPECT_EQ(limited.exitCode, 1);
  EXPECT_TRUE(limited.out.empty()) << limited.out;
  EXPECT_NE(limited.err.find("File too large"), std::string::npos) << limited.err;
  const std::size_t stored = limited.err.find("Stored: 4 days (");
  const std::size_t notStored = limited.err.find("Not stored: ");
  ASSERT_NE(stored, std::string::npos) << limited.err;
  ASSERT_NE(notStored, std::string::npos) << limited.err;
  for (const json& day : RunJson({"days", "--user", "Ann"})) {
    const std::size_t at = limited.err.find(day["date"].get<std::string>(), stored);
    EXPECT_LT(at, notStored) << day["date"];
  }
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
  // The window's loop: ten attempts, then the turn with none left.
  EXPECT_NE(r.err.find("Retry Count = 0\n"), std::string::npos);
  EXPECT_NE(r.err.find("Retry Count = 10\n"), std::string::npos);
  EXPECT_EQ(r.err.find("Retry Count = 11"), std::string::npos);
  EXPECT_TRUE(RunJson({"days", "--user", "Ann"}).empty());
}

TEST_F(CliTest, ReadImageSavesTheWatchMemoryAsStored) {
  const auto read = m_dir / "read.img";
  const auto simulated = m_dir / "simulated.img";
  RunJson({"--simulate-watch=9", "--simulate-instant", "read-image", "--out", read.string()});
  RunJson({"simulate-image", "--seed", "9", "--out", simulated.string()});
  EXPECT_EQ(test::ReadText(read), test::ReadText(simulated));
  EXPECT_EQ(test::ReadText(read).size(), 512u);
}

TEST_F(CliTest, AnImageReplacesAFileButNeverAFolderAndAFailureSaysWhy) {
  const auto image = m_dir / "week.img";
  std::ofstream(image) << "an older dump";
  RunJson({"simulate-image", "--out", image.string()});
  EXPECT_EQ(test::ReadText(image).size(), 512u);

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
  EXPECT_FALSE(std::filesystem::exists(m_data / "100.dat"));
  EXPECT_TRUE(std::filesystem::exists(m_data / "101.dat"));
}

TEST_F(CliTest, ReportWritesAPdfWithBothTables) {
  AddUser();
  RunJson({"--simulate-watch", "--simulate-instant", "download", "--user", "Ann"});
  const json written = RunJson({"report", "--user", "Ann", "--from", "2008-12-01", "--to", "2009-01-31", "--out",
                                (m_dir / "ann").string(), "--sort", "steps"});
  EXPECT_EQ(written["path"], (m_dir / "ann.pdf").string());
  const ProcessResult info = test::RunProcess(PDFINFO, {(m_dir / "ann.pdf").string()});
  EXPECT_TRUE(std::regex_search(info.out, std::regex(R"(Pages:\s+2\n)"))) << info.out;
  EXPECT_FALSE(std::filesystem::exists(m_home / "user.set")) << "a report changes nothing stored";

  const ProcessResult nothing = Run({"report", "--user", "Ann", "--from", "2009-01-01", "--to", "2009-01-31", "--out",
                                     (m_dir / "x").string(), "--no-detail"});
  EXPECT_EQ(nothing.exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(m_dir / "x.pdf"));
}

TEST_F(CliTest, ReportCsvFilesHoldTheReportsRowsInTheListingsColumns) {
  AddUser();
  RunJson({"--simulate-watch", "--simulate-instant", "download", "--user", "Ann"});
  const json written = RunJson({"report", "--user", "Ann", "--from", "2008-12-01", "--to", "2009-01-31", "--out",
                                (m_dir / "Ann.PDF").string(), "--csv"});
  EXPECT_EQ(written["daysCsv"], (m_dir / "Ann days.csv").string());
  EXPECT_EQ(written["sessionsCsv"], (m_dir / "Ann sessions.csv").string());

  // The report lists the days with steps, by date; the listing every day.
  OrderedJson days = OrderedJson::parse(Run({"days", "--user", "Ann"}).out);
  OrderedJson walked = OrderedJson::array();
  for (const OrderedJson& day : days)
    if (day["steps"].get<double>() > 0) walked.push_back(day);
  ASSERT_FALSE(walked.empty());
  std::stable_sort(walked.begin(), walked.end(),
                   [](const OrderedJson& a, const OrderedJson& b) { return a["date"] < b["date"]; });
  ExpectCsvMatchesJson(test::ReadText(m_dir / "Ann days.csv"), walked, Keys(days[0]));
  const OrderedJson sessions = OrderedJson::parse(Run({"exercises", "--user", "Ann"}).out);
  ASSERT_FALSE(sessions.empty());
  ExpectCsvMatchesJson(test::ReadText(m_dir / "Ann sessions.csv"), sessions, Keys(sessions[0]));

  // Without the detailed tables there are no rows to save.
  test::WriteText(m_dir / "chart.jpg", "\xFF\xD8\xFF\xD9");
  RunJson({"report", "--user", "Ann", "--from", "2008-12-01", "--to", "2009-01-31", "--out", (m_dir / "chart").string(),
           "--no-detail", "--chart", (m_dir / "chart.jpg").string(), "--csv"});
  EXPECT_FALSE(std::filesystem::exists(m_dir / "chart days.csv"));
}

struct TableCell {
  std::string text;
  std::size_t end;  // one past its last character
};

// A line of --table output cut into its cells: text separated by two or more
// blanks (a title such as "Distance km" holds one).
std::vector<TableCell> TableCells(const std::string& line) {
  std::vector<TableCell> cells;
  std::size_t at = line.find_first_not_of(' ');
  while (at != std::string::npos) {
    std::size_t end = line.find("  ", at);
    if (end == std::string::npos) end = line.size();
    cells.push_back({line.substr(at, end - at), end});
    at = line.find_first_not_of(' ', end);
  }
  return cells;
}

// Every row on a line of its own, with one cell under each title: the first
// column starts at the left edge, the others end where their title ends.
std::vector<std::vector<TableCell>> ExpectAlignedTable(const std::string& table, const std::vector<std::string>& titles,
                                                       std::size_t rows) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = table.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(table.substr(start, end - start));
  EXPECT_EQ(start, table.size()) << "the last line ends in a line break";
  EXPECT_EQ(lines.size(), rows + 1) << table;
  std::vector<std::vector<TableCell>> cells;
  for (const std::string& line : lines) cells.push_back(TableCells(line));
  if (cells.empty()) return cells;
  std::vector<std::string> shownTitles;
  for (const TableCell& cell : cells[0]) shownTitles.push_back(cell.text);
  EXPECT_EQ(shownTitles, titles);
  for (std::size_t r = 1; r < cells.size(); ++r) {
    SCOPED_TRACE("row " + std::to_string(r) + ": " + lines[r]);
    EXPECT_EQ(cells[r].size(), titles.size());
    EXPECT_EQ(lines[r].front(), cells[r][0].text.front());
    for (std::size_t c = 1; c < std::min(cells[r].size(), cells[0].size()); ++c)
      EXPECT_EQ(cells[r][c].end, cells[0][c].end) << titles[c];
  }
  return cells;
}

double CellNumber(const TableCell& cell) {
  double value = 0;
  const auto [end, error] = std::from_chars(cell.text.data(), cell.text.data() + cell.text.size(), value);
  EXPECT_TRUE(error == std::errc() && end == cell.text.data() + cell.text.size()) << cell.text;
  return value;
}

// A user.dat or data file from elsewhere may hold any double; a table for
// reading still keeps each value under its title and each row on its line.
TEST_F(CliTest, TablesGiveEveryValueTheRoomItNeeds) {
  AddUser();
  RunJson({"--simulate-watch=4", "--simulate-instant", "download", "--user", "Ann"});
  {
    StepData steps;
    ASSERT_TRUE(steps.Open(m_data / "100.dat"));
    ASSERT_TRUE(steps.MoveFirst());
    steps.Current().steps = 1e300;
    steps.Current().calories = -1e200;
    steps.Current().avgHeartRate = 1e20;
    steps.Current().distance = std::numeric_limits<double>::quiet_NaN();
    steps.Current().fatBurnt = std::numeric_limits<double>::infinity();
    ASSERT_TRUE(steps.WriteCurrent());
    CExerciseDB exercises;
    ASSERT_TRUE(exercises.Open(m_data / "100_exercise.dat"));
    ASSERT_TRUE(exercises.MoveFirst());
    exercises.Current().steps = 1e300;
    exercises.Current().distance = -1e250;
    exercises.Current().maxHeartRate = 1e100;
    ASSERT_TRUE(exercises.WriteCurrent());
  }

  // The table's first row, once the whole table has been checked.
  const auto firstRow = [&](const char* command, const std::vector<std::string>& titles) {
    const json list = RunJson({command, "--user", "Ann"});
    const ProcessResult table = Run({command, "--user", "Ann", "--table"});
    EXPECT_EQ(table.exitCode, 0) << table.err;
    const auto cells = ExpectAlignedTable(table.out, titles, list.size());
    const bool whole = cells.size() >= 2 && cells[1].size() == titles.size() && !list.empty();
    EXPECT_TRUE(whole) << table.out;
    return std::pair(whole ? list[0] : json(), whole ? cells[1] : std::vector<TableCell>(titles.size()));
  };
  const auto [day, dayCells] =
      firstRow("days", {"Date", "Steps", "Distance km", "Speed km/h", "Calories", "Fat g", "Heart rate", "Exercise"});
  EXPECT_EQ(dayCells[0].text, day["date"]);
  EXPECT_EQ(CellNumber(dayCells[1]), 1e300);
  EXPECT_EQ(CellNumber(dayCells[4]), -1e200);
  EXPECT_EQ(CellNumber(dayCells[6]), 1e20);
  // No measurement is NaN or infinite: shown as 0 in the table, and as an
  // empty field in CSV (JSON has them as null).
  EXPECT_EQ(dayCells[2].text, "0.00");
  EXPECT_EQ(dayCells[5].text, "0.0");
  const ProcessResult csv = Run({"days", "--user", "Ann", "--csv"});
  const CsvRows rows = ReadCsv(csv.out);
  ASSERT_GE(rows.size(), 2u);
  const auto column = [&](const std::string& name) {
    return static_cast<std::size_t>(std::find(rows[0].begin(), rows[0].end(), name) - rows[0].begin());
  };
  ASSERT_LT(column("fatBurnt"), rows[1].size());
  EXPECT_EQ(rows[1][column("distance")], "");
  EXPECT_EQ(rows[1][column("fatBurnt")], "");
  EXPECT_EQ(rows[1][column("steps")], "1e+300");

  const auto [session, sessionCells] =
      firstRow("exercises", {"Start", "Duration", "Steps", "Distance km", "Calories", "Heart rate min", "avg", "max"});
  EXPECT_EQ(sessionCells[0].text, session["date"].get<std::string>() + " " + session["time"].get<std::string>());
  EXPECT_EQ(CellNumber(sessionCells[2]), 1e300);
  EXPECT_EQ(CellNumber(sessionCells[3]), -1e250);
  EXPECT_EQ(CellNumber(sessionCells[7]), 1e100);
}

TEST_F(CliTest, AUserFileNameLeadingOutOfTheDataFolderIsRefusedSayingSo) {
  AddUser();
  {
    // An imported user.dat whose step file name climbs out of the data folder.
    std::fstream users(m_data / "user.dat", std::ios::in | std::ios::out | std::ios::binary);
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
  EXPECT_FALSE(std::filesystem::exists(m_home / "escape.dat"));
}

TEST_F(CliTest, ALinkWhereAUsersFileShouldBeIsNeverFollowedEvenByAReader) {
  AddUser();
  std::filesystem::remove(m_data / "100.dat");
  std::filesystem::create_symlink(m_dir / "made-outside.dat", m_data / "100.dat");
  const ProcessResult linked = Run({"days", "--user", "Ann"});
  EXPECT_NE(linked.exitCode, 0);
  EXPECT_NE(linked.err.find("symbolic link"), std::string::npos) << linked.err;
  EXPECT_FALSE(std::filesystem::exists(m_dir / "made-outside.dat"));
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
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_NE(wrong.err.find("Incorrect files! " + backups.string() + " holds no user.dat"), std::string::npos)
      << wrong.err;

  // Not a user database: refused with the reason, and nothing changes.
  const auto foreign = m_dir / "foreign";
  std::filesystem::create_directory(foreign);
  std::ofstream(foreign / "user.dat") << std::string(100, '\x7f');
  const std::string usersBefore = test::ReadText(m_data / "user.dat");
  const ProcessResult notUsers = Run({"import", foreign.string()});
  EXPECT_EQ(notUsers.exitCode, 1);
  EXPECT_NE(notUsers.err.find("is not a user database: its 100 bytes"), std::string::npos) << notUsers.err;
  EXPECT_EQ(test::ReadText(m_data / "user.dat"), usersBefore);

  // An export saved inside the one imported is left out, and listed.
  const std::filesystem::path inner = exported["path"].get<std::string>() + "/inner";
  std::filesystem::create_directory(inner);
  std::filesystem::copy_file(m_data / "user.dat", inner / "user.dat");
  const json imported = RunJson({"import", exported["path"].get<std::string>()});
  ASSERT_EQ(imported["leftOut"].size(), 1u) << imported.dump();
  EXPECT_EQ(imported["leftOut"][0]["path"], inner.string());
  EXPECT_EQ(imported["leftOutOfBackup"], json::array());
  EXPECT_FALSE(std::filesystem::exists(m_data / "inner"));
}

TEST_F(CliTest, ImportIsAllOrNothingAndKeepsASafetyCopy) {
  AddUser("Ann");
  RunJson({"--simulate-watch=3", "--simulate-instant", "download", "--user", "Ann"});
  const json annsDays = RunJson({"days", "--user", "Ann"});
  // Bob's folder from another computer, with a photo too large for the limit below.
  const auto bob = m_dir / "bob";
  std::filesystem::create_directories(bob / "photos");
  RunJson({"add-user", "--name", "Bob"});
  std::filesystem::copy_file(m_data / "user.dat", bob / "user.dat");
  std::ofstream(bob / "photos" / "101.jpg") << std::string(200000, 'j');
  ASSERT_EQ(RunJson({"delete-user", "--name", "Bob"})["deleted"]["name"], "Bob");

  const ProcessResult limited = Run({"import", bob.string()}, "s3cret", {.fileSizeLimit = 100000});
  EXPECT_EQ(limited.exitCode, 1);
  EXPECT_NE(limited.err.find("Nothing was imported"), std::string::npos) << limited.err;
  EXPECT_NE(limited.err.find("File too large"), std::string::npos) << limited.err;
  EXPECT_EQ(RunJson({"users"}).size(), 1u);
  EXPECT_EQ(RunJson({"days", "--user", "Ann"}), annsDays);
  EXPECT_FALSE(std::filesystem::exists(m_data / "photos" / "101.jpg"));

  const json imported = RunJson({"import", bob.string()});
  const std::string backup = imported["backup"];
  EXPECT_EQ(backup.rfind((m_home / "Backups" / "Tempovia Data before import 05-Jan-2009 ").string(), 0), 0u) << backup;
  EXPECT_EQ(test::ReadText(std::filesystem::path(backup) / "100.dat"), test::ReadText(m_data / "100.dat"));
  EXPECT_EQ(RunJson({"users"}).size(), 2u);

  const ProcessResult itself = Run({"import", m_data.string()});
  EXPECT_NE(itself.err.find("The data folder cannot be imported into itself"), std::string::npos) << itself.err;
}

TEST_F(CliTest, AnIncompleteExportCountsWhatWasLeftOut) {
  AddUser();
  const auto exportInto = [&](const char* name) {
    const auto folder = m_dir / name;
    std::filesystem::create_directory(folder);
    const ProcessResult r = Run({"export", folder.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(std::filesystem::exists(folder / "Tempovia Data 05-Jan-2009" / "100.dat"));
    return r.err;
  };
  std::filesystem::create_symlink(m_dir / "elsewhere.dat", m_data / "out.dat");
  const std::string once = exportInto("once");
  EXPECT_NE(once.find("Export incomplete: 1 entry could not be copied, the first "), std::string::npos) << once;
  std::filesystem::create_symlink(m_dir / "nowhere.dat", m_data / "nowhere.dat");
  const std::string twice = exportInto("twice");
  EXPECT_NE(twice.find("Export incomplete: 2 entries could not be copied, the first "), std::string::npos) << twice;
}

TEST_F(CliTest, ExportIsRefusedInsideTheBaseFolderAndLeavesTemporaryFilesOut) {
  AddUser();
  std::ofstream(m_data / ".100.dat.Qw3rTy") << "a rewrite killed half-way";
  const ProcessResult inside = Run({"export", m_home.string()});
  EXPECT_NE(inside.exitCode, 0);
  EXPECT_NE(inside.err.find("Cannot export into Tempovia's own folder"), std::string::npos) << inside.err;
  EXPECT_FALSE(std::filesystem::exists(m_home / "Tempovia Data 05-Jan-2009"));

  const json exported = RunJson({"export", m_dir.Path().string()});
  const std::filesystem::path folder = exported["path"].get<std::string>();
  EXPECT_TRUE(std::filesystem::exists(folder / "100.dat"));
  EXPECT_FALSE(std::filesystem::exists(folder / ".100.dat.Qw3rTy"));
}

TEST_F(CliTest, AReportThatCannotBeWrittenWholeKeepsTheOlderOne) {
  AddUser();
  RunJson({"--simulate-watch", "--simulate-instant", "download", "--user", "Ann"});
  std::ofstream(m_dir / "ann.pdf") << "last week's report";
  const ProcessResult r = Run(
      {"report", "--user", "Ann", "--from", "2008-12-01", "--to", "2009-01-31", "--out", (m_dir / "ann.pdf").string()},
      "s3cret", {.fileSizeLimit = 600});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.out.empty()) << r.out;
  EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
  EXPECT_EQ(test::ReadText(m_dir / "ann.pdf"), "last week's report");

  const ProcessResult unnamed =
      Run({"report", "--user", "Ann", "--from", "2009-01-01", "--to", "2009-01-05", "--out", ""});
  EXPECT_NE(unnamed.err.find("no file name was given"), std::string::npos) << unnamed.err;
}

TEST_F(CliTest, AddUserAddsTheWholeUserOrNoneAndNeverWithAnEarlierUsersFiles) {
  std::filesystem::create_directories(m_data / "100.dat");  // left in the way of the new step file
  std::ofstream(m_data / "100_exercise.dat") << "an earlier user's sessions";
  std::ofstream(m_home / "Backups") << "not a folder";  // and nowhere to move them
  const ProcessResult failed = Run({"add-user", "--name", "Ann"});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_NE(failed.err.find("The new user was not added"), std::string::npos) << failed.err;
  EXPECT_TRUE(RunJson({"users"}).empty());

  std::filesystem::remove(m_home / "Backups");
  const ProcessResult added = Run({"add-user", "--name", "Ann"});
  ASSERT_EQ(added.exitCode, 0) << added.err;
  EXPECT_EQ(json::parse(added.out)["id"], 100);
  const std::filesystem::path aside = json::parse(added.out)["movedAside"].get<std::string>();
  EXPECT_EQ(aside.parent_path(), m_home / "Backups");
  EXPECT_EQ(aside.filename().string().rfind("Old files of user 100 05-Jan-2009 ", 0), 0u) << aside;
  EXPECT_NE(added.err.find("warning: The data folder already held 100.dat and 100_exercise.dat"), std::string::npos)
      << added.err;
  EXPECT_EQ(test::ReadText(aside / "100_exercise.dat"), "an earlier user's sessions");
  EXPECT_TRUE(std::filesystem::is_regular_file(m_data / "100.dat"));
  EXPECT_TRUE(RunJson({"exercises", "--user", "Ann"}).empty());
}

TEST_F(CliTest, WritesForUsersTiedTogetherAreRefusedButReadsWork) {
  AddUser("Ann");
  AddUser("Bob");
  auto patch = [&](std::streamoff offset, const std::string& bytes) {
    std::fstream users(m_data / "user.dat", std::ios::in | std::ios::out | std::ios::binary);
    users.seekp(offset);
    users.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  };
  patch(152 + 128, std::string("100.dat\0", 8));  // Bob's sessions would go into Ann's days
  const ProcessResult download = Run({"--simulate-watch", "--simulate-instant", "download", "--user", "Bob"});
  EXPECT_EQ(download.exitCode, 1);
  EXPECT_NE(download.err.find("names one file, 100.dat, for two users (\"Ann\" and \"Bob\")"), std::string::npos)
      << download.err;
  EXPECT_TRUE(RunJson({"days", "--user", "Ann"}).empty());
  const ProcessResult listed = Run({"users"});
  EXPECT_EQ(listed.exitCode, 0);
  EXPECT_NE(listed.err.find("warning: The user database names one file, 100.dat"), std::string::npos) << listed.err;

  patch(152, std::string("\x64\0\0\0", 4));  // Bob gets Ann's id too
  const ProcessResult deleted = Run({"delete-user", "--name", "Ann"});
  EXPECT_EQ(deleted.exitCode, 1);
  EXPECT_NE(deleted.err.find("Two users in the user database have the id 100"), std::string::npos) << deleted.err;
  EXPECT_EQ(RunJson({"users"}).size(), 2u);
  EXPECT_TRUE(std::filesystem::exists(m_data / "100.dat"));
}

TEST_F(CliTest, ImageInputsAreRegularFilesReadWithABound) {
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"dump-image", "/dev/zero"},
        std::vector<std::string>{"--simulate-watch=/dev/zero", "read-image", "--out", (m_dir / "x.img").string()}}) {
    const ProcessResult r = Run(command);
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.err.find("/dev/zero: not a regular file"), std::string::npos) << r.err;
  }
  std::ofstream(m_dir / "big.img") << std::string(1 << 20, 'x');
  const ProcessResult big = Run({"dump-image", (m_dir / "big.img").string()});
  EXPECT_NE(big.err.find("it holds more than 512 bytes"), std::string::npos) << big.err;
}

TEST_F(CliTest, ReadingCommandsWorkOnADataFolderTheyCannotWrite) {
  AddUser();
  RunJson({"--simulate-watch", "--simulate-instant", "download", "--user", "Ann"});
  const json days = RunJson({"days", "--user", "Ann"});
  std::filesystem::remove(m_data / "100_exercise.dat");  // a missing file reads as empty
  const auto out = m_dir / "out";
  std::filesystem::create_directory(out);

  // Root writes whatever the permissions say, so the tool then runs as nobody.
  const bool root = ::geteuid() == 0;
  test::ProcessLimits limits;
  if (root) {
    limits.uid = 65534;
    limits.gid = 65534;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m_dir.Path()))
      ASSERT_EQ(::lchown(entry.path().c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(m_dir.Path().c_str(), 65534, 65534), 0);
  }
  using std::filesystem::perms;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(m_home))
    std::filesystem::permissions(entry.path(),
                                 entry.is_directory() ? perms::owner_read | perms::owner_exec : perms::owner_read);
  std::filesystem::permissions(m_home, perms::owner_read | perms::owner_exec);

  const auto run = [&](std::vector<std::string> arguments) { return Run(std::move(arguments), "s3cret", limits); };
  const ProcessResult users = run({"users"});
  if (root && users.exitCode == 127 && users.err.empty()) GTEST_SKIP() << "the tool cannot be run as nobody here";
  EXPECT_EQ(users.exitCode, 0) << users.err;
  const ProcessResult listed = run({"days", "--user", "Ann"});
  EXPECT_EQ(listed.exitCode, 0) << listed.err;
  EXPECT_EQ(json::parse(listed.out), days);
  const ProcessResult sessions = run({"exercises", "--user", "Ann"});
  EXPECT_EQ(sessions.exitCode, 0) << sessions.err;
  EXPECT_EQ(sessions.out, "[]\n");
  const ProcessResult report = run(
      {"report", "--user", "Ann", "--from", "2008-12-01", "--to", "2009-01-31", "--out", (out / "ann.pdf").string()});
  EXPECT_EQ(report.exitCode, 0) << report.err;
  EXPECT_FALSE(std::filesystem::exists(m_data / "100_exercise.dat"));
  EXPECT_NE(run({"--simulate-watch", "--simulate-instant", "download", "--user", "Ann"}).exitCode, 0);
}

// A base64 reader written apart from the tool's writer (RFC 4648, padded).
std::string DecodeBase64(const std::string& text) {
  const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  unsigned bits = 0;
  int count = 0;
  for (const char c : text) {
    if (c == '=') break;
    const std::size_t value = digits.find(c);
    if (value == std::string::npos) {
      ADD_FAILURE() << "not base64: " << text;
      return {};
    }
    bits = (bits << 6) | static_cast<unsigned>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      bytes += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  return bytes;
}

// A path as the JSON shows it: the stray byte 0xE9 the tests use as U+FFFD.
std::string Shown(const std::string& path) {
  std::string shown;
  for (const char c : path) shown += c == '\xE9' ? std::string("\xEF\xBF\xBD") : std::string(1, c);
  return shown;
}

// The exact bytes given beside a field, for a path the test cannot know whole.
std::string BytesOf(const json& object, const std::string& field) {
  const auto found = object.find(field + "Bytes");
  if (found == object.end() || !found->is_string()) {
    ADD_FAILURE() << "no " << field << "Bytes in " << object;
    return {};
  }
  return DecodeBase64(found->get<std::string>());
}

// The field holds the path as text, and its exact bytes beside it exactly
// when the text had to leave some out.
void ExpectPathField(const json& object, const std::string& field, const std::string& path) {
  SCOPED_TRACE(field);
  ASSERT_TRUE(object.contains(field)) << object;
  EXPECT_EQ(object[field].get<std::string>(), Shown(path));
  const std::string bytes = field + "Bytes";
  if (Shown(path) == path) {
    EXPECT_FALSE(object.contains(bytes)) << object;
  } else {
    ASSERT_TRUE(object.contains(bytes)) << object;
    EXPECT_EQ(DecodeBase64(object[bytes].get<std::string>()), path);
  }
}

// A path is bytes: a folder named on a Latin-1 system holds 0xE9 for "é".
// The work is done and reported, never refused for the name afterwards.
TEST_F(CliTest, PathsThatAreNotUtf8AreReportedAsTextWithTheirBytesBeside) {
  m_home = m_dir / "home\xE9";
  m_data = m_home / "data";
  std::filesystem::create_directories(m_data);
  std::ofstream(m_data / "100.dat") << "an earlier user's days";
  const ProcessResult added = Run({"add-user", "--name", "Ann"});
  ASSERT_EQ(added.exitCode, 0) << added.err;
  const json user = json::parse(added.out);
  const std::string aside = BytesOf(user, "movedAside");
  EXPECT_EQ(aside.rfind((m_home / "Backups" / "Old files of user 100 05-Jan-2009 ").string(), 0), 0u) << aside;
  ExpectPathField(user, "movedAside", aside);
  RunJson({"--simulate-watch", "--simulate-instant", "download", "--user", "Ann"});
  const json days = RunJson({"days", "--user", "Ann"});

  const std::filesystem::path backups = m_dir / "backups\xE9";
  std::filesystem::create_directory(backups);
  const ProcessResult exported = Run({"export", backups.string()});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  const std::string folder = (backups / "Tempovia Data 05-Jan-2009").string();
  ExpectPathField(json::parse(exported.out), "path", folder);
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / "100.dat"));

  const ProcessResult imported = Run({"import", folder});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  const json import = json::parse(imported.out);
  ExpectPathField(import, "imported", folder);
  ExpectPathField(import, "dataFolder", m_data.string());
  const std::string backup = BytesOf(import, "backup");
  EXPECT_EQ(backup.rfind((m_home / "Backups" / "Tempovia Data before import 05-Jan-2009 ").string(), 0), 0u) << backup;
  ExpectPathField(import, "backup", backup);
  EXPECT_TRUE(std::filesystem::is_directory(backup));
  EXPECT_EQ(RunJson({"days", "--user", "Ann"}), days);

  for (const std::string& name : {std::string("ann\xE9"), std::string("ann-\xC3\xAB")}) {
    const ProcessResult report = Run(
        {"report", "--user", "Ann", "--from", "2008-12-01", "--to", "2009-01-31", "--out", (m_dir / name).string()});
    ASSERT_EQ(report.exitCode, 0) << report.err;
    const std::string pdf = (m_dir / name).string() + ".pdf";
    ExpectPathField(json::parse(report.out), "path", pdf);
    EXPECT_TRUE(std::filesystem::exists(pdf));
  }

  const std::string image = (m_dir / "week\xE9.img").string();
  const ProcessResult simulated = Run({"simulate-image", "--out", image});
  ASSERT_EQ(simulated.exitCode, 0) << simulated.err;
  ExpectPathField(json::parse(simulated.out), "path", image);
  const ProcessResult read =
      Run({"--simulate-watch=" + image, "--simulate-instant", "read-image", "--out", image + "2"});
  ASSERT_EQ(read.exitCode, 0) << read.err;
  ExpectPathField(json::parse(read.out), "path", image + "2");
}

TEST_F(CliTest, TodayIsADayOfTheWatchsYears) {
  for (const char* today : {"0000-01-01", "1999-12-31", "2100-01-01"}) {
    const ProcessResult r =
        test::RunProcess(TEMPOVIA_CLI, {"--home", m_home.string(), "--today", today, "export", m_dir.Path().string()});
    EXPECT_EQ(r.exitCode, 2) << today;
    EXPECT_NE(r.err.find("--today must be a day of the years 2000 to 2099"), std::string::npos) << r.err;
  }
  EXPECT_TRUE(std::filesystem::is_empty(m_dir.Path()));
  const json exported = json::parse(test::RunProcess(TEMPOVIA_CLI, {"--home", m_home.string(), "--today", "2000-01-01",
                                                                    "export", m_dir.Path().string()})
                                        .out);
  EXPECT_EQ(exported["path"], (m_dir / "Tempovia Data 01-Jan-2000").string());
}

// scripts/run reads these fields to choose between the watch and the simulator.
TEST_F(CliTest, ProbeSaysWhetherTheWatchIsPresentAndCanBeOpened) {
  const json probe = RunJson({"--simulate-watch", "probe"});
  EXPECT_EQ(probe["present"], true);
  EXPECT_EQ(probe["openable"], true);
  EXPECT_EQ(probe["path"], "simulated:watch");
  EXPECT_TRUE(probe["reason"].is_null());
  EXPECT_EQ(probe["permissionDenied"], false);
  EXPECT_TRUE(probe["fix"].is_null());
  ASSERT_EQ(probe["interfaces"].size(), 1u);
  EXPECT_EQ(probe["interfaces"][0]["usage"], 0x10);
  std::set<std::string> keys;
  for (const auto& [key, value] : probe.items()) keys.insert(key);
  EXPECT_EQ(keys,
            (std::set<std::string>{"present", "openable", "path", "reason", "permissionDenied", "fix", "interfaces"}));
}

TEST(CsvReader, ReadsWhatTheStandardAllowsAndNothingElse) {
  EXPECT_EQ(ReadCsv("a,\"b,\"\"c\"\"\r\nd\"\r\n,\r\n"), (CsvRows{{"a", "b,\"c\"\r\nd"}, {"", ""}}));
  for (const char* bad : {"a\n", "a,b", "a\"b\r\n", "\"a\"b\r\n", "\"a\r\n"}) EXPECT_NONFATAL_FAILURE(ReadCsv(bad), "");
}

TEST_F(CliTest, CsvListingsReadBackAsTheirJsonFieldByField) {
  const std::string ann = "Ann \"Runner\", Jr.";
  AddUser(ann);
  RunJson({"--simulate-watch=4", "--simulate-instant", "download", "--user", ann});
  const std::string rain = "Rain, \"heavy\"\r\nthen sun";
  {
    // Notes as typed on the dashboard, stored as Windows-1252.
    StepData steps;
    ASSERT_TRUE(steps.Open(m_data / "100.dat"));
    ASSERT_TRUE(steps.MoveFirst());
    steps.Current().note = rain;
    ASSERT_TRUE(steps.WriteCurrent());
    ASSERT_TRUE(steps.MoveNext());
    steps.Current().note = "Caf\xE9 at 5\nthen home";
    ASSERT_TRUE(steps.WriteCurrent());
  }
  const auto listing = [&](std::vector<std::string> arguments, const std::string& name) {
    const ProcessResult r = Run(arguments, "s3cret");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const OrderedJson list = OrderedJson::parse(r.out);
    arguments.push_back("--csv");
    const ProcessResult csv = Run(arguments, "s3cret");
    EXPECT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_FALSE(list.empty()) << name;
    if (!list.empty()) ExpectCsvMatchesJson(csv.out, list, Keys(list[0]));
    return std::pair(list, csv.out);
  };

  const auto [days, daysCsv] = listing({"days", "--user", ann}, "days");
  ASSERT_GE(days.size(), 2u);
  EXPECT_EQ(days[0]["note"], rain);
  EXPECT_EQ(days[1]["note"], "Caf\xC3\xA9 at 5\nthen home") << "UTF-8 out";
  EXPECT_NE(daysCsv.find(",\"Rain, \"\"heavy\"\"\r\nthen sun\"\r\n"), std::string::npos) << daysCsv;
  const OrderedJson sessions = listing({"exercises", "--user", ann}, "exercises").first;
  const auto [users, usersCsv] = listing({"users"}, "users");
  EXPECT_EQ(users[0]["name"], ann);
  EXPECT_NE(usersCsv.find(",\"Ann \"\"Runner\"\", Jr.\","), std::string::npos) << usersCsv;

  // A listing with nothing in it still names its fields.
  const ProcessResult none = Run({"days", "--user", ann, "--from", "2030-01-01", "--csv"});
  EXPECT_EQ(none.exitCode, 0) << none.err;
  ExpectCsvMatchesJson(none.out, OrderedJson::array(), Keys(days[0]));
  const ProcessResult noSessions = Run({"exercises", "--user", ann, "--to", "2000-01-01", "--csv"});
  ExpectCsvMatchesJson(noSessions.out, OrderedJson::array(), Keys(sessions[0]));

  const ProcessResult both = Run({"days", "--user", ann, "--csv", "--table"});
  EXPECT_EQ(both.exitCode, 2);
  EXPECT_TRUE(both.out.empty());
}

// A desktop set to German writes 1,5 for one and a half; scripts and
// spreadsheets reading our output must still see 1.5. The locale is compiled
// into a temporary folder when the system has none.
TEST_F(CliTest, NumbersKeepTheirDotUnderACommaDecimalLocale) {
  const char* const name = "de_DE.UTF-8";
  std::map<std::string, std::string> environment{{"TEMPOVIA_PASSWORD", "s3cret"}, {"LC_ALL", name}};
  // Asked of a child, as the tool will see it (glibc keeps memory of a
  // LOCPATH lookup in the asking process).
  const auto commaDecimal = [&] {
    return test::RunProcess("/usr/bin/locale", {"-k", "decimal_point"}, environment).out == "decimal_point=\",\"\n";
  };
  if (!commaDecimal()) {
    const auto compiled = m_dir / "locales";
    std::filesystem::create_directories(compiled);
    test::RunProcess("/usr/bin/localedef", {"-i", "de_DE", "-f", "UTF-8", (compiled / name).string()});
    environment["LOCPATH"] = compiled.string();
  }
  if (!commaDecimal()) GTEST_SKIP() << name << " is not installed and cannot be compiled here";

  AddUser();
  RunJson({"--simulate-watch=4", "--simulate-instant", "download", "--user", "Ann"});
  for (const char* command : {"days", "exercises"}) {
    for (const bool csv : {false, true}) {
      std::vector<std::string> arguments{"--home", m_home.string(), "--today", kToday, command, "--user", "Ann"};
      if (csv) arguments.push_back("--csv");
      const ProcessResult plain = test::RunProcess(TEMPOVIA_CLI, arguments, {{"TEMPOVIA_PASSWORD", "s3cret"}});
      const ProcessResult comma = test::RunProcess(TEMPOVIA_CLI, arguments, environment);
      EXPECT_EQ(comma.exitCode, 0) << comma.err;
      EXPECT_EQ(comma.out, plain.out) << command << (csv ? " --csv" : "");
      EXPECT_NE(plain.out.find('.'), std::string::npos);
    }
  }
}

TEST_F(CliTest, UsageErrorsSayWhatIsWrong) {
  const ProcessResult date = Run({"days", "--user", "Ann", "--from", "2009-02-30"});
  EXPECT_EQ(date.exitCode, 2);
  EXPECT_NE(date.err.find("--from must be a date written YYYY-MM-DD"), std::string::npos) << date.err;
  // Found by fuzzing: text that only scans as a date (a sign, a blank) is
  // not YYYY-MM-DD either.
  for (const char* text : {" 209-01-05", "+209-01-05", "2009-+1-05", "2009- 1-05", "2009-01-+5", "2009-01- 5"}) {
    const ProcessResult odd = Run({"days", "--user", "Ann", "--to", text});
    EXPECT_EQ(odd.exitCode, 2) << text;
    EXPECT_NE(odd.err.find("--to must be a date written YYYY-MM-DD"), std::string::npos) << odd.err;
  }
  const ProcessResult none = Run({});
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_EQ(Run({"days", "--help"}).exitCode, 0);
  const ProcessResult noWatch =
      Run({"--simulate-watch=" + (m_dir / "missing.img").string(), "read-image", "--out", "x"});
  EXPECT_NE(noWatch.exitCode, 0);
  EXPECT_NE(noWatch.err.find("Cannot read"), std::string::npos) << noWatch.err;
}

}  // namespace
}  // namespace tempovia
