#include "cli/JsonRecords.h"

#include "base/Windows1252.h"
#include "cli/JsonPaths.h"

namespace tempovia::cli {

using Json = nlohmann::ordered_json;

Json ToJson(const UserRecord& user, bool valid) {
  Json dayOrder = Json::array();
  for (int slot = 0; slot < kSlotCount; ++slot) dayOrder.push_back(user.DayOrder(slot));
  return Json{{"height", user.Height()},     {"weight", user.Weight()},
              {"stride", user.Stride()},     {"settingsChecksum", user.SettingsChecksum()},
              {"word", user.Word()},         {"clock", user.Clock()},
              {"dateText", user.DateText()}, {"timeText", user.TimeText()},
              {"dayCount", user.DayCount()}, {"flags", user.Flags()},
              {"dayOrder", dayOrder},        {"valid", valid}};
}

Json ToJson(const StepDay& d, int slot) {
  return Json{{"slot", slot},
              {"valid", d.valid != 0},
              {"year", d.year},
              {"month", d.month},
              {"day", d.day},
              {"steps", d.steps},
              {"calories", d.calories},
              {"distance", d.distance},
              {"avgSpeed", d.avgSpeed},
              {"aux1", d.aux1},
              {"aux2", d.aux2},
              {"avgHeartRate", d.avgHeartRate},
              {"maxHeartRate", d.maxHeartRate},
              {"minHeartRate", d.minHeartRate},
              {"exerciseHours", d.exerciseHours},
              {"exerciseMinutes", d.exerciseMinutes},
              {"exerciseSeconds", d.exerciseSeconds},
              {"fatBurnt", d.fatBurnt},
              {"checksum", d.checksum}};
}

Json ToJson(const ExerciseEntry& e, int slot) {
  Json json{{"slot", slot}, {"valid", e.valid != 0}};
  AddSessionFields(json, e);
  json["checksum"] = e.checksum;
  return json;
}

Json ExercisesToJson(const CExerciseRecord& exercises) {
  Json order = Json::array();
  Json entries = Json::array();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    order.push_back(exercises.Order(slot));
    entries.push_back(ToJson(exercises.Entry(slot), slot));
  }
  return Json{{"count", exercises.Count()}, {"order", order}, {"entries", entries}};
}

Json ToJson(const LocalUserRecord& u) {
  const char* sex = u.sex == 0 ? "male" : u.sex == 1 ? "female" : "";
  return Json{{"id", u.id},
              {"name", Windows1252ToUtf8(u.name)},
              {"height", u.height},
              {"weight", u.weight},
              {"walkingStride", u.walkingStride},
              {"runningStride", u.runningStride},
              {"age", u.age},
              {"sex", sex},
              {"photo", Windows1252ToUtf8(u.photo)},
              {"stepFile", Windows1252ToUtf8(u.stepFile)},
              {"exerciseFile", Windows1252ToUtf8(u.exerciseFile)}};
}

Json ToJson(const WatchProbe& probe) {
  Json interfaces = Json::array();
  for (const HidInterfaceInfo& info : probe.interfaces) {
    Json json = Json::object();
    SetPath(json, "path", info.path);
    json["usagePage"] = info.usagePage;
    json["usage"] = info.usage;
    interfaces.push_back(json);
  }
  const auto textOrNull = [](const std::string& text) { return text.empty() ? Json(nullptr) : ShownText(text); };
  Json json{{"present", probe.present}, {"openable", probe.openable}};
  if (probe.path.empty())
    json["path"] = nullptr;
  else
    SetPath(json, "path", probe.path);
  json["reason"] = textOrNull(probe.reason);
  json["permissionDenied"] = probe.permissionDenied;
  json["fix"] = textOrNull(probe.fix);
  json["interfaces"] = interfaces;
  return json;
}

}  // namespace tempovia::cli
