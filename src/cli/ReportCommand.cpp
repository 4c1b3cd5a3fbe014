#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <tuple>
#include <vector>

#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/JsonPaths.h"
#include "report/PrintPDF.h"
#include "report/ReportCsv.h"
#include "report/ReportRows.h"
#include "store/ExerciseDB.h"
#include "store/FileWriter.h"
#include "store/StepData.h"

namespace tempovia::cli {
namespace {

using Json = nlohmann::ordered_json;

struct ReportOptions {
  std::string user;
  std::string from;
  std::string to;
  std::string out;
  std::string sort = "date";
  bool noDetail = false;
  std::string chart;
  bool imperial = false;
  bool metric = false;
  bool csv = false;
};

int SortKey(const std::string& sort) {
  if (sort == "steps") return 1;
  if (sort == "heart") return 2;
  if (sort == "speed") return 3;
  return 0;
}

Json MakeReport(CliContext& context, const ReportOptions& options) {
  const auto from = ParseDate(options.from, "--from");
  const auto to = ParseDate(options.to, "--to");
  if (options.noDetail && options.chart.empty())
    throw CliError("Nothing to report: give --chart, or leave out --no-detail", kExitUsage);
  if (!options.chart.empty() && !std::filesystem::is_regular_file(options.chart))
    throw CliError("Cannot read the chart picture " + options.chart, kExitUsage);

  const LocalUserRecord user = context.LoginUser(options.user, Access::Read);
  const std::filesystem::path stepPath = context.UserFile(user.stepFile, "step file");
  const std::filesystem::path exercisePath = context.UserFile(user.exerciseFile, "exercise file");

  CPrintPDF report;
  // The unit follows the program's setting unless the command says otherwise.
  report.SetDistanceUnit(options.imperial || (!options.metric && context.Settings().distanceUnit == 1));
  const bool detail = !options.noDetail;
  const int sortKey = SortKey(options.sort);

  StepData steps;
  if (!steps.TryOpenForReading(stepPath)) throw CliError("Failed to open Step Data: " + steps.LastError());
  if (detail) report.AddWalkingSummary(from, to, user, steps, sortKey);
  const bool csv = options.csv && detail;
  std::vector<DayRecord> days;
  if (csv) days = ReportDays(from, to, steps, sortKey);
  steps.Close();

  CExerciseDB exercises;
  if (!exercises.TryOpenForReading(exercisePath))
    throw CliError("Failed to open Exercise Data: " + exercises.LastError());
  if (detail) report.AddExerciseReport(from, to, user, exercises, sortKey);
  std::vector<StoredExercise> sessions;
  if (csv) sessions = ReportSessions(from, to, exercises, sortKey);
  exercises.Close();
  if (!options.chart.empty()) report.AddChartPage(options.chart);

  std::filesystem::path written;
  const int pages = report.PageCount();
  const Status saved = report.Save(options.out, &written);
  if (!saved) throw CliError(saved.message());
  Json json = Json::object();
  SetPath(json, "path", written.string());
  json["pages"] = pages;
  if (csv) {
    // The window's "Also save as CSV": the same rows beside the PDF.
    const ReportCsvNames names = CsvNamesFor(written.filename().string());
    for (const auto& [field, name, text] : {std::tuple{"daysCsv", names.days, DaysCsv(days)},
                                            std::tuple{"sessionsCsv", names.sessions, SessionsCsv(sessions)}}) {
      const std::filesystem::path path = written.parent_path() / name;
      const Status csvSaved =
          SaveUserFile(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
      if (!csvSaved) throw CliError("The PDF file was saved, but not the CSV file: " + csvSaved.message());
      SetPath(json, field, path.string());
    }
  }
  return json;
}

}  // namespace

void AddReportCommand(CLI::App& app, CliContext& context) {
  auto* report = app.add_subcommand("report", "Write a user's PDF report");
  auto options = std::make_shared<ReportOptions>();
  report->add_option("--user", options->user, "The user's name")->required();
  report->add_option("--from", options->from, "First day, YYYY-MM-DD")->required();
  report->add_option("--to", options->to, "Last day, YYYY-MM-DD")->required();
  report->add_option("--out", options->out, "The PDF file (.pdf is added when missing)")->required();
  report->add_option("--sort", options->sort, "Order of the rows")
      ->check(CLI::IsMember({"date", "steps", "heart", "speed"}))
      ->capture_default_str();
  report->add_flag("--no-detail", options->noDetail, "Leave out the walking summary and the exercise report");
  report->add_option("--chart", options->chart, "A JPEG picture for the chart page");
  auto* imperial = report->add_flag("--imperial", options->imperial, "Miles instead of kilometres");
  report->add_flag("--metric", options->metric, "Kilometres whatever the settings say")->excludes(imperial);
  report->add_flag("--csv", options->csv,
                   "Also save the rows as \"<name> days.csv\" and \"<name> sessions.csv\" beside the PDF");
  report->callback([&context, options] { context.Print(MakeReport(context, *options)); });
}

}  // namespace tempovia::cli
