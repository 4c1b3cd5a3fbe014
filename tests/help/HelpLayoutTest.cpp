#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/Printf.h"
#include "help/HelpLayout.h"
#include "help/HelpMarkup.h"

namespace tempovia {
namespace {

// Widths that grow with every character, so wrapping can be checked exactly.
class FixedMeasure : public HelpTextMeasure {
 public:
  double Width(std::string_view text, HelpFace face, double size) const override {
    const double perChar = face == HelpFace::Regular ? 0.52 : face == HelpFace::Bold ? 0.58 : 0.6;
    return static_cast<double>(text.size()) * perChar * size;
  }
};

std::vector<HelpPage> LayOut(const std::string& markup) {
  std::vector<HelpBlock> blocks;
  const Status parsed = ParseHelpMarkup(markup, blocks);
  EXPECT_TRUE(parsed.ok()) << parsed.message();
  const FixedMeasure measure;
  return HelpLayout(measure).LayOut(blocks);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool IsFooter(const HelpDrawOp& op) {
  return op.y < HelpLayout::kBodyBottom - 1;
}

void ExpectInsideMargins(const std::vector<HelpPage>& pages, const std::string& what) {
  const double right = HelpLayout::kPageWidth - HelpLayout::kMarginRight;
  const double top = HelpLayout::kPageHeight - HelpLayout::kMarginTop;
  for (std::size_t p = 0; p < pages.size(); ++p) {
    for (const HelpDrawOp& op : pages[p].ops) {
      const std::string where = what + ", page " + std::to_string(p + 1) + ": '" + op.text + "'";
      EXPECT_GE(op.x, HelpLayout::kMarginLeft - 0.01) << where;
      EXPECT_LE(op.x + op.width, right + 0.01) << where;
      EXPECT_LE(op.y + (op.kind == HelpDrawOp::Kind::Fill ? op.height : 0), top + 0.01) << where;
      EXPECT_GE(op.y, HelpLayout::kFooterBaseline - 0.01) << where;
      if (op.kind == HelpDrawOp::Kind::Text && !IsFooter(op)) {
        EXPECT_GE(op.y, HelpLayout::kBodyBottom) << where;
      }
    }
  }
}

std::string BodyText(const std::vector<HelpPage>& pages) {
  std::string all;
  for (const HelpPage& page : pages)
    for (const HelpDrawOp& op : page.ops)
      if (op.kind == HelpDrawOp::Kind::Text && !IsFooter(op)) all += op.text;
  return all;
}

TEST(HelpLayoutTest, NothingRunsOffThePage) {
  const std::string longWord(700, 'w');
  const std::string longCode = "tempovia-cli report " + std::string(300, 'c') + " --out " + std::string(40, 'o');
  const std::string odd = "# " + std::string(90, 'T') + "\n## " + longWord + "\n" + longWord + " and text\n- " +
                          longWord + "\n| " + longWord + " | " + longWord + " |\n```\n" + longCode + "\n```\n";
  ExpectInsideMargins(LayOut(odd), "odd text");
  for (const char* name : {"quick-start.txt", "questions.txt"})
    ExpectInsideMargins(LayOut(ReadFile(std::string(HELP_TEXT_DIR) + "/" + name)), name);
}

TEST(HelpLayoutTest, LongWordsAndLinesAreWrappedWithoutLosingACharacter) {
  std::string word;
  for (int i = 0; i < 400; ++i) word += static_cast<char>('a' + i % 26);
  const std::vector<HelpPage> pages = LayOut("# T\n\nbefore " + word + " after\n```\n" + word + "\n```\n");
  // A word too long for any line starts on a line of its own.
  EXPECT_EQ(BodyText(pages), "Tbefore" + word + " after" + word);

  // The word took several lines, each filling the width.
  int lines = 0;
  for (const HelpDrawOp& op : pages[0].ops)
    if (op.kind == HelpDrawOp::Kind::Text && op.text.find("abc") != std::string::npos) ++lines;
  EXPECT_GE(lines, 4);
}

TEST(HelpLayoutTest, AShortCommandIsNeverSplitOverTwoLines) {
  for (int fill = 1; fill < 90; ++fill) {
    const std::vector<HelpPage> pages =
        LayOut("# T\n\n" + std::string(static_cast<std::size_t>(fill), 'f') + " start it as `tempovia -tray` now.\n");
    int whole = 0;
    for (const HelpDrawOp& op : pages[0].ops) whole += op.text == "tempovia -tray";
    EXPECT_EQ(whole, 1) << fill;
  }
}

TEST(HelpLayoutTest, EveryPageHasItsNumberAndTheTitle) {
  std::string markup = "# The Manual\n";
  for (int i = 0; i < 60; ++i) markup += "\n## Section " + std::to_string(i) + "\n\nSome words that fill a line.\n";
  const std::vector<HelpPage> pages = LayOut(markup);
  ASSERT_GT(pages.size(), 2u);
  for (std::size_t p = 0; p < pages.size(); ++p) {
    const std::string number = Printf("Page %zu of %zu", p + 1, pages.size());
    int found = 0;
    for (const HelpDrawOp& op : pages[p].ops) found += IsFooter(op) && (op.text == number || op.text == "The Manual");
    EXPECT_EQ(found, 2) << number;
  }
}

// Wherever a heading falls, it is never the last thing on its page, and its
// bookmark points at the page that shows it.
TEST(HelpLayoutTest, HeadingsStayWithTheTextBelowThem) {
  for (int fill = 1; fill < 60; ++fill) {
    std::string markup = "# T\n";
    for (int i = 0; i < fill; ++i) markup += "\nA paragraph of one line.\n";
    markup += "\n## The heading\n### The question\n\nFirst line of the answer " + std::string(120, 'x') + " end.\n";
    const std::vector<HelpPage> pages = LayOut(markup);
    for (std::size_t p = 0; p < pages.size(); ++p) {
      const HelpDrawOp* lowest = nullptr;
      for (const HelpDrawOp& op : pages[p].ops)
        if (op.kind == HelpDrawOp::Kind::Text && !IsFooter(op) && (lowest == nullptr || op.y < lowest->y)) lowest = &op;
      ASSERT_NE(lowest, nullptr);
      EXPECT_NE(lowest->text, "The heading") << fill;
      EXPECT_NE(lowest->text, "The question") << fill;
    }
    const HelpPage& last = pages.back();
    ASSERT_EQ(last.bookmarks.size(), 2u) << fill;
    EXPECT_EQ(last.bookmarks[0].level, 1);
    EXPECT_EQ(last.bookmarks[1].level, 2);
    EXPECT_EQ(last.bookmarks[1].title, "The question");
  }
}

TEST(HelpLayoutTest, TableCellsShareTheirRowAndShortTablesStayWhole) {
  for (int fill = 1; fill < 60; ++fill) {
    std::string markup = "# T\n";
    for (int i = 0; i < fill; ++i) markup += "\nA paragraph of one line.\n";
    markup += "\n| Keys | Action |\n|---|---|\n| Alt+U | upload |\n| Alt+P | print " + std::string(200, 'p') +
              " |\n| Alt+C | calendar |\n| Walking and running stride | export |\n| Ctrl+Q | end |\n";
    const std::vector<HelpPage> pages = LayOut(markup);
    const HelpPage& last = pages.back();
    double keyY = -1;
    double actionY = -2;
    int keys = 0;
    for (const HelpDrawOp& op : last.ops) {
      // The left column is as wide as its longest cell needs.
      for (const char* key : {"Keys", "Alt+U", "Alt+P", "Alt+C", "Walking and running stride", "Ctrl+Q"})
        keys += op.text == key;
      if (op.text == "Alt+U") keyY = op.y;
      if (op.text == "upload") actionY = op.y;
    }
    EXPECT_EQ(keys, 6) << fill;
    EXPECT_DOUBLE_EQ(keyY, actionY) << fill;
  }
}

}  // namespace
}  // namespace tempovia
