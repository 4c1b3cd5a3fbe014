#include <chrono>
#include <memory>

#include "CliError.h"
#include "Commands.h"
#include "DownloadStore.h"
#include "ExerciseDB.h"
#include "JsonRecords.h"
#include "StepData.h"
#include "Trace.h"
#include "Trekmo.h"

namespace tempovia::cli {
namespace {

constexpr char kTraceModule[] = "DlgMain";

using Json = nlohmann::ordered_json;
using std::chrono::sys_days;

constexpr int kAttempts = 10;

struct Range {
  std::string from;
  std::string to;

  bool Contains(std::chrono::year_month_day date) const {
    if (!from.empty() && sys_days{date} < sys_days{ParseDate(from, "--from")}) return false;
    if (!to.empty() && sys_days{date} > sys_days{ParseDate(to, "--to")}) return false;
    return true;
  }
  void Check() const {
    if (!from.empty()) ParseDate(from, "--from");
    if (!to.empty()) ParseDate(to, "--to");
  }
};

std::filesystem::path UserFile(CliContext& context, const std::string& storedName, const char* what) {
  const auto path = context.Paths().UserFile(storedName);
  if (!path) throw CliError(std::string("The user's ") + what + " is not a plain file name in the data folder: \"" + storedName + "\"");
  return *path;
}

Json Download(CliContext& context, const std::string& name, bool setClock) {
  const LocalUserRecord user = context.LoginUser(name);
  CTrekmo& watch = context.Watch();
  if (setClock) {
    TV_TRACE("Write time to device\n");
  } else {
    TV_TRACE("Download data from device\n");
    // The driver carries the user's body values; they are not written to the watch here.
    watch.GetUserRecord().SetHeight(static_cast<int>(user.height));
    watch.GetUserRecord().SetWeight(static_cast<int>(user.weight));
    watch.GetUserRecord().SetStride(static_cast<int>(user.walkingStride));
  }

  bool ok = false;
  int attempts = 0;
  for (int left = kAttempts; left > 0 && !ok; --left) {
    ++attempts;
    if (!watch.IsConnected() && !watch.Reconnect()) continue;
    ok = watch.Download(false, setClock);
    if (!ok) TV_TRACE("Retry Count = %d\n", kAttempts - left);
  }
  if (!ok) {
    const std::string reason = watch.LastError();
    throw CliError("Download error! Please Plug the Device and Try again" +
                   (reason.empty() ? std::string() : " (" + reason + ")"));
  }

  Json result{{"ok", true}, {"attempts", attempts}};
  if (setClock) {
    result["clock"] = watch.SyncTimeText();
    result["daysStored"] = 0;
    result["exercisesStored"] = 0;
    return result;
  }
  DownloadStoreResult stored;
  const Status status = StoreDownload(context.Paths(), context.Users(), watch.GetUserRecord(), watch.GetStepRecord(),
                                      watch.GetExerciseRecord(), stored);
  if (!status) throw CliError(status.message());
  result["daysStored"] = stored.daysStored;
  result["exercisesStored"] = stored.exercisesStored;
  result["latestDate"] = stored.hasLatest ? Json(DateText(stored.latestDate)) : Json(nullptr);
  return result;
}

Json Days(CliContext& context, const std::string& name, const Range& range) {
  range.Check();
  const LocalUserRecord user = context.LoginUser(name);
  StepData steps;
  if (!steps.Open(UserFile(context, user.stepFile, "step file")))
    throw CliError("Failed to open Step Data: " + steps.LastError());
  Json days = Json::array();
  for (int i = 0; i < steps.GetCount(); ++i) {
    const DayRecord day = steps.RecordAt(i);
    if (day.hidden == 0 && range.Contains(day.Date())) days.push_back(ToJson(day));
  }
  return days;
}

Json Exercises(CliContext& context, const std::string& name, const Range& range) {
  range.Check();
  const LocalUserRecord user = context.LoginUser(name);
  CExerciseDB exercises;
  if (!exercises.Open(UserFile(context, user.exerciseFile, "exercise file")))
    throw CliError("Failed to open Exercise Data: " + exercises.LastError());
  Json list = Json::array();
  for (int i = 0; i < exercises.GetCount(); ++i) {
    const StoredExercise exercise = exercises.RecordAt(i);
    if (exercise.hidden == 0 && range.Contains(exercise.Date())) list.push_back(ToJson(exercise));
  }
  return list;
}

}  // namespace

void AddDataCommands(CLI::App& app, CliContext& context) {
  auto* download = app.add_subcommand("download", "Download the watch into a user's files (up to ten attempts)");
  auto downloadUser = std::make_shared<std::string>();
  auto setClock = std::make_shared<bool>(false);
  download->add_option("--user", *downloadUser, "The user's name")->required();
  download->add_flag("--set-clock", *setClock, "Set the watch's clock from the computer instead; nothing is stored");
  download->callback([&context, downloadUser, setClock] { context.Print(Download(context, *downloadUser, *setClock)); });

  auto* days = app.add_subcommand("days", "List a user's stored days in file order");
  auto daysUser = std::make_shared<std::string>();
  auto daysRange = std::make_shared<Range>();
  days->add_option("--user", *daysUser, "The user's name")->required();
  days->add_option("--from", daysRange->from, "First day, YYYY-MM-DD");
  days->add_option("--to", daysRange->to, "Last day, YYYY-MM-DD");
  days->callback([&context, daysUser, daysRange] { context.Print(Days(context, *daysUser, *daysRange)); });

  auto* exercises = app.add_subcommand("exercises", "List a user's stored exercise sessions in file order");
  auto exercisesUser = std::make_shared<std::string>();
  auto exercisesRange = std::make_shared<Range>();
  exercises->add_option("--user", *exercisesUser, "The user's name")->required();
  exercises->add_option("--from", exercisesRange->from, "First day, YYYY-MM-DD");
  exercises->add_option("--to", exercisesRange->to, "Last day, YYYY-MM-DD");
  exercises->callback(
      [&context, exercisesUser, exercisesRange] { context.Print(Exercises(context, *exercisesUser, *exercisesRange)); });
}

}  // namespace tempovia::cli
