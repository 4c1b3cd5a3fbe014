#pragma once
// The calendar control's state and every rule it follows, without a window:
// the six-week grid built from the view date, the range of dates that may be
// shown, the selection made with the mouse and the keyboard, and the scroll
// position. The widget forwards its client size, mouse, wheel, scroll-bar and
// key events here and paints what CalendarLook computes from this state.
//
// Days are compared by their day keys (local midnights), so the grid and the
// selection stay right across daylight-saving changes.

#include <array>
#include <cstdint>
#include <optional>
#include <set>

#include "base/Clock.h"
#include "calendar/CalendarDate.h"
#include "calendar/CalendarGeometry.h"

namespace tempovia {

class CalendarOwner;

struct CalendarModifiers {
  bool ctrl = false;
  bool shift = false;
};

enum class CalendarScroll { LineUp, LineDown, PageUp, PageDown, Top, Bottom, ThumbPosition, ThumbTrack };
enum class CalendarKey { Left, Right, Up, Down };

class CalendarModel {
 public:
  static constexpr int kCells = CalendarGeometry::kCells;
  static constexpr int kDefaultHeaderHeight = 20;
  static constexpr int kDefaultScrollRange = 110;

  explicit CalendarModel(const Clock& clock);

  // ----------------------------------------------------------------- set-up
  void SetOwner(CalendarOwner* owner) { m_owner = owner; }
  // 1 = Sunday .. 7 = Saturday; anything else counts as Sunday.
  void SetFirstDayOfWeek(int day);
  int FirstDayOfWeek() const { return m_firstDayOfWeek; }
  // Longest selectable range in days (at least 1).
  void SetMaxSelection(int days);
  int MaxSelection() const { return m_maxSelection; }
  void SetHeaderHeight(int pixels);
  int HeaderHeight() const { return m_headerHeight; }
  void SetClientSize(int width, int height);
  CalendarGeometry Geometry() const { return {m_width, m_height, m_headerHeight}; }

  // ------------------------------------------------------------------- view
  // Rebuilds the grid from a date strictly between the minimum and maximum
  // dates; any other date leaves everything unchanged and answers false.
  // With reset the date also becomes the selection and sets the scroll
  // position by its distance from today in whole weeks.
  bool SetViewDate(Date date, bool reset);
  // The grid from the first of today's month, today selected, the scroll bar
  // in the middle.
  void GoToToday();
  void Refresh() { SetViewDate(m_viewDate, false); }

  Date ViewDate() const { return m_viewDate; }
  Date CellDate(int index) const { return m_cells[static_cast<std::size_t>(index)]; }
  std::int64_t CellKey(int index) const { return m_cellKeys[static_cast<std::size_t>(index)]; }
  // The index of the day's cell in the grid, or -1.
  int CellOf(std::int64_t dayKey) const;
  Date MinimumDate() const { return m_minimum; }
  Date MaximumDate() const { return m_maximum; }
  // Strictly between the minimum and maximum dates (2000-01-01..2035-12-31).
  bool InRange(Date date) const;
  bool InRange(std::int64_t dayKey) const { return m_minimumKey < dayKey && dayKey < m_maximumKey; }
  // True when the month GoToToday showed is odd: that month's parity is drawn
  // light and its neighbours green.
  bool CurrentMonthOdd() const { return m_currentMonthOdd; }
  Date Today() const { return m_clock.Now().date; }

  // -------------------------------------------------------------- selection
  std::int64_t SelectionStart() const { return m_selectionStart; }
  std::int64_t SelectionEnd() const { return m_selectionEnd; }
  const std::set<std::int64_t>& MultiSelection() const { return m_multi; }
  std::optional<std::int64_t> FocusDay() const { return m_focus; }
  // What the paint shows as selected: the multi-selection when it has days,
  // else the range between selection start and end.
  bool IsSelected(std::int64_t dayKey) const;
  bool Dragging() const { return m_dragging; }

  // ----------------------------------------------------------------- scroll
  int ScrollPosition() const { return m_scrollPosition; }
  int ScrollRange() const { return m_scrollRange; }

  // ----------------------------------------------- events (client pixels)
  void Press(int x, int y, CalendarModifiers modifiers);
  void Move(int x, int y);
  void Release(int x, int y, CalendarModifiers modifiers);
  // Traces the click and tells the owner; false when the point is on no day
  // inside the range.
  bool DoubleClick(int x, int y);
  // Notches of the wheel: positive toward the user (later weeks). Stops at the
  // first week outside the range. The owner is not told.
  void Wheel(int notches);
  // A scroll-bar action; trackPosition is the thumb's position for ThumbTrack.
  // False when nothing moved (a move that would leave the range is refused).
  bool Scroll(CalendarScroll action, int trackPosition = 0);
  void Key(CalendarKey key);
  // Ctrl+Space: the selected day in or out of the multi-selection.
  void ToggleSelectedDay();

 private:
  // The cell's day when it is inside the range, else nothing.
  std::optional<std::int64_t> ValidDayAt(int x, int y) const;
  void LimitSelection();
  void Toggle(std::int64_t dayKey);
  void ClearMultiSelection();
  // Moves the view by whole weeks; false (and nothing changed) outside the range.
  bool MoveViewByWeeks(int weeks);
  void SetScrollPosition(int position);

  const Clock& m_clock;
  CalendarOwner* m_owner = nullptr;

  std::array<Date, kCells> m_cells{};
  std::array<std::int64_t, kCells> m_cellKeys{};
  Date m_viewDate;
  int m_firstDayOfWeek = 1;
  Date m_minimum;
  Date m_maximum;
  std::int64_t m_minimumKey;
  std::int64_t m_maximumKey;
  int m_headerHeight = kDefaultHeaderHeight;
  int m_width = 0;
  int m_height = 0;

  std::int64_t m_selectionStart = 0;
  std::int64_t m_selectionEnd = 0;
  int m_maxSelection = 1;
  bool m_dragging = false;
  std::set<std::int64_t> m_multi;
  std::optional<std::int64_t> m_focus;
  bool m_currentMonthOdd = false;

  int m_scrollPosition = kDefaultScrollRange / 2;
  int m_scrollRange = kDefaultScrollRange;
};

// The calendar day of a day key in local time.
Date DateOfDayKey(std::int64_t dayKey);

}  // namespace tempovia
