#include "report/ReportOptions.h"

#include <locale.h>
#include <algorithm>
#include <ctime>

namespace tempovia {
namespace {

using std::chrono::year_month_day;

constexpr int kYearCount = kLastReportYear - kFirstReportYear + 1;

// Report names must not change with the desktop's language, so the month
// name comes from the C locale whatever the process locale is.
std::string FormatInCLocale(const char* format, year_month_day date) {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  std::tm t{};
  t.tm_year = static_cast<int>(date.year()) - 1900;
  t.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
  t.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
  char buffer[64];
  const std::size_t length = strftime_l(buffer, sizeof buffer, format, &t, c);
  return std::string(buffer, length);
}

int DaysIn(int year, int month) {
  const std::chrono::year_month_day_last last{
      std::chrono::year{year}, std::chrono::month_day_last{std::chrono::month{static_cast<unsigned>(month)}}};
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

std::vector<std::string> Numbers(int first, int last) {
  std::vector<std::string> texts;
  for (int n = first; n <= last; ++n) texts.push_back(std::to_string(n));
  return texts;
}

}  // namespace

std::string DefaultReportFileName(year_month_day today) {
  return "Exercise Report " + FormatInCLocale("%Y-%b-%d", today) + ".pdf";
}

void OpenReportOptions(ReportOptions& options, const Clock& clock, const std::string& desktop) {
  options.sortDate = true;
  options.sortHeartRate = false;
  options.sortStep = false;
  if (options.folder.empty()) options.folder = desktop;
  const year_month_day today = clock.Now().date;
  options.fileName = DefaultReportFileName(today);
  options.from = DateToEntries(today);
  options.to = options.from;
}

std::vector<std::string> MonthEntries() {
  return Numbers(1, 12);
}

std::vector<std::string> YearEntries() {
  return Numbers(kFirstReportYear, kLastReportYear);
}

std::vector<std::string> DayEntries(int count) {
  return Numbers(1, count);
}

int DayCount(const DateEntries& date) {
  if (date.month < 0 || date.month > 11 || date.year < 0 || date.year >= kYearCount) return 31;
  return DaysIn(kFirstReportYear + date.year, date.month + 1);
}

int KeptDayEntry(int previous, int count) {
  if (previous < 0) return 0;
  return std::min(previous, count - 1);
}

void KeepDaysInMonth(ReportOptions& options) {
  options.from.day = KeptDayEntry(options.from.day, DayCount(options.from));
  options.to.day = KeptDayEntry(options.to.day, DayCount(options.to));
}

void ClickSortBox(ReportOptions& options, SortBox box) {
  options.sortDate = box == SortBox::Date;
  options.sortHeartRate = box == SortBox::HeartRate;
  options.sortStep = box == SortBox::Step;
  options.sortSpeed = box == SortBox::Speed;
}

int SortKey(const ReportOptions& options) {
  if (options.sortDate) return 0;
  if (options.sortStep) return 1;
  if (options.sortHeartRate) return 2;
  if (options.sortSpeed) return 3;
  return 0;
}

ReportEnabled EnabledControls(const ReportOptions& options) {
  ReportEnabled enabled;
  enabled.range = options.detail;
  enabled.sort = options.detail;
  enabled.csv = options.detail;
  enabled.create = !options.fileName.empty() && !options.folder.empty() && (options.chart || options.detail);
  return enabled;
}

LocalDateTime EntriesToDate(const DateEntries& entries) {
  const int year = kFirstReportYear + std::clamp(entries.year, 0, kYearCount - 1);
  const int month = std::clamp(entries.month, 0, 11) + 1;
  const int day = std::clamp(entries.day, 0, DaysIn(year, month) - 1) + 1;
  return LocalDateTime::From(year, month, day, 0, 0, 0);
}

DateEntries DateToEntries(year_month_day date) {
  DateEntries entries;
  // A clock outside the lists' years selects the nearest year they offer.
  entries.year = std::clamp(static_cast<int>(date.year()) - kFirstReportYear, 0, kYearCount - 1);
  entries.month = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
  entries.day = KeptDayEntry(static_cast<int>(static_cast<unsigned>(date.day())) - 1, DayCount(entries));
  return entries;
}

}  // namespace tempovia
