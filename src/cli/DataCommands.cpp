#include <chrono>
#include <memory>
#include <optional>

#include "base/Printf.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/JsonRecords.h"
#include "cli/TextTable.h"
#include "device/Trekmo.h"
#include "report/CsvWriter.h"
#include "store/DownloadStore.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "workspace/DownloadLoop.h"

namespace tempovia::cli {
namespace {

using Json = nlohmann::ordered_json;
using std::chrono::sys_days;

struct Range {
  std::string from;
  std::string to;
  bool table = false;
  bool csv = false;

  // Refuses dates that are not YYYY-MM-DD before anything is read.
  void Parse() {
    if (!from.empty()) m_first = sys_days{ParseDate(from, "--from")};
    if (!to.empty()) m_last = sys_days{ParseDate(to, "--to")};
  }
  bool Contains(std::chrono::year_month_day date) const {
    return (!m_first || sys_days{date} >= *m_first) && (!m_last || sys_days{date} <= *m_last);
  }

 private:
  std::optional<sys_days> m_first;
  std::optional<sys_days> m_last;
};

Json Download(CliContext& context, const std::string& name, bool setClock) {
  const LocalUserRecord user = context.LoginUser(name);
  CTrekmo& watch = context.Watch();
  // The window's download, straight through: the same attempts and store.
  DownloadLoop loop(DownloadChoices{setClock, !setClock});
  loop.Announce();
  loop.Prime(watch, user);
  const bool ok =
      loop.RunHere([&watch]() -> CTrekmo* { return watch.IsConnected() || watch.Reconnect() ? &watch : nullptr; });
  if (!ok) {
    const std::string reason = watch.LastError();
    throw CliError("Download error! Please Plug the Device and Try again" +
                   (reason.empty() ? std::string() : " (" + reason + ")"));
  }

  Json result{{"ok", true}, {"attempts", loop.Made()}};
  if (setClock) {
    result["clock"] = watch.SyncTimeText();
    result["daysStored"] = 0;
    result["exercisesStored"] = 0;
    return result;
  }
  DownloadStoreResult stored;
  const Status status =
      StoreDownload(context.Paths(), context.Users(), user, loop.WatchUser(), loop.Steps(), loop.Exercises(), stored);
  if (!status) {
    const std::string part = PartlyStoredText(stored);
    throw CliError(part.empty() ? status.message() : status.message() + "\n\n" + part);
  }
  result["daysStored"] = stored.daysStored;
  result["exercisesStored"] = stored.exercisesStored;
  result["latestDate"] = stored.hasLatest ? Json(DateText(stored.latestDate)) : Json(nullptr);
  return result;
}

// Aligned text for a person at a terminal; scripts read the JSON.
std::string DaysTable(const Json& days) {
  TextTable table({"Date", "Steps", "Distance km", "Speed km/h", "Calories", "Fat g", "Heart rate", "Exercise"});
  for (const Json& d : days)
    table.AddRow({d["date"].get<std::string>(), FigureText(d["steps"].get<double>(), 0),
                  FigureText(d["distance"].get<double>(), 2), FigureText(d["avgSpeed"].get<double>(), 2),
                  FigureText(d["calories"].get<double>(), 1), FigureText(d["fatBurnt"].get<double>(), 1),
                  FigureText(d["avgHeartRate"].get<double>(), 0),
                  Printf("%d:%02d:%02d", d["exerciseHours"].get<int>(), d["exerciseMinutes"].get<int>(),
                         d["exerciseSeconds"].get<int>())});
  return table.Text();
}

std::string ExercisesTable(const Json& exercises) {
  TextTable table({"Start", "Duration", "Steps", "Distance km", "Calories", "Heart rate min", "avg", "max"});
  for (const Json& e : exercises)
    table.AddRow({e["date"].get<std::string>() + " " + e["time"].get<std::string>(),
                  Printf("%02d:%02d:%02d.%02d", e["durationHours"].get<int>(), e["durationMinutes"].get<int>(),
                         e["durationSeconds"].get<int>(), e["durationHundredths"].get<int>()),
                  FigureText(e["steps"].get<double>(), 0), FigureText(e["distance"].get<double>(), 2),
                  FigureText(e["calories"].get<double>(), 1), FigureText(e["minHeartRate"].get<double>(), 0),
                  FigureText(e["avgHeartRate"].get<double>(), 0), FigureText(e["maxHeartRate"].get<double>(), 0)});
  return table.Text();
}

// A user's stored days or sessions within the range, in file order.
template <class RecordFile>
Json ListStored(CliContext& context, const std::string& name, Range range, std::string LocalUserRecord::*fileName,
                const char* what, const char* openFailed) {
  range.Parse();
  const LocalUserRecord user = context.LoginUser(name, Access::Read);
  RecordFile file;
  if (!file.TryOpenForReading(context.UserFile(user.*fileName, what)))
    throw CliError(std::string(openFailed) + ": " + file.LastError());
  Json list = Json::array();
  for (int i = 0; i < file.GetCount(); ++i) {
    const auto record = file.RecordAt(i);
    if (record.hidden == 0 && range.Contains(record.Date())) list.push_back(ToJson(record));
  }
  return list;
}

Json Days(CliContext& context, const std::string& name, const Range& range) {
  return ListStored<StepData>(context, name, range, &LocalUserRecord::stepFile, "step file",
                              "Failed to open Step Data");
}

Json Exercises(CliContext& context, const std::string& name, const Range& range) {
  return ListStored<CExerciseDB>(context, name, range, &LocalUserRecord::exerciseFile, "exercise file",
                                 "Failed to open Exercise Data");
}

using ListFunction = Json (*)(CliContext&, const std::string&, const Range&);
using TableFunction = std::string (*)(const Json&);

// The listing's fields, named as in its JSON objects, for the CSV header.
Json DayFields() {
  return ToJson(DayRecord{});
}

Json ExerciseFields() {
  return ToJson(StoredExercise{});
}

// A listing command: the user, an optional range, JSON, CSV or an aligned table.
void AddListCommand(CLI::App& app, CliContext& context, const char* name, const char* description, ListFunction list,
                    TableFunction table, Json (*fields)()) {
  auto* command = app.add_subcommand(name, description);
  auto user = std::make_shared<std::string>();
  auto range = std::make_shared<Range>();
  command->add_option("--user", *user, "The user's name")->required();
  command->add_option("--from", range->from, "First day, YYYY-MM-DD");
  command->add_option("--to", range->to, "Last day, YYYY-MM-DD");
  auto* tableFlag = command->add_flag("--table", range->table, "Print an aligned table for reading instead of JSON");
  command->add_flag("--csv", range->csv, "Print CSV (RFC 4180, UTF-8, the JSON field names as header) instead of JSON")
      ->excludes(tableFlag);
  command->callback([&context, user, range, list, table, fields] {
    const Json listed = list(context, *user, *range);
    if (range->table)
      context.PrintText(table(listed));
    else if (range->csv)
      context.PrintText(CsvWriter::Table(fields(), listed));
    else
      context.Print(listed);
  });
}

}  // namespace

void AddDataCommands(CLI::App& app, CliContext& context) {
  auto* download = app.add_subcommand("download", "Download the watch into a user's files (up to ten attempts)");
  auto downloadUser = std::make_shared<std::string>();
  auto setClock = std::make_shared<bool>(false);
  download->add_option("--user", *downloadUser, "The user's name")->required();
  download->add_flag("--set-clock", *setClock, "Set the watch's clock from the computer instead; nothing is stored");
  download->callback(
      [&context, downloadUser, setClock] { context.Print(Download(context, *downloadUser, *setClock)); });

  AddListCommand(app, context, "days", "List a user's stored days in file order", Days, DaysTable, DayFields);
  AddListCommand(app, context, "exercises", "List a user's stored exercise sessions in file order", Exercises,
                 ExercisesTable, ExerciseFields);
}

}  // namespace tempovia::cli
