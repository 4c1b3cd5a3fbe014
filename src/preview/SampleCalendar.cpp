#include "preview/SampleCalendar.h"

#include <QTemporaryDir>
#include <cstdio>

#include "calendar/CalendarDate.h"
#include "calendar/CalendarDays.h"
#include "calendar/widgets/CalendarCtrl.h"
#include "calendar/widgets/DlgCalendar.h"
#include "preview/SampleClock.h"
#include "skin/SkinLayout.h"
#include "store/StepData.h"

namespace tempovia {
namespace {

// Today in the pictures: a Wednesday, so the month shows days before and after.
const LocalDateTime kToday = LocalDateTime::From(2026, 3, 18, 16, 20, 0);

// Most days of the last year have steps; every seventh is missed, a few carry
// a note, one of them a rest day without steps. The first and last allowed
// months get a few days too.
bool WriteHistory(StepData& steps) {
  const auto store = [&](Date date, double count, const char* note) {
    DayRecord& r = steps.Current();
    r = DayRecord{};
    r.year = static_cast<std::uint8_t>(YearOf(date) - 2000);
    r.month = static_cast<std::uint8_t>(MonthOf(date));
    r.day = static_cast<std::uint8_t>(DayOf(date));
    r.steps = count;
    r.note = note;
    return steps.MergeDay();
  };
  const Date first = MakeDate(2025, 3, 1);
  for (Date d = first; d < kToday.date; d = AddDays(d, 1)) {
    const int n = DaysBetween(first, d);
    if (n % 7 == 3) continue;
    const char* note = n % 11 == 5 ? "Hill walk with Sam" : "";
    if (!store(d, 4000 + (n * 7919) % 9000, note)) return false;
  }
  bool ok = store(MakeDate(2026, 3, 4), 0, "Rest day: sore knee");
  for (int day : {1, 2, 4, 5, 9})
    ok = ok && store(MakeDate(2000, 1, day), 6000 + day * 300, day == 4 ? "First run" : "");
  for (int day : {24, 27, 30, 31}) ok = ok && store(MakeDate(2035, 12, day), 7000, day == 31 ? "New Year's Eve" : "");
  return ok && steps.SortAndRenumber();
}

}  // namespace

bool RenderSampleCalendars(const std::function<void(const QString& name, const QImage& image)>& save) {
  QTemporaryDir folder;
  StepData steps;
  if (!folder.isValid() || !steps.Open(folder.filePath(QStringLiteral("100.dat")).toStdString()) ||
      !WriteHistory(steps)) {
    std::fprintf(stderr, "tempovia-preview: cannot write the sample step file\n");
    return false;
  }
  SampleClock clock(kToday);
  OpenStepFileDays days(steps);

  {
    CDlgCalendar dialog(clock);
    dialog.SetDays(&days);
    dialog.show();
    // A day picked with the mouse, away from today.
    CalendarModel& model = dialog.Calendar().Model();
    const CalendarGeometry g = model.Geometry();
    const int cell = model.CellOf(DayKey(MakeDate(2026, 3, 10)));
    const int x = (cell % 7) * g.ColumnWidth() + g.ColumnWidth() / 2;
    const int y = g.HeaderHeight() + (cell / 7) * g.RowHeight() + g.RowHeight() / 2;
    model.Press(x, y, {});
    model.Release(x, y, {});
    save(QStringLiteral("calendar-month"), dialog.grab().toImage());
    dialog.Calendar().GoToToday();
    save(QStringLiteral("calendar-today"), dialog.grab().toImage());
    dialog.resize(dialog.minimumSize());
    save(QStringLiteral("calendar-smallest"), dialog.grab().toImage());
  }
  {
    // A user with a daily goal of 8000 steps: the days that met it marked.
    OpenStepFileDays goalDays(steps, 8000);
    CDlgCalendar dialog(clock);
    dialog.SetDays(&goalDays);
    dialog.show();
    save(QStringLiteral("calendar-goal"), dialog.grab().toImage());
    dialog.resize(dialog.minimumSize());
    save(QStringLiteral("calendar-goal-smallest"), dialog.grab().toImage());
  }
  // The first and last allowed months, reached as a user reaches them: with
  // the year arrows, on a day of the month they show.
  const struct {
    const char* name;
    int month;
    int area;
  } ends[] = {{"calendar-first-month", 1, kCalendarPreviousYear}, {"calendar-last-month", 12, kCalendarNextYear}};
  for (const auto& end : ends) {
    SampleClock endClock(LocalDateTime::From(2026, end.month, 12, 9, 0, 0));
    CDlgCalendar dialog(endClock);
    dialog.SetDays(&days);
    dialog.show();
    for (int i = 0; i < 40; ++i) dialog.RunArea(end.area);
    save(QString::fromLatin1(end.name), dialog.grab().toImage());
  }
  steps.Close();
  return true;
}

}  // namespace tempovia
