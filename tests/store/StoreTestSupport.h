#pragma once
// Helpers shared by the store's tests: raw file access, hand-built dates and
// a FileWriter that fails on demand.

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "FileContents.h"
#include "store/DayRecord.h"
#include "store/FileWriter.h"
#include "store/LocalUserRecord.h"
#include "store/StoredExercise.h"

namespace tempovia::test {

// Writes records straight into a file, as another program might have, with
// extra bytes (a torn tail) after them.
void WriteDays(const std::filesystem::path& path, const std::vector<DayRecord>& records, std::size_t extraBytes = 0);
// Writes user records straight into a user database, as a hand-edited or
// foreign file would hold them.
void WriteUsers(const std::filesystem::path& path, const std::vector<LocalUserRecord>& users);
// A user record with the given id, name and file names (photo none).
LocalUserRecord User(std::int32_t id, std::string name, std::string stepFile, std::string exerciseFile);

std::chrono::year_month_day Ymd(int year, unsigned month, unsigned day);
DayRecord Day(int year, unsigned month, unsigned day, double steps = 0);
StoredExercise Session(int year, unsigned month, unsigned day, int hour, int minute, int second, double steps = 0);

// Fails the call numbered failAt (counting every call from 0) with the given
// error; a failing WriteAt first writes half of its bytes, as a disk filling
// up in the middle of a write would. Calls after the failure succeed.
class FailingFileWriter final : public FileWriter {
 public:
  explicit FailingFileWriter(int failAt, int error = ENOSPC);
  ~FailingFileWriter() override;
  FailingFileWriter(const FailingFileWriter&) = delete;
  FailingFileWriter& operator=(const FailingFileWriter&) = delete;

  int WriteAt(int fd, std::span<const std::uint8_t> bytes, std::uint64_t offset) override;
  int Truncate(int fd, std::uint64_t length) override;
  int Sync(int fd) override;
  int CreateTemporary(const std::filesystem::path& target, int& fd, std::filesystem::path& created) override;
  int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
  int Exchange(const std::filesystem::path& first, const std::filesystem::path& second) override;
  int SetMode(int fd, unsigned mode) override;

  // True once the call numbered failAt was made (and failed).
  bool Failed() const { return m_calls > m_failAt; }

 private:
  bool FailNow() { return m_calls++ == m_failAt; }

  int m_failAt;
  int m_error;
  int m_calls = 0;
  FileWriter* m_previous = nullptr;
};

// Installed for its lifetime, a FileWriter that passes every call on and
// notes each one ("create 7", "write 7", "sync 7", "rename", ...), so a test
// can check the order of the steps of a rewrite.
class RecordingFileWriter final : public FileWriter {
 public:
  RecordingFileWriter();
  ~RecordingFileWriter() override;
  RecordingFileWriter(const RecordingFileWriter&) = delete;
  RecordingFileWriter& operator=(const RecordingFileWriter&) = delete;

  int WriteAt(int fd, std::span<const std::uint8_t> bytes, std::uint64_t offset) override;
  int Truncate(int fd, std::uint64_t length) override;
  int Sync(int fd) override;
  int CreateTemporary(const std::filesystem::path& target, int& fd, std::filesystem::path& created) override;
  int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;

  const std::vector<std::string>& Calls() const { return m_calls; }

 private:
  std::vector<std::string> m_calls;
  FileWriter* m_previous = nullptr;
};

}  // namespace tempovia::test
