#pragma once
// What the report options dialog holds and every rule it follows: which parts
// the report has, the date range as entries of the month, day and year lists,
// the sort boxes, the output folder and file name. The dialog copies its
// controls in, calls these rules and shows the fields again, so everything it
// decides is tested here without a display.

#include <chrono>
#include <string>
#include <vector>

#include "base/Clock.h"

namespace tempovia {

// The years the range lists offer.
constexpr int kFirstReportYear = 2000;
constexpr int kLastReportYear = 2035;

// A date as the selected entries of its three lists: month - 1, day - 1 and
// year - 2000; -1 while a list has no selection.
struct DateEntries {
  int month = -1;
  int day = -1;
  int year = -1;

  friend bool operator==(const DateEntries&, const DateEntries&) = default;
};

enum class SortBox { Date, HeartRate, Step, Speed };

struct ReportEnabled {
  bool range = false;   // the six range lists
  bool sort = false;    // the sort boxes
  bool csv = false;     // "Also save as CSV": the files hold the range's rows
  bool create = false;  // "Create PDF File"
  bool browse = true;   // "..." is never disabled
};

struct ReportOptions {
  bool chart = false;
  bool detail = false;
  std::string folder;    // UTF-8
  std::string fileName;  // UTF-8
  bool sortDate = false;
  bool sortHeartRate = false;
  bool sortStep = false;
  bool sortSpeed = false;
  DateEntries from;
  DateEntries to;
  bool csv = false;  // also the rows as "<name> days.csv" and "<name> sessions.csv"
};

// "Exercise Report 2008-Mar-05.pdf": English month names whatever the
// desktop's language.
std::string DefaultReportFileName(std::chrono::year_month_day today);

// Fills the options as the dialog opens: Date sorting, the desktop when no
// folder was handed in (an empty desktop leaves the folder empty), today's
// file name and today selected in both ranges.
void OpenReportOptions(ReportOptions& options, const Clock& clock, const std::string& desktop);

// The texts of the lists: "1".."12", "2000".."2035", "1".."n".
std::vector<std::string> MonthEntries();
std::vector<std::string> YearEntries();
std::vector<std::string> DayEntries(int count);

// Days in the month the entries select (leap years counted); 31 while the
// month or year list has no selection.
int DayCount(const DateEntries& date);
// The day entry kept when a day list is rebuilt with count days: lowered to
// the last day when beyond it, the first day when nothing was selected.
int KeptDayEntry(int previous, int count);
// Rebuilds what both day lists select after a year or month changed.
void KeepDaysInMonth(ReportOptions& options);

// The sort boxes act as one exclusive choice: the clicked one is set, the
// other three cleared.
void ClickSortBox(ReportOptions& options, SortBox box);
// 0 date, 1 steps, 2 heart rate, 3 speed: the first set box in that order of
// preference (Date, Step, Heart Rate, Speed), else 0.
int SortKey(const ReportOptions& options);

ReportEnabled EnabledControls(const ReportOptions& options);

// The dates the entries select, at 00:00:00. An entry without selection, or
// a day beyond its month, is taken as the nearest valid one.
LocalDateTime EntriesToDate(const DateEntries& entries);
DateEntries DateToEntries(std::chrono::year_month_day date);

}  // namespace tempovia
