#include "help/HelpMarkup.h"

#include <algorithm>
#include <optional>
#include <string>

#include "base/Printf.h"
#include "base/Windows1252.h"

namespace tempovia {
namespace {

constexpr std::string_view kFence = "```";
constexpr int kTabWidth = 4;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  s = TrimRight(s);
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

Status LineError(int line, const std::string& what) {
  return Status::Error(Printf("line %d: %s", line, what.c_str()));
}

// Tabs become blanks up to the next tab stop, so code keeps its columns.
std::string ExpandTabs(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == '\t') {
      do out += ' ';
      while (out.size() % kTabWidth != 0);
    } else {
      out += c;
    }
  }
  return out;
}

bool HasControlCharacter(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

// "12. text": the number and where the text starts.
std::optional<std::pair<int, std::size_t>> NumberedItem(std::string_view s) {
  std::size_t digits = 0;
  int number = 0;
  while (digits < s.size() && digits < 4 && s[digits] >= '0' && s[digits] <= '9')
    number = number * 10 + (s[digits++] - '0');
  if (digits == 0 || digits == 4 || digits >= s.size() || s[digits] != '.') return std::nullopt;
  if (digits + 1 == s.size()) return std::make_pair(number, digits + 1);
  if (s[digits + 1] != ' ') return std::nullopt;
  return std::make_pair(number, digits + 2);
}

// The cells of "| a | b |", splitting at bars that no backslash keeps.
std::vector<std::string> SplitRow(std::string_view s) {
  std::vector<std::string> cells;
  std::string cell;
  for (std::size_t i = 1; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      cell += s[i];
      cell += s[++i];
    } else if (s[i] == '|') {
      cells.emplace_back(Trim(cell));
      cell.clear();
    } else {
      cell += s[i];
    }
  }
  if (!Trim(cell).empty()) cells.emplace_back(Trim(cell));
  return cells;
}

bool IsSeparatorCell(std::string_view cell) {
  bool dash = false;
  for (char c : cell) {
    if (c == '-')
      dash = true;
    else if (c != ':')
      return false;
  }
  return dash;
}

class Parser {
 public:
  explicit Parser(std::vector<HelpBlock>& blocks) : m_blocks(blocks) {}

  Status Line(int number, std::string_view utf8);
  Status Finish(int lastLine);

 private:
  Status Close();
  Status Heading(int number, BlockKind kind, std::string_view text);
  Status TableLine(int number, std::string_view line);

  std::vector<HelpBlock>& m_blocks;
  std::optional<HelpBlock> m_open;  // a paragraph, item or table still taking lines
  std::string m_openText;
  bool m_inCode = false;
  bool m_titled = false;
};

Status Parser::Close() {
  if (!m_open) return Status::Ok();
  HelpBlock block = std::move(*m_open);
  m_open.reset();
  if (block.kind != BlockKind::Table) {
    if (Status parsed = ParseInline(m_openText, block.text); !parsed)
      return LineError(block.sourceLine, parsed.message());
  }
  m_openText.clear();
  m_blocks.push_back(std::move(block));
  return Status::Ok();
}

Status Parser::Heading(int number, BlockKind kind, std::string_view text) {
  if (Status closed = Close(); !closed) return closed;
  text = Trim(text);
  if (text.empty()) return LineError(number, "a heading without text");
  if (kind == BlockKind::Title) {
    if (m_titled) return LineError(number, "a second title");
    if (!m_blocks.empty()) return LineError(number, "the title must come before everything else");
    m_titled = true;
  } else if (!m_titled) {
    return LineError(number, "the text must start with its title (# ...)");
  }
  HelpBlock block;
  block.kind = kind;
  block.sourceLine = number;
  if (Status parsed = ParseInline(text, block.text); !parsed) return LineError(number, parsed.message());
  m_blocks.push_back(std::move(block));
  return Status::Ok();
}

Status Parser::TableLine(int number, std::string_view line) {
  const std::vector<std::string> cells = SplitRow(line);
  if (cells.size() != 2) return LineError(number, Printf("a table row needs two cells, not %zu", cells.size()));
  if (IsSeparatorCell(cells[0]) && IsSeparatorCell(cells[1])) {
    if (!m_open || m_open->kind != BlockKind::Table || m_open->rows.size() != 1 || m_open->rows[0].header)
      return LineError(number, "a row of dashes belongs right after a table's first row");
    m_open->rows[0].header = true;
    return Status::Ok();
  }
  if (!m_open || m_open->kind != BlockKind::Table) {
    if (Status closed = Close(); !closed) return closed;
    m_open = HelpBlock{};
    m_open->kind = BlockKind::Table;
    m_open->sourceLine = number;
  }
  TableRow row;
  if (Status parsed = ParseInline(cells[0], row.left); !parsed) return LineError(number, parsed.message());
  if (Status parsed = ParseInline(cells[1], row.right); !parsed) return LineError(number, parsed.message());
  m_open->rows.push_back(std::move(row));
  return Status::Ok();
}

Status Parser::Line(int number, std::string_view utf8) {
  if (!utf8.empty() && utf8.back() == '\r') utf8.remove_suffix(1);
  const std::optional<std::string> converted = Utf8ToWindows1252(utf8);
  if (!converted) return LineError(number, "is not UTF-8 or holds a character that Windows-1252 cannot show");
  const std::string expanded = ExpandTabs(*converted);
  if (HasControlCharacter(expanded)) return LineError(number, "holds a control character");
  const std::string_view line = TrimRight(expanded);
  const bool fence = line.substr(0, kFence.size()) == kFence;

  if (m_inCode) {
    if (fence && Trim(line) == kFence) {
      m_inCode = false;
      return Close();
    }
    m_open->lines.emplace_back(line);
    return Status::Ok();
  }
  if (line.empty()) return Close();
  if (!m_titled && line.substr(0, 2) != "# ") return LineError(number, "the text must start with its title (# ...)");
  if (fence) {
    if (Status closed = Close(); !closed) return closed;
    m_open = HelpBlock{};
    m_open->kind = BlockKind::Code;
    m_open->sourceLine = number;
    m_inCode = true;
    return Status::Ok();
  }
  // A marker alone has lost its blank to the trimming.
  if (line == "#" || line == "##" || line == "###") return LineError(number, "a heading without text");
  if (line.substr(0, 4) == "### ") return Heading(number, BlockKind::Subheading, line.substr(4));
  if (line.substr(0, 3) == "## ") return Heading(number, BlockKind::Heading, line.substr(3));
  if (line.substr(0, 2) == "# ") return Heading(number, BlockKind::Title, line.substr(2));
  if (line.front() == '|') return TableLine(number, line);
  if (m_open && m_open->kind == BlockKind::Table)
    return LineError(number, "text right after a table needs a blank line between");

  const auto numbered = NumberedItem(line);
  if (line.substr(0, 2) == "- " || line == "-" || numbered) {
    if (Status closed = Close(); !closed) return closed;
    m_open = HelpBlock{};
    m_open->kind = numbered ? BlockKind::Numbered : BlockKind::Bullet;
    m_open->number = numbered ? numbered->first : 0;
    m_open->sourceLine = number;
    m_openText = std::string(Trim(line.substr(std::min(line.size(), numbered ? numbered->second : 2))));
    if (m_openText.empty()) return LineError(number, "a list item without text");
    return Status::Ok();
  }
  if (m_open) {
    m_openText += ' ';
    m_openText += Trim(line);
    return Status::Ok();
  }
  m_open = HelpBlock{};
  m_open->kind = BlockKind::Paragraph;
  m_open->sourceLine = number;
  m_openText = std::string(Trim(line));
  return Status::Ok();
}

Status Parser::Finish(int lastLine) {
  if (m_inCode) return LineError(m_open->sourceLine, "the code block that starts here is not closed");
  if (Status closed = Close(); !closed) return closed;
  if (!m_titled) return LineError(lastLine, "the text has no title (# ...)");
  return Status::Ok();
}

}  // namespace

Status ParseInline(std::string_view text, RichText& runs) {
  runs.clear();
  bool bold = false;
  bool code = false;
  std::string pending;
  const auto flush = [&] {
    if (pending.empty()) return;
    const RunStyle style = code ? RunStyle::Code : bold ? RunStyle::Bold : RunStyle::Plain;
    if (!runs.empty() && runs.back().style == style)
      runs.back().text += pending;
    else
      runs.push_back(TextRun{pending, style});
    pending.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (c == '\\' && (next == '*' || next == '`' || next == '|' || next == '\\')) {
      pending += next;
      ++i;
    } else if (c == '*' && next == '*' && !code) {
      flush();
      bold = !bold;
      ++i;
    } else if (c == '`') {
      flush();
      code = !code;
    } else {
      pending += c;
    }
  }
  flush();
  if (code) return Status::Error("a ` that is not closed");
  if (bold) return Status::Error("a ** that is not closed");
  return Status::Ok();
}

Status ParseHelpMarkup(std::string_view utf8, std::vector<HelpBlock>& blocks) {
  blocks.clear();
  if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  Parser parser(blocks);
  int number = 0;
  std::size_t start = 0;
  while (start <= utf8.size()) {
    std::size_t end = utf8.find('\n', start);
    if (end == std::string_view::npos) end = utf8.size();
    ++number;
    if (Status status = parser.Line(number, utf8.substr(start, end - start)); !status) {
      blocks.clear();
      return status;
    }
    start = end + 1;
  }
  if (Status status = parser.Finish(number); !status) {
    blocks.clear();
    return status;
  }
  return Status::Ok();
}

}  // namespace tempovia
