#include "report/ReportRun.h"

#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "base/Notice.h"
#include "report/PrintPDF.h"
#include "report/ReportCsv.h"
#include "report/ReportFolder.h"
#include "report/ReportRows.h"
#include "report/ReportTarget.h"
#include "store/ExerciseDB.h"
#include "store/FileWriter.h"
#include "store/StepData.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "ReportRun";

namespace fs = std::filesystem;

constexpr char kStepDataNotOpened[] = "Failed to open Step Data";
constexpr char kExerciseDataNotOpened[] = "Failed to open Exercise Data";
constexpr char kCsvNotSaved[] = "The PDF file was saved, but a CSV file beside it could not be";

// The only place the finished document reaches the disk: when the writer
// learns to save through a temporary file, nothing else here changes.
Status SaveDocument(CPrintPDF& writer, const fs::path& path, fs::path* written) {
  return writer.Save(path, written);
}

// Opens one of the user's files. The store already tells the user when a
// file will not open; a stored name leading out of the data folder is never
// opened, and is told here with the same words.
template <class File>
Status OpenUserFile(File& file, const StorePaths& paths, const std::string& storedName, const char* notOpened) {
  const std::optional<fs::path> path = paths.UserFile(storedName);
  if (!path) {
    const std::string why = storedName + ": the user record names no file of the data folder";
    ShowNotice(NoticeIcon::Warning, std::string(notOpened) + "\n\n" + why);
    return Status::Error(std::string(notOpened) + ": " + why);
  }
  if (!file.Open(*path)) return Status::Error(std::string(notOpened) + ": " + file.LastError());
  return Status::Ok();
}

Status SaveCsv(const fs::path& path, const std::string& text) {
  return SaveUserFile(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// The folder becomes the last report folder in user.set; a folder user.set
// cannot hold is used all the same. True when it was kept.
bool KeepReportFolder(UserSettings& settings, const std::string& folder) {
  if (!RememberReportFolder(settings, folder)) {
    TV_TRACE("Report folder not kept (too long for user.set, or not Windows-1252)\n");
    return false;
  }
  if (const Status saved = settings.Save(); !saved)
    ShowNotice(NoticeIcon::Warning, "The report folder could not be remembered for next time.\n\n" + saved.message());
  return true;
}

// The rows beside the saved PDF; the first file that cannot be saved is told
// and ends it.
Status SaveCsvFiles(const ReportRequest& request, const std::vector<DayRecord>& days,
                    const std::vector<StoredExercise>& sessions, std::vector<fs::path>& written) {
  const ReportCsvNames names = CsvNamesFor(request.fileName);
  const std::pair<std::string, std::string> files[] = {{names.days, DaysCsv(days)},
                                                       {names.sessions, SessionsCsv(sessions)}};
  for (const auto& [name, text] : files) {
    const fs::path path = fs::path(request.folder) / name;
    if (Status saved = SaveCsv(path, text); !saved) {
      ShowNotice(NoticeIcon::Warning, std::string(kCsvNotSaved) + "\n\n" + saved.message());
      return Status::Error(std::string(kCsvNotSaved) + ": " + saved.message());
    }
    written.push_back(path);
  }
  return Status::Ok();
}

}  // namespace

ReportRequest MakeReportRequest(const ReportOptions& options, const fs::path& picture) {
  ReportRequest request;
  request.folder = options.folder;
  request.fileName = options.fileName;
  request.from = EntriesToDate(options.from).date;
  request.to = EntriesToDate(options.to).date;
  request.chart = options.chart;
  request.detail = options.detail;
  request.sortKey = SortKey(options);
  request.csv = options.csv && options.detail;
  request.picture = picture;
  return request;
}

ReportResult WriteReport(const ReportRequest& request, const LocalUserRecord& user, const StorePaths& paths,
                         UserSettings& settings) {
  ReportResult result;
  result.folderKept = KeepReportFolder(settings, request.folder);

  // The options dialog only confirms plain names; anything else could write
  // outside the chosen folder.
  if (!StorePaths::IsPlainFileName(request.fileName)) {
    result.status = Status::Error(kCannotCreateReport);
    ShowNotice(NoticeIcon::Warning, result.status.message());
    return result;
  }
  CPrintPDF writer;
  writer.SetDistanceUnit(settings.distanceUnit == 1);
  const fs::path output = fs::path(request.folder) / request.fileName;

  const bool csv = request.csv && request.detail;
  std::vector<DayRecord> csvDays;
  std::vector<StoredExercise> csvSessions;

  StepData steps;
  if (Status opened = OpenUserFile(steps, paths, user.stepFile, kStepDataNotOpened); !opened) {
    result.status = std::move(opened);
    return result;
  }
  if (request.detail) writer.AddWalkingSummary(request.from, request.to, user, steps, request.sortKey);
  if (csv) csvDays = ReportDays(request.from, request.to, steps, request.sortKey);
  steps.Close();

  CExerciseDB exercises;
  if (Status opened = OpenUserFile(exercises, paths, user.exerciseFile, kExerciseDataNotOpened); !opened) {
    result.status = std::move(opened);
    return result;
  }
  if (request.detail) writer.AddExerciseReport(request.from, request.to, user, exercises, request.sortKey);
  if (csv) csvSessions = ReportSessions(request.from, request.to, exercises, request.sortKey);
  exercises.Close();
  if (request.chart) writer.AddChartPage(request.picture);

  result.pages = writer.PageCount();
  result.status = SaveDocument(writer, output, &result.written);
  if (!result.status) {
    ShowNotice(NoticeIcon::Warning, result.status.message());
    result.pages = 0;
    return result;
  }
  if (csv) result.status = SaveCsvFiles(request, csvDays, csvSessions, result.csvWritten);
  return result;
}

}  // namespace tempovia
