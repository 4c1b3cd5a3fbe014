#include "calendar/CalendarModel.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>

#include "calendar/CalendarOwner.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "CalendarCtrl";

}  // namespace

Date DateOfDayKey(std::int64_t dayKey) {
  const std::time_t t = static_cast<std::time_t>(dayKey);
  std::tm local{};
  localtime_r(&t, &local);
  return MakeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

CalendarModel::CalendarModel(const Clock& clock)
    : m_clock(clock),
      m_viewDate(MakeDate(kFirstChartYear, 1, 1)),
      m_minimum(MakeDate(kFirstChartYear - 1, 12, 31)),
      m_maximum(MakeDate(kLastChartYear + 1, 1, 1)),
      m_minimumKey(DayKey(m_minimum)),
      m_maximumKey(DayKey(m_maximum)) {
  GoToToday();
}

void CalendarModel::SetFirstDayOfWeek(int day) {
  m_firstDayOfWeek = day >= 1 && day <= 7 ? day : 1;
}

void CalendarModel::SetMaxSelection(int days) {
  m_maxSelection = std::max(days, 1);
}

void CalendarModel::SetHeaderHeight(int pixels) {
  m_headerHeight = std::max(pixels, 0);
}

void CalendarModel::SetClientSize(int width, int height) {
  m_width = std::max(width, 0);
  m_height = std::max(height, 0);
}

bool CalendarModel::InRange(Date date) const {
  return InRange(DayKey(date));
}

bool CalendarModel::SetViewDate(Date date, bool reset) {
  if (!date.ok() || !InRange(date)) return false;
  m_viewDate = date;
  const int back = (DayOfWeek(date) - m_firstDayOfWeek + 7) % 7;
  const Date first = AddDays(date, -back);
  for (int i = 0; i < kCells; ++i) {
    m_cells[static_cast<std::size_t>(i)] = AddDays(first, i);
    m_cellKeys[static_cast<std::size_t>(i)] = DayKey(m_cells[static_cast<std::size_t>(i)]);
  }
  if (reset) {
    ClearMultiSelection();
    m_selectionStart = m_selectionEnd = DayKey(date);
    SetScrollPosition(m_scrollRange / 2 + DaysBetween(Today(), date) / 7);
  }
  return true;
}

void CalendarModel::GoToToday() {
  const Date today = Today();
  Date first = MakeDate(YearOf(today), MonthOf(today), 1);
  if (!(m_minimum < first)) first = AddDays(m_minimum, 1);
  if (!(first < m_maximum)) first = AddDays(m_maximum, -1);
  // Set both ways: a dialog left open over the turn of a month must still show
  // the new month light.
  m_currentMonthOdd = MonthOf(first) % 2 == 1;
  SetViewDate(first, false);
  m_selectionStart = m_selectionEnd = DayKey(today);
  SetScrollPosition(m_scrollRange / 2);
}

int CalendarModel::CellOf(std::int64_t dayKey) const {
  const auto it = std::find(m_cellKeys.begin(), m_cellKeys.end(), dayKey);
  return it == m_cellKeys.end() ? -1 : static_cast<int>(it - m_cellKeys.begin());
}

bool CalendarModel::IsSelected(std::int64_t dayKey) const {
  if (!m_multi.empty()) return m_multi.contains(dayKey);
  const std::int64_t low = std::min(m_selectionStart, m_selectionEnd);
  const std::int64_t high = std::max(m_selectionStart, m_selectionEnd);
  return low <= dayKey && dayKey <= high;
}

std::optional<std::int64_t> CalendarModel::ValidDayAt(int x, int y) const {
  const int cell = Geometry().CellAt(x, y);
  if (cell < 0) return std::nullopt;
  const std::int64_t key = CellKey(cell);
  if (!InRange(key)) return std::nullopt;
  return key;
}

void CalendarModel::ClearMultiSelection() {
  m_multi.clear();
  m_focus.reset();
}

void CalendarModel::LimitSelection() {
  const Date start = DateOfDayKey(m_selectionStart);
  const Date end = DateOfDayKey(m_selectionEnd);
  const int span = DaysBetween(end, start);  // start relative to end
  if (std::abs(span) < m_maxSelection) return;
  const int reach = m_maxSelection - 1;
  m_selectionStart = DayKey(AddDays(end, span < 0 ? -reach : reach));
}

void CalendarModel::Toggle(std::int64_t dayKey) {
  if (m_multi.erase(dayKey) == 0 && static_cast<int>(m_multi.size()) < m_maxSelection) m_multi.insert(dayKey);
}

void CalendarModel::Press(int x, int y, CalendarModifiers modifiers) {
  const bool ctrl = modifiers.ctrl && !modifiers.shift;
  const std::optional<std::int64_t> day = ValidDayAt(x, y);
  if (!day || ctrl) return;
  ClearMultiSelection();
  m_dragging = true;
  m_selectionStart = m_selectionEnd = *day;
}

void CalendarModel::Move(int x, int y) {
  if (!m_dragging) return;
  const std::optional<std::int64_t> day = ValidDayAt(x, y);
  if (!day) return;
  ClearMultiSelection();
  m_selectionEnd = *day;
  LimitSelection();
}

void CalendarModel::Release(int x, int y, CalendarModifiers modifiers) {
  const bool ctrl = modifiers.ctrl && !modifiers.shift;
  const std::optional<std::int64_t> day = ValidDayAt(x, y);
  if (m_dragging && !ctrl) {
    m_selectionEnd = day ? *day : m_selectionStart;
    LimitSelection();
  }
  // The button is up: a drag ends here whatever keys are held, or the next
  // plain mouse move would still extend the selection.
  m_dragging = false;
  if (!ctrl) {
    ClearMultiSelection();
  } else if (day) {
    m_selectionStart = m_selectionEnd = *day;
    Toggle(*day);
    m_focus = *day;
  }
}

bool CalendarModel::DoubleClick(int x, int y) {
  const int cell = Geometry().CellAt(x, y);
  if (cell < 0 || !InRange(CellKey(cell))) return false;
  const Date day = CellDate(cell);
  const std::string text = FormatDate("%A, %B %d, %Y", day);
  TV_TRACE("DBL_CLICK\nCoords: row(%d) col(%d)\nDate: %s", cell / CalendarGeometry::kColumns,
           cell % CalendarGeometry::kColumns, text.c_str());
  if (m_owner != nullptr) m_owner->DayDoubleClicked(AtMidnight(day));
  return true;
}

bool CalendarModel::MoveViewByWeeks(int weeks) {
  const Date target = AddDays(m_viewDate, 7 * weeks);
  if (!InRange(target)) return false;
  SetViewDate(target, false);
  return true;
}

void CalendarModel::SetScrollPosition(int position) {
  // The bar cannot show a position outside its range; keeping the same value
  // here keeps thumb drags measured from where the thumb is.
  m_scrollPosition = std::clamp(position, 0, m_scrollRange);
}

void CalendarModel::Wheel(int notches) {
  const int step = notches > 0 ? 1 : -1;
  for (int i = 0; i < std::abs(notches); ++i) {
    if (!MoveViewByWeeks(step)) return;
    SetScrollPosition(m_scrollPosition + step);
  }
}

bool CalendarModel::Scroll(CalendarScroll action, int trackPosition) {
  int weeks = 0;
  switch (action) {
    case CalendarScroll::LineDown:
    case CalendarScroll::PageDown:
    case CalendarScroll::Bottom:
      weeks = 1;
      break;
    case CalendarScroll::LineUp:
    case CalendarScroll::PageUp:
    case CalendarScroll::Top:
      weeks = -1;
      break;
    case CalendarScroll::ThumbPosition:
      return false;
    case CalendarScroll::ThumbTrack:
      weeks = trackPosition - m_scrollPosition;
      break;
  }
  if (weeks == 0 || !MoveViewByWeeks(weeks)) return false;
  SetScrollPosition(m_scrollPosition + weeks);
  if (m_owner != nullptr) m_owner->ViewScrolled(m_viewDate);
  return true;
}

void CalendarModel::Key(CalendarKey key) {
  const int cell = CellOf(m_selectionEnd);
  if (cell < 0) return;
  int step = 0;
  switch (key) {
    case CalendarKey::Left:
      step = -1;
      break;
    case CalendarKey::Right:
      step = 1;
      break;
    case CalendarKey::Up:
      step = -CalendarGeometry::kColumns;
      break;
    case CalendarKey::Down:
      step = CalendarGeometry::kColumns;
      break;
  }
  const Date target = AddDays(CellDate(cell), step);
  // Pink days are never selected, not even from the keyboard.
  if (!InRange(target)) return;
  const int moved = cell + step;
  if (moved < 0 || moved >= kCells) {
    // Past the top or bottom row: the grid scrolls a week and the selection
    // stays in the edge row.
    const int weeks = moved < 0 ? -1 : 1;
    if (!MoveViewByWeeks(weeks)) return;
    SetScrollPosition(m_scrollPosition + weeks);
  }
  m_selectionStart = m_selectionEnd = DayKey(target);
}

void CalendarModel::ToggleSelectedDay() {
  Toggle(m_selectionEnd);
}

}  // namespace tempovia
