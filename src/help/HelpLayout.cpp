#include "help/HelpLayout.h"

#include <algorithm>
#include <optional>

#include "base/Printf.h"

namespace tempovia {
namespace {

constexpr double kContentWidth = HelpLayout::kPageWidth - HelpLayout::kMarginLeft - HelpLayout::kMarginRight;
constexpr double kBodyHeight = HelpLayout::kPageHeight - HelpLayout::kMarginTop - HelpLayout::kBodyBottom;
constexpr double kLeft = HelpLayout::kMarginLeft;

constexpr HelpColour kInk{34, 34, 34};
constexpr HelpColour kAccent{31, 78, 121};
constexpr HelpColour kMuted{112, 112, 112};
constexpr HelpColour kHeadingRule{196, 205, 216};
constexpr HelpColour kRowRule{216, 220, 226};
constexpr HelpColour kTableTop{120, 140, 165};
constexpr HelpColour kHeaderFill{226, 233, 242};
constexpr HelpColour kCodeFill{241, 243, 246};

// Windows-1252's bullet.
constexpr char kBullet[] = "\x95";

struct TextStyle {
  HelpFace face = HelpFace::Regular;  // of plain runs
  double size = 10.5;
  double leading = 14.6;
  HelpColour colour = kInk;
};

constexpr TextStyle kTitleStyle{HelpFace::Bold, 24, 29, kInk};
constexpr TextStyle kHeadingStyle{HelpFace::Bold, 15, 19, kAccent};
constexpr TextStyle kSubheadingStyle{HelpFace::Bold, 11.5, 15, kInk};
constexpr TextStyle kBodyStyle{HelpFace::Regular, 10.5, 14.6, kInk};
constexpr TextStyle kTableStyle{HelpFace::Regular, 10, 13.4, kInk};
constexpr TextStyle kTableHeaderStyle{HelpFace::Bold, 10, 13.4, kInk};
constexpr TextStyle kCodeStyle{HelpFace::Mono, 8.6, 11.8, kInk};
constexpr TextStyle kFooterStyle{HelpFace::Regular, 8.5, 10, kMuted};

constexpr double kListMarkerIndent = 6;
constexpr double kListTextIndent = 20;
constexpr double kCellPadX = 6;
constexpr double kCellPadY = 4;
constexpr double kCodePadX = 8;
constexpr double kCodePadY = 6;
// Short code panels and tables are never split over two pages.
constexpr std::size_t kCodeKeptWhole = 6;
constexpr std::size_t kTableKeptWhole = 6;
// Code in text no wider than this share of the line is never broken.
constexpr double kUnbrokenCode = 0.4;
// Widths summed word by word may differ from the whole line's in the last bits.
constexpr double kSlack = 1e-6;
// Courier looks larger than Helvetica at one size: code inside text is set
// smaller so that its letters match the text around it.
constexpr double kInlineCodeScale = 0.9;

// The baseline below a line's top that centres capitals in the line.
double Baseline(const TextStyle& style) {
  return style.leading / 2 + 0.359 * style.size;
}

bool IsMono(HelpFace face) {
  return face == HelpFace::Mono || face == HelpFace::MonoBold;
}

// The size of a face within text set in style.
double SizeOf(HelpFace face, const TextStyle& style) {
  return IsMono(face) && !IsMono(style.face) ? style.size * kInlineCodeScale : style.size;
}

HelpFace FaceOf(RunStyle run, HelpFace plain) {
  const bool bold = plain == HelpFace::Bold || plain == HelpFace::MonoBold;
  switch (run) {
    case RunStyle::Bold:
      return HelpFace::Bold;
    case RunStyle::Code:
      return bold ? HelpFace::MonoBold : HelpFace::Mono;
    case RunStyle::Plain:
      break;
  }
  return plain;
}

// A piece of one line: its start relative to the line's start.
struct Segment {
  double x = 0;
  double width = 0;
  HelpFace face = HelpFace::Regular;
  double size = 0;
  std::string text;
};
using Line = std::vector<Segment>;

struct Piece {
  HelpFace face = HelpFace::Regular;
  std::string text;
};
using Word = std::vector<Piece>;

// One line of a page with what is drawn on it; the ops' y values count down
// from the item's top until the item is placed.
struct Item {
  double height = 0;
  double gapBefore = 0;  // dropped at the top of a page
  bool keepWithNext = false;
  std::vector<HelpDrawOp> ops;
  std::optional<HelpBookmark> bookmark;
};

class Typesetter {
 public:
  explicit Typesetter(const HelpTextMeasure& measure) : m_measure(measure) {}

  void Block(const HelpBlock& block, const HelpBlock* previous);
  std::vector<HelpPage> Paginate(const std::string& title) const;

 private:
  double Width(std::string_view text, HelpFace face, double size) const { return m_measure.Width(text, face, size); }
  std::vector<Line> Wrap(const RichText& text, const TextStyle& style, double width) const;
  void AppendToLine(Line& line, double& x, HelpFace face, std::string_view text, double size) const;
  void BreakWord(const Word& word, const TextStyle& style, double width, std::vector<Line>& lines, Line& line,
                 double& x) const;
  std::vector<std::string> WrapCode(const std::string& source, double width) const;

  // Text ops of one wrapped line, starting at x on the page.
  void AddLineText(Item& item, const Line& line, double x, double baseline, const TextStyle& style) const;
  // Items for wrapped lines, kept together as keep asks.
  void TextLines(const std::vector<Line>& lines, const TextStyle& style, double x, double gap, bool keepAll,
                 std::optional<HelpBookmark> bookmark);
  void Table(const HelpBlock& block, double gap);
  void Code(const HelpBlock& block, double gap);
  void ListItem(const HelpBlock& block, double gap);
  void HorizontalRule(double height, double at, double lineWidth, HelpColour colour);
  // Keeps the first two and the last two lines of a run of items together.
  void KeepEnds(std::size_t first);

  const HelpTextMeasure& m_measure;
  std::vector<Item> m_items;
  int m_listItems = 0;  // items of the list being set so far
};

void Typesetter::AppendToLine(Line& line, double& x, HelpFace face, std::string_view text, double size) const {
  if (!line.empty() && line.back().face == face && line.back().x + line.back().width == x) {
    line.back().text += text;
    line.back().width = Width(line.back().text, face, size);
    x = line.back().x + line.back().width;
    return;
  }
  Segment segment{x, Width(text, face, size), face, size, std::string(text)};
  x += segment.width;
  line.push_back(std::move(segment));
}

// A word wider than the whole line goes character by character over as many
// lines as it needs, so nothing of it is lost or runs off the page.
void Typesetter::BreakWord(const Word& word, const TextStyle& style, double width, std::vector<Line>& lines, Line& line,
                           double& x) const {
  for (const Piece& piece : word) {
    for (char c : piece.text) {
      const std::string_view one(&c, 1);
      const double size = SizeOf(piece.face, style);
      if (!line.empty() && x + Width(one, piece.face, size) > width + kSlack) {
        lines.push_back(std::move(line));
        line.clear();
        x = 0;
      }
      AppendToLine(line, x, piece.face, one, size);
    }
  }
}

std::vector<Line> Typesetter::Wrap(const RichText& text, const TextStyle& style, double width) const {
  std::vector<Word> words;
  Word word;
  for (const TextRun& run : text) {
    const HelpFace face = FaceOf(run.style, style.face);
    // A short command stays on one line; a long one may break at its blanks.
    const bool unbreakable =
        run.style == RunStyle::Code && Width(run.text, face, SizeOf(face, style)) <= kUnbrokenCode * width;
    for (char c : run.text) {
      if (c == ' ' && !unbreakable) {
        if (!word.empty()) words.push_back(std::move(word));
        word.clear();
        continue;
      }
      if (word.empty() || word.back().face != face) word.push_back(Piece{face, {}});
      word.back().text += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));

  const double space = Width(" ", style.face, style.size);
  std::vector<Line> lines;
  Line line;
  double x = 0;
  for (const Word& w : words) {
    double wordWidth = 0;
    for (const Piece& piece : w) wordWidth += Width(piece.text, piece.face, SizeOf(piece.face, style));
    if (!line.empty() && x + space + wordWidth > width + kSlack) {
      lines.push_back(std::move(line));
      line.clear();
      x = 0;
    }
    if (line.empty() && wordWidth > width + kSlack) {
      BreakWord(w, style, width, lines, line, x);
      continue;
    }
    if (!line.empty()) {
      if (line.back().face == w.front().face)
        AppendToLine(line, x, w.front().face, " ", SizeOf(w.front().face, style));
      else
        x += space;
    }
    for (const Piece& piece : w) AppendToLine(line, x, piece.face, piece.text, SizeOf(piece.face, style));
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

// Code keeps its blanks; a line too long for the panel breaks after its last
// blank that fits (past the indentation), else at the edge.
std::vector<std::string> Typesetter::WrapCode(const std::string& source, double width) const {
  std::vector<std::string> out;
  std::string rest = source;
  while (Width(rest, kCodeStyle.face, kCodeStyle.size) > width) {
    std::size_t fit = 0;
    double used = 0;
    while (fit < rest.size()) {
      used += Width(std::string_view(&rest[fit], 1), kCodeStyle.face, kCodeStyle.size);
      if (used > width) break;
      ++fit;
    }
    fit = std::max<std::size_t>(fit, 1);
    const std::size_t indent = rest.find_first_not_of(' ');
    const std::size_t blank = rest.rfind(' ', fit - 1);
    const std::size_t cut =
        blank != std::string::npos && indent != std::string::npos && blank > indent ? blank + 1 : fit;
    out.push_back(rest.substr(0, cut));
    rest.erase(0, cut);
  }
  out.push_back(rest);
  return out;
}

void Typesetter::AddLineText(Item& item, const Line& line, double x, double baseline, const TextStyle& style) const {
  for (const Segment& segment : line) {
    HelpDrawOp op;
    op.kind = HelpDrawOp::Kind::Text;
    op.x = x + segment.x;
    op.y = baseline;
    op.width = segment.width;
    op.face = segment.face;
    op.size = segment.size;
    op.colour = style.colour;
    op.text = segment.text;
    item.ops.push_back(std::move(op));
  }
}

void Typesetter::KeepEnds(std::size_t first) {
  const std::size_t count = m_items.size() - first;
  if (count >= 2) m_items[first].keepWithNext = true;
  if (count >= 3) m_items[m_items.size() - 2].keepWithNext = true;
}

void Typesetter::TextLines(const std::vector<Line>& lines, const TextStyle& style, double x, double gap, bool keepAll,
                           std::optional<HelpBookmark> bookmark) {
  const std::size_t first = m_items.size();
  for (const Line& line : lines) {
    Item item;
    item.height = style.leading;
    item.gapBefore = m_items.size() == first ? gap : 0;
    item.keepWithNext = keepAll;
    if (m_items.size() == first) item.bookmark = bookmark;
    AddLineText(item, line, x, Baseline(style), style);
    m_items.push_back(std::move(item));
  }
  if (!keepAll) KeepEnds(first);
}

void Typesetter::HorizontalRule(double height, double at, double lineWidth, HelpColour colour) {
  Item item;
  item.height = height;
  item.keepWithNext = true;
  HelpDrawOp op;
  op.kind = HelpDrawOp::Kind::Rule;
  op.x = kLeft;
  op.y = at;
  op.width = kContentWidth;
  op.height = lineWidth;
  op.colour = colour;
  item.ops.push_back(op);
  m_items.push_back(std::move(item));
}

void Typesetter::ListItem(const HelpBlock& block, double gap) {
  const std::size_t first = m_items.size();
  TextLines(Wrap(block.text, kBodyStyle, kContentWidth - kListTextIndent), kBodyStyle, kLeft + kListTextIndent, gap,
            false, std::nullopt);
  if (m_items.size() == first) return;
  HelpDrawOp marker;
  marker.kind = HelpDrawOp::Kind::Text;
  marker.y = Baseline(kBodyStyle);
  marker.size = kBodyStyle.size;
  marker.colour = block.kind == BlockKind::Bullet ? kAccent : kInk;
  if (block.kind == BlockKind::Bullet) {
    marker.text = kBullet;
    marker.width = Width(marker.text, HelpFace::Regular, marker.size);
    marker.x = kLeft + kListMarkerIndent;
  } else {
    marker.face = HelpFace::Bold;
    marker.text = Printf("%d.", block.number);
    marker.width = Width(marker.text, HelpFace::Bold, marker.size);
    // Numbers end at one column, whatever their width.
    marker.x = std::max(kLeft, kLeft + kListTextIndent - 5 - marker.width);
  }
  m_items[first].ops.push_back(std::move(marker));
}

void Typesetter::Table(const HelpBlock& block, double gap) {
  if (block.rows.empty()) return;
  double natural = 0;
  for (const TableRow& row : block.rows) {
    const TextStyle& style = row.header ? kTableHeaderStyle : kTableStyle;
    double width = 0;
    for (const TextRun& run : row.left) {
      const HelpFace face = FaceOf(run.style, style.face);
      width += Width(run.text, face, SizeOf(face, style));
    }
    natural = std::max(natural, width + 2 * kCellPadX + kSlack);
  }
  const double leftWidth = std::clamp(natural, 0.28 * kContentWidth, 0.45 * kContentWidth);
  const double rightWidth = kContentWidth - leftWidth;

  // A long table keeps its first two and last two rows together.
  const bool keepAll = block.rows.size() <= kTableKeptWhole;
  for (std::size_t r = 0; r < block.rows.size(); ++r) {
    const TableRow& row = block.rows[r];
    const bool firstRow = r == 0;
    const TextStyle& style = row.header ? kTableHeaderStyle : kTableStyle;
    const std::vector<Line> left = Wrap(row.left, style, leftWidth - 2 * kCellPadX);
    const std::vector<Line> right = Wrap(row.right, style, rightWidth - 2 * kCellPadX);
    const std::size_t count = std::max<std::size_t>({left.size(), right.size(), 1});
    for (std::size_t k = 0; k < count; ++k) {
      const bool top = k == 0;
      const bool bottom = k + 1 == count;
      Item item;
      item.height = style.leading + (top ? kCellPadY : 0) + (bottom ? kCellPadY : 0);
      item.gapBefore = firstRow && top ? gap : 0;
      item.keepWithNext = !bottom || row.header || keepAll || r == 1 || r + 2 == block.rows.size();
      if (row.header) {
        HelpDrawOp fill;
        fill.kind = HelpDrawOp::Kind::Fill;
        fill.x = kLeft;
        fill.y = 0;
        fill.width = kContentWidth;
        fill.height = item.height;
        fill.colour = kHeaderFill;
        item.ops.push_back(fill);
      }
      const double baseline = (top ? kCellPadY : 0) + Baseline(style);
      if (k < left.size()) AddLineText(item, left[k], kLeft + kCellPadX, baseline, style);
      if (k < right.size()) AddLineText(item, right[k], kLeft + leftWidth + kCellPadX, baseline, style);
      HelpDrawOp rule;
      rule.kind = HelpDrawOp::Kind::Rule;
      rule.x = kLeft;
      rule.width = kContentWidth;
      if (top && firstRow) {
        rule.y = 0;
        rule.height = 0.9;
        rule.colour = kTableTop;
        item.ops.push_back(rule);
      }
      if (bottom) {
        rule.y = item.height;
        rule.height = 0.5;
        rule.colour = kRowRule;
        item.ops.push_back(rule);
      }
      m_items.push_back(std::move(item));
    }
  }
  m_items.back().keepWithNext = false;
}

void Typesetter::Code(const HelpBlock& block, double gap) {
  std::vector<std::string> lines;
  for (const std::string& source : block.lines)
    for (std::string& piece : WrapCode(source, kContentWidth - 2 * kCodePadX)) lines.push_back(std::move(piece));
  if (lines.empty()) lines.emplace_back();

  const std::size_t first = m_items.size();
  const bool keepAll = lines.size() <= kCodeKeptWhole;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const bool top = k == 0;
    const bool bottom = k + 1 == lines.size();
    Item item;
    item.height = kCodeStyle.leading + (top ? kCodePadY : 0) + (bottom ? kCodePadY : 0);
    item.gapBefore = top ? gap : 0;
    item.keepWithNext = keepAll && !bottom;
    HelpDrawOp fill;
    fill.kind = HelpDrawOp::Kind::Fill;
    fill.x = kLeft;
    fill.width = kContentWidth;
    fill.height = item.height;
    fill.colour = kCodeFill;
    item.ops.push_back(fill);
    if (!lines[k].empty()) {
      Line line{
          Segment{0, Width(lines[k], kCodeStyle.face, kCodeStyle.size), kCodeStyle.face, kCodeStyle.size, lines[k]}};
      AddLineText(item, line, kLeft + kCodePadX, (top ? kCodePadY : 0) + Baseline(kCodeStyle), kCodeStyle);
    }
    m_items.push_back(std::move(item));
  }
  if (!keepAll) KeepEnds(first);
}

void Typesetter::Block(const HelpBlock& block, const HelpBlock* previous) {
  const bool afterItem =
      previous != nullptr && (previous->kind == BlockKind::Bullet || previous->kind == BlockKind::Numbered);
  const bool isItem = block.kind == BlockKind::Bullet || block.kind == BlockKind::Numbered;
  double gap = isItem ? (afterItem ? 4 : 7) : afterItem ? 9 : 7;
  if (block.kind == BlockKind::Table || block.kind == BlockKind::Code) gap = 9;
  if (previous != nullptr) {
    // Text right under a heading sits close to it.
    if (previous->kind == BlockKind::Title) gap = 4;
    if (previous->kind == BlockKind::Heading) gap = 4;
    if (previous->kind == BlockKind::Subheading) gap = 3;
  }

  // Text that leads into a table or a code panel ("... these values:") stays
  // on the page where the panel starts.
  const bool panel = block.kind == BlockKind::Table || block.kind == BlockKind::Code;
  const bool leadIn = previous != nullptr && (previous->kind == BlockKind::Paragraph || afterItem);
  if (panel && leadIn && !m_items.empty()) m_items.back().keepWithNext = true;
  // Nor does a list's first item stay behind alone.
  m_listItems = isItem ? m_listItems + 1 : 0;
  if (m_listItems == 2) m_items.back().keepWithNext = true;

  switch (block.kind) {
    case BlockKind::Title:
      TextLines(Wrap(block.text, kTitleStyle, kContentWidth), kTitleStyle, kLeft, 0, true, std::nullopt);
      HorizontalRule(18, 7, 2.2, kAccent);
      break;
    case BlockKind::Heading: {
      const bool opening = previous != nullptr && previous->kind == BlockKind::Title;
      TextLines(Wrap(block.text, kHeadingStyle, kContentWidth), kHeadingStyle, kLeft, opening ? 6 : 22, true,
                HelpBookmark{1, PlainText(block.text), 0});
      HorizontalRule(8, 3, 0.6, kHeadingRule);
      break;
    }
    case BlockKind::Subheading: {
      const bool underHeading = previous != nullptr && previous->kind == BlockKind::Heading;
      TextLines(Wrap(block.text, kSubheadingStyle, kContentWidth), kSubheadingStyle, kLeft, underHeading ? 4 : 13, true,
                HelpBookmark{2, PlainText(block.text), 0});
      break;
    }
    case BlockKind::Paragraph:
      TextLines(Wrap(block.text, kBodyStyle, kContentWidth), kBodyStyle, kLeft, gap, false, std::nullopt);
      break;
    case BlockKind::Bullet:
    case BlockKind::Numbered:
      ListItem(block, gap);
      break;
    case BlockKind::Table:
      Table(block, gap);
      break;
    case BlockKind::Code:
      Code(block, gap);
      break;
  }
}

std::vector<HelpPage> Typesetter::Paginate(const std::string& title) const {
  std::vector<HelpPage> pages(1);
  double used = 0;
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    const Item& item = m_items[i];
    double gap = used == 0 ? 0 : item.gapBefore;
    double chain = item.height;
    for (std::size_t j = i; m_items[j].keepWithNext && j + 1 < m_items.size(); ++j)
      chain += m_items[j + 1].gapBefore + m_items[j + 1].height;
    if (used > 0 && used + gap + chain > kBodyHeight) {
      // A group longer than a page flows on from here; any other goes whole
      // to the next page.
      const bool itemFits = used + gap + item.height <= kBodyHeight;
      if (chain <= kBodyHeight || !itemFits) {
        pages.emplace_back();
        used = 0;
        gap = 0;
      }
    }
    const double top = HelpLayout::kPageHeight - HelpLayout::kMarginTop - used - gap;
    HelpPage& page = pages.back();
    for (HelpDrawOp op : item.ops) {
      op.y = op.kind == HelpDrawOp::Kind::Fill ? top - op.y - op.height : top - op.y;
      page.ops.push_back(std::move(op));
    }
    if (item.bookmark) {
      HelpBookmark bookmark = *item.bookmark;
      bookmark.top = top;
      page.bookmarks.push_back(std::move(bookmark));
    }
    used += gap + item.height;
  }

  const int count = static_cast<int>(pages.size());
  const double right = HelpLayout::kPageWidth - HelpLayout::kMarginRight;
  for (int n = 0; n < count; ++n) {
    HelpPage& page = pages[static_cast<std::size_t>(n)];
    HelpDrawOp rule;
    rule.kind = HelpDrawOp::Kind::Rule;
    rule.x = kLeft;
    rule.y = HelpLayout::kFooterBaseline + 12;
    rule.width = kContentWidth;
    rule.height = 0.5;
    rule.colour = kHeadingRule;
    page.ops.push_back(rule);

    HelpDrawOp number;
    number.kind = HelpDrawOp::Kind::Text;
    number.text = Printf("Page %d of %d", n + 1, count);
    number.face = kFooterStyle.face;
    number.size = kFooterStyle.size;
    number.colour = kFooterStyle.colour;
    number.width = Width(number.text, number.face, number.size);
    number.x = right - number.width;
    number.y = HelpLayout::kFooterBaseline;
    page.ops.push_back(number);

    // The title fills what the number leaves, cut short with dots when longer.
    HelpDrawOp name = number;
    name.text = title;
    const double room = kContentWidth - number.width - 24;
    if (Width(name.text, name.face, name.size) > room) {
      while (!name.text.empty() && Width(name.text + "...", name.face, name.size) > room) name.text.pop_back();
      name.text += "...";
    }
    name.width = Width(name.text, name.face, name.size);
    name.x = kLeft;
    page.ops.push_back(std::move(name));
  }
  return pages;
}

}  // namespace

std::vector<HelpPage> HelpLayout::LayOut(const std::vector<HelpBlock>& blocks) const {
  Typesetter typesetter(m_measure);
  std::string title;
  const HelpBlock* previous = nullptr;
  for (const HelpBlock& block : blocks) {
    if (block.kind == BlockKind::Title && title.empty()) title = PlainText(block.text);
    typesetter.Block(block, previous);
    previous = &block;
  }
  return typesetter.Paginate(title);
}

}  // namespace tempovia
