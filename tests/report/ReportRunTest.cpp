#include <gtest/gtest.h>
#include <algorithm>
#include <fstream>
#include <iterator>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "CsvReading.h"
#include "FileContents.h"
#include "PdfText.h"
#include "ReportTestSupport.h"
#include "TempDir.h"
#include "base/testing/NoticeRecorder.h"
#include "report/ReportFolder.h"
#include "report/ReportRun.h"
#include "report/ReportTarget.h"
#include "store/StepData.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class ReportRunTest : public testing::Test {
 protected:
  ReportRunTest()
      : m_sample(
            m_dir / "base",
            {test::SampleDay(2008, 3, 3, 4000), test::SampleDay(2008, 3, 4, 12000), test::SampleDay(2008, 3, 5, 8000)},
            {test::SampleSession(2008, 3, 4, 7, 2500), test::SampleSession(2008, 3, 5, 18, 5100)}) {
    m_settings.SetPath(m_sample.paths.SettingsFile());
    fs::create_directory(m_out);
    test::WriteTinyJpeg(m_picture);
  }

  ReportRequest Request(bool chart, bool detail, int sortKey = 0) const {
    ReportRequest request;
    request.folder = m_out.string();
    request.fileName = "March.pdf";
    request.from = year_month_day{year{2008}, month{3}, day{1}};
    request.to = year_month_day{year{2008}, month{3}, day{31}};
    request.chart = chart;
    request.detail = detail;
    request.sortKey = sortKey;
    request.picture = m_picture;
    return request;
  }

  ReportResult Run(const ReportRequest& request) {
    return WriteReport(request, m_sample.user, m_sample.paths, m_settings);
  }

  test::TempDir m_dir;
  test::SampleUser m_sample;
  UserSettings m_settings;
  fs::path m_out = m_dir / "out";
  fs::path m_picture = m_dir / "window.jpg";
  NoticeRecorder m_notices;
};

TEST_F(ReportRunTest, PartsComeInTheOrderSummaryExercisesChart) {
  const ReportResult result = Run(Request(true, true));
  ASSERT_TRUE(result.status.ok()) << result.status.message();
  EXPECT_EQ(result.written, m_out / "March.pdf");
  EXPECT_EQ(result.pages, 3);
  ASSERT_EQ(test::PdfPageCount(result.written), 3);
  const std::vector<std::string> pages = test::PdfPages(result.written);
  EXPECT_TRUE(Contains(pages[0], "Walking Summary") && Contains(pages[0], "Page 1"));
  EXPECT_EQ(test::TableRows(pages[0]).size(), 3u);
  EXPECT_TRUE(Contains(pages[1], "Exercise Report") && Contains(pages[1], "Page 2"));
  EXPECT_EQ(test::TableRows(pages[1]).size(), 2u);
  EXPECT_TRUE(Contains(pages[2], "Page 3"));
  EXPECT_FALSE(Contains(pages[2], "Report") || Contains(pages[2], "Summary"));
  const std::vector<test::PdfImage> images = test::PdfImagesByPage(result.written);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].page, 3);
  EXPECT_TRUE(m_notices.Texts().empty());  // a report that worked is not announced
}

TEST_F(ReportRunTest, EachPartAppearsOnlyWhenAskedFor) {
  const struct {
    bool chart, detail;
    int pages;
    int imagePage;  // 0: no picture
  } cases[] = {{true, false, 1, 1}, {false, true, 2, 0}};
  for (const auto& c : cases) {
    const ReportResult result = Run(Request(c.chart, c.detail));
    ASSERT_TRUE(result.status.ok()) << result.status.message();
    EXPECT_EQ(test::PdfPageCount(result.written), c.pages);
    const std::vector<test::PdfImage> images = test::PdfImagesByPage(result.written);
    if (c.imagePage == 0) {
      EXPECT_TRUE(images.empty());
      EXPECT_TRUE(Contains(test::PdfPages(result.written).at(0), "Walking Summary"));
    } else {
      ASSERT_EQ(images.size(), 1u);
      EXPECT_EQ(images[0].page, c.imagePage);
    }
  }
}

TEST_F(ReportRunTest, UnitAndSortOrderReachTheTables) {
  m_settings.distanceUnit = 1;
  const ReportResult result = Run(Request(false, true, StepData::kBySteps));
  ASSERT_TRUE(result.status.ok()) << result.status.message();
  const std::vector<std::string> pages = test::PdfPages(result.written);
  EXPECT_TRUE(Contains(pages[0], "(Mile)"));
  EXPECT_FALSE(Contains(pages[0], "(Km)"));
  const std::vector<std::string> rows = test::TableRows(pages[0]);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].substr(0, 14), "04-03-08 12000");
  EXPECT_EQ(rows[2].substr(0, 13), "03-03-08 4000");
}

// The column of a CSV file's header row that holds name.
std::size_t Column(const test::CsvRows& rows, const std::string& name) {
  const auto found = std::find(rows.at(0).begin(), rows.at(0).end(), name);
  EXPECT_NE(found, rows[0].end()) << name;
  return static_cast<std::size_t>(found - rows[0].begin());
}

std::vector<std::string> ColumnOf(const test::CsvRows& rows, const std::string& name) {
  const std::size_t column = Column(rows, name);
  std::vector<std::string> values;
  for (std::size_t r = 1; r < rows.size(); ++r) values.push_back(rows[r].at(column));
  return values;
}

TEST_F(ReportRunTest, CsvFilesBesideThePdfHoldItsRowsInItsOrder) {
  {
    StepData steps;
    ASSERT_TRUE(steps.Open(*m_sample.paths.UserFile(m_sample.user.stepFile)));
    steps.Current() = test::SampleDay(2008, 3, 6, 0);  // no steps: not in the walking summary
    ASSERT_TRUE(steps.MergeDay());
  }
  ReportOptions options;
  options.detail = true;
  options.sortStep = true;
  options.csv = true;
  options.folder = m_out.string();
  options.fileName = "March.PDF";
  options.from = DateEntries{2, 0, 8};
  options.to = DateEntries{2, 30, 8};
  const ReportResult result = Run(MakeReportRequest(options, {}));
  ASSERT_TRUE(result.status.ok()) << result.status.message();
  EXPECT_EQ(result.csvWritten, (std::vector<fs::path>{m_out / "March days.csv", m_out / "March sessions.csv"}));
  EXPECT_TRUE(m_notices.Texts().empty());

  const test::CsvRows days = test::ReadCsv(test::ReadText(m_out / "March days.csv"));
  EXPECT_EQ(ColumnOf(days, "date"), (std::vector<std::string>{"2008-03-04", "2008-03-05", "2008-03-03"}));
  EXPECT_EQ(ColumnOf(days, "steps"), (std::vector<std::string>{"12000.0", "8000.0", "4000.0"}));
  const test::CsvRows sessions = test::ReadCsv(test::ReadText(m_out / "March sessions.csv"));
  EXPECT_EQ(ColumnOf(sessions, "date"), (std::vector<std::string>{"2008-03-05", "2008-03-04"}));
  EXPECT_EQ(ColumnOf(sessions, "time"), (std::vector<std::string>{"18:00:00", "07:00:00"}));

  // Without the detailed rows there is nothing to save.
  options.detail = false;
  options.chart = true;
  options.fileName = "Chart.pdf";
  EXPECT_TRUE(Run(MakeReportRequest(options, m_picture)).csvWritten.empty());
  EXPECT_FALSE(fs::exists(m_out / "Chart days.csv"));
}

TEST_F(ReportRunTest, ACsvFileThatCannotBeSavedIsToldAndThePdfStays) {
  fs::create_directory(m_out / "March sessions.csv");
  ReportRequest request = Request(false, true);
  request.csv = true;
  const ReportResult result = Run(request);
  EXPECT_FALSE(result.status.ok());
  EXPECT_EQ(result.written, m_out / "March.pdf");
  EXPECT_EQ(test::PdfPageCount(m_out / "March.pdf"), 2);
  EXPECT_EQ(result.csvWritten, std::vector<fs::path>{m_out / "March days.csv"});
  ASSERT_EQ(m_notices.Texts().size(), 1u);
  EXPECT_TRUE(Contains(m_notices.Texts()[0], "March sessions.csv")) << m_notices.Texts()[0];
  EXPECT_TRUE(Contains(m_notices.Texts()[0], "PDF file was saved")) << m_notices.Texts()[0];
}

TEST_F(ReportRunTest, TheFolderBecomesTheLastReportFolderInUserSet) {
  const ReportResult result = Run(Request(true, false));
  ASSERT_TRUE(result.status.ok());
  EXPECT_TRUE(result.folderKept);
  UserSettings reloaded;
  reloaded.SetPath(m_sample.paths.SettingsFile());
  ASSERT_TRUE(reloaded.Load());
  EXPECT_EQ(LastReportFolder(reloaded), m_out.string());
}

TEST_F(ReportRunTest, AFolderUserSetCannotHoldWholeIsUsedButNotKept) {
  m_settings.reportPath = "/srv/reports";
  ASSERT_TRUE(m_settings.Save().ok());
  fs::path deep = m_out;
  while (deep.string().size() < 300) deep /= std::string(50, 'd');
  fs::create_directories(deep);
  const fs::path foreign = m_out / "\xE6\x8A\xA5\xE5\x91\x8A";  // not in Windows-1252
  fs::create_directory(foreign);

  for (const fs::path& folder : {deep, foreign}) {
    ReportRequest request = Request(true, false);
    request.folder = folder.string();
    const ReportResult result = Run(request);
    ASSERT_TRUE(result.status.ok()) << result.status.message();
    EXPECT_EQ(result.written, folder / "March.pdf");
    EXPECT_TRUE(fs::is_regular_file(folder / "March.pdf"));
    EXPECT_FALSE(result.folderKept);
    UserSettings reloaded;
    reloaded.SetPath(m_sample.paths.SettingsFile());
    ASSERT_TRUE(reloaded.Load());
    EXPECT_EQ(reloaded.reportPath, "/srv/reports");
  }
}

TEST_F(ReportRunTest, NothingIsWrittenWhenEitherUserFileWillNotOpen) {
  const std::string stepFile = m_sample.user.stepFile;
  const std::string exerciseFile = m_sample.user.exerciseFile;
  const struct {
    const char* why;
    std::string stepFile;
    std::string exerciseFile;
    bool directoryInTheWay;
    const char* notice;
  } cases[] = {
      {"step file unreadable", "200.dat", exerciseFile, true, "Failed to open Step Data"},
      {"exercise file unreadable", stepFile, "200_exercise.dat", true, "Failed to open Exercise Data"},
      {"step file outside the data folder", "../100.dat", exerciseFile, false, "Failed to open Step Data"},
      {"exercise file outside the data folder", stepFile, "../100_exercise.dat", false, "Failed to open Exercise Data"},
  };
  fs::create_directory(m_sample.paths.DataFolder() / "200.dat");
  fs::create_directory(m_sample.paths.DataFolder() / "200_exercise.dat");
  for (const auto& c : cases) {
    m_sample.user.stepFile = c.stepFile;
    m_sample.user.exerciseFile = c.exerciseFile;
    for (const bool chart : {true, false}) {
      m_notices.Clear();
      const ReportResult result = Run(Request(chart, !chart));
      EXPECT_FALSE(result.status.ok()) << c.why;
      EXPECT_TRUE(Contains(result.status.message(), c.notice)) << c.why << ": " << result.status.message();
      ASSERT_EQ(m_notices.Texts().size(), 1u) << c.why;
      EXPECT_EQ(m_notices.Texts()[0].rfind(std::string(c.notice) + "\n\n", 0), 0u) << m_notices.Texts()[0];
      EXPECT_FALSE(fs::exists(m_out / "March.pdf")) << c.why;
    }
  }
}

TEST_F(ReportRunTest, ANameLeadingOutOfTheFolderIsRefused) {
  ReportRequest request = Request(true, true);
  request.fileName = "../March.pdf";
  const ReportResult result = Run(request);
  EXPECT_FALSE(result.status.ok());
  EXPECT_EQ(m_notices.Texts(), std::vector<std::string>{kCannotCreateReport});
  EXPECT_FALSE(fs::exists(m_dir / "March.pdf"));
}

TEST_F(ReportRunTest, AConfirmedOverwriteFollowedByAFailedReportKeepsTheOldReport) {
  test::WriteText(m_out / "March.pdf", "%PDF last month's report");
  ReportOptions options;
  options.folder = m_out.string();
  options.fileName = "March";
  options.chart = true;
  int asked = 0;
  const ConfirmResult confirmed = ConfirmReportOptions(options, [&asked](const std::string&) { return ++asked > 0; });
  ASSERT_TRUE(confirmed.accepted);
  EXPECT_EQ(asked, 1);

  fs::create_directory(m_sample.paths.DataFolder() / "200_exercise.dat");
  m_sample.user.exerciseFile = "200_exercise.dat";
  const ReportResult result = Run(MakeReportRequest(options, m_picture));
  EXPECT_FALSE(result.status.ok());
  EXPECT_EQ(test::ReadText(m_out / "March.pdf"), "%PDF last month's report");
}

// Writes beyond a few hundred bytes fail for as long as this lives, as on a
// full disk (root is not stopped by permissions, but is by this limit).
class SmallFileLimit {
 public:
  explicit SmallFileLimit(rlim_t bytes) {
    m_previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &m_previous);
    rlimit limit = m_previous;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~SmallFileLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_previous);
    std::signal(SIGXFSZ, m_previousSignal);
  }

 private:
  rlimit m_previous{};
  void (*m_previousSignal)(int) = nullptr;
};

TEST_F(ReportRunTest, ASaveThatFailsIsShownWithTheReasonAndTheOlderReportStays) {
  // Enough rows that the document outgrows the writer's buffer: the failure
  // then shows while the document is written, not only when it is closed.
  StepData steps;
  ASSERT_TRUE(steps.Open(*m_sample.paths.UserFile(m_sample.user.stepFile)));
  for (unsigned d = 1; d <= 28; ++d) {
    for (unsigned m = 1; m <= 3; ++m) {
      steps.Current() = test::SampleDay(2008, m, d, 1000 * d + m);
      ASSERT_TRUE(steps.MergeDay());
    }
  }
  steps.Close();
  // Last month's report of the same name, which the user agreed to overwrite.
  const std::string older(600, 'o');
  { std::ofstream(m_out / "March.pdf", std::ios::binary) << older; }
  ReportRequest request = Request(true, true);
  request.from = year_month_day{year{2008}, month{1}, day{1}};
  ReportResult result;
  {
    SmallFileLimit limit(1024);
    result = Run(request);
  }
  EXPECT_FALSE(result.status.ok());
  EXPECT_EQ(result.pages, 0);
  ASSERT_EQ(m_notices.Texts().size(), 1u);
  EXPECT_EQ(m_notices.Texts()[0], result.status.message());
  EXPECT_TRUE(Contains(result.status.message(), "March.pdf")) << result.status.message();
  std::ifstream kept(m_out / "March.pdf", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), older);
}

TEST_F(ReportRunTest, AFolderThatCannotBeRememberedIsSaidAndTheReportStillWritten) {
  m_settings.SetPath(m_dir / "no-such-base" / "user.set");
  const ReportResult result = Run(Request(true, false));
  EXPECT_TRUE(result.status.ok()) << result.status.message();
  EXPECT_TRUE(fs::is_regular_file(m_out / "March.pdf"));
  ASSERT_EQ(m_notices.Texts().size(), 1u);
  EXPECT_TRUE(Contains(m_notices.Texts()[0], "The report folder could not be remembered")) << m_notices.Texts()[0];
}

TEST(ReportFolderTest, UpTo259Windows1252BytesAreKeptAndComeBackAsTyped) {
  const std::string accented = "/home/zo\xC3\xAB/";  // one byte per character in Windows-1252
  const struct {
    std::string folder;
    bool kept;
  } cases[] = {
      {accented + std::string(259 - 10, 'r'), true},
      {accented + std::string(260 - 10, 'r'), false},
      {"/home/anna/\xE2\x82\xAC", true},      // the euro sign is in Windows-1252
      {"/home/anna/\xCE\xA9", false},         // omega is not
      {std::string("/home/a\0b", 9), false},  // would come back cut at the NUL
      {"/home/anna/\xFF\xFE", false},         // not UTF-8 at all
  };
  for (const auto& c : cases) {
    UserSettings settings;
    settings.reportPath = "/before";
    EXPECT_EQ(RememberReportFolder(settings, c.folder), c.kept) << c.folder;
    EXPECT_EQ(LastReportFolder(settings), c.kept ? c.folder : "/before") << c.folder;
    if (c.kept) {
      std::uint8_t bytes[UserSettings::kSize];
      settings.ToBytes(bytes);
      EXPECT_EQ(LastReportFolder(UserSettings::FromBytes(bytes)), c.folder);
    }
  }
}

}  // namespace
}  // namespace tempovia
