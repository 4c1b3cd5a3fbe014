#include "report/ReportCsv.h"

#include "report/CsvWriter.h"
#include "report/RecordJson.h"
#include "report/ReportLayout.h"

namespace tempovia {
namespace {

using Json = nlohmann::ordered_json;

template <class Record>
std::string Table(const std::vector<Record>& records) {
  Json rows = Json::array();
  for (const Record& record : records) rows.push_back(ToJson(record));
  return CsvWriter::Table(ToJson(Record{}), rows);
}

}  // namespace

ReportCsvNames CsvNamesFor(const std::string& pdfFileName) {
  const std::string named = WithPdfEnding(pdfFileName);
  const std::string stem = named.substr(0, named.size() - 4);
  return ReportCsvNames{stem + " days.csv", stem + " sessions.csv"};
}

std::string DaysCsv(const std::vector<DayRecord>& days) {
  return Table(days);
}

std::string SessionsCsv(const std::vector<StoredExercise>& sessions) {
  return Table(sessions);
}

}  // namespace tempovia
