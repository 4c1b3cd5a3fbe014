#pragma once
// What the calendar marks on a day: a picture when the day's stored record
// holds steps, "Note" when it holds a note, and a goal mark when its steps
// met the user's daily step goal (only when one is set). The calendar asks for every cell
// it paints and never holds a file itself: whoever answers decides when the
// step file is open.

#include <optional>

#include "calendar/CalendarDate.h"

namespace tempovia {

class StepData;
struct DayRecord;

struct DayMarks {
  bool steps = false;
  bool note = false;
  bool goalMet = false;
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
  explicit OpenStepFileDays(StepData& steps, std::optional<int> goal = std::nullopt) : m_steps(steps), m_goal(goal) {}
  DayMarks MarksOf(Date date) override;

 private:
  StepData& m_steps;
  std::optional<int> m_goal;
};

// The marks of a day record, for a user with this daily step goal (or none).
DayMarks MarksOfRecord(const DayRecord& record, std::optional<int> goal = std::nullopt);

}  // namespace tempovia
