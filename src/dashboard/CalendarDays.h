#pragma once
// What the calendar marks on a day: a picture when the day's stored record
// holds steps, "Note" when it holds a note. The calendar asks for every cell
// it paints and never holds a file itself: whoever answers decides when the
// step file is open.

#include "CalendarDate.h"

namespace tempovia {

class StepData;
struct DayRecord;

struct DayMarks {
  bool steps = false;
  bool note = false;
};

class CalendarDays {
 public:
  virtual ~CalendarDays() = default;
  // Nothing marked for a day without a record, or when the file cannot be
  // read now (the calendar never shows a message of its own).
  virtual DayMarks MarksOf(Date date) = 0;
};

// The marks of a step file the caller keeps open (the preview, tests).
class OpenStepFileDays final : public CalendarDays {
 public:
  explicit OpenStepFileDays(StepData& steps) : m_steps(steps) {}
  DayMarks MarksOf(Date date) override;

 private:
  StepData& m_steps;
};

// The marks of a day record.
DayMarks MarksOfRecord(const DayRecord& record);

}  // namespace tempovia
