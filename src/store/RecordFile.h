#pragma once
// The record file cursor shared by the user database, the step data file and
// the exercise database: a headerless file of fixed-size records, a current
// record, a saved copy and an index.
//
// An opened file is read once into memory and every read is served from
// there; every change is written through to the file at once (nothing waits
// in memory), and a file rewritten as a whole goes through a temporary file
// and a rename. Records that have an IndexKey (a date, a start time) are also
// indexed by it, so lookups do not scan the file. Results are those of a scan
// in file order: the first match wins, and the current record and index end
// where the scan would leave them.
//
// The file is held open exclusively (an advisory lock): a second cursor on the
// same file fails to open it instead of writing behind the first one's back.
// A cursor opened for reading only shares the lock with other readers, needs
// no write permission (a backup on a read-only medium) and creates nothing.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "base/Status.h"

namespace tempovia {

template <class Record>
class RecordFile {
 public:
  // The id of the first record; later records count up from it.
  static constexpr std::int32_t kFirstId = 100;

  // The few places where the three files behave differently.
  struct Behaviour {
    const char* openFailedNotice;  // first line of the notice shown when Open fails
    const char* notOpenText;       // why a write fails without a file; nullptr: "The file is not open"
    bool emptyWithoutFile;         // what IsEmpty answers without a file
    bool openClosesFirst;          // Open closes an open file first instead of failing
    bool closeClearsRecords;       // Close zeroes current record, saved copy and index
  };

  explicit RecordFile(const Behaviour& behaviour);
  virtual ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // Opens (creating, never truncating) for reading and writing; index 0 and
  // the first record current, or a zero record when the file is empty. A
  // symbolic link or anything but a regular file is refused. A failure is
  // told in one notice: the file kind's line, then the file and the reason.
  [[nodiscard]] bool Open(const std::filesystem::path& path);
  // Opens for reading only: a missing file reads as empty and is not created,
  // and every write fails.
  [[nodiscard]] bool OpenForReading(const std::filesystem::path& path);
  // The same without a notice: the failure ("<path>: <reason>") is the
  // caller's to tell, in its own words.
  Status TryOpen(const std::filesystem::path& path);
  Status TryOpenForReading(const std::filesystem::path& path);
  // The notice Open shows for a failure whose reason is given.
  std::string OpenFailedText(const std::string& reason) const;
  void Close();
  bool IsOpen() const { return m_open; }
  bool IsReadOnly() const { return m_readOnly; }
  // True when the file holds no whole record. Without a file, the answer
  // the file's kind gives (see Behaviour); never a notice.
  bool IsEmpty() const;
  // Whole records in the file; a short trailing part is never read.
  int GetCount() const { return m_count; }

  bool MoveFirst();
  // False, with the current record unchanged, when no record follows.
  bool MoveNext();
  bool MovePrev();
  // Move until a record whose hidden flag is 0 is read.
  bool MoveNextActive();
  bool MovePrevActive();
  bool MoveLastActive();
  // First record in file order with this id; when none, the last record is current.
  bool FindById(std::int32_t id);

  void SaveCopy() { m_saved = m_current; }
  void RestoreCopy() { m_current = m_saved; }
  // Writes the current record over the stored record with this id. When no
  // record has that id, nothing is written, the answer is false and the
  // current record and index stay as the caller had them.
  [[nodiscard]] bool Update(std::int32_t id);
  // Writes the current record at the index.
  [[nodiscard]] bool WriteCurrent();

  Record& Current() { return m_current; }
  const Record& Current() const { return m_current; }
  Record& SavedCopy() { return m_saved; }
  int Index() const { return m_index; }
  const std::filesystem::path& Path() const { return m_path; }
  // Why the last failed open or write failed ("<path>: <reason>"), for the
  // caller to show; operations report the failure itself by their result.
  const std::string& LastError() const { return m_lastError; }

  // Record i in file order, without moving the cursor; a zero record when i
  // is out of range.
  Record RecordAt(int index) const;

 protected:
  static constexpr std::size_t kSize = Record::kSize;
  using KeyEntry = std::pair<std::uint64_t, int>;  // key, position

  // One more than id; a foreign file's largest id wraps instead of overflowing.
  static std::int32_t NextId(std::int32_t id) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(id) + 1u); }

  // The whole records of the file, as stored.
  const std::vector<std::uint8_t>& AllBytes() const { return m_bytes; }
  const std::uint8_t* BytesAt(int index) const { return m_bytes.data() + static_cast<std::size_t>(index) * kSize; }
  std::int32_t IdAt(int index) const;
  // Makes record i current and the index i.
  void ReadAt(int index);
  // Writes a record at position index (at most GetCount(), which appends).
  // On failure the file is put back as it was and false is returned.
  [[nodiscard]] bool WriteRecord(int index, const Record& record);
  // Replaces the whole file with these records.
  [[nodiscard]] bool RewriteFile(std::vector<std::uint8_t> bytes);
  // False, saying why, when the cursor may not write: no file, read only, or
  // the file open here is no longer the one at its path (the data folder
  // was replaced or the file removed under the program), since a write
  // would then reach a file nobody sees.
  [[nodiscard]] bool CanWrite();
  void SetLastError(std::string message) { m_lastError = std::move(message); }
  // Sorts the records chronologically by IndexKey (stable) and gives them
  // ids 100, 101, ... in that order.
  [[nodiscard]] bool SortAndRenumberByKey();

  // Makes the first record in file order with this key current, as a scan
  // would; without one, the last record is current and the answer is false.
  bool SeekKey(std::uint64_t key);
  // First position in file order whose key equals key, or -1.
  int FirstWithKey(std::uint64_t key) const;
  // Positions whose keys lie in [low, high), in file order.
  std::vector<int> PositionsWithKeys(std::uint64_t low, std::uint64_t high) const;

 private:
  static std::uint64_t KeyOfBytes(const std::uint8_t* bytes);
  void BuildIndex();
  void IndexReplace(int position, std::uint64_t oldKey, std::uint64_t newKey);
  Status OpenWith(const std::filesystem::path& path, bool readOnly);
  // True, saying why, when a file is open and this kind does not close it
  // for another.
  bool RefusesSecondOpen();
  Status FailOpen(const std::string& message);
  // Takes the descriptor of a file that replaced ours (see ReplaceFile).
  void AdoptReplacement(int fd);
  [[nodiscard]] bool RenumberInPlace();
  // Record i becomes what record order[i] was.
  void Permute(const std::vector<int>& order);

  Behaviour m_behaviour;
  Record m_current{};
  Record m_saved{};
  int m_index = 0;
  bool m_open = false;
  bool m_readOnly = false;
  int m_fd = -1;  // -1 while open only for reading a missing file
  std::filesystem::path m_path;
  std::vector<std::uint8_t> m_bytes;  // the whole records of the file
  std::vector<std::uint8_t> m_tail;   // a short trailing part, never read
  int m_count = 0;
  std::vector<KeyEntry> m_keys;  // sorted by key, then position; empty for unindexed records
  std::string m_lastError;
};

}  // namespace tempovia
