// The two documents the build makes, read back from the build folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "HelpPdfSupport.h"
#include "PdfText.h"
#include "Process.h"
#include "TempDir.h"
#include "base/Windows1252.h"
#include "help/HelpDocument.h"
#include "help/HelpFiles.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;

struct Shipped {
  const char* source;
  std::string_view pdf;
};

const Shipped kShipped[] = {{"quick-start.txt", kQuickStartManualFile}, {"questions.txt", kQuestionsAndAnswersFile}};

TEST(ShippedHelpTest, EveryTitleAndHeadingIsInItsDocument) {
  for (const Shipped& shipped : kShipped) {
    SCOPED_TRACE(shipped.pdf);
    const fs::path pdf = fs::path(HELP_OUTPUT_DIR) / shipped.pdf;
    ASSERT_TRUE(fs::is_regular_file(pdf));
    HelpDocument source;
    const Status loaded = source.Load(fs::path(HELP_TEXT_DIR) / shipped.source);
    ASSERT_TRUE(loaded) << loaded.message();

    const std::vector<std::string> pages = test::SqueezedPages(pdf);
    ASSERT_GE(pages.size(), 2u);
    std::string all;
    for (std::size_t p = 0; p < pages.size(); ++p) {
      const std::string number = "Page " + std::to_string(p + 1) + " of " + std::to_string(pages.size());
      EXPECT_NE(pages[p].find(number), std::string::npos) << number;
      all += pages[p] + " ";
    }
    int headings = 0;
    for (const HelpBlock& block : source.Blocks()) {
      if (block.kind != BlockKind::Title && block.kind != BlockKind::Heading && block.kind != BlockKind::Subheading)
        continue;
      ++headings;
      const std::string heading = test::Squeezed(Windows1252ToUtf8(PlainText(block.text)));
      EXPECT_NE(all.find(heading), std::string::npos) << heading;
    }
    EXPECT_GE(headings, 10);
  }
}

TEST(ShippedHelpTest, TheToolNamesTheFaultyLineAndWritesNothing) {
  test::TempDir dir;
  std::ofstream(dir / "bad.txt") << "# Title\n\nText with **bold\n";
  const test::ProcessResult bad =
      test::RunProcess(HELPDOCS_TOOL, {(dir / "bad.txt").string(), (dir / "bad.pdf").string()});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.err.find("bad.txt: line 3: a ** that is not closed"), std::string::npos) << bad.err;
  EXPECT_FALSE(fs::exists(dir / "bad.pdf"));

  EXPECT_EQ(test::RunProcess(HELPDOCS_TOOL, {(dir / "bad.txt").string()}).exitCode, 2);
}

}  // namespace
}  // namespace tempovia
