#pragma once
// A stored day and a stored session as JSON objects, with the records' own
// field names. The tool prints them, and the CSV files beside a report take
// their columns from them, so both read the same. Text fields are converted
// from their stored Windows-1252 bytes to UTF-8.

#include <string>

#include <nlohmann/json.hpp>

#include "store/DayRecord.h"
#include "store/StoredExercise.h"

namespace tempovia {

// "YYYY-MM-DD" of a stored date (years since 2000).
std::string DateText(int yearsSince2000, int month, int day);

nlohmann::ordered_json ToJson(const DayRecord& day);
nlohmann::ordered_json ToJson(const StoredExercise& exercise);

// The fields a downloaded session and a stored one share, by the same names
// and in the same order, appended to an object.
template <class Session>
void AddSessionFields(nlohmann::ordered_json& json, const Session& e) {
  json["year"] = e.year;
  json["month"] = e.month;
  json["day"] = e.day;
  json["startHour"] = e.startHour;
  json["startMinute"] = e.startMinute;
  json["startSecond"] = e.startSecond;
  json["durationHours"] = e.durationHours;
  json["durationMinutes"] = e.durationMinutes;
  json["durationSeconds"] = e.durationSeconds;
  json["durationHundredths"] = e.durationHundredths;
  json["steps"] = e.steps;
  json["calories"] = e.calories;
  json["distance"] = e.distance;
  json["minHeartRate"] = e.minHeartRate;
  json["avgHeartRate"] = e.avgHeartRate;
  json["maxHeartRate"] = e.maxHeartRate;
  json["fatBurnt"] = e.fatBurnt;
  json["avgSpeed"] = e.avgSpeed;
}

}  // namespace tempovia
