#include "report/ReportTarget.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <vector>

#include "base/Notice.h"
#include "report/ReportCsv.h"
#include "report/ReportLayout.h"
#include "store/StorePaths.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "ReportTarget";

namespace fs = std::filesystem;

std::size_t LongestName(const fs::path& folder) {
  const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  return limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
}

// Creates and removes a private file beside where the report will go.
int TryCreateIn(const fs::path& folder) {
  std::string pattern = (folder / ".tempovia-report-XXXXXX").string();
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return errno;
  ::close(fd);
  ::unlink(pattern.c_str());
  return 0;
}

}  // namespace

ReportTarget ResolveReportTarget(const std::string& folder, const std::string& fileName) {
  return ResolveFileTarget(folder, WithPdfEnding(fileName));
}

ReportTarget ResolveFileTarget(const std::string& folder, const std::string& fileName) {
  ReportTarget target;
  target.fileName = fileName;
  target.plainName = StorePaths::IsPlainFileName(target.fileName);
  // A name with a separator could point anywhere (an absolute one replaces
  // the folder): it is refused before anything is looked up.
  if (!target.plainName) return target;
  target.path = fs::path(folder) / target.fileName;
  std::error_code error;
  target.exists = fs::exists(fs::symlink_status(target.path, error));
  return target;
}

Status CheckReportTarget(const ReportTarget& target) {
  const Status refused = Status::Error(kCannotCreateReport);
  if (!target.plainName || target.path.empty()) return refused;
  const fs::path folder = target.path.parent_path();
  std::error_code error;
  if (folder.empty() || !fs::is_directory(folder, error)) {
    TV_TRACE("Report folder missing: %s\n", folder.c_str());
    return refused;
  }
  if (target.fileName.size() > LongestName(folder) || target.path.native().size() >= PATH_MAX) return refused;
  if (target.exists && fs::is_directory(target.path, error)) return refused;
  if (const int failure = TryCreateIn(folder); failure != 0) {
    TV_TRACE("Cannot create a file in %s: %s\n", folder.c_str(), SystemErrorText(failure).c_str());
    return refused;
  }
  return Status::Ok();
}

ConfirmResult ConfirmReportOptions(ReportOptions& options, const OverwriteQuestion& askOverwrite) {
  ConfirmResult result;
  const ReportTarget target = ResolveReportTarget(options.folder, options.fileName);
  if (!target.plainName) {
    result.warning = kCannotCreateReport;
    return result;
  }
  std::vector<ReportTarget> targets{target};
  if (options.csv && options.detail) {
    const ReportCsvNames names = CsvNamesFor(target.fileName);
    targets.push_back(ResolveFileTarget(options.folder, names.days));
    targets.push_back(ResolveFileTarget(options.folder, names.sessions));
  }
  const bool exists = std::any_of(targets.begin(), targets.end(), [](const ReportTarget& t) { return t.exists; });
  if (exists && !askOverwrite(kOverwriteReportQuestion)) return result;
  for (const ReportTarget& each : targets) {
    if (const Status check = CheckReportTarget(each); !check) {
      result.warning = check.message();
      return result;
    }
  }
  options.fileName = target.fileName;
  result.accepted = true;
  return result;
}

}  // namespace tempovia
