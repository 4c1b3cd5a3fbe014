#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ReportTestSupport.h"
#include "TempDir.h"
#include "report/ReportTarget.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class ConfirmTest : public testing::Test {
 protected:
  ConfirmResult Confirm(const std::string& folder, const std::string& name, std::vector<bool> answers = {}) {
    m_options.folder = folder;
    m_options.fileName = name;
    return ConfirmReportOptions(m_options, [this, answers](const std::string& question) {
      m_questions.push_back(question);
      return m_questions.size() <= answers.size() && answers[m_questions.size() - 1];
    });
  }

  test::TempDir m_dir;
  ReportOptions m_options;
  std::vector<std::string> m_questions;
};

TEST_F(ConfirmTest, ANewFileIsAcceptedWithItsEndingAndNothingIsCreated) {
  const ConfirmResult result = Confirm(m_dir.Path().string(), "March");
  EXPECT_TRUE(result.accepted);
  EXPECT_EQ(result.warning, "");
  EXPECT_TRUE(m_questions.empty());
  EXPECT_EQ(m_options.fileName, "March.pdf");
  // The check leaves no file behind, neither the report nor its own test file.
  EXPECT_TRUE(Names(m_dir.Path()).empty());
}

TEST_F(ConfirmTest, TheEndingIsAddedBeforeTheExistenceCheck) {
  test::WriteText(m_dir / "March.pdf", "old");
  EXPECT_FALSE(Confirm(m_dir.Path().string(), "March").accepted);
  ASSERT_EQ(m_questions.size(), 1u);
  EXPECT_EQ(m_questions[0], "Output File Already Exist\n\nOverwrite ??");

  // Any letter case counts as the ending; a ".pdf" inside the name does not.
  test::WriteText(m_dir / "April.PDF", "old");
  EXPECT_FALSE(Confirm(m_dir.Path().string(), "April.PDF").accepted);
  EXPECT_EQ(m_questions.size(), 2u);
  test::WriteText(m_dir / "a.pdf.txt", "old");
  EXPECT_TRUE(Confirm(m_dir.Path().string(), "a.pdf.txt").accepted);
  EXPECT_EQ(m_options.fileName, "a.pdf.txt.pdf");
  EXPECT_EQ(m_questions.size(), 2u);
}

TEST_F(ConfirmTest, TheCsvFilesAreCheckedAsThePdfWithOneQuestionForAllThree) {
  const std::string folder = m_dir.Path().string();
  test::WriteText(m_dir / "March days.csv", "old");
  // Not chosen, or without the detailed rows, they are no concern.
  m_options.csv = true;
  EXPECT_TRUE(Confirm(folder, "March").accepted);
  EXPECT_TRUE(m_questions.empty());
  m_options.detail = true;
  EXPECT_FALSE(Confirm(folder, "March").accepted);
  ASSERT_EQ(m_questions.size(), 1u);
  EXPECT_EQ(m_questions[0], kOverwriteReportQuestion);
  test::WriteText(m_dir / "March.pdf", "old");
  m_questions.clear();
  EXPECT_TRUE(Confirm(folder, "March", {true}).accepted);
  EXPECT_EQ(m_questions.size(), 1u);

  // A folder where a CSV file would go, and a name the PDF fits but the
  // longer CSV name does not.
  fs::create_directory(m_dir / "May sessions.csv");
  m_questions.clear();
  ConfirmResult refused = Confirm(folder, "May", {true});
  EXPECT_FALSE(refused.accepted);
  EXPECT_EQ(refused.warning, kCannotCreateReport);
  const std::string longName(245, 'a');
  refused = Confirm(folder, longName);
  EXPECT_FALSE(refused.accepted);
  EXPECT_EQ(refused.warning, kCannotCreateReport);
  m_options.csv = false;
  EXPECT_TRUE(Confirm(folder, longName).accepted);
}

TEST_F(ConfirmTest, NoToTheQuestionKeepsTheOptionsAsTyped) {
  test::WriteText(m_dir / "March.pdf", "old");
  const ConfirmResult result = Confirm(m_dir.Path().string(), "March", {false});
  EXPECT_FALSE(result.accepted);
  EXPECT_EQ(result.warning, "");  // nothing to show: the dialog just stays
  EXPECT_EQ(m_options.fileName, "March");
  EXPECT_EQ(test::ReadText(m_dir / "March.pdf"), "old");
}

TEST_F(ConfirmTest, YesAcceptsWithoutTouchingTheOldReport) {
  test::WriteText(m_dir / "March.pdf", "last month's report");
  struct stat before {};
  ASSERT_EQ(::stat((m_dir / "March.pdf").c_str(), &before), 0);
  const ConfirmResult result = Confirm(m_dir.Path().string(), "March.pdf", {true});
  EXPECT_TRUE(result.accepted);
  EXPECT_EQ(m_questions.size(), 1u);
  EXPECT_EQ(test::ReadText(m_dir / "March.pdf"), "last month's report");
  struct stat after {};
  ASSERT_EQ(::stat((m_dir / "March.pdf").c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(Names(m_dir.Path()), std::vector<std::string>{"March.pdf"});
}

TEST_F(ConfirmTest, PlacesNoReportCanBeWrittenAreRefusedWithTheWarning) {
  fs::create_directory(m_dir / "taken.pdf");
  test::WriteText(m_dir / "plain-file", "");
  const std::string folder = m_dir.Path().string();
  const struct {
    std::string folder;
    std::string name;
    const char* why;
  } cases[] = {
      {(m_dir / "missing").string(), "r.pdf", "a folder that does not exist"},
      {(m_dir / "plain-file").string(), "r.pdf", "a file given as the folder"},
      {"", "r.pdf", "no folder"},
      {folder, "taken.pdf", "a folder in the way of the file"},
      {folder, std::string(300, 'x'), "a name longer than the file system allows"},
      {"/proc", "r.pdf", "a folder where no file can be created"},
  };
  for (const auto& c : cases) {
    m_questions.clear();
    const ConfirmResult result = Confirm(c.folder, c.name, {true});
    EXPECT_FALSE(result.accepted) << c.why;
    EXPECT_EQ(result.warning, "Unable to create PDF file\n\nPlease check the folder and filename") << c.why;
    EXPECT_EQ(m_options.fileName, c.name) << c.why;
  }
  EXPECT_FALSE(fs::exists(m_dir / "missing"));
}

TEST_F(ConfirmTest, NamesLeadingOutOfTheFolderAreRefusedBeforeAnyQuestion) {
  fs::create_directory(m_dir / "inner");
  test::WriteText(m_dir / "outside.pdf", "not ours");
  test::WriteText(m_dir / "inner" / "x.pdf", "not ours either");
  for (const std::string& name : std::vector<std::string>{"../outside.pdf", (m_dir / "outside.pdf").string(),
                                                          std::string("inner/x.pdf"), std::string("inner\\x.pdf")}) {
    m_questions.clear();
    const ConfirmResult result = Confirm((m_dir / "inner").string(), name, {true});
    EXPECT_FALSE(result.accepted) << name;
    EXPECT_TRUE(m_questions.empty()) << name;
    EXPECT_EQ(result.warning, "Unable to create PDF file\n\nPlease check the folder and filename") << name;
  }
  EXPECT_EQ(test::ReadText(m_dir / "outside.pdf"), "not ours");
}

TEST_F(ConfirmTest, ADanglingLinkCountsAsAnExistingFile) {
  fs::create_symlink(m_dir / "gone.pdf", m_dir / "link.pdf");
  EXPECT_FALSE(Confirm(m_dir.Path().string(), "link.pdf", {false}).accepted);
  EXPECT_EQ(m_questions.size(), 1u);
}

}  // namespace
}  // namespace tempovia
