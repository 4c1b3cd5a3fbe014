#pragma once
// The confirm step of the report options: the file name gets its ".pdf"
// ending, an existing file is only replaced when the user says so, and the
// file must be one the report can be written to. The check never opens the
// target itself, so an existing report survives until a new one has been
// written whole.

#include <filesystem>
#include <functional>
#include <string>

#include "base/Status.h"
#include "report/ReportOptions.h"

namespace tempovia {

inline constexpr char kOverwriteReportQuestion[] = "Output File Already Exist\n\nOverwrite ??";
inline constexpr char kCannotCreateReport[] = "Unable to create PDF file\n\nPlease check the folder and filename";

struct ReportTarget {
  std::string fileName;        // a PDF's ends with ".pdf" in some letter case
  std::filesystem::path path;  // the folder with the file name in it
  bool plainName = false;      // a name that stays inside the folder
  bool exists = false;         // something is there already (a dangling link too)
};

// The PDF of that name, its ".pdf" ending added when missing.
ReportTarget ResolveReportTarget(const std::string& folder, const std::string& fileName);
// Any other file the report writes, by its name as given.
ReportTarget ResolveFileTarget(const std::string& folder, const std::string& fileName);

// Whether a report can be written to the target, found without touching it:
// a plain name the file system accepts, an existing folder in which a new
// file can be created (a private temporary one, removed at once), and no
// folder of that name in the way.
Status CheckReportTarget(const ReportTarget& target);

struct ConfirmResult {
  bool accepted = false;
  std::string warning;  // to show when not accepted; empty after a No
};

// Answers the overwrite question: true for Yes.
using OverwriteQuestion = std::function<bool(const std::string& question)>;

// "Create PDF File": on acceptance options.fileName holds the name with its
// ending; otherwise the options are left as they were and the dialog stays
// open (with the warning shown, if any). With the CSV files chosen they are
// checked as the PDF is, and the overwrite question is asked once when any
// of the three exists.
ConfirmResult ConfirmReportOptions(ReportOptions& options, const OverwriteQuestion& askOverwrite);

}  // namespace tempovia
