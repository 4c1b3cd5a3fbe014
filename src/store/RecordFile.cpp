#include "store/RecordFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <string>

#include "base/ByteOrder.h"
#include "base/Notice.h"
#include "store/DayRecord.h"
#include "store/FileWriter.h"
#include "store/LocalUserRecord.h"
#include "store/StoredExercise.h"
#include "store/StoredFile.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "RecordFile";

// Far beyond any real file (a century of days is 24 MB); anything larger is
// not ours and is refused rather than read into memory.
constexpr off_t kLargestFile = off_t{1} << 30;

template <class Record>
constexpr bool kIndexed = requires(const std::uint8_t* bytes) {
  Record::IndexKey(bytes);
};

// Reads the whole file from offset 0, with room for slack more bytes; 0 or
// the errno value.
int ReadWhole(int fd, std::vector<std::uint8_t>& bytes, std::size_t slack) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return errno;
  if (!S_ISREG(info.st_mode)) return EINVAL;
  if (info.st_size > kLargestFile) return EFBIG;
  bytes.reserve(static_cast<std::size_t>(info.st_size) + slack);
  bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) break;  // shrunk meanwhile: keep what was there
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return 0;
}

}  // namespace

template <class Record>
RecordFile<Record>::RecordFile(const Behaviour& behaviour) : m_behaviour(behaviour) {}

template <class Record>
RecordFile<Record>::~RecordFile() {
  if (m_fd >= 0) ::close(m_fd);
}

template <class Record>
Status RecordFile<Record>::FailOpen(const std::string& message) {
  m_lastError = message;
  TV_TRACE("Cannot open %s\n", m_lastError.c_str());
  return Status::Error(m_lastError);
}

template <class Record>
std::string RecordFile<Record>::OpenFailedText(const std::string& reason) const {
  return std::string(m_behaviour.openFailedNotice) + "\n\n" + reason;
}

template <class Record>
bool RecordFile<Record>::Open(const std::filesystem::path& path) {
  if (RefusesSecondOpen()) return false;
  const Status opened = OpenWith(path, false);
  if (!opened) ShowNotice(NoticeIcon::Warning, OpenFailedText(opened.message()));
  return opened.ok();
}

template <class Record>
bool RecordFile<Record>::OpenForReading(const std::filesystem::path& path) {
  if (RefusesSecondOpen()) return false;
  const Status opened = OpenWith(path, true);
  if (!opened) ShowNotice(NoticeIcon::Warning, OpenFailedText(opened.message()));
  return opened.ok();
}

template <class Record>
bool RecordFile<Record>::RefusesSecondOpen() {
  // Not a failure anyone is told of: the open file stays as it was.
  if (!IsOpen() || m_behaviour.openClosesFirst) return false;
  m_lastError = m_path.string() + ": already open";
  return true;
}

template <class Record>
Status RecordFile<Record>::TryOpen(const std::filesystem::path& path) {
  return OpenWith(path, false);
}

template <class Record>
Status RecordFile<Record>::TryOpenForReading(const std::filesystem::path& path) {
  return OpenWith(path, true);
}

template <class Record>
Status RecordFile<Record>::OpenWith(const std::filesystem::path& path, bool readOnly) {
  if (RefusesSecondOpen()) return Status::Error(m_lastError);
  if (IsOpen()) Close();
  m_path = path;
  int fd = -1;
  if (Status opened = OpenStoredFile(path, readOnly ? StoredAccess::Read : StoredAccess::ReadWrite, fd); !opened)
    return FailOpen(opened.message());
  std::vector<std::uint8_t> bytes;
  // Room for a few downloads' worth of appends without moving the records.
  if (fd >= 0) {
    if (const int error = ReadWhole(fd, bytes, 32 * kSize); error != 0) {
      ::close(fd);
      return FailOpen(FileErrorText(path, error));
    }
  }
  m_open = true;
  m_readOnly = readOnly;
  m_fd = fd;
  m_count = static_cast<int>(bytes.size() / kSize);
  const std::size_t whole = static_cast<std::size_t>(m_count) * kSize;
  m_tail.assign(bytes.begin() + static_cast<std::ptrdiff_t>(whole), bytes.end());
  bytes.resize(whole);
  m_bytes = std::move(bytes);  // keeps the reserved room
  BuildIndex();
  m_lastError.clear();
  m_index = 0;
  m_current = m_count > 0 ? Record::FromBytes(BytesAt(0)) : Record{};
  return Status::Ok();
}

template <class Record>
void RecordFile<Record>::Close() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  m_open = false;
  m_readOnly = false;
  m_bytes.clear();
  m_bytes.shrink_to_fit();
  m_tail.clear();
  m_keys.clear();
  m_keys.shrink_to_fit();
  m_count = 0;
  if (m_behaviour.closeClearsRecords) {
    m_current = Record{};
    m_saved = Record{};
    m_index = 0;
  }
}

template <class Record>
bool RecordFile<Record>::CanWrite() {
  if (!IsOpen()) {
    m_lastError = m_behaviour.notOpenText != nullptr ? m_behaviour.notOpenText : "The file is not open";
    return false;
  }
  if (m_readOnly) {
    m_lastError = m_path.string() + ": opened for reading only";
    return false;
  }
  struct stat held {};
  struct stat named {};
  const bool same = ::fstat(m_fd, &held) == 0 &&
                    ::fstatat(AT_FDCWD, m_path.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
                    held.st_dev == named.st_dev && held.st_ino == named.st_ino;
  if (!same) {
    m_lastError = m_path.string() +
                  " was replaced or removed by another program since Tempovia opened it; nothing was written to it";
    TV_TRACE("%s\n", m_lastError.c_str());
    return false;
  }
  return true;
}

template <class Record>
bool RecordFile<Record>::IsEmpty() const {
  return IsOpen() ? m_count == 0 : m_behaviour.emptyWithoutFile;
}

template <class Record>
std::int32_t RecordFile<Record>::IdAt(int index) const {
  return LoadI32LE(BytesAt(index));
}

template <class Record>
void RecordFile<Record>::ReadAt(int index) {
  m_index = index;
  m_current = Record::FromBytes(BytesAt(index));
}

template <class Record>
Record RecordFile<Record>::RecordAt(int index) const {
  if (index < 0 || index >= m_count) return Record{};
  return Record::FromBytes(BytesAt(index));
}

template <class Record>
bool RecordFile<Record>::MoveFirst() {
  if (!IsOpen() || m_count == 0) return false;
  ReadAt(0);
  return true;
}

template <class Record>
bool RecordFile<Record>::MoveNext() {
  if (!IsOpen() || m_count < m_index + 2) return false;
  ReadAt(m_index + 1);
  return true;
}

template <class Record>
bool RecordFile<Record>::MovePrev() {
  if (!IsOpen() || m_index <= 0 || m_index - 1 >= m_count) return false;
  ReadAt(m_index - 1);
  return true;
}

template <class Record>
bool RecordFile<Record>::MoveNextActive() {
  while (MoveNext())
    if (m_current.hidden == 0) return true;
  return false;
}

template <class Record>
bool RecordFile<Record>::MovePrevActive() {
  while (MovePrev())
    if (m_current.hidden == 0) return true;
  return false;
}

template <class Record>
bool RecordFile<Record>::MoveLastActive() {
  if (!IsOpen()) return false;
  // Each record is read on the way back; the index only moves on a match.
  for (int i = m_count - 1; i >= 0; --i) {
    m_current = Record::FromBytes(BytesAt(i));
    if (m_current.hidden == 0) {
      m_index = i;
      return true;
    }
  }
  return false;
}

template <class Record>
bool RecordFile<Record>::FindById(std::int32_t id) {
  if (!IsOpen() || m_count == 0) return false;
  for (int i = 0; i < m_count; ++i) {
    if (IdAt(i) == id) {
      ReadAt(i);
      return true;
    }
  }
  ReadAt(m_count - 1);
  return false;
}

template <class Record>
bool RecordFile<Record>::Update(std::int32_t id) {
  if (!CanWrite()) return false;
  SaveCopy();
  const int index = m_index;
  if (!FindById(id)) {
    // Nothing was saved, so the caller keeps the record it meant to save.
    RestoreCopy();
    m_index = index;
    m_lastError = m_path.string() + ": no record has the id " + std::to_string(id);
    return false;
  }
  RestoreCopy();
  return WriteRecord(m_index, m_current);
}

template <class Record>
bool RecordFile<Record>::WriteCurrent() {
  return WriteRecord(m_index, m_current);
}

template <class Record>
bool RecordFile<Record>::WriteRecord(int index, const Record& record) {
  if (!CanWrite()) return false;
  if (index < 0 || index > m_count) {
    m_lastError = m_path.string() + ": no record at that position";
    return false;
  }
  std::array<std::uint8_t, kSize> bytes{};
  record.ToBytes(bytes.data());
  FileWriter& writer = ActiveFileWriter();
  const std::uint64_t offset = static_cast<std::uint64_t>(index) * kSize;
  const int error = writer.WriteAt(m_fd, bytes, offset);
  if (error != 0) {
    // Put back what the failed write may have touched; if that fails too the
    // damage is limited to this one record (or to a short tail, never read).
    if (index < m_count) {
      writer.WriteAt(m_fd, std::span(BytesAt(index), kSize), offset);
    } else {
      writer.Truncate(m_fd, offset);
      if (!m_tail.empty()) writer.WriteAt(m_fd, m_tail, offset);
    }
    m_lastError = "Cannot write " + FileErrorText(m_path, error);
    TV_TRACE("%s\n", m_lastError.c_str());
    return false;
  }
  const std::uint64_t newKey = KeyOfBytes(bytes.data());
  if (index < m_count) {
    const std::uint64_t oldKey = KeyOfBytes(BytesAt(index));
    std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    IndexReplace(index, oldKey, newKey);
  } else {
    // An append replaces a short tail: the tail is what a torn earlier write
    // left and can never be read back as a record.
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    m_tail.clear();
    ++m_count;
    if constexpr (kIndexed<Record>)
      m_keys.insert(std::upper_bound(m_keys.begin(), m_keys.end(), KeyEntry{newKey, index}), {newKey, index});
  }
  return true;
}

template <class Record>
bool RecordFile<Record>::RewriteFile(std::vector<std::uint8_t> bytes) {
  if (!CanWrite()) return false;
  int fd = -1;
  if (Status status = ReplaceFile(m_path, bytes, &fd); !status) {
    m_lastError = status.message();
    TV_TRACE("%s\n", m_lastError.c_str());
    return false;
  }
  m_count = static_cast<int>(bytes.size() / kSize);
  m_bytes = std::move(bytes);
  AdoptReplacement(fd);
  BuildIndex();
  if (m_index > m_count) m_index = m_count;
  return true;
}

template <class Record>
void RecordFile<Record>::AdoptReplacement(int fd) {
  ::close(m_fd);
  m_fd = fd;
  m_tail.clear();
}

template <class Record>
bool RecordFile<Record>::SortAndRenumberByKey() {
  if constexpr (!kIndexed<Record>) {
    return false;
  } else {
    if (!CanWrite()) return false;
    // The key index already lists the records chronologically, ties in file
    // order: exactly the order a stable sort gives.
    std::vector<int> order(static_cast<std::size_t>(m_count));
    bool moved = false;
    for (std::size_t i = 0; i < order.size(); ++i) {
      order[i] = m_keys[i].second;
      moved = moved || order[i] != static_cast<int>(i);
    }
    if (!moved) return RenumberInPlace();

    std::vector<std::int32_t> oldIds(order.size());
    for (int i = 0; i < m_count; ++i) oldIds[static_cast<std::size_t>(i)] = IdAt(i);
    Permute(order);
    for (int i = 0; i < m_count; ++i) StoreI32LE(m_bytes.data() + static_cast<std::size_t>(i) * kSize, kFirstId + i);
    int fd = -1;
    if (Status status = ReplaceFile(m_path, m_bytes, &fd); !status) {
      // The file is as it was; so must the records in memory be.
      std::vector<int> inverse(order.size());
      for (std::size_t i = 0; i < order.size(); ++i) {
        StoreI32LE(m_bytes.data() + i * kSize, oldIds[static_cast<std::size_t>(order[i])]);
        inverse[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
      }
      Permute(inverse);
      m_lastError = status.message();
      TV_TRACE("%s\n", m_lastError.c_str());
      return false;
    }
    AdoptReplacement(fd);
    for (std::size_t i = 0; i < m_keys.size(); ++i) m_keys[i].second = static_cast<int>(i);
    return true;
  }
}

template <class Record>
bool RecordFile<Record>::RenumberInPlace() {
  // Already in order (the usual case: new days come last): only ids that
  // differ are written, each in place like any single record.
  FileWriter& writer = ActiveFileWriter();
  for (int i = 0; i < m_count; ++i) {
    const std::int32_t id = kFirstId + i;
    if (IdAt(i) == id) continue;
    std::array<std::uint8_t, 4> bytes{};
    StoreI32LE(bytes.data(), id);
    const std::uint64_t offset = static_cast<std::uint64_t>(i) * kSize;
    if (const int error = writer.WriteAt(m_fd, bytes, offset); error != 0) {
      writer.WriteAt(m_fd, std::span(BytesAt(i), 4), offset);
      m_lastError = "Cannot write " + FileErrorText(m_path, error);
      TV_TRACE("%s\n", m_lastError.c_str());
      return false;
    }
    std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(offset));
  }
  return true;
}

template <class Record>
void RecordFile<Record>::Permute(const std::vector<int>& order) {
  // Record i becomes what record order[i] was, one cycle at a time, so the
  // file's worth of records is never copied whole.
  std::vector<bool> placed(order.size());
  std::array<std::uint8_t, kSize> held{};
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (placed[start]) continue;
    std::copy_n(m_bytes.data() + start * kSize, kSize, held.data());
    std::size_t at = start;
    for (;;) {
      placed[at] = true;
      const std::size_t from = static_cast<std::size_t>(order[at]);
      if (from == start) {
        std::copy_n(held.data(), kSize, m_bytes.data() + at * kSize);
        break;
      }
      std::copy_n(m_bytes.data() + from * kSize, kSize, m_bytes.data() + at * kSize);
      at = from;
    }
  }
}

template <class Record>
std::uint64_t RecordFile<Record>::KeyOfBytes(const std::uint8_t* bytes) {
  if constexpr (kIndexed<Record>)
    return Record::IndexKey(bytes);
  else
    return 0;
}

template <class Record>
void RecordFile<Record>::BuildIndex() {
  m_keys.clear();
  if constexpr (!kIndexed<Record>) return;
  m_keys.reserve(static_cast<std::size_t>(m_count));
  for (int i = 0; i < m_count; ++i) m_keys.emplace_back(KeyOfBytes(BytesAt(i)), i);
  // Files are kept sorted, so this is nearly always done already.
  if (!std::is_sorted(m_keys.begin(), m_keys.end())) std::sort(m_keys.begin(), m_keys.end());
}

template <class Record>
void RecordFile<Record>::IndexReplace(int position, std::uint64_t oldKey, std::uint64_t newKey) {
  if constexpr (!kIndexed<Record>) return;
  if (oldKey == newKey) return;
  const auto old = std::lower_bound(m_keys.begin(), m_keys.end(), KeyEntry{oldKey, position});
  if (old != m_keys.end() && *old == KeyEntry{oldKey, position}) m_keys.erase(old);
  const KeyEntry entry{newKey, position};
  m_keys.insert(std::lower_bound(m_keys.begin(), m_keys.end(), entry), entry);
}

template <class Record>
bool RecordFile<Record>::SeekKey(std::uint64_t key) {
  if (!IsOpen() || m_count == 0) return false;
  const int match = FirstWithKey(key);
  ReadAt(match >= 0 ? match : m_count - 1);
  return match >= 0;
}

template <class Record>
int RecordFile<Record>::FirstWithKey(std::uint64_t key) const {
  const auto it = std::lower_bound(m_keys.begin(), m_keys.end(), KeyEntry{key, 0});
  return it != m_keys.end() && it->first == key ? it->second : -1;
}

template <class Record>
std::vector<int> RecordFile<Record>::PositionsWithKeys(std::uint64_t low, std::uint64_t high) const {
  std::vector<int> positions;
  if (low >= high) return positions;
  const auto from = std::lower_bound(m_keys.begin(), m_keys.end(), KeyEntry{low, 0});
  const auto to = std::lower_bound(from, m_keys.end(), KeyEntry{high, 0});
  for (auto it = from; it != to; ++it) positions.push_back(it->second);
  std::sort(positions.begin(), positions.end());
  return positions;
}

template class RecordFile<LocalUserRecord>;
template class RecordFile<DayRecord>;
template class RecordFile<StoredExercise>;

}  // namespace tempovia
