#include "report/RecordJson.h"

#include <cstdio>

#include "base/Windows1252.h"

namespace tempovia {

using Json = nlohmann::ordered_json;

std::string DateText(int yearsSince2000, int month, int day) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", 2000 + yearsSince2000, month, day);
  return text;
}

Json ToJson(const DayRecord& d) {
  return Json{{"date", DateText(d.year, d.month, d.day)},
              {"id", d.id},
              {"year", d.year},
              {"month", d.month},
              {"day", d.day},
              {"steps", d.steps},
              {"calories", d.calories},
              {"distance", d.distance},
              {"avgSpeed", d.avgSpeed},
              {"minHeartRate", d.minHeartRate},
              {"avgHeartRate", d.avgHeartRate},
              {"maxHeartRate", d.maxHeartRate},
              {"fatBurnt", d.fatBurnt},
              {"exerciseHours", d.exerciseHours},
              {"exerciseMinutes", d.exerciseMinutes},
              {"exerciseSeconds", d.exerciseSeconds},
              {"aux1", d.aux1},
              {"aux2", d.aux2},
              {"note", Windows1252ToUtf8(d.note)}};
}

Json ToJson(const StoredExercise& e) {
  char time[40];
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", e.startHour, e.startMinute, e.startSecond);
  Json json{{"date", DateText(e.year, e.month, e.day)}, {"time", time}, {"id", e.id}};
  AddSessionFields(json, e);
  return json;
}

}  // namespace tempovia
