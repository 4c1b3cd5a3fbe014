#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "help/HelpMarkup.h"

namespace tempovia {
namespace {

std::vector<HelpBlock> Parse(const std::string& text) {
  std::vector<HelpBlock> blocks;
  const Status status = ParseHelpMarkup(text, blocks);
  EXPECT_TRUE(status.ok()) << status.message();
  return blocks;
}

TEST(HelpMarkupTest, ReadsEveryKindOfBlockInOrder) {
  const std::vector<HelpBlock> blocks = Parse(
      "# The title\n"
      "\n"
      "## A section\n"
      "### A question?\n"
      "First line of a paragraph\n"
      "   and its second line.\n"
      "- a bullet\n"
      "  that goes on\n"
      "- another bullet\n"
      "12. a numbered item\n"
      "\n"
      "| Keys | Action |\n"
      "|---|:--|\n"
      "| Alt+U | upload |\n"
      "```\n"
      "  indented **not bold**\n"
      "\n"
      "last | line\n"
      "```\n");
  ASSERT_EQ(blocks.size(), 9u);
  const BlockKind kinds[] = {BlockKind::Title,     BlockKind::Heading, BlockKind::Subheading,
                             BlockKind::Paragraph, BlockKind::Bullet,  BlockKind::Bullet,
                             BlockKind::Numbered,  BlockKind::Table,   BlockKind::Code};
  for (std::size_t i = 0; i < blocks.size(); ++i) EXPECT_EQ(blocks[i].kind, kinds[i]) << i;

  EXPECT_EQ(PlainText(blocks[0].text), "The title");
  EXPECT_EQ(PlainText(blocks[2].text), "A question?");
  EXPECT_EQ(PlainText(blocks[3].text), "First line of a paragraph and its second line.");
  EXPECT_EQ(blocks[3].sourceLine, 5);
  EXPECT_EQ(PlainText(blocks[4].text), "a bullet that goes on");
  EXPECT_EQ(blocks[6].number, 12);
  EXPECT_EQ(PlainText(blocks[6].text), "a numbered item");

  ASSERT_EQ(blocks[7].rows.size(), 2u);
  EXPECT_TRUE(blocks[7].rows[0].header);
  EXPECT_FALSE(blocks[7].rows[1].header);
  EXPECT_EQ(PlainText(blocks[7].rows[1].left), "Alt+U");
  EXPECT_EQ(PlainText(blocks[7].rows[1].right), "upload");

  // Code is kept as written: blanks, markers and empty lines.
  EXPECT_EQ(blocks[8].lines, (std::vector<std::string>{"  indented **not bold**", "", "last | line"}));
}

TEST(HelpMarkupTest, InlineStylesAndEscapes) {
  RichText runs;
  ASSERT_TRUE(ParseInline("Press **UPLOAD** or `tempovia-cli download`, not \\*\\*this\\*\\* or \\`that\\`.", runs));
  const RichText expected = {
      {"Press ", RunStyle::Plain},
      {"UPLOAD", RunStyle::Bold},
      {" or ", RunStyle::Plain},
      {"tempovia-cli download", RunStyle::Code},
      {", not **this** or `that`.", RunStyle::Plain},
  };
  EXPECT_EQ(runs, expected);

  // Inside code, stars are text; empty spans leave nothing behind.
  ASSERT_TRUE(ParseInline("`a**b`****c", runs));
  EXPECT_EQ(runs, (RichText{{"a**b", RunStyle::Code}, {"c", RunStyle::Plain}}));

  const std::vector<HelpBlock> blocks = Parse("# T\n| a \\| b | c |\n");
  EXPECT_EQ(PlainText(blocks[1].rows[0].left), "a | b");
}

TEST(HelpMarkupTest, OddLayoutOfTheSourceChangesNothing) {
  const std::string tidy = "# Title\n\nSome text.\n\n- item\n";
  const std::string odd =
      "\xEF\xBB\xBF# Title   \r\n\r\n\r\n  \t \r\nSome    \r\n"
      "text.\r\n\n\n\n- item\t\n\n\n";
  const std::vector<HelpBlock> a = Parse(tidy);
  const std::vector<HelpBlock> b = Parse(odd);
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].kind, b[i].kind);
    // Runs of blanks inside text are left to the layout, which sets one.
    EXPECT_EQ(PlainText(b[i].text).find_first_of("\t\r"), std::string::npos);
  }
  EXPECT_EQ(PlainText(b[1].text), "Some text.");
}

TEST(HelpMarkupTest, TextBecomesWindows1252AndTabsKeepCodeColumns) {
  const std::vector<HelpBlock> blocks =
      Parse("# Caf\xC3\xA9 \xE2\x80\x93 cr\xC3\xA8me \xE2\x80\x9Cquoted\xE2\x80\x9D\n```\na\tb\n```\n");
  EXPECT_EQ(PlainText(blocks[0].text), "Caf\xE9 \x96 cr\xE8me \x93quoted\x94");
  EXPECT_EQ(blocks[1].lines[0], "a   b");
}

TEST(HelpMarkupTest, AVeryLongWordStaysWhole) {
  const std::string word(3000, 'x');
  const std::vector<HelpBlock> blocks = Parse("# T\n" + word + "\n");
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(PlainText(blocks[1].text), word);
}

TEST(HelpMarkupTest, FaultsNameTheirLine) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "line 1: the text has no title"},
      {"\n\n", "line 3: the text has no title"},
      {"Text first\n# Title\n", "line 1: the text must start with its title"},
      {"## Heading\n", "line 1: the text must start with its title"},
      {"# One\n# Two\n", "line 2: a second title"},
      {"# T\n##   \n", "line 2: a heading without text"},
      {"# T\n- \n", "line 2: a list item without text"},
      {"# T\n\n```\ncode\n", "line 3: the code block that starts here is not closed"},
      {"# T\nsome **bold\ntext\n", "line 2: a ** that is not closed"},
      {"# T\nsome `code\n", "line 2: a ` that is not closed"},
      {"# T\n| a | b | c |\n", "line 2: a table row needs two cells, not 3"},
      {"# T\n| a |\n", "line 2: a table row needs two cells, not 1"},
      {"# T\n| a | b |\n| c | d |\n|---|---|\n", "line 4: a row of dashes belongs right after a table's first row"},
      {"# T\n|---|---|\n", "line 2: a row of dashes belongs right after a table's first row"},
      {"# T\n| a | b |\nloose text\n", "line 3: text right after a table needs a blank line"},
      {"# T\nan arrow \xE2\x86\x92 here\n", "line 2: is not UTF-8 or holds a character that Windows-1252 cannot show"},
      {"# T\n\nbroken \xC3 byte\n", "line 3: is not UTF-8"},
      {"# T\nbell \a\n", "line 2: holds a control character"},
  };
  for (const auto& c : cases) {
    std::vector<HelpBlock> blocks{HelpBlock{}};
    const Status status = ParseHelpMarkup(c.text, blocks);
    EXPECT_FALSE(status.ok()) << c.text;
    EXPECT_EQ(status.message().rfind(c.message, 0), 0u) << c.text << " gave: " << status.message();
    EXPECT_TRUE(blocks.empty()) << c.text;
  }
}

}  // namespace
}  // namespace tempovia
