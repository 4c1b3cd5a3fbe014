#include <memory>

#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/JsonPaths.h"
#include "cli/JsonRecords.h"
#include "device/Trekmo.h"
#include "device/WatchProbe.h"
#include "device/WatchScenario.h"
#include "records/WatchImage.h"

namespace tempovia::cli {
namespace {

using Json = nlohmann::ordered_json;

Json DumpImage(const std::string& path) {
  const DecodedWatchImage decoded = DecodeWatchImage(ReadImageFile(path, kExitFailure));
  Json days = Json::array();
  for (int slot = 0; slot < kSlotCount; ++slot) days.push_back(ToJson(decoded.steps.Slot(slot), slot));
  return Json{{"user", ToJson(decoded.user, decoded.userValid)},
              {"days", days},
              {"exercises", ExercisesToJson(decoded.exercises)}};
}

}  // namespace

void AddImageCommands(CLI::App& app, CliContext& context) {
  auto* dump = app.add_subcommand("dump-image", "Decode a 512-byte watch memory image (stored form) and print it");
  auto dumpPath = std::make_shared<std::string>();
  dump->add_option("FILE", *dumpPath, "The image file")->required();
  dump->callback([&context, dumpPath] { context.Print(DumpImage(*dumpPath)); });

  auto* simulate = app.add_subcommand("simulate-image", "Write the watch simulator's memory image for a seed");
  auto simulateOut = std::make_shared<std::string>();
  auto seed = std::make_shared<std::uint32_t>(1);
  simulate->add_option("--out", *simulateOut, "The image file to write")->required();
  simulate->add_option("--seed", *seed, "The simulated week's seed")->capture_default_str();
  simulate->callback([&context, simulateOut, seed] {
    const WatchScenario scenario = WatchScenario::ForSeed(*seed, context.Today());
    const WatchImage image = scenario.Image();
    WriteFileBytes(*simulateOut, image.data(), image.size());
    Json json = Json::object();
    SetPath(json, "path", *simulateOut);
    json["seed"] = *seed;
    json["bytes"] = image.size();
    context.Print(json);
  });

  auto* read = app.add_subcommand("read-image", "Read the watch's whole memory (stored form) into a file");
  auto readOut = std::make_shared<std::string>();
  read->add_option("--out", *readOut, "The image file to write")->required();
  read->callback([&context, readOut] {
    CTrekmo& watch = context.Watch();
    WatchImage image{};
    if (!watch.ReadImage(image)) throw CliError("The watch's memory could not be read: " + watch.LastError());
    WriteFileBytes(*readOut, image.data(), image.size());
    Json json = Json::object();
    SetPath(json, "path", *readOut);
    json["bytes"] = image.size();
    context.Print(json);
  });

  auto* probe = app.add_subcommand("probe", "Tell whether a watch is plugged in and whether this user may open it");
  probe->callback([&context] { context.Print(ToJson(ProbeWatch(context.Transport()))); });
}

}  // namespace tempovia::cli
