#pragma once
// Lays help blocks out on A4 portrait pages: wrapped lines, list markers,
// table cells, code panels and the page footers, as drawing operations in
// PDF points (origin at the page's bottom left). Nothing is drawn outside the
// margins except the footer, which has its own band.

#include <cstdint>
#include <string>
#include <vector>

#include "help/HelpBlock.h"
#include "help/HelpTextMeasure.h"

namespace tempovia {

struct HelpColour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
};

struct HelpDrawOp {
  enum class Kind { Text, Fill, Rule };
  Kind kind = Kind::Text;
  // Text: the start of the baseline; Fill: the bottom left corner; Rule: the
  // left end of a horizontal line.
  double x = 0;
  double y = 0;
  double width = 0;   // the text's measured width, the fill's or the rule's
  double height = 0;  // Fill: its height; Rule: its line width
  HelpFace face = HelpFace::Regular;
  double size = 0;
  HelpColour colour;
  std::string text;  // Windows-1252
};

// A heading as a bookmark of the PDF: level 1 for sections, 2 below them.
struct HelpBookmark {
  int level = 1;
  std::string title;  // Windows-1252
  double top = 0;     // where the heading's first line starts
};

struct HelpPage {
  std::vector<HelpDrawOp> ops;
  std::vector<HelpBookmark> bookmarks;
};

class HelpLayout {
 public:
  static constexpr double kPageWidth = 595.276;  // A4 portrait
  static constexpr double kPageHeight = 841.89;
  static constexpr double kMarginLeft = 64;
  static constexpr double kMarginRight = 64;
  static constexpr double kMarginTop = 64;
  static constexpr double kBodyBottom = 76;  // the lowest a body line may reach
  static constexpr double kFooterBaseline = 40;

  explicit HelpLayout(const HelpTextMeasure& measure) : m_measure(measure) {}

  // The pages of the blocks, footers included ("Page 2 of 5").
  std::vector<HelpPage> LayOut(const std::vector<HelpBlock>& blocks) const;

 private:
  const HelpTextMeasure& m_measure;
};

}  // namespace tempovia
