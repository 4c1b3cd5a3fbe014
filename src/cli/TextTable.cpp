#include "cli/TextTable.h"

#include <algorithm>

#include "base/Utf8.h"

namespace tempovia::cli {
namespace {

constexpr std::size_t kGap = 3;

// Characters on the screen, not bytes: a note or a name may hold "é".
std::size_t Width(const std::string& text) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < text.size(); ++width) {
    const auto c = DecodeUtf8(text, i);
    i += c ? c->length : 1;
  }
  return width;
}

}  // namespace

TextTable::TextTable(std::vector<std::string> titles) {
  m_rows.push_back(std::move(titles));
}

void TextTable::AddRow(std::vector<std::string> cells) {
  cells.resize(m_rows.front().size());
  m_rows.push_back(std::move(cells));
}

std::string TextTable::Text() const {
  std::vector<std::size_t> widths(m_rows.front().size(), 0);
  for (const auto& row : m_rows)
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], Width(row[c]));
  std::string text;
  for (const auto& row : m_rows) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
      const std::string padding(widths[c] - Width(row[c]), ' ');
      if (c > 0) line.append(kGap, ' ');
      line += c == 0 ? row[c] + padding : padding + row[c];
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + '\n';
  }
  return text;
}

}  // namespace tempovia::cli
