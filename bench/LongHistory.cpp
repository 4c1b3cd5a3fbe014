#include "LongHistory.h"

#include <cstdio>
#include <stdexcept>

namespace tempovia::bench {

using namespace std::chrono;

DayRecord DayAt(sys_days date, int id) {
  const year_month_day ymd{date};
  DayRecord r;
  r.id = id;
  r.year = static_cast<std::uint8_t>(static_cast<int>(ymd.year()) - 2000);
  r.month = static_cast<std::uint8_t>(static_cast<unsigned>(ymd.month()));
  r.day = static_cast<std::uint8_t>(static_cast<unsigned>(ymd.day()));
  r.steps = 5000 + id % 7000;
  r.avgHeartRate = 70 + id % 40;
  r.minHeartRate = 50 + id % 10;
  r.maxHeartRate = 150 + id % 30;
  r.avgSpeed = 4.5;
  r.exerciseMinutes = id % 60;
  return r;
}

StoredExercise SessionAt(int i) {
  const year_month_day ymd{kFirstDay + days{i * 2}};
  StoredExercise r;
  r.id = 100 + i;
  r.year = static_cast<std::uint8_t>(static_cast<int>(ymd.year()) - 2000);
  r.month = static_cast<std::uint8_t>(static_cast<unsigned>(ymd.month()));
  r.day = static_cast<std::uint8_t>(static_cast<unsigned>(ymd.day()));
  r.startHour = static_cast<std::uint8_t>(6 + i % 12);
  r.steps = 3000 + i;
  return r;
}

std::vector<DayRecord> AllDays() {
  std::vector<DayRecord> days;
  for (sys_days d = kFirstDay; d <= kLastDay; d += std::chrono::days{1})
    days.push_back(DayAt(d, 100 + static_cast<int>(days.size())));
  return days;
}

std::vector<StoredExercise> AllSessions() {
  std::vector<StoredExercise> sessions;
  for (int i = 0; i < kSessions; ++i) sessions.push_back(SessionAt(i));
  return sessions;
}

template <class Record>
void WriteRecords(const std::filesystem::path& path, const std::vector<Record>& records) {
  std::vector<std::uint8_t> bytes(records.size() * Record::kSize);
  for (std::size_t i = 0; i < records.size(); ++i) records[i].ToBytes(bytes.data() + i * Record::kSize);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool written = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file != nullptr) std::fclose(file);
  if (!written) throw std::runtime_error("cannot write " + path.string());
}

template void WriteRecords(const std::filesystem::path&, const std::vector<DayRecord>&);
template void WriteRecords(const std::filesystem::path&, const std::vector<StoredExercise>&);

}  // namespace tempovia::bench
