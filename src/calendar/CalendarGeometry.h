#pragma once
// Where the calendar's header and its 6 x 7 day cells lie in the control's
// client area, and which cell a point falls on. Columns and rows have whole
// pixel sizes; the pixels left over at the right and at the bottom belong to
// the last column and the last row, so the grid always reaches the edges.

namespace tempovia {

// A rectangle of pixels: left and top inside, right and bottom one past.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
  constexpr PixelRect Inset(int l, int t, int r, int b) const { return {left + l, top + t, right - r, bottom - b}; }
  friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

class CalendarGeometry {
 public:
  static constexpr int kRows = 6;
  static constexpr int kColumns = 7;
  static constexpr int kCells = kRows * kColumns;

  CalendarGeometry(int width, int height, int headerHeight);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int HeaderHeight() const { return m_header; }
  int ColumnWidth() const { return m_width / kColumns; }
  // Never negative, even when the header takes the whole height.
  int RowHeight() const;

  PixelRect HeaderRect() const { return {0, 0, m_width, m_header}; }
  // The cell as painted: the last column and row reach the client's edges.
  PixelRect CellRect(int row, int column) const;
  PixelRect CellRect(int index) const { return CellRect(index / kColumns, index % kColumns); }
  // The cell index (row * 7 + column) under the point, or -1 in the header,
  // outside the client area or when the cells have no size.
  int CellAt(int x, int y) const;

 private:
  int m_width;
  int m_height;
  int m_header;
};

}  // namespace tempovia
