#include "dashboard/ChartDashboard.h"

#include <utility>

#include <cstdio>

#include "base/Notice.h"
#include "base/Printf.h"
#include "dashboard/DayNote.h"
#include "records/Units.h"
#include "skin/SkinLayout.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "trace/Trace.h"

namespace tempovia {

namespace {

constexpr char kTraceModule[] = "ChartDashboard";
constexpr char kNoteNotSaved[] = "The day note could not be saved.\n\n";

constexpr const char* kWeekdayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonthNames[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                       "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

bool InChartYears(Date date) {
  return YearOf(date) >= kFirstChartYear && YearOf(date) <= kLastChartYear;
}

LocalDateTime WithDate(const LocalDateTime& time, Date date) {
  LocalDateTime moved = time;
  moved.date = date;
  return moved;
}

// The same day and month in another year; 29 February becomes the 28th.
Date SameDayInYear(Date date, int year) {
  const int day = std::min(DayOf(date), DaysInMonth(year, MonthOf(date)));
  return MakeDate(year, MonthOf(date), day);
}

}  // namespace

ChartDashboard::ChartDashboard(ChartControl& chart, DashboardView& view, DashboardFiles& files, const Clock& clock)
    : m_chart(chart), m_view(view), m_clock(clock), m_files(files), m_chartDate(clock.Now()) {}

ChartDashboard::Action::Action(ChartDashboard& dashboard) : m_dashboard(dashboard) {
  if (m_dashboard.m_actionDepth++ == 0) m_dashboard.m_files.NewAction();
}

ChartDashboard::Action::~Action() {
  --m_dashboard.m_actionDepth;
}

void ChartDashboard::Start() {
  m_noteChanged = false;
  m_chartDate = m_clock.Now();
  m_noteDay = m_chartDate.date;
  m_period = ChartPeriod::Month;
  m_kind = ChartKind::Steps;
  UpdateDateCaption();
  SummaryTexts blank;
  blank.exercise = "0:00";
  m_view.SetSummary(blank);
}

bool ChartDashboard::LoadUser() {
  const Action action(*this);
  StepData* steps = m_files.Steps();
  if (steps == nullptr) return false;
  std::chrono::year_month_day latest;
  if (steps->LatestDate(latest) && latest.ok()) {
    m_chartDate = AtMidnight(latest);
  } else {
    m_chartDate = m_clock.Now();
  }
  RebuildChart();
  return true;
}

int ChartDashboard::AreaAt(int x, int y) const {
  return MainHitTest(x, y, m_kind);
}

bool ChartDashboard::RunArea(int area, bool held) {
  if (area < 0 || area >= kMainAreaCount) return false;
  // An area that does not belong to the kind is not there.
  if (!MainAreaActive(area, m_kind)) return true;
  const Action action(*this);
  // A note that cannot be saved stays in the field, still meant for its day.
  SaveDayNoteOrSay();
  switch (area) {
    case kAreaWeekly:
      SelectPeriod(ChartPeriod::Week);
      return true;
    case kAreaMonthly:
      SelectPeriod(ChartPeriod::Month);
      return true;
    case kAreaYearly:
      SelectPeriod(ChartPeriod::Year);
      return true;
    case kAreaPreviousPeriod:
    case kAreaNextPeriod:
    case kAreaTableUp:
    case kAreaTableDown:
      RunStepArea(area);
      if (held) {
        m_repeatButton = area;
        m_repeatCountdown = kRepeatDelayTicks;
      }
      return true;
    case kAreaStepsRow:
      SelectChartKind(ChartKind::Steps);
      return true;
    case kAreaDistanceRow:
      SelectChartKind(ChartKind::Distance);
      return true;
    case kAreaCaloriesRow:
      SelectChartKind(ChartKind::Calories);
      return true;
    case kAreaHeartRateRow:
      SelectChartKind(ChartKind::HeartRate);
      return true;
    case kAreaExerciseRow:
      SelectChartKind(ChartKind::ExerciseWalking);
      return true;
    default:
      return false;
  }
}

bool ChartDashboard::RunStepArea(int area) {
  switch (area) {
    case kAreaPreviousPeriod:
      PreviousPeriod();
      return true;
    case kAreaNextPeriod:
      NextPeriod();
      return true;
    case kAreaTableUp:
      ScrollExerciseTable(true);
      return true;
    case kAreaTableDown:
      ScrollExerciseTable(false);
      return true;
    default:
      return false;
  }
}

void ChartDashboard::Tick() {
  if (m_repeatButton < 0) return;
  if (m_repeatCountdown > 0) --m_repeatCountdown;
  if (m_repeatCountdown == 0) RunStepArea(m_repeatButton);
}

void ChartDashboard::SelectChartKind(ChartKind kind) {
  const Action action(*this);
  m_kind = kind;
  m_view.ShowKind(kind);
  if (kind == ChartKind::ExerciseWalking) FillExerciseTable();
  ConfigureChart();
  RebuildChart();
  DrawChart();
}

void ChartDashboard::SelectPeriod(ChartPeriod period) {
  const Action action(*this);
  m_period = period;
  ConfigureChart();
  RebuildChart();
  DrawChart();
}

void ChartDashboard::MoveChartDate(const LocalDateTime& to) {
  const Action action(*this);
  if (InChartYears(to.date)) m_chartDate = to;
  ConfigureChart();
  RebuildChart();
  DrawChart();
}

void ChartDashboard::PreviousPeriod() {
  const Date date = m_chartDate.date;
  switch (m_period) {
    case ChartPeriod::Week:
      MoveChartDate(WithDate(m_chartDate, AddDays(date, -7)));
      return;
    case ChartPeriod::Month: {
      Date first = AddDays(date, -1);
      while (DayOf(first) != 1) first = AddDays(first, -1);
      MoveChartDate(WithDate(m_chartDate, first));
      return;
    }
    case ChartPeriod::Year:
      MoveChartDate(AtMidnight(SameDayInYear(date, YearOf(date) - 1)));
      return;
  }
}

void ChartDashboard::NextPeriod() {
  const Date date = m_chartDate.date;
  switch (m_period) {
    case ChartPeriod::Week:
      MoveChartDate(WithDate(m_chartDate, AddDays(date, 7)));
      return;
    case ChartPeriod::Month: {
      Date first = AddDays(date, 1);
      while (DayOf(first) != 1) first = AddDays(first, 1);
      MoveChartDate(WithDate(m_chartDate, first));
      return;
    }
    case ChartPeriod::Year:
      MoveChartDate(AtMidnight(SameDayInYear(date, YearOf(date) + 1)));
      return;
  }
}

void ChartDashboard::PickDate(const CalendarRunner& runCalendar) {
  {
    const Action action(*this);
    if (m_files.Steps() == nullptr) return;
    CExerciseDB exercises;
    if (!m_files.OpenExercises(exercises)) return;
  }
  // No file stays open for the dialog: other work (a download ending, the
  // idle close) goes on while it shows, and each paint reads its days anew.
  const CalendarResult result = runCalendar(m_files);
  if (!result.ok) return;
  const Action action(*this);
  m_period = ChartPeriod::Week;
  if (result.picked) m_chartDate = *result.picked;
  ConfigureChart();
  RebuildChart();
  DrawChart();
  if (m_kind == ChartKind::ExerciseWalking) FillExerciseTable();
}

ChartPicture ChartDashboard::ConfiguredPicture(ChartKind kind, ChartPeriod period, const Units& units) {
  ChartPicture picture;
  // The exercise table takes the chart's place.
  picture.shown = kind != ChartKind::ExerciseWalking;
  const ChartKindInfo& info = InfoOf(kind);
  picture.unitLabel = units.miles ? info.imperialUnitLabel : info.unitLabel;
  picture.background = kChartBackground;
  picture.gridLines = 10;
  BarStyle& style = picture.style;
  style.percentLine = false;
  style.threeD = true;
  style.shaded = true;
  style.axisLabels = false;
  style.valueLabelKind = 1;
  style.valueLabels = false;
  style.integerValues = kind == ChartKind::Steps || kind == ChartKind::HeartRate;
  const BarGeometry geometry = GeometryOf(period);
  style.barGap = geometry.gap;
  style.barWidth = geometry.width;
  style.mode = static_cast<int>(kind);
  return picture;
}

void ChartDashboard::ConfigureChart() {
  // The bars' room is kept: every click rebuilds them.
  std::vector<Bar> bars = std::move(m_picture.bars);
  bars.clear();
  m_picture = ConfiguredPicture(m_kind, m_period, m_units);
  m_picture.bars = std::move(bars);
  m_picture.title = FormatChartTitle();
}

void ChartDashboard::DrawChart() {
  m_chart.Draw(m_picture);
}

void ChartDashboard::RebuildChart() {
  BuildSeries();
  RefreshDaySummary();
}

void ChartDashboard::ShowStepGoal(std::optional<int> goal) {
  if (goal == m_goal) return;
  m_goal = goal;
  const Action action(*this);
  ConfigureChart();
  RebuildChart();
  DrawChart();
}

void ChartDashboard::BuildSeries() {
  if (m_period == ChartPeriod::Month) {
    m_chartDate = AtMidnight(MakeDate(m_chartDate.Year(), m_chartDate.Month(), 1));
  } else if (m_period == ChartPeriod::Year) {
    m_chartDate = AtMidnight(MakeDate(m_chartDate.Year(), 1, 1));
  }
  m_picture.goalLine = m_goal && m_kind == ChartKind::Steps && m_period != ChartPeriod::Year ? *m_goal : 0;
  m_picture.bars.clear();
  if (StepData* steps = m_files.Steps()) {
    std::array<Rgb, 3> colours{kBlack, kBlack, kBlack};
    GetSeriesColours(m_kind, colours);
    switch (m_period) {
      case ChartPeriod::Week:
        BuildWeek(*steps, colours);
        break;
      case ChartPeriod::Month:
        BuildMonth(*steps, colours);
        break;
      case ChartPeriod::Year:
        BuildYear(*steps, colours);
        break;
    }
  }
  UpdateDateCaption();
}

std::array<double, 3> ChartDashboard::BarValues(const DayRecord& record) const {
  switch (m_kind) {
    case ChartKind::Steps:
      return {record.steps, 0, 0};
    case ChartKind::Calories:
      return {record.calories, 0, 0};
    case ChartKind::HeartRate:
      return {record.minHeartRate, record.avgHeartRate, record.maxHeartRate};
    case ChartKind::Distance:
      return {m_units.miles ? KmToMiles(record.distance) : record.distance, 0, 0};
    case ChartKind::ExerciseWalking:
      break;
  }
  return {0, 0, 0};
}

void ChartDashboard::BuildWeek(StepData& steps, const std::array<Rgb, 3>& colours) {
  std::array<DayRecord, 7> days{};
  steps.ReadWeek(m_chartDate.date, days);
  Date date = m_chartDate.date;
  for (const DayRecord& day : days) {
    AddBar(BarValues(day), FormatDate("%d-%b-%Y", date), kWeekdayNames[DayOfWeek(date) - 1], colours);
    date = AddDays(date, 1);
  }
}

void ChartDashboard::BuildMonth(StepData& steps, const std::array<Rgb, 3>& colours) {
  std::array<DayRecord, 31> days{};
  steps.ReadMonth(m_chartDate.date, days);
  // One bar per day of the month: slots past its end hold the next month.
  Date date = m_chartDate.date;
  for (const DayRecord& day : days) {
    AddBar(BarValues(day), FormatDate("%d-%b-%Y", date), Printf("%d", DayOf(date)), colours);
    date = AddDays(date, 1);
    if (DayOf(date) == 1) break;
  }
}

void ChartDashboard::BuildYear(StepData& steps, const std::array<Rgb, 3>& colours) {
  std::array<DayRecord, 12> months{};
  steps.ReadYearByMonth(m_chartDate.date, months);
  for (std::size_t m = 0; m < months.size(); ++m) {
    AddBar(BarValues(months[m]), kMonthNames[m], kMonthNames[m], colours);
  }
}

void ChartDashboard::AddBar(const std::array<double, 3>& values, std::string tipLabel, std::string axisLabel,
                            const std::array<Rgb, 3>& colours) {
  m_picture.bars.push_back(
      Bar{std::move(tipLabel), std::move(axisLabel), BarList::ChartedValues(values, m_picture.style.mode), colours});
}

std::string ChartDashboard::FormatChartTitle() const {
  const char* title = InfoOf(m_kind).title;
  switch (m_period) {
    case ChartPeriod::Week:
      return std::string(title) + "     (Week : " + FormatDateTime("%d-%b-%Y", m_chartDate) + ")";
    case ChartPeriod::Month:
      return std::string(title) + "     (Month : " + FormatDateTime("%b-%Y", m_chartDate) + ")";
    case ChartPeriod::Year:
      break;
  }
  return std::string(title) + "     (Year : " + FormatDateTime("%Y", m_chartDate) + ")";
}

void ChartDashboard::GetSeriesColours(ChartKind kind, std::array<Rgb, 3>& colours) {
  switch (kind) {
    case ChartKind::Steps:
      colours[0] = kStepsColour;
      return;
    case ChartKind::Calories:
      colours[0] = kCaloriesColour;
      return;
    case ChartKind::HeartRate:
      colours = {kDistanceColour, kStepsColour, kHeartRateColour};
      return;
    case ChartKind::Distance:
      colours[0] = kDistanceColour;
      return;
    case ChartKind::ExerciseWalking:
      colours[0] = kExerciseColour;
      return;
  }
}

void ChartDashboard::UpdateDateCaption() {
  const bool today = m_chartDate.date == m_clock.Now().date;
  m_view.SetDateCaption(today ? std::string("Today") : FormatDateTime("%d-%b-%Y", m_chartDate));
}

void ChartDashboard::RefreshDaySummary() {
  // A note typed for the day shown so far is kept before another day shows;
  // when it cannot be saved it stays in the field, still meant for its day.
  const bool keepNote = !SaveDayNoteOrSay();
  StepData* steps = m_files.Steps();
  if (steps == nullptr) {
    // The date shown is the chart date already: another day's figures
    // must not stand beside it.
    m_view.SetSummary(SummaryTexts{});
    m_view.SetInfo(InfoTexts{});
    if (!keepNote) {
      m_noteDay = m_chartDate.date;
      m_view.SetNote(std::string());
    }
    return;
  }
  DayRecord day{};
  steps->FindByDate(m_chartDate.date, day);
  m_savedDay = day;
  m_view.SetSummary(DaySummaryTexts(day, m_units));
  UpdateDateCaption();
  if (!keepNote) {
    m_noteDay = m_chartDate.date;
    m_view.SetNote(NoteFromStored(day.note));
  }
  m_view.SetInfo(DayInfoTexts(day, m_units));
}

void ChartDashboard::ClearDashboard() {
  const Action action(*this);
  SaveDayNoteOrSay();
  m_view.SetSummary(SummaryTexts{});
  UpdateDateCaption();
  if (!m_noteChanged) m_view.SetNote(std::string());
}

void ChartDashboard::FillExerciseTable() {
  ExerciseTableTexts cells{};
  CExerciseDB db;
  if (m_files.OpenExercises(db)) {
    if (db.GetCount() > 0) {
      m_exercises.resize(static_cast<std::size_t>(db.GetCount()));
      for (int i = 0; i < db.GetCount(); ++i) m_exercises[static_cast<std::size_t>(i)] = db.RecordAt(i);
    }
    m_exerciseCount = db.GetCount();
    db.Close();
    for (int r = 0; r < kExerciseRows && m_tableTop + r < m_exerciseCount; ++r) {
      const int entry = m_tableTop + r;
      cells[static_cast<std::size_t>(r)] =
          ExerciseRowTexts(entry + 1, m_exercises[static_cast<std::size_t>(entry)], m_units);
    }
  }
  m_view.SetExerciseTable(cells);
}

void ChartDashboard::CountExercises() {
  if (m_exerciseCount != -1) return;
  CExerciseDB db;
  if (!m_files.OpenExercises(db)) return;
  m_exerciseCount = db.GetCount();
  db.Close();
}

void ChartDashboard::ScrollExerciseTable(bool up) {
  if (up) {
    if (m_tableTop > 0) {
      --m_tableTop;
      FillExerciseTable();
    }
    return;
  }
  CountExercises();
  if (m_exerciseCount != -1 && m_tableTop + kExerciseRows < m_exerciseCount) {
    ++m_tableTop;
    FillExerciseTable();
  }
}

Status ChartDashboard::SaveDayNote() {
  if (!m_noteChanged) return Status::Ok();
  if (!m_noteRefusal) return m_noteRefusal;
  const std::optional<std::string> note = NoteToStored(m_view.Note());
  if (!note)
    return Status::Error("The day note cannot be stored: it is too long or holds characters that cannot be kept");
  const int year = YearOf(m_noteDay);
  if (year < 2000 || year > 2255) return Status::Error("No day record can hold the year " + std::to_string(year));
  std::string why;
  StepData* steps = m_files.StepsQuietly(why);
  if (steps == nullptr) return Status::Error("Cannot open " + why);
  // The record is looked up again by its day rather than written back whole:
  // a download in between may have changed its figures or its id.
  DayRecord record{};
  bool written = false;
  if (steps->FindByDate(m_noteDay, record)) {
    record.note = *note;
    steps->Current() = record;
    written = steps->WriteCurrent();
  } else {
    DayRecord blank = DayRecord::Blank();
    blank.year = static_cast<std::uint8_t>(year - 2000);
    blank.month = static_cast<std::uint8_t>(MonthOf(m_noteDay));
    blank.day = static_cast<std::uint8_t>(DayOf(m_noteDay));
    blank.note = *note;
    steps->Current() = blank;
    written = steps->MergeDay();
  }
  if (!written) return Status::Error(steps->LastError());
  m_savedDay = steps->Current();
  m_noteChanged = false;
  return Status::Ok();
}

bool ChartDashboard::SaveDayNoteOrSay() {
  const Status saved = SaveDayNote();
  if (saved) return true;
  // Said once per edit, not at every click that tries again.
  if (!m_failureShown) ShowNotice(NoticeIcon::Warning, kNoteNotSaved + saved.message());
  m_failureShown = true;
  return false;
}

bool ChartDashboard::MayLeave() {
  const Action action(*this);
  if (SaveDayNoteOrSay()) return true;
  if (!m_view.AskWarning(kDiscardNoteQuestion)) return false;
  DiscardNote();
  return true;
}

void ChartDashboard::DiscardNote() {
  m_noteChanged = false;
  m_noteDay = m_chartDate.date;
  const bool shownDay = m_savedDay.year == YearOf(m_noteDay) - 2000 && m_savedDay.month == MonthOf(m_noteDay) &&
                        m_savedDay.day == DayOf(m_noteDay);
  m_view.SetNote(shownDay ? NoteFromStored(m_savedDay.note) : std::string());
}

void ChartDashboard::SaveDayNoteUnattended() {
  const Status saved = SaveDayNote();
  if (saved) return;
  // Nobody can be asked: the text goes where it can still be found.
  const std::string text = "The day note of " + FormatDate("%d-%b-%Y", m_noteDay) +
                           " could not be saved: " + saved.message() + "\nIts text:\n" + m_view.Note() + "\n";
  std::fprintf(stderr, "Tempovia: %s", text.c_str());
  TV_TRACE("%s", text.c_str());
  m_noteChanged = false;
}

void ChartDashboard::ShowLatestWeek() {
  const Action action(*this);
  SaveDayNoteOrSay();
  m_period = ChartPeriod::Week;
  ConfigureChart();
  LoadUser();
  m_picture.title = FormatChartTitle();
  DrawChart();
  FillExerciseTable();
}

}  // namespace tempovia
