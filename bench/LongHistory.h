#pragma once
// Years of data for the benchmarks: one step record a day from 2000 to 2029
// and 5,000 exercise sessions two days apart.

#include <chrono>
#include <filesystem>
#include <vector>

#include "store/DayRecord.h"
#include "store/StoredExercise.h"

namespace tempovia::bench {

constexpr int kSessions = 5000;
inline const std::chrono::sys_days kFirstDay{std::chrono::year{2000} / 1 / 1};
inline const std::chrono::sys_days kLastDay{std::chrono::year{2029} / 12 / 31};

DayRecord DayAt(std::chrono::sys_days date, int id);
StoredExercise SessionAt(int i);

// Every day from kFirstDay to kLastDay, ids from 100.
std::vector<DayRecord> AllDays();
// kSessions sessions, ids from 100.
std::vector<StoredExercise> AllSessions();

// Writes records straight to a file: merging 11,000 days one by one would
// only measure the set-up.
template <class Record>
void WriteRecords(const std::filesystem::path& path, const std::vector<Record>& records);

}  // namespace tempovia::bench
