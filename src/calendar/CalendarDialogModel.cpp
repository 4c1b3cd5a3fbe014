#include "calendar/CalendarDialogModel.h"

#include <algorithm>

#include "calendar/CalendarModel.h"
#include "skin/SkinLayout.h"

namespace tempovia {

CalendarDialogModel::CalendarDialogModel(const Clock& clock) : m_clock(clock), m_shownYear(clock.Now().Year()) {
  ShowYear(m_shownYear);
}

int CalendarDialogModel::AreaAt(int x, int y) {
  return HitTest(kCalendarAreas, x, y);
}

bool CalendarDialogModel::RunArea(int area, CalendarModel& calendar) {
  switch (area) {
    case kCalendarToday:
      Today(calendar);
      return true;
    case kCalendarPreviousYear:
      return PreviousYear(calendar);
    case kCalendarNextYear:
      return NextYear(calendar);
    default:
      return false;
  }
}

void CalendarDialogModel::ShowYear(int year) {
  m_yearText = std::to_string(year);
}

void CalendarDialogModel::Today(CalendarModel& calendar) {
  ShowYear(m_clock.Now().Year());
  calendar.GoToToday();
}

bool CalendarDialogModel::StepYear(CalendarModel& calendar, int step) {
  m_shownYear += step;
  calendar.SetViewDate(MakeDate(m_shownYear, m_clock.Now().Month(), 1), false);
  ShowYear(m_shownYear);
  return true;
}

bool CalendarDialogModel::NextYear(CalendarModel& calendar) {
  if (m_shownYear > kLastChartYear - 1 || m_shownYear < 1) return false;
  return StepYear(calendar, 1);
}

bool CalendarDialogModel::PreviousYear(CalendarModel& calendar) {
  if (m_shownYear < kFirstChartYear + 1) return false;
  return StepYear(calendar, -1);
}

void CalendarDialogModel::ViewScrolled(Date viewDate) {
  m_shownYear = YearOf(viewDate);
  ShowYear(m_shownYear);
}

PixelRect CalendarDialogModel::CalendarRect(int clientWidth, int clientHeight) {
  return {0, kTopMargin, std::max(clientWidth, 0), std::max(clientHeight, kTopMargin)};
}

}  // namespace tempovia
