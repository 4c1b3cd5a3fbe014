#pragma once
// One block of a help document as the markup describes it, its texts already
// in Windows-1252: the PDF's standard fonts show exactly that character set.

#include <string>
#include <vector>

namespace tempovia {

enum class RunStyle { Plain, Bold, Code };

// A stretch of text in one style; spaces inside it are kept as written.
struct TextRun {
  std::string text;
  RunStyle style = RunStyle::Plain;

  bool operator==(const TextRun&) const = default;
};

using RichText = std::vector<TextRun>;

enum class BlockKind { Title, Heading, Subheading, Paragraph, Bullet, Numbered, Table, Code };

// A two-column table row; a header row is set apart from the rows below it.
struct TableRow {
  RichText left;
  RichText right;
  bool header = false;
};

struct HelpBlock {
  BlockKind kind = BlockKind::Paragraph;
  RichText text;                   // title, headings, paragraphs and list items
  int number = 0;                  // the number written before a numbered item
  std::vector<TableRow> rows;      // Table
  std::vector<std::string> lines;  // Code, each line as written
  int sourceLine = 0;              // where the block starts, for messages
};

// The whole text of a rich text, styles dropped.
std::string PlainText(const RichText& text);

}  // namespace tempovia
