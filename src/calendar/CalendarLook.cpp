#include "calendar/CalendarLook.h"

#include <algorithm>

#include "skin/SkinLayout.h"
#include "store/DayRecord.h"
#include "store/StepData.h"

namespace tempovia {

Rgb Shade(int p) {
  p = std::clamp(p, 0, 100);
  const int t = p * 75 / 100;
  return {static_cast<std::uint8_t>(180 + t), static_cast<std::uint8_t>(205 + t * 50 / 75), 255};
}

Rgb HeaderLineColour(int i, int headerHeight) {
  return headerHeight > 0 ? Shade(i * 80 / headerHeight) : Shade(0);
}

Rgb TodayBandLineColour(int k) {
  return Shade(k * 90 / kTodayBandHeight);
}

std::array<std::string, 7> FitWeekdayNames(const std::array<std::string, 7>& names,
                                           const std::function<int(const std::string&)>& width, int columnWidth) {
  const bool tooWide =
      std::any_of(names.begin(), names.end(), [&](const std::string& name) { return width(name) > columnWidth; });
  if (!tooWide) return names;
  std::array<std::string, 7> cut;
  for (std::size_t i = 0; i < names.size(); ++i) cut[i] = names[i].substr(0, 3);
  return cut;
}

std::optional<PixelRect> DataPictureRect(const PixelRect& area, int pictureWidth, int pictureHeight) {
  if (area.Empty() || pictureWidth <= 0 || pictureHeight <= 0) return std::nullopt;
  const double s =
      std::max(static_cast<double>(pictureHeight) / area.Height(), static_cast<double>(pictureWidth) / area.Width());
  // The nudge keeps a side that fits exactly from losing a pixel to rounding
  // (134 / (134 / 46.0) is not always 46 in doubles).
  const int width = static_cast<int>(pictureWidth / s + 1e-9);
  const int height = static_cast<int>(pictureHeight / s + 1e-9);
  if (width <= 0 || height <= 0) return std::nullopt;
  return PixelRect{area.left, area.top, area.left + width, area.top + height};
}

DayMarks OpenStepFileDays::MarksOf(Date date) {
  DayRecord record;
  return m_steps.FindByDate(date, record) ? MarksOfRecord(record, m_goal) : DayMarks{};
}

DayMarks MarksOfRecord(const DayRecord& record, std::optional<int> goal) {
  return {record.steps > 0, !record.note.empty(), goal && record.steps >= *goal};
}

CalendarLook LookOf(const CalendarModel& calendar, CalendarDays* days, bool withPictures) {
  const CalendarGeometry geometry = calendar.Geometry();
  const int header = geometry.HeaderHeight();
  const int columnWidth = geometry.ColumnWidth();
  CalendarLook look;

  look.header = geometry.HeaderRect();
  look.headerLines.reserve(static_cast<std::size_t>(header));
  for (int i = 0; i < header; ++i) look.headerLines.push_back(HeaderLineColour(i, header));
  for (int c = 0; c < CalendarGeometry::kColumns; ++c) {
    const auto column = static_cast<std::size_t>(c);
    look.weekdays[column] = FormatDate("%A", calendar.CellDate(c));
    look.weekdayRects[column] = {
        c * columnWidth, 0, c == CalendarGeometry::kColumns - 1 ? geometry.Width() : (c + 1) * columnWidth, header};
  }

  const std::int64_t todayKey = DayKey(calendar.Today());
  const bool multi = !calendar.MultiSelection().empty();
  const bool oddShown = calendar.CurrentMonthOdd();
  for (int i = 0; i < CalendarGeometry::kCells; ++i) {
    CalendarCellLook& cell = look.cells[static_cast<std::size_t>(i)];
    const std::int64_t key = calendar.CellKey(i);
    cell.date = calendar.CellDate(i);
    cell.rect = geometry.CellRect(i);

    const bool evenMonth = MonthOf(cell.date) % 2 == 0;
    cell.background =
        (oddShown && evenMonth) || (!oddShown && !evenMonth) ? kCalendarOtherMonths : kCalendarShownMonths;
    cell.today = key == todayKey;
    cell.selected = calendar.IsSelected(key);
    cell.selectionRect =
        cell.today ? PixelRect{cell.rect.left, cell.rect.top + kTodayBandHeight, cell.rect.right, cell.rect.bottom}
                   : cell.rect;
    cell.focus = multi && calendar.FocusDay() == key;
    cell.focusRect = cell.rect.Inset(2, 2, 1, 1);
    cell.outOfRange = !calendar.InRange(key);

    cell.textRect = cell.rect.Inset(1, 1, 1, 1);
    cell.dayText = FormatDate("%d", cell.date);
    cell.dayColour = cell.selected && !cell.today ? kCalendarSelectedNumber : kBlack;
    if (DayOf(cell.date) == 1 || i == 0) cell.monthText = FormatDate("%b", cell.date);

    if (days != nullptr) {
      const DayMarks marks = days->MarksOf(cell.date);
      cell.picture = withPictures && marks.steps;
      cell.note = marks.note;
      cell.goalMet = marks.goalMet;
    }
    cell.pictureArea = {cell.textRect.left + kPictureLeft, cell.textRect.top + kPictureTop, cell.textRect.right,
                        cell.textRect.bottom};
    cell.noteRect = {cell.textRect.left, cell.textRect.bottom - kNoteStripHeight, cell.textRect.right,
                     cell.textRect.bottom};
    // Beside the foot of the day's picture, clear of it and of "Note".
    const int badge = std::min(kGoalBadgeSize, std::max(cell.textRect.bottom - cell.textRect.top - 2, 0));
    const std::optional<PixelRect> foot = DataPictureRect(cell.pictureArea, kDayPictureWidth, kDayPictureHeight);
    const int left = foot ? foot->right + 2 : cell.textRect.left + 2;
    const int bottom = foot ? foot->bottom : cell.textRect.bottom - 2;
    cell.goalRect = {left, bottom - badge, left + badge, bottom};
  }

  for (int i = 1; i < CalendarGeometry::kColumns; ++i) look.verticalLines.push_back(i * columnWidth);
  for (int i = 0; i < CalendarGeometry::kRows; ++i) look.horizontalLines.push_back(header + i * geometry.RowHeight());
  return look;
}

}  // namespace tempovia
