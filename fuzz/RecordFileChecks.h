#pragma once
// Checks shared by the fuzz targets of the step data file and the exercise
// database, the two record files kept sorted by a key: opening and reading
// changes no byte; a merge changes exactly the record it names or appends
// one; a sort keeps every record and leaves them in key order, numbered.

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "FuzzSupport.h"

namespace tempovia::fuzz {

template <class Record>
std::vector<std::uint8_t> BytesOf(const Record& record) {
  std::vector<std::uint8_t> bytes(Record::kSize);
  record.ToBytes(bytes.data());
  return bytes;
}

// A record read from any bytes writes bytes that read back to the same record.
template <class Record>
void CheckRecordRoundTrip(const std::uint8_t* stored) {
  const std::vector<std::uint8_t> written = BytesOf(Record::FromBytes(stored));
  Check(BytesOf(Record::FromBytes(written.data())) == written, "a record does not re-encode to the same bytes");
  if constexpr (requires { Record::IndexKey(stored); })
    Check(Record::IndexKey(written.data()) == Record::IndexKey(stored), "writing a record moved its key");
}

// Runs read (the caller's reads) on the file opened both ways and checks the
// file is byte-identical afterwards.
template <class File, class Reads>
void CheckReadsChangeNothing(const std::filesystem::path& path, Reads reads) {
  const std::vector<std::uint8_t> before = ReadBytes(path);
  for (const bool readOnly : {false, true}) {
    File file;
    const bool opened = readOnly ? file.OpenForReading(path) : file.Open(path);
    Check(opened, "a regular record file does not open");
    Check(file.GetCount() == static_cast<int>(before.size() / File::kRecordSize), "the record count is not the file's");
    for (int i = 0; i < file.GetCount(); ++i)
      Check(BytesOf(file.RecordAt(i)) == BytesOf(File::Record::FromBytes(before.data() + i * File::kRecordSize)),
            "a record reads back other than stored");
    reads(file);
    file.Close();
    Check(ReadBytes(path) == before, "opening and reading changed the file");
  }
}

// Merges candidate into the file (by File::Merge) and checks the result
// against what the stored bytes say must happen.
template <class File>
void CheckMerge(const std::filesystem::path& path, typename File::Record candidate) {
  using Record = typename File::Record;
  constexpr std::size_t kSize = Record::kSize;
  const std::vector<std::uint8_t> before = ReadBytes(path);
  const std::size_t count = before.size() / kSize;
  const std::vector<std::uint8_t> candidateBytes = BytesOf(candidate);
  const std::uint64_t key = Record::IndexKey(candidateBytes.data());

  std::size_t position = count;
  for (std::size_t i = 0; i < count && position == count; ++i)
    if (Record::IndexKey(before.data() + i * kSize) == key) position = i;

  Record expected = candidate;
  expected.hidden = 0;
  std::vector<std::uint8_t> after;
  if (position < count) {
    File::KeepOnReplace(expected, Record::FromBytes(before.data() + position * kSize));
    after = before;
    const std::vector<std::uint8_t> bytes = BytesOf(expected);
    std::copy(bytes.begin(), bytes.end(), after.begin() + static_cast<std::ptrdiff_t>(position * kSize));
  } else {
    expected.id =
        count == 0
            ? 100
            : static_cast<std::int32_t>(
                  static_cast<std::uint32_t>(File::Record::FromBytes(before.data() + (count - 1) * kSize).id) + 1u);
    after.assign(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(count * kSize));
    const std::vector<std::uint8_t> bytes = BytesOf(expected);
    after.insert(after.end(), bytes.begin(), bytes.end());
  }

  File file;
  Check(file.Open(path), "a regular record file does not open");
  file.Current() = candidate;
  Check(File::Merge(file), "merging into a writable file failed");
  Check(file.Index() == static_cast<int>(position), "the merged record is not current");
  Check(BytesOf(file.Current()) == BytesOf(expected), "the current record is not the merged one");
  file.Close();
  Check(ReadBytes(path) == after, "a merge changed other bytes than its record's");
}

// Sorts the file and checks it holds the same records, in key order (ties in
// file order), numbered from 100.
template <class File>
void CheckSort(const std::filesystem::path& path) {
  using Record = typename File::Record;
  constexpr std::size_t kSize = Record::kSize;
  const std::vector<std::uint8_t> before = ReadBytes(path);
  const std::size_t count = before.size() / kSize;
  std::vector<std::size_t> order(count);
  for (std::size_t i = 0; i < count; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return Record::IndexKey(before.data() + a * kSize) < Record::IndexKey(before.data() + b * kSize);
  });
  std::vector<std::uint8_t> expected;
  for (std::size_t i = 0; i < count; ++i) {
    std::array<std::uint8_t, kSize> bytes{};
    std::copy_n(before.data() + order[i] * kSize, kSize, bytes.begin());
    const auto id = static_cast<std::uint32_t>(100 + i);
    for (int b = 0; b < 4; ++b) bytes[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(id >> (8 * b));
    expected.insert(expected.end(), bytes.begin(), bytes.end());
  }

  File file;
  Check(file.Open(path), "a regular record file does not open");
  Check(file.SortAndRenumber(), "sorting a writable file failed");
  file.Close();
  const std::vector<std::uint8_t> after = ReadBytes(path);
  // A sort in place keeps a short trailing part; one that moved records drops it.
  Check(after.size() >= expected.size() && std::equal(expected.begin(), expected.end(), after.begin()),
        "sorting lost, changed or misordered records");
}

}  // namespace tempovia::fuzz
