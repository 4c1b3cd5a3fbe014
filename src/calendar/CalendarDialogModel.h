#pragma once
// The calendar dialog's rules without a window: the year shown in its header,
// the Today and previous/next-year actions of the header's hot areas, where
// the calendar goes, and the picked day.

#include <optional>
#include <string>

#include "base/Clock.h"
#include "calendar/CalendarDate.h"
#include "calendar/CalendarGeometry.h"

namespace tempovia {

class CalendarModel;

class CalendarDialogModel {
 public:
  // The header's height: the calendar starts below it.
  static constexpr int kTopMargin = 40;

  explicit CalendarDialogModel(const Clock& clock);

  int ShownYear() const { return m_shownYear; }
  // What the Year label shows; Today changes it without changing the shown
  // year.
  const std::string& YearText() const { return m_yearText; }
  // The double-clicked day at 00:00:00; nothing until then.
  const std::optional<LocalDateTime>& PickedDate() const { return m_picked; }

  // The header area under the point (CalendarArea), tested in order.
  static int AreaAt(int x, int y);
  // Runs the area's action; false for no area or a refused action.
  bool RunArea(int area, CalendarModel& calendar);

  // The current year in the Year label and the calendar on today. The shown
  // year stays as it was, and the year arrows go on from it.
  void Today(CalendarModel& calendar);
  // One year later or earlier within 2000..2035: the calendar shows the
  // current month of that year. False when the shown year is already at the
  // limit.
  bool NextYear(CalendarModel& calendar);
  bool PreviousYear(CalendarModel& calendar);

  // The scroll bar moved the calendar's view.
  void ViewScrolled(Date viewDate);
  void DayDoubleClicked(const LocalDateTime& day) { m_picked = day; }

  // The calendar's place: the client area below the top margin.
  static PixelRect CalendarRect(int clientWidth, int clientHeight);

 private:
  void ShowYear(int year);
  bool StepYear(CalendarModel& calendar, int step);

  const Clock& m_clock;
  int m_shownYear;
  std::string m_yearText;
  std::optional<LocalDateTime> m_picked;
};

}  // namespace tempovia
