#pragma once
// The orders in which reports and tables list day records and exercises.

#include <algorithm>
#include <span>

#include "base/Printf.h"

namespace tempovia {

// Key 0: chronological (the record's Key()), ascending. Keys 1 to 3:
// descending by steps, average heart rate, or average speed x 1000, each
// truncated to a whole number. Stable: equal keys keep their order. Any other
// key leaves the records as they are.
template <class Record>
void SortRecords(std::span<Record> records, int keyType) {
  const auto descendingBy = [&](auto key) {
    std::stable_sort(records.begin(), records.end(), [&](const Record& a, const Record& b) { return key(b) < key(a); });
  };
  switch (keyType) {
    case 0:
      std::stable_sort(records.begin(), records.end(),
                       [](const Record& a, const Record& b) { return a.Key() < b.Key(); });
      break;
    case 1:
      descendingBy([](const Record& r) { return TruncateToInt(r.steps); });
      break;
    case 2:
      descendingBy([](const Record& r) { return TruncateToInt(r.avgHeartRate); });
      break;
    case 3:
      descendingBy([](const Record& r) { return TruncateToInt(r.avgSpeed * 1000); });
      break;
    default:
      break;
  }
}

}  // namespace tempovia
