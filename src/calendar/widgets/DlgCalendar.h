#pragma once
// The calendar dialog: a header with Today, the year and the year arrows, and
// the calendar below it. A double click on a day closes it with that day.

#include <QDialog>
#include <optional>

#include "calendar/CalendarDialogModel.h"
#include "calendar/CalendarOwner.h"

namespace tempovia {

class CalendarDays;
class CCalendarCtrl;
class CLabel;

class CDlgCalendar : public QDialog, private CalendarOwner {
 public:
  static constexpr int kWidth = 700;
  static constexpr int kHeight = 520;
  static constexpr int kCalendarId = 1;

  explicit CDlgCalendar(const Clock& clock, QWidget* parent = nullptr);
  ~CDlgCalendar() override;

  // Where the marks of the days come from (asked at every paint); set
  // before exec().
  void SetDays(CalendarDays* days);
  // The double-clicked day at 00:00:00; nothing when the dialog ended another way.
  std::optional<LocalDateTime> PickedDate() const { return m_model.PickedDate(); }
  CCalendarCtrl& Calendar() { return *m_calendar; }

  const CalendarDialogModel& Model() const { return m_model; }
  CLabel& TodayLabel() const { return *m_todayLabel; }
  CLabel& YearLabel() const { return *m_yearLabel; }
  // Runs a header area's action (CalendarArea), as a click on it does.
  void RunArea(int area);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void ViewScrolled(Date viewDate) override;
  void DayDoubleClicked(const LocalDateTime& day) override;
  void Initialise();
  void LayOut();
  void ShowYearText();

  CalendarDialogModel m_model;
  CCalendarCtrl* m_calendar = nullptr;  // children
  CLabel* m_todayLabel = nullptr;
  CLabel* m_yearLabel = nullptr;
  CLabel* m_previousLabel = nullptr;
  CLabel* m_nextLabel = nullptr;
};

}  // namespace tempovia
