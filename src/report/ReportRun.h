#pragma once
// Writing the report the options dialog asked for: the folder is kept as the
// last report folder, then the walking summary and the exercise report (when
// Detailed Data is set) and the chart page (when Chart is set) are written in
// that order. Both of the user's files must open, even for a chart-only
// report, so a user whose files are damaged is told before a PDF appears.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Status.h"
#include "report/ReportOptions.h"
#include "store/LocalUserRecord.h"
#include "store/StorePaths.h"
#include "store/UserSettings.h"

namespace tempovia {

struct ReportRequest {
  std::string folder;    // UTF-8, as chosen
  std::string fileName;  // UTF-8, ending in ".pdf"
  std::chrono::year_month_day from{};
  std::chrono::year_month_day to{};
  bool chart = false;
  bool detail = false;
  int sortKey = 0;
  bool csv = false;               // the detailed rows also as CSV files beside the PDF
  std::filesystem::path picture;  // the window picture for the chart page
};

// The request of confirmed options (see ConfirmReportOptions).
ReportRequest MakeReportRequest(const ReportOptions& options, const std::filesystem::path& picture);

struct ReportResult {
  // Why no report was written; every failure has already been shown to the
  // user as a notice by then, so the caller need not show it again.
  Status status = Status::Ok();
  std::filesystem::path written;                  // the PDF, when it was saved
  std::vector<std::filesystem::path> csvWritten;  // the CSV files saved beside it
  int pages = 0;
  bool folderKept = false;  // the folder became the last report folder in user.set
};

// Runs the report for the logged-in user; the distance unit comes from the
// settings. A successful report is not announced. The CSV files are saved
// only after the PDF was: a CSV file that cannot be saved is told and makes
// the result a failure, with the PDF kept.
ReportResult WriteReport(const ReportRequest& request, const LocalUserRecord& user, const StorePaths& paths,
                         UserSettings& settings);

}  // namespace tempovia
