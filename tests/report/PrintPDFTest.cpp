#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "FileContents.h"
#include "PdfText.h"
#include "Process.h"
#include "ReportTestSupport.h"
#include "TempDir.h"
#include "report/PrintPDF.h"
#include "store/ExerciseDB.h"
#include "store/FileWriter.h"
#include "store/LocalUserRecord.h"
#include "store/StepData.h"
#include "trace/testing/TraceCapture.h"

namespace tempovia {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::year;
using std::chrono::year_month_day;

year_month_day Date(int y, unsigned m, unsigned d) {
  return year_month_day{year{y}, month{m}, day{d}};
}

DayRecord Day(year_month_day date, double steps, double avgHeartRate = 80, double avgSpeed = 4.5) {
  DayRecord r = DayRecord::Blank();
  r.year = static_cast<std::uint8_t>(static_cast<int>(date.year()) - 2000);
  r.month = static_cast<std::uint8_t>(static_cast<unsigned>(date.month()));
  r.day = static_cast<std::uint8_t>(static_cast<unsigned>(date.day()));
  r.steps = steps;
  r.avgHeartRate = avgHeartRate;
  r.avgSpeed = avgSpeed;
  r.distance = steps * 0.0007;
  r.calories = steps * 0.04;
  r.fatBurnt = steps * 0.002;
  r.exerciseHours = 1;
  r.exerciseMinutes = 5;
  r.exerciseSeconds = 9;
  return r;
}

StoredExercise Session(year_month_day date, int hour, double steps, double avgHeartRate = 110, double avgSpeed = 5) {
  StoredExercise e;
  e.year = static_cast<std::uint8_t>(static_cast<int>(date.year()) - 2000);
  e.month = static_cast<std::uint8_t>(static_cast<unsigned>(date.month()));
  e.day = static_cast<std::uint8_t>(static_cast<unsigned>(date.day()));
  e.startHour = static_cast<std::uint8_t>(hour);
  e.startMinute = 15;
  e.startSecond = 30;
  e.durationMinutes = 42;
  e.durationSeconds = 7;
  e.durationHundredths = 55;
  e.steps = steps;
  e.calories = steps * 0.05;
  e.distance = steps * 0.0008;
  e.minHeartRate = avgHeartRate - 20;
  e.avgHeartRate = avgHeartRate;
  e.maxHeartRate = avgHeartRate + 30;
  e.fatBurnt = steps * 0.0025;
  e.avgSpeed = avgSpeed;
  return e;
}

class ReportTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_steps.Open(m_dir / "100.dat"));
    ASSERT_TRUE(m_exercises.Open(m_dir / "100_exercise.dat"));
    m_user.name = "Zo\xEB Walker";  // Windows-1252, as stored
  }

  void AddDays(const std::vector<DayRecord>& days) {
    for (const DayRecord& d : days) {
      m_steps.Current() = d;
      ASSERT_TRUE(m_steps.MergeDay());
    }
  }
  void AddSessions(const std::vector<StoredExercise>& sessions) {
    for (const StoredExercise& e : sessions) {
      m_exercises.Current() = e;
      ASSERT_TRUE(m_exercises.MergeExercise());
    }
  }
  std::filesystem::path Save(CPrintPDF& report) {
    std::filesystem::path written;
    const Status saved = report.Save(m_dir / "report", &written);
    EXPECT_TRUE(saved.ok()) << saved.message();
    return written;
  }

  test::TempDir m_dir;
  StepData m_steps;
  CExerciseDB m_exercises;
  LocalUserRecord m_user;
};

TEST_F(ReportTest, WalkingSummaryShowsHeadUnitsAndOnlyDaysWithSteps) {
  // A NaN heart rate can only come from a file written elsewhere; it prints as none.
  AddDays({Day(Date(2008, 3, 5), 9000), Day(Date(2008, 3, 6), 0), Day(Date(2008, 3, 7), 12500, 0),
           Day(Date(2008, 3, 8), 4000, std::numeric_limits<double>::quiet_NaN()), Day(Date(2008, 4, 1), 3000)});
  CPrintPDF report;
  report.AddWalkingSummary(Date(2008, 3, 1), Date(2008, 3, 31), m_user, m_steps, 0);
  const auto pdf = Save(report);
  EXPECT_EQ(pdf.filename(), "report.pdf");
  ASSERT_EQ(test::PdfPageCount(pdf), 1);
  const std::string page = test::PdfPages(pdf).at(0);
  for (const char* text : {"Walking Summary", "Zo\xC3\xAB Walker", "Total Step", "Total Distance", "Average Speed",
                           "Total Exercise Time", "Calories Burnt", "Fat Burnt", "Average Heart Rate", "(Km)", "(Km/h)",
                           "(HH:MM:SS)", "(Kcal)", "(bpm)", "Page 1"})
    EXPECT_NE(page.find(text), std::string::npos) << text;
  EXPECT_EQ(test::TableRows(page), (std::vector<std::string>{
                                       "05-03-08 9000 6.30 4.50 1:05:09 360.00 18.00 80",
                                       "07-03-08 12500 8.75 4.50 1:05:09 500.00 25.00 ---",
                                       "08-03-08 4000 2.80 4.50 1:05:09 160.00 8.00 ---",
                                   }));
}

TEST_F(ReportTest, MilesConvertDistanceAndSpeedAndChangeTheUnitLines) {
  AddDays({Day(Date(2008, 3, 5), 10000, 80, 5)});
  CPrintPDF report;
  report.SetDistanceUnit(true);
  report.AddWalkingSummary(Date(2008, 3, 5), Date(2008, 3, 5), m_user, m_steps, 0);
  const std::string page = test::PdfPages(Save(report)).at(0);
  EXPECT_NE(page.find("(Mile)"), std::string::npos);
  EXPECT_NE(page.find("(Mile/h)"), std::string::npos);
  EXPECT_EQ(page.find("(Km)"), std::string::npos);
  // 7 km and 5 km/h times 0.6214.
  EXPECT_EQ(test::TableRows(page), std::vector<std::string>{"05-03-08 10000 4.35 3.11 1:05:09 400.00 20.00 80"});
}

TEST_F(ReportTest, EachSortKeyOrdersRowsAndTiesKeepDateOrder) {
  AddDays({Day(Date(2009, 1, 1), 5000, 70, 4.0), Day(Date(2009, 1, 2), 8000, 90, 3.5),
           Day(Date(2009, 1, 3), 8000, 60, 5.25), Day(Date(2009, 1, 4), 2000, 90, 5.251)});
  struct Case {
    int key;
    std::vector<std::string> dates;
  };
  const Case cases[] = {
      {0, {"01-01-09", "02-01-09", "03-01-09", "04-01-09"}},
      {1, {"02-01-09", "03-01-09", "01-01-09", "04-01-09"}},  // steps, ties in date order
      {2, {"02-01-09", "04-01-09", "01-01-09", "03-01-09"}},  // heart rate
      {3, {"04-01-09", "03-01-09", "01-01-09", "02-01-09"}},  // speed x 1000
  };
  for (const Case& c : cases) {
    CPrintPDF report;
    report.AddWalkingSummary(Date(2009, 1, 4), Date(2009, 1, 1), m_user, m_steps, c.key);  // reversed range
    std::vector<std::string> dates;
    for (const std::string& row : test::TableRows(test::PdfPages(Save(report)).at(0)))
      dates.push_back(row.substr(0, 8));
    EXPECT_EQ(dates, c.dates) << "sort key " << c.key;
  }
}

TEST_F(ReportTest, TwentyOneDaysFillTwoPagesAndTheExerciseReportStartsOnThePageAfter) {
  std::vector<DayRecord> days;
  for (int i = 0; i < 21; ++i)
    days.push_back(Day(year_month_day{sys_days{Date(2008, 12, 20)} + std::chrono::days{i}}, 1000 + i));
  AddDays(days);
  AddSessions({Session(Date(2008, 12, 24), 9, 4000), Session(Date(2008, 12, 31), 17, 2500)});
  CPrintPDF report;
  report.AddWalkingSummary(Date(2008, 12, 1), Date(2009, 1, 31), m_user, m_steps, 0);
  report.AddExerciseReport(Date(2008, 12, 1), Date(2009, 1, 31), m_user, m_exercises, 0);
  const auto pages = test::PdfPages(Save(report));
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(test::TableRows(pages[0]).size(), 20u);
  EXPECT_EQ(test::TableRows(pages[1]).size(), 1u);
  EXPECT_EQ(test::TableRows(pages[1]).at(0).substr(0, 8), "09-01-09");
  for (int p = 0; p < 3; ++p)
    EXPECT_NE(pages[static_cast<std::size_t>(p)].find("Page " + std::to_string(p + 1)), std::string::npos);
  EXPECT_NE(pages[1].find("Walking Summary"), std::string::npos);
  EXPECT_NE(pages[2].find("Exercise Report"), std::string::npos);
  EXPECT_EQ(test::TableRows(pages[2]), (std::vector<std::string>{
                                           "1 24-12-08 09:15:30 00:42:07.55 5.00 4000 200.00 3.20 90 110 140 10.00",
                                           "2 31-12-08 17:15:30 00:42:07.55 5.00 2500 125.00 2.00 90 110 140 6.25",
                                       }));
}

TEST_F(ReportTest, ExerciseReportKeepsSessionsInRangeSortsThemAndPrintsDashesForNoHeartRate) {
  AddSessions({Session(Date(2010, 5, 1), 8, 3000, 0), Session(Date(2010, 5, 2), 8, 6000),
               Session(Date(2010, 5, 2), 18, 6000), Session(Date(2010, 6, 1), 8, 9000)});
  CPrintPDF report;
  report.AddExerciseReport(Date(2010, 5, 1), Date(2010, 5, 31), m_user, m_exercises, 1);
  const std::string page = test::PdfPages(Save(report)).at(0);
  const auto rows = test::TableRows(page);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].substr(0, 19), "1 02-05-10 08:15:30");  // most steps first, ties in file order
  EXPECT_EQ(rows[1].substr(0, 19), "2 02-05-10 18:15:30");
  EXPECT_EQ(rows[2].substr(0, 19), "3 01-05-10 08:15:30");
  // Minimum -20 and average 0 print as dashes; the maximum 30 prints.
  EXPECT_NE(rows[2].find(" --- --- 30 "), std::string::npos) << rows[2];
  EXPECT_NE(page.find("Min/Avg/Max (bpm)"), std::string::npos);
  EXPECT_NE(page.find("Record Data"), std::string::npos);  // set smaller, but whole
}

TEST_F(ReportTest, NamesTooWideForTheirCellStayWhole) {
  AddDays({Day(Date(2008, 3, 5), 9000)});
  // Thirty of the widest letter: too wide for the name cell even at the smallest size.
  for (const std::string& name : {std::string("Maximilian Alexander Wellingto"), std::string(30, 'W')}) {
    m_user.name = name;
    CPrintPDF report;
    report.AddWalkingSummary(Date(2008, 3, 1), Date(2008, 3, 31), m_user, m_steps, 0);
    const std::string page = test::PdfPages(Save(report)).at(0);
    EXPECT_NE(page.find(name), std::string::npos) << name;
    EXPECT_EQ(test::TableRows(page).size(), 1u);
  }
}

// Figures from a file written elsewhere may be anything: the report is still
// written whole, every row on its line, and nothing reads "nan" or "inf".
TEST_F(ReportTest, AnyStoredFigurePrintsOnItsRow) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const std::vector<double> odd = {std::numeric_limits<double>::quiet_NaN(), kInf, -kInf, -1e300, 1e300};
  std::vector<DayRecord> days;
  std::vector<StoredExercise> sessions;
  for (std::size_t i = 0; i < odd.size(); ++i) {
    DayRecord day = Day(Date(2008, 3, static_cast<unsigned>(i + 1)), 1000);
    day.calories = day.distance = day.avgSpeed = day.fatBurnt = day.avgHeartRate = odd[i];
    day.exerciseHours = std::numeric_limits<std::int32_t>::min();
    days.push_back(day);
    StoredExercise session = Session(Date(2008, 3, static_cast<unsigned>(i + 1)), 8, odd[i], odd[i], odd[i]);
    session.calories = session.distance = session.fatBurnt = session.maxHeartRate = odd[i];
    sessions.push_back(session);
  }
  AddDays(days);
  AddSessions(sessions);
  for (const int sortKey : {0, 1, 2, 3}) {
    CPrintPDF report;
    report.AddWalkingSummary(Date(2008, 3, 1), Date(2008, 3, 31), m_user, m_steps, sortKey);
    report.AddExerciseReport(Date(2008, 3, 1), Date(2008, 3, 31), m_user, m_exercises, sortKey);
    const std::vector<std::string> pages = test::PdfPages(Save(report));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(test::TableRows(pages[0]).size(), odd.size());
    for (const std::string& page : pages) {
      EXPECT_EQ(page.find("nan"), std::string::npos) << page;
      EXPECT_EQ(page.find("inf"), std::string::npos) << page;
    }
  }
}

TEST_F(ReportTest, EmptyRangeGivesOnePageWithHeadAndNumberOnly) {
  AddDays({Day(Date(2008, 3, 5), 9000)});
  CPrintPDF report;
  report.AddWalkingSummary(Date(2007, 1, 1), Date(2007, 12, 31), m_user, m_steps, 0);
  const auto pdf = Save(report);
  ASSERT_EQ(test::PdfPageCount(pdf), 1);
  const std::string page = test::PdfPages(pdf).at(0);
  EXPECT_TRUE(test::TableRows(page).empty());
  EXPECT_NE(page.find("Walking Summary"), std::string::npos);
  EXPECT_NE(page.find("Page 1"), std::string::npos);
}

TEST_F(ReportTest, ChartPageHoldsThePictureAndItsNumberOnly) {
  const auto picture = m_dir / "chart.jpg";
  test::WriteTinyJpeg(picture);

  CPrintPDF report;
  EXPECT_TRUE(report.AddChartPage(picture));
  const auto pdf = Save(report);
  ASSERT_EQ(test::PdfPageCount(pdf), 1);
  const std::string page = test::PdfPages(pdf).at(0);
  EXPECT_NE(page.find("Page 1"), std::string::npos);
  EXPECT_EQ(page.find("Walking Summary"), std::string::npos);
  const auto images = test::PdfImages(pdf);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_NE(images[0].find(" 8 "), std::string::npos) << images[0];
}

TEST_F(ReportTest, MissingPictureLeavesTheChartPageEmptyAndTheRestIntact) {
  AddDays({Day(Date(2008, 3, 5), 9000)});
  TraceCapture capture;
  CPrintPDF report;
  report.AddWalkingSummary(Date(2008, 3, 1), Date(2008, 3, 31), m_user, m_steps, 0);
  EXPECT_TRUE(report.AddChartPage(m_dir / "no-such-picture.jpg"));
  const auto pdf = Save(report);
  ASSERT_EQ(test::PdfPageCount(pdf), 2);
  EXPECT_TRUE(test::PdfImages(pdf).empty());
  EXPECT_NE(test::PdfPages(pdf).at(1).find("Page 2"), std::string::npos);
  EXPECT_TRUE(capture.Contains("ERROR: error_no="));
}

TEST_F(ReportTest, AFailedSaveIsReportedAndNothingIsClaimed) {
  AddDays({Day(Date(2008, 3, 5), 9000)});
  CPrintPDF report;
  report.AddWalkingSummary(Date(2008, 3, 1), Date(2008, 3, 31), m_user, m_steps, 0);
  const Status saved = report.Save(m_dir / "no-such-folder" / "report.pdf");
  EXPECT_FALSE(saved.ok());
  EXPECT_NE(saved.message().find("No such file or directory"), std::string::npos) << saved.message();
  EXPECT_FALSE(std::filesystem::exists(m_dir / "no-such-folder" / "report.pdf"));
  EXPECT_FALSE(report.IsOpen());
  EXPECT_FALSE(report.Save(m_dir / "again.pdf").ok());
}

// A disk that fills up (or a size limit that is reached) at one step of a save.
class FailingStep final : public FileWriter {
 public:
  enum Step { kWrite, kSetMode, kSync, kRename };
  explicit FailingStep(Step step) : m_step(step), m_previous(InstallFileWriter(this)) {}
  ~FailingStep() override { InstallFileWriter(m_previous); }
  int WriteAt(int fd, std::span<const std::uint8_t> bytes, std::uint64_t offset) override {
    if (m_step != kWrite) return FileWriter::WriteAt(fd, bytes, offset);
    FileWriter::WriteAt(fd, bytes.first(bytes.size() / 2), offset);
    return EFBIG;
  }
  int SetMode(int fd, unsigned mode) override { return m_step == kSetMode ? EIO : FileWriter::SetMode(fd, mode); }
  int Sync(int fd) override { return m_step == kSync ? ENOSPC : FileWriter::Sync(fd); }
  int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return m_step == kRename ? ENOSPC : FileWriter::Rename(from, to);
  }

 private:
  Step m_step;
  FileWriter* m_previous;
};

TEST_F(ReportTest, ASaveThatFailsAtAnyStepLeavesTheOlderReportWhole) {
  AddDays({Day(Date(2008, 3, 5), 9000)});
  const std::filesystem::path target = m_dir / "report.pdf";
  std::ofstream(target) << "last week's report";
  for (FailingStep::Step step :
       {FailingStep::kWrite, FailingStep::kSetMode, FailingStep::kSync, FailingStep::kRename}) {
    SCOPED_TRACE(step);
    CPrintPDF report;
    report.AddWalkingSummary(Date(2008, 3, 1), Date(2008, 3, 31), m_user, m_steps, 0);
    FailingStep failing(step);
    const Status saved = report.Save(target);
    EXPECT_FALSE(saved.ok());
    EXPECT_EQ(saved.message().rfind("The report was not saved. Cannot write " + target.string() + ": ", 0), 0u)
        << saved.message();
    EXPECT_EQ(test::ReadText(target), "last week's report");
    EXPECT_EQ(test::FolderNames(m_dir.Path()), (std::vector<std::string>{"100.dat", "100_exercise.dat", "report.pdf"}))
        << "a temporary file was left behind";
  }
}

TEST_F(ReportTest, ASavedReportGetsTheUmasksPermissionsAndReplacesTheOldOne) {
  const std::filesystem::path target = m_dir / "report.pdf";
  std::ofstream(target) << "last week's report";
  std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  const mode_t previous = ::umask(027);
  CPrintPDF report;
  report.AddChartPage(m_dir / "no-picture.jpg");
  const Status saved = report.Save(target);
  ::umask(previous);
  ASSERT_TRUE(saved.ok()) << saved.message();
  EXPECT_EQ(test::ReadText(target).rfind("%PDF-", 0), 0u);
  using std::filesystem::perms;
  EXPECT_EQ(std::filesystem::status(target).permissions(), perms::owner_read | perms::owner_write | perms::group_read);
}

TEST_F(ReportTest, SavingRefusesNoNameAFolderAPipeAndALink) {
  std::filesystem::create_directory(m_dir / "folder.pdf");
  ASSERT_EQ(::mkfifo((m_dir / "pipe.pdf").c_str(), 0600), 0);
  std::ofstream(m_dir / "elsewhere.pdf") << "someone else's";
  std::filesystem::create_symlink(m_dir / "elsewhere.pdf", m_dir / "link.pdf");
  struct Refusal {
    std::filesystem::path path;
    std::string says;
  };
  const Refusal refusals[] = {
      {"", "no file name was given"},
      {m_dir.Path() / "", "no file name was given"},
      {m_dir / "folder.pdf", "not a regular file but a folder"},
      {m_dir / "pipe.pdf", "not a regular file but a device or a pipe"},
      {m_dir / "link.pdf", "not a regular file but a symbolic link"},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.path.string());
    // Run apart: writing into a pipe nobody reads would block for ever.
    EXPECT_TRUE(test::InChildWithin(10, [&] {
      CPrintPDF report;
      report.AddChartPage(m_dir / "no-picture.jpg");
      const Status saved = report.Save(refusal.path);
      return !saved.ok() && saved.message().find(refusal.says) != std::string::npos;
    }));
  }
  EXPECT_EQ(test::ReadText(m_dir / "elsewhere.pdf"), "someone else's");
  EXPECT_TRUE(std::filesystem::is_directory(m_dir / "folder.pdf"));
}

TEST_F(ReportTest, EachRowIsTraced) {
  AddDays({Day(Date(2008, 3, 5), 9000)});
  AddSessions({Session(Date(2008, 3, 5), 7, 1234)});
  TraceCapture capture;
  CPrintPDF report;
  report.AddWalkingSummary(Date(2008, 3, 1), Date(2008, 3, 31), m_user, m_steps, 0);
  report.AddExerciseReport(Date(2008, 3, 1), Date(2008, 3, 31), m_user, m_exercises, 0);
  EXPECT_TRUE(capture.Contains("05-03-08\t9000.00\t6.30\t4.50\t1:05:09\t360.000000\t18.000000\t80\n"));
  EXPECT_TRUE(capture.Contains("05-03-08 07:15:30\t5.00\t1234.00\t61.70\t0.987200\t3.085000\t90\t110\t140\n"));
}

}  // namespace
}  // namespace tempovia
