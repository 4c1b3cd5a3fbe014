#pragma once
// What the calendar tells the window that hosts it.

#include "base/Clock.h"
#include "calendar/CalendarDate.h"

namespace tempovia {

class CalendarOwner {
 public:
  virtual ~CalendarOwner() = default;
  // The scroll bar moved the view (never sent for the wheel or the keyboard).
  virtual void ViewScrolled(Date viewDate) = 0;
  // A day inside the range was double-clicked; the time is 00:00:00.
  virtual void DayDoubleClicked(const LocalDateTime& day) = 0;
};

}  // namespace tempovia
