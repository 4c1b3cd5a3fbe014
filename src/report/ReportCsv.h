#pragma once
// The report's rows as CSV files for a spreadsheet, beside the PDF and named
// after it: "<name> days.csv" and "<name> sessions.csv". The columns are the
// tool's listing fields (RecordJson.h), so `tempovia-cli days --csv` and the
// window's files read the same.

#include <string>
#include <vector>

#include "store/DayRecord.h"
#include "store/StoredExercise.h"

namespace tempovia {

struct ReportCsvNames {
  std::string days;
  std::string sessions;
};

// The names beside a PDF's file name; its ".pdf" ending, in any letter case,
// is left out ("March.PDF" gives "March days.csv").
ReportCsvNames CsvNamesFor(const std::string& pdfFileName);

std::string DaysCsv(const std::vector<DayRecord>& days);
std::string SessionsCsv(const std::vector<StoredExercise>& sessions);

}  // namespace tempovia
