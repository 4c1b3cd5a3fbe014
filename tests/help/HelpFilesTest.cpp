#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "TempDir.h"
#include "help/HelpFiles.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kName = kQuestionsAndAnswersFile;

// An installation as laid out on disk: prefix/bin beside prefix/share/tempovia,
// and the configured prefix somewhere else.
class HelpFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(m_bin);
    fs::create_directories(m_share);
    fs::create_directories(m_installed);
  }
  static void Touch(const fs::path& file) { std::ofstream(file) << "%PDF"; }
  std::optional<fs::path> Find(std::string_view name = kName) const {
    return FindHelpDocument(name, m_bin, m_installed);
  }

  test::TempDir m_dir;
  fs::path m_bin = m_dir / "moved/bin";
  fs::path m_share = m_dir / "moved/share/tempovia";
  fs::path m_installed = m_dir / "usr/share/tempovia";
};

TEST_F(HelpFilesTest, BesideTheProgramFirstThenItsOwnDataFolderThenTheInstalledOne) {
  EXPECT_EQ(Find(), std::nullopt);
  Touch(m_installed / kName);
  EXPECT_EQ(Find(), m_installed / kName);
  Touch(m_share / kName);
  EXPECT_EQ(Find(), m_share / kName);
  Touch(m_bin / kName);
  EXPECT_EQ(Find(), m_bin / kName);

  // Each document is looked up by its own name.
  EXPECT_EQ(Find(kQuickStartManualFile), std::nullopt);
  Touch(m_share / kQuickStartManualFile);
  EXPECT_EQ(Find(kQuickStartManualFile), m_share / kQuickStartManualFile);
}

TEST_F(HelpFilesTest, AFolderOfThatNameIsNoDocument) {
  fs::create_directories(m_bin / kName);
  Touch(m_installed / kName);
  EXPECT_EQ(Find(), m_installed / kName);
}

TEST_F(HelpFilesTest, OnlyPlainNamesAreLookedUp) {
  Touch(m_dir / "moved/secret.pdf");
  Touch(m_bin / "help.pdf");
  for (const char* name : {"../secret.pdf", "/etc/passwd", "sub/help.pdf", "..", ".", ""})
    EXPECT_EQ(Find(name), std::nullopt) << name;
  EXPECT_EQ(Find("help.pdf"), m_bin / "help.pdf");
}

TEST_F(HelpFilesTest, AnUnknownProgramFolderIsNotTheCurrentFolder) {
  const fs::path before = fs::current_path();
  fs::current_path(m_bin);
  Touch(m_bin / kName);
  const std::optional<fs::path> found = FindHelpDocument(kName, fs::path(), m_installed);
  fs::current_path(before);
  EXPECT_EQ(found, std::nullopt);
}

}  // namespace
}  // namespace tempovia
