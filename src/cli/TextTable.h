#pragma once
// Aligned columns for a person at a terminal (--table): each column as wide
// as its widest cell, the first aligned left and the rest right, with a gap
// between them, so a value of any width keeps to its column.

#include <string>
#include <vector>

namespace tempovia::cli {

class TextTable {
 public:
  explicit TextTable(std::vector<std::string> titles);
  // One cell per title.
  void AddRow(std::vector<std::string> cells);
  // The title row and every row, each ending in a line break.
  std::string Text() const;

 private:
  std::vector<std::vector<std::string>> m_rows;  // the titles first
};

}  // namespace tempovia::cli
