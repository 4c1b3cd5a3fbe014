#include "calendar/CalendarGeometry.h"

#include <algorithm>

namespace tempovia {

CalendarGeometry::CalendarGeometry(int width, int height, int headerHeight)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_header(std::max(headerHeight, 0)) {}

int CalendarGeometry::RowHeight() const {
  return std::max(m_height - m_header, 0) / kRows;
}

PixelRect CalendarGeometry::CellRect(int row, int column) const {
  const int w = ColumnWidth();
  const int h = RowHeight();
  PixelRect r{column * w, m_header + row * h, (column + 1) * w, m_header + (row + 1) * h};
  if (column == kColumns - 1) r.right = m_width;
  if (row == kRows - 1) r.bottom = std::max(m_height, r.bottom);
  return r;
}

int CalendarGeometry::CellAt(int x, int y) const {
  const int w = ColumnWidth();
  const int h = RowHeight();
  if (w <= 0 || h <= 0) return -1;
  if (x < 0 || x >= m_width || y < m_header || y >= m_height) return -1;
  // The strips the last column and row are widened by answer as those cells,
  // as they are painted.
  const int row = std::min((y - m_header) / h, kRows - 1);
  const int column = std::min(x / w, kColumns - 1);
  return row * kColumns + column;
}

}  // namespace tempovia
