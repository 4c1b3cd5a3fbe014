#pragma once
// The main window's chart state and everything done with it: which measure
// and period the chart shows, stepping through periods, the series of bars
// built from the step data file, the chart title and date caption, the day
// summary, the exercise table, the day note and the held arrow buttons.
//
// It builds the chart as one picture, drawn through ChartControl, and shows its results through
// DashboardView; the window only forwards clicks and ticks. Every date is a
// local calendar date stepped on the calendar.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/Status.h"
#include "calendar/CalendarDate.h"
#include "calendar/CalendarDays.h"
#include "charts/ChartControl.h"
#include "dashboard/ChartPeriod.h"
#include "dashboard/DashboardFiles.h"
#include "dashboard/DashboardTexts.h"
#include "dashboard/DashboardView.h"
#include "skin/ChartKind.h"
#include "store/DayRecord.h"
#include "store/StoredExercise.h"

namespace tempovia {

class ChartDashboard {
 public:
  // Timer ticks (50 ms) a held arrow waits before it repeats.
  static constexpr int kRepeatDelayTicks = 20;

  // The files are the logged-in user's, read only when needed and never kept.
  ChartDashboard(ChartControl& chart, DashboardView& view, DashboardFiles& files, const Clock& clock);

  ChartKind Kind() const { return m_kind; }
  ChartPeriod Period() const { return m_period; }
  const LocalDateTime& ChartDate() const { return m_chartDate; }
  void SetChartDate(const LocalDateTime& date) { m_chartDate = date; }
  const Units& GetUnits() const { return m_units; }
  // The user's daily step goal, drawn across the week and month step charts
  // from the next rebuild on; ShowStepGoal rebuilds at once when it changed.
  void SetStepGoal(std::optional<int> goal) { m_goal = goal; }
  void ShowStepGoal(std::optional<int> goal);
  void SetUnits(const Units& units) { m_units = units; }
  static constexpr char kDiscardNoteQuestion[] = "The day note could not be saved. Discard it?";

  // The window's start: the chart date is now, nothing edited, the period
  // Month and the kind Steps; the caption shows the date, the figures are
  // blank and the exercise row shows "0:00".
  void Start();
  // The user-load rule: the chart date becomes the latest stored day (today
  // for an empty file) and the chart is rebuilt. False, changing nothing,
  // when the step file cannot be opened.
  bool LoadUser();

  // A click or shortcut on a main-window area: the note is saved first, then
  // the chart areas run here. held: a mouse press on an arrow, which repeats
  // while the button stays down. Returns true when the area was a chart area
  // (its action has run); other areas are the window's to run.
  bool RunArea(int area, bool held);
  // The area under a point of the window (kind filter applied) or kAreaNone.
  int AreaAt(int x, int y) const;

  void SelectChartKind(ChartKind kind);
  void SelectPeriod(ChartPeriod period);
  void PreviousPeriod();
  void NextPeriod();

  // What the calendar returned: confirmed, and the picked day (nothing for
  // the zero time).
  struct CalendarResult {
    bool ok = false;
    std::optional<LocalDateTime> picked;
  };
  // Runs the calendar on the user's days. Nothing is shown when either of
  // the user's files cannot be opened; the calendar itself holds neither
  // (the step file is read here for each day it paints).
  using CalendarRunner = std::function<CalendarResult(CalendarDays& days)>;
  void PickDate(const CalendarRunner& runCalendar);

  // The picture ConfigureChart starts from: the look of a kind over a
  // period, without bars or title.
  static ChartPicture ConfiguredPicture(ChartKind kind, ChartPeriod period, const Units& units);
  // Starts the chart's picture anew for the current kind and period.
  void ConfigureChart();
  void RebuildChart();
  // Builds the bars of the current period and kind into the picture.
  void BuildSeries();
  std::string FormatChartTitle() const;
  // The bar colours of a kind; entries the kind does not use stay as they are.
  static void GetSeriesColours(ChartKind kind, std::array<Rgb, 3>& colours);
  void UpdateDateCaption();
  void RefreshDaySummary();
  // Blanks the figures, shows the chart date and empties the note field.
  void ClearDashboard();
  void FillExerciseTable();
  void ScrollExerciseTable(bool up);

  // The user typed in the note field.
  void NoteEdited() {
    m_noteChanged = true;
    m_failureShown = false;
  }
  // Notes are not written while this is an error (a user database that ties
  // this user's files to another user); the reason is shown when a typed
  // note cannot be saved.
  void SetNoteRefusal(Status refusal) { m_noteRefusal = std::move(refusal); }
  // Writes an edited note into its day's stored record (a new blank record
  // for a day without one). Nothing to do is success; a failure, naming the
  // file and the reason, keeps the note marked as edited and in the field
  // so a later save tries again. Tells nobody.
  Status SaveDayNote();
  // The same, telling the user of a failure once per edit.
  bool SaveDayNoteOrSay();
  // Before the window goes away or out of sight (LOGOUT, Escape, Exit,
  // hiding it): true when the note is saved or untouched. Otherwise the
  // failure is told and the user asked whether to discard the note: Yes
  // discards it (true), No keeps the window (false).
  bool MayLeave();
  // Where nobody can be asked (the session ends, a logout nobody started):
  // the note is saved as always, and when that fails the failure and the
  // note's text go to standard error and the trace.
  void SaveDayNoteUnattended();

  // After a download whose files could be opened: the week from the latest
  // stored day, the title, the chart and the exercise table anew.
  void ShowLatestWeek();

  // The main window's 50 ms timer: repeats a held arrow.
  void Tick();
  // Any mouse move or release stops a held arrow.
  void ClearRepeat() { m_repeatButton = -1; }

 private:
  bool RunStepArea(int area);
  // Shows the picture as it now stands.
  void DrawChart();
  void AddBar(const std::array<double, 3>& values, std::string tipLabel, std::string axisLabel,
              const std::array<Rgb, 3>& colours);
  void BuildWeek(StepData& steps, const std::array<Rgb, 3>& colours);
  void BuildMonth(StepData& steps, const std::array<Rgb, 3>& colours);
  void BuildYear(StepData& steps, const std::array<Rgb, 3>& colours);
  std::array<double, 3> BarValues(const DayRecord& record) const;
  void MoveChartDate(const LocalDateTime& to);
  // Reads the exercise count when it is not known yet.
  void CountExercises();
  // The field shows the chart date's stored note again; nothing is edited.
  void DiscardNote();

  // One action of the user, however many operations it runs: a file that
  // fails to open is told once in it.
  class Action {
   public:
    explicit Action(ChartDashboard& dashboard);
    ~Action();
    Action(const Action&) = delete;
    Action& operator=(const Action&) = delete;

   private:
    ChartDashboard& m_dashboard;
  };
  int m_actionDepth = 0;

  ChartControl& m_chart;
  DashboardView& m_view;
  const Clock& m_clock;
  DashboardFiles& m_files;
  Units m_units;

  std::optional<int> m_goal;
  ChartPicture m_picture;
  ChartKind m_kind = ChartKind::Steps;
  ChartPeriod m_period = ChartPeriod::Month;
  LocalDateTime m_chartDate;
  bool m_noteChanged = false;
  Status m_noteRefusal = Status::Ok();
  bool m_failureShown = false;
  DayRecord m_savedDay{};
  // The day whose note the note field shows.
  Date m_noteDay{};
  int m_tableTop = 0;
  int m_exerciseCount = -1;
  std::vector<StoredExercise> m_exercises;
  int m_repeatButton = -1;
  int m_repeatCountdown = 0;
};

}  // namespace tempovia
